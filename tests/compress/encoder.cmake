# Tests of the lh5 encoder: match tree, Huffman codes, bit writer, block
# layout, golden streams, round trips and failures.
qx_add_test(compress_encoder_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/encoder_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_bit_writer_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_code_tree_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_failure_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_golden_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_interop_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_match_tree_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_roundtrip_test.cpp
          ${PROJECT_SOURCE_DIR}/tests/support/lh5_items.cpp
  LIBS qx_compress qx_compress_test_support
  TIMEOUT 600)

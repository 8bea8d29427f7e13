# Tests of the archive format, the file layer, the decoder and the exported
# functions, with the doubles and fixtures of tests/support.
add_library(qx_compress_test_support STATIC
  ${PROJECT_SOURCE_DIR}/tests/support/archive_fixtures.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/bitmap_fixtures.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/faulty_file_ops.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/lha_level0.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/lh5_stream_builder.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/small_volume.cpp)
target_include_directories(qx_compress_test_support PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(qx_compress_test_support PUBLIC qx_compress_platform qx_platform)
set_target_properties(qx_compress_test_support PROPERTIES AUTOMOC OFF)

qx_add_test(compress_archive_tests
  SOURCES archive_format_test.cpp
          file_slots_test.cpp
          platform_test.cpp
          lh5_decoder_test.cpp
          extract_test.cpp
          size_query_test.cpp
          compact_test.cpp
          interop_test.cpp
  LIBS qx_compress qx_compress_test_support
  TIMEOUT 300)

qx_add_test(compress_qxr_tests
  SOURCES qxr_commands_test.cpp
  LIBS qx_compress_test_support)
add_dependencies(compress_qxr_tests qxr)

# nfDecompacte and lfTailleCompacte on mutated archives. The corpus holds a
# few small archives made with qxr pack (text, bytes, a plain copy), a stored
# member and a tagged file.
qx_add_fuzz(compress_archive_fuzz
  SOURCES fuzz/archive_fuzz.cpp
  LIBS qx_compress qx_compress_test_support
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus
  MUTATIONS 10000)

# The lh5 encoder's sources (relative to src/compress), added to the archive
# library by src/compress/CMakeLists.txt.
set(QX_LH5_ENCODER_SOURCES
  block_encoder.cpp
  code_tree.cpp
  lh5_encoder.cpp
  match_tree.cpp
  write_cache.cpp
  write_member.cpp)

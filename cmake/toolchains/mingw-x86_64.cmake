# Cross build for 64-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-x86-64); its programs run under Wine's 64-bit loader (wine64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QX_MINGW_TARGET x86_64-w64-mingw32)
set(QX_WINE_NAME wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Cross build for 32-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-i686); its programs run under Wine's 32-bit loader (wine32:i386).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QX_MINGW_TARGET i686-w64-mingw32)
set(QX_WINE_NAME wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

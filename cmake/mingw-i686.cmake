# Debian's mingw-w64 i686 cross compiler: the 32-bit product.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CHX_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix.cmake)

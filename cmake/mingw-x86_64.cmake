# Debian's mingw-w64 x86-64 cross compiler: the same sources as an x64 DLL for
# 64-bit hosts.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CHX_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix.cmake)

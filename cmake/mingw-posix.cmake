# What both mingw-w64 toolchains share: Debian's cross compilers of the posix
# thread model, named by CHX_MINGW_PREFIX, finding only their own libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${CHX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CHX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CHX_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${CHX_MINGW_PREFIX}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${CHX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

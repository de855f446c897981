# Cross-building for 64-bit Windows from Linux with mingw-w64 (Debian's
# g++-mingw-w64-x86-64-posix: GCC with POSIX threads, for std::this_thread).
#   cmake -S . -B build-win --toolchain cmake/mingw-w64-x86_64.cmake   (`make windows` does)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NORVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NORVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NORVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NORVEX_MINGW_TRIPLE}-windres)

# Headers and libraries of the target only; programs (the build's own tools) of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${NORVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)


# QOV_THREADS picks the MinGW-w64 compiler variant:
#   posix  carries std::thread, which GoogleTest needs (the test builds); its
#          static thread runtime imports GetTickCount64, which Windows XP lacks;
#   win32  no std::thread, and a runtime that loads on Windows XP: the
#          shipped binaries (set by the mingw-*-win32.cmake toolchain files).
if(NOT QOV_THREADS)
  set(QOV_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${QOV_TRIPLE}-gcc-${QOV_THREADS})
set(CMAKE_CXX_COMPILER ${QOV_TRIPLE}-g++-${QOV_THREADS})
set(CMAKE_RC_COMPILER ${QOV_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${QOV_TRIPLE}-objdump)
set(CMAKE_DLLTOOL ${QOV_TRIPLE}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${QOV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

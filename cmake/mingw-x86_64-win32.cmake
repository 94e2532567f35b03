# The shipped 64-bit build: the win32-thread-model compilers, whose runtime
# loads on Windows XP x64 and Server 2003.
set(QOV_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)

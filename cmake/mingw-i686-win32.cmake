# The shipped 32-bit build: the win32-thread-model compilers, whose runtime
# loads on Windows XP SP3.
set(QOV_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)

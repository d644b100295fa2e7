# Cross-compiling for 32-bit Windows with Debian's mingw-w64.
#
# The compilers of the posix thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. The product does not use std::thread or std::mutex itself (its threads and lock go
# through core/thread.h), so this costs the static exe only about 25 KB.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests built for Windows run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

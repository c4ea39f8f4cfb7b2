# Cross-compiles nosignal for Windows with mingw-w64, for the processor that
# NOSIGNAL_WINDOWS_ARCH names: x86_64 (x64, the default) or i686 (x86). The
# -posix compilers are the ones whose C++ runtime has std::thread and
# std::mutex.
if(NOT NOSIGNAL_WINDOWS_ARCH)
  set(NOSIGNAL_WINDOWS_ARCH x86_64)
endif()
if(NOT NOSIGNAL_WINDOWS_ARCH MATCHES "^(x86_64|i686)$")
  message(FATAL_ERROR "NOSIGNAL_WINDOWS_ARCH is x86_64 or i686, not ${NOSIGNAL_WINDOWS_ARCH}")
endif()
# The compiler checks run in projects of their own, which see only the
# variables listed here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NOSIGNAL_WINDOWS_ARCH)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${NOSIGNAL_WINDOWS_ARCH})
set(CMAKE_C_COMPILER ${NOSIGNAL_WINDOWS_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${NOSIGNAL_WINDOWS_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${NOSIGNAL_WINDOWS_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NOSIGNAL_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The tests run under Wine, on this machine's own display or none.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

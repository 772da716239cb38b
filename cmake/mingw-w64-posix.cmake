# Cross build for 64-bit Windows with Debian's mingw-w64 compilers. The -posix
# variants use the POSIX thread model, which gives std::thread and std::mutex
# (the win32 variants have neither, and googletest needs them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config looks only at the target's libraries, never at the build
# machine's (whose ZeroMQ, say, cannot be linked into a Windows DLL).
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${CMAKE_FIND_ROOT_PATH})

# The programs run under Wine: ctest starts each through it.
find_program(VELLORAN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VELLORAN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELLORAN_WINE})
endif()

# googletest for the target is built from the sources Debian ships.
set(VELLORAN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "googletest sources for the cross build")

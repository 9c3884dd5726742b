# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads,
# which Qt needs). Used by scripts/windows; CMAKE_PREFIX_PATH names the
# cross-built Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR /usr/bin/${_triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${_triple}-ranlib CACHE FILEPATH "")

# Headers, libraries and packages only from the MinGW sysroot and the
# cross-built Qt, never from the build machine's /usr; programs (moc, rcc,
# wine) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test executables run under Wine's 64-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)

# Cross-building the Win32 program with mingw-w64. Included by the toolchain
# file of each processor, which sets _prefix (the compilers' target triple).
#
# The win32 threading flavour of the compilers: the program has one thread
# and sleeps through the system's own Sleep, so the standard library needs
# no threads of its own, and nothing of the POSIX threads runtime (whose
# timing calls are newer than Windows XP) is linked in. libgcc and libstdc++
# are linked statically, so the program needs no DLL that Windows does not
# ship.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER NAMES ${_prefix}-gcc-win32 REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_prefix}-g++-win32 REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_prefix}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

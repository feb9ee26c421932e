# 32-bit Windows (PE32), the program we ship.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

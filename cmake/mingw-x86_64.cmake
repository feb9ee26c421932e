# 64-bit Windows (PE32+): the same sources, for machines that cannot run
# 32-bit code and so test under the 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(_prefix x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

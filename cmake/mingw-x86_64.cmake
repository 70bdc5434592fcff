# Cross build of the 64-bit Windows program (PE32+), the primary one.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TDIALIX_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

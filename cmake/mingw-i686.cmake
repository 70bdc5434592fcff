# Cross build of the 32-bit Windows program (PE32), for 32-bit Windows and
# 32-bit plug-ins.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TDIALIX_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Every processor that runs a supported Windows has SSE2: the frame blends use
# it, and doubles are computed as on every other platform (no 80-bit x87
# intermediates), as the 64-bit build does by default. Windows only keeps the
# stack 4-byte aligned on 32-bit, so functions that keep vectors on it align it
# themselves.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")

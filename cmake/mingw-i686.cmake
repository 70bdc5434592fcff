# Cross build of the Windows program: 32-bit MinGW-w64, posix thread model,
# everything the runtime needs linked into the executable itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TDIALIX_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TDIALIX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TDIALIX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TDIALIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TDIALIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread go into the program: no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every processor that runs a supported Windows has SSE2: the frame blends use
# it, and doubles are computed as on every other platform (no 80-bit x87
# intermediates). Windows only keeps the stack 4-byte aligned on 32-bit, so
# functions that keep vectors on it align it themselves.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")

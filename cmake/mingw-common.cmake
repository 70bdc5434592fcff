# What both Windows builds share: MinGW-w64 with the posix thread model, and
# everything the runtime needs linked into the program itself. The toolchain
# file of each build names the processor and the compiler prefix first.
set(CMAKE_SYSTEM_NAME Windows)

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

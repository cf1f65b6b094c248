# Cross build of the Windows screen saver on Linux with MinGW-w64: 64-bit,
# POSIX thread model, every runtime (C, C++, threads) linked statically so
# zintu.scr needs no DLL beyond the system's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZINTU_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZINTU_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZINTU_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZINTU_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZINTU_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

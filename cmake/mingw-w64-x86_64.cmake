# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads) and runs the results
# under Wine. Qt 6 supports no 32-bit Windows, so 64-bit is the Windows build we prove.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KOVAR_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOVAR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOVAR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KOVAR_MINGW_TRIPLET}-windres)
set(CMAKE_STRIP ${KOVAR_MINGW_TRIPLET}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${KOVAR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static programs need none of the MinGW runtime DLLs, which Wine does not have.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Every cross-built program runs through Wine with a prefix of its own inside the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)

# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for Windows with Debian's MinGW-w64 (posix threads) and runs the results under Wine.
# One 32-bit x86 program: it runs on 32-bit and 64-bit Windows alike, and on Windows on ARM
# through its x86 emulation; Windows XP SP3 is the oldest system it starts on.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KOVAR_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KOVAR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOVAR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KOVAR_MINGW_TRIPLET}-windres)
set(CMAKE_STRIP ${KOVAR_MINGW_TRIPLET}-strip)
set(CMAKE_OBJDUMP ${KOVAR_MINGW_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${KOVAR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static programs need none of the MinGW runtime DLLs, which Wine does not have. The header names
# Windows XP (5.1) as the oldest system and subsystem: a newer number stops the loader there.
set(CMAKE_EXE_LINKER_FLAGS_INIT
  "-static -Wl,--major-os-version=5,--minor-os-version=1,--major-subsystem-version=5,--minor-subsystem-version=1")

# Every cross-built program runs through Wine with a prefix of its own inside the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed and builds the players' zip from the mingw-wine build (only the program,
# not the tests): build/windows-zip/Kovar-Launcher-VERSION-win32.zip, alone in that folder, the
# portable folder with a stripped program. Reproducible: built again from the same commit, anywhere,
# it is the same bytes (see tools/reproducible-env.sh).
# Usage: tools/windows-zip.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
. tools/reproducible-env.sh
out=$PWD/build/windows-zip
cmake --preset mingw-wine "$KOVAR_REPRODUCIBLE_FLAGS" >/dev/null
cmake --build --preset mingw-wine --target kovar-launcher
rm -rf "$out"
cpack -G ZIP --config build/mingw-wine/CPackConfig.cmake -B "$out" >/dev/null
rm -rf "$out/_CPack_Packages"
ls -l "$out"/*.zip

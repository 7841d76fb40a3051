#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed and builds the Windows installer from the mingw-wine build (only the
# program in the system layout and the installer, not the tests):
# build/windows-installer/Kovar-Launcher-VERSION-SYSTEM-setup.exe, alone in that folder.
# Reproducible: built again from the same commit, anywhere, it is the same bytes (see
# tools/reproducible-env.sh).
# Usage: tools/windows-installer.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
. tools/reproducible-env.sh
out=$PWD/build/windows-installer
cmake --preset mingw-wine "$KOVAR_REPRODUCIBLE_FLAGS" >/dev/null
cmake --build --preset mingw-wine --target kovar_windows_installer
rm -rf "$out"
mkdir -p "$out"
cp build/mingw-wine/installer/Kovar-Launcher-*-setup.exe "$out"/
ls -l "$out"/*.exe

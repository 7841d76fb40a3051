#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the players' zip of a Windows build: packs it, unpacks it into an empty folder, checks
# that the program in it is stripped and passes the program check (tools/check-pe.sh), then runs
# the end-to-end test of the program against that folder under Wine.
# Usage: check-zip.sh BUILD-DIR WINE-RUN PREFIX APP-TEST
set -euo pipefail
build=$1 wine_run=$2 prefix=$3 app_test=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work/pack" >/dev/null
zip=("$work"/pack/Kovar-Launcher-*-win32.zip)
[ -f "${zip[0]}" ] || { echo "FAIL: no zip was made" >&2; exit 1; }
echo "packed: $(basename "${zip[0]}")"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "${zip[0]}")
folder=("$work"/unpacked/*)
[ ${#folder[@]} -eq 1 ] && [ -d "${folder[0]}" ] ||
  { echo "FAIL: the zip does not hold one folder" >&2; exit 1; }
for file in kovar-launcher.exe auto.kvx config.kvx settings.kvx NOTICE.txt data; do
  [ -e "${folder[0]}/$file" ] || { echo "FAIL: the folder lacks $file" >&2; exit 1; }
done

exe="${folder[0]}/kovar-launcher.exe"
if i686-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_'; then
  echo "FAIL: the program in the zip is not stripped" >&2
  exit 1
fi
# For Windows XP and later, importing only what every such Windows has: nothing of the
# compiler's runtime.
"$(dirname "$0")/check-pe.sh" "$exe" "$(dirname "$0")/windows-imports.txt"

KOVAR_APP_FOLDER="${folder[0]}" "$wine_run" "$prefix" "$app_test"

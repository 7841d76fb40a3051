#!/usr/bin/env bash
# Checks the players' zip of a Windows build: packs it, unpacks it into an empty folder, checks
# that the program in it is stripped and needs no DLL beside it, then runs the end-to-end test
# of the program against that folder under Wine.
# Usage: check-zip.sh BUILD-DIR WINE-RUN PREFIX APP-TEST
set -euo pipefail
build=$1 wine_run=$2 prefix=$3 app_test=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work/pack" >/dev/null
zip=("$work"/pack/Kovar-Launcher-*-win64.zip)
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
if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_'; then
  echo "FAIL: the program in the zip is not stripped" >&2
  exit 1
fi
# Only DLLs that every Windows has: nothing of the compiler's runtime.
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dll in $dlls; do
  case $dll in
    comctl32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | user32.dll | shell32.dll | advapi32.dll | \
      ole32.dll | oleaut32.dll | oleacc.dll) ;;
    *) echo "FAIL: the program needs $dll" >&2; exit 1 ;;
  esac
done

KOVAR_APP_FOLDER="${folder[0]}" "$wine_run" "$prefix" "$app_test"

#!/usr/bin/env bash
# Runs a Windows program under Wine with the screen at DPI dots per inch:
# wine-run-at-dpi.sh DPI PREFIX PROGRAM [ARGUMENTS...].
#
# The program runs in a copy of the prepared PREFIX, PREFIX-dpiDPI, made on first use, whose
# HKCU\Control Panel\Desktop\LogPixels is DPI: Wine's one screen scale, read when a session
# starts. The copy has an X server and a wineserver of its own (tools/wine-run.sh), started for
# the program and ended after it.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 DPI PREFIX PROGRAM [ARGUMENTS...]" >&2; exit 2; }
dpi=$1 prefix=$2
shift 2
run="$(dirname "$0")/wine-run.sh"
copy="$prefix-dpi$dpi"

if [ ! -e "$copy/.dpi-set" ]; then
  rm -rf "$copy"
  "$(dirname "$0")/wine-copy-prefix.sh" "$prefix" "$copy"
  "$run" "$copy" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null
  # The session's processes started at the old scale; ending it writes the registry out.
  "$run" --stop "$copy"
  touch "$copy/.dpi-set"
fi

status=0
"$run" "$copy" "$@" || status=$?
"$run" --stop "$copy"
exit $status

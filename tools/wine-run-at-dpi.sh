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
  # The prefix is prepared by its first use.
  [ -e "$prefix/.initialised" ] || "$run" "$prefix" cmd /c exit
  # The wineserver writes the registry out some seconds after it changes: a prefix just set up
  # has none on disk yet.
  written() { [ "$prefix/system.reg" -nt "$prefix/.initialised" ] &&
    [ "$prefix/user.reg" -nt "$prefix/.initialised" ]; }
  for _ in $(seq 240); do written && break; sleep 0.5; done
  written || { echo "$0: $prefix: Wine did not write the registry out" >&2; exit 1; }
  rm -rf "$copy"
  mkdir "$copy"
  # Under the prefix's lock, so that no session starts on it while it is copied; without the
  # users' temporary folders, where other tests' files come and go meanwhile.
  flock "$prefix.lock" tar -C "$prefix" --exclude='./drive_c/users/*/Temp/*' -cf - . |
    tar -C "$copy" -xf -
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

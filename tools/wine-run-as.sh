#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine with the screen at another scale, or with Wine answering as
# another Windows: wine-run-as.sh SETTING PREFIX PROGRAM [ARGUMENTS...], SETTING one of
#   dpi=DPI        HKCU\Control Panel\Desktop\LogPixels: Wine's one screen scale, DPI dots per inch
#   version=NAME   HKCU\Software\Wine\Version: the Windows version it reports (winxp, win7, win10)
#
# The program runs in a copy of the prepared PREFIX, PREFIX-NAME-VALUE, made on first use with the
# setting written, read when a session starts. The copy has an X server and a wineserver of its own
# (tools/wine-run.sh), started for the program and ended after it.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 dpi=DPI|version=NAME PREFIX PROGRAM [ARGUMENTS...]" >&2; exit 2; }
setting=$1 prefix=$2
shift 2
name=${setting%%=*} value=${setting#*=}
case $name in
  dpi) key='HKCU\Control Panel\Desktop' entry=(/v LogPixels /t REG_DWORD /d "$value") ;;
  version) key='HKCU\Software\Wine' entry=(/v Version /t REG_SZ /d "$value") ;;
  *) echo "$0: unknown setting $setting (dpi=DPI or version=NAME)" >&2; exit 2 ;;
esac
run="$(dirname "$0")/wine-run.sh"
copy="$prefix-$name$value"

if [ ! -e "$copy/.setting-written" ]; then
  rm -rf "$copy"
  "$(dirname "$0")/wine-copy-prefix.sh" "$prefix" "$copy"
  "$run" "$copy" reg add "$key" "${entry[@]}" /f >/dev/null
  # The session's processes started with the old setting; ending it writes the registry out.
  "$run" --stop "$copy"
  touch "$copy/.setting-written"
fi

status=0
"$run" "$copy" "$@" || status=$?
"$run" --stop "$copy"
exit $status

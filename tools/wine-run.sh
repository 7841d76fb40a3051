#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]. Creates and
# initialises the Wine prefix PREFIX on first use (once, under a lock, since CTest may start
# several programs at a time), with nothing that prompts and no debug output.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...]" >&2; exit 2; }
export WINEPREFIX=$1
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=${KOVAR_WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine) ||
  { echo "$0: Wine not found (install wine64)" >&2; exit 2; }

server="${wine%/*}/wineserver"
[ -x "$server" ] || server=wineserver

mkdir -p "$(dirname "$WINEPREFIX")"
{
  flock 9
  if [ ! -e "$WINEPREFIX/.initialised" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 9>&-
    "$server" -w 2>/dev/null || true
    touch "$WINEPREFIX/.initialised"
  fi
  # One server for a whole test run, so that each program need not wait for a new one. A new
  # server's session services are started here, away from the program's output: they outlive it,
  # and CTest waits until nothing holds that output open. Neither may inherit the lock.
  if "$server" -p15 >/dev/null 2>&1 9>&-; then
    "$wine" wineboot >/dev/null 2>&1 9>&-
  fi
} 9>"$WINEPREFIX.lock"

exec "$wine" "$@"

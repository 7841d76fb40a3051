#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...].
#
# Every program of a test run shares one X server (Xvfb) and one wineserver, started together on
# first use, under a lock, in this order: the X server, then the wineserver with that display,
# then the prefix's initialisation (first use) or session services, all against that one server.
# The wineserver stays until `wine-run.sh --stop PREFIX` ends it and its X server; CTest does that
# after the last Windows test. A wineserver that ends on its own after an idle time, or that was
# started for another display, is what made a Windows program now and then die at start, silent:
# a client that reaches a server in its shutdown, whose session processes are being ended, or
# whose desktop lives on an X server that is gone.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...] | $0 --stop PREFIX" >&2; exit 2; }

stop=false
if [ "$1" = --stop ]; then
  stop=true
  shift
fi
# Wine takes only an absolute prefix.
WINEPREFIX=$(realpath -m -- "$1")
export WINEPREFIX
shift
export WINEDEBUG=-all
# No Gecko or Mono installs; no menu entries on the host for the Start menu shortcuts made inside.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The programs are 32-bit: Wine's 32-bit side runs them. The prefix is a 64-bit Windows, made by
# the 64-bit side, whose programs see what a player's 64-bit Windows shows a 32-bit program
# (WoW64: Program Files (x86), the registry's 32-bit view). Its own tools, named without a folder
# (reg, cmd, wineboot), stay 64-bit, as a 64-bit Windows's own are: `reg query` reads the
# registry's 64-bit view.
wine=${KOVAR_WINE:-/usr/lib/wine/wine}
wine64=/usr/lib/wine/wine64
for program in "$wine" "$wine64"; do
  [ -x "$program" ] || { echo "$0: $program not found (install wine32:i386 and wine64)" >&2; exit 2; }
done
server="${wine%/*}/wineserver"
[ -x "$server" ] || server=wineserver

# The session's X server: "DISPLAY-NUMBER PID" while it runs.
session="$WINEPREFIX.x-session"

session_alive() {
  local number pid
  [ -s "$session" ] || return 1
  read -r number pid <"$session"
  kill -0 "$pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$number" ]
}

stop_session() {
  "$server" -k 2>/dev/null || true
  "$server" -w 2>/dev/null || true
  if [ -s "$session" ]; then
    local number pid
    read -r number pid <"$session"
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$session"
}

start_session() {
  # A server of an earlier session may still hold the prefix; its display may be gone.
  stop_session
  local ready="$WINEPREFIX.x-ready"
  rm -f "$ready"
  setsid Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$ready" \
    </dev/null >/dev/null 2>&1 9>&- &
  local pid=$!
  for _ in $(seq 200); do
    [ -s "$ready" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "$0: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
  done
  [ -s "$ready" ] || { echo "$0: Xvfb did not become ready" >&2; exit 1; }
  local number
  number=$(tr -dc 0-9 <"$ready")
  rm -f "$ready"
  echo "$number $pid" >"$session"
  export DISPLAY=":$number"
  # The server and the session processes it starts outlive this script: none of them may hold
  # the caller's output or the lock open, or CTest would wait for them.
  "$server" -p </dev/null >/dev/null 2>&1 9>&-
  if [ ! -e "$WINEPREFIX/.initialised" ]; then
    WINEARCH=win64 "$wine64" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    # A program that crashes ends with its backtrace on standard error, instead of waiting in a
    # crash dialog on the test run's screen that nobody closes.
    "$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1 9>&-
    # The server writes the registry to disk as it ends: from then on the prefix on disk is whole
    # and can be copied (the installer check installs into a copy).
    "$server" -k 2>/dev/null || true
    "$server" -w 2>/dev/null || true
    touch "$WINEPREFIX/.initialised"
    "$server" -p </dev/null >/dev/null 2>&1 9>&-
  fi
  "$wine" wineboot </dev/null >/dev/null 2>&1 9>&-
}

mkdir -p "$WINEPREFIX"
{
  flock 9
  if $stop; then
    stop_session
    exit 0
  fi
  session_alive || start_session
} 9>"$WINEPREFIX.lock"

read -r number _ <"$session"
export DISPLAY=":$number"
case $1 in
  */* | *\\* | *.exe | *.EXE) exec "$wine" "$@" ;;
  *) exec "$wine64" "$@" ;;
esac

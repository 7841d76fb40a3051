#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end checks of the installed launcher on a real X server (run inside xvfb-run).
# Usage: run-e2e.sh CHECK BUILD-DIR X-WINDOWS-HELPER [STAND-IN-ENGINE [TERMINATION-PROBE]]
#   close   closed by the window manager: the settings are saved
#   sigterm ended by SIGTERM: the settings are saved
#   sighup  ended by SIGHUP (its terminal closed): the settings are saved
#   nohup   started by nohup: SIGHUP is ignored, as asked; SIGTERM still ends it, saved
#   sigterm-unsaved    ended by SIGTERM with a save that fails: it ends within a second, without a
#                      box, the failure on standard error, the other settings file saved
#   close-box-sigterm  closed with a save that fails, its box open: SIGTERM ends it within a second
#   second-signal      a program whose end is stuck: a second SIGTERM ends it at once
#   launch  Single Player, then Start: the engine runs in the Quake directory with its arguments
#   orca    the same with the screen reader Orca, keys only (run inside dbus-run-session)
#   typeahead  with accessibility on, keys typed at once after a Tab all reach the field
#              (run inside dbus-run-session)
#   nostart without its start script the launcher says so and ends unsaved, with a failure status
set -euo pipefail
check=$1 build=$2 x_windows=$3 engine=${4:-} probe=${5:-}
title="Tarnfield - Kovar Launcher"

if { [ "$check" = launch ] || [ "$check" = orca ]; } && [ ! -x "$engine" ]; then
  echo "skipped: the stand-in engine is not built"
  exit 77
fi

# shellcheck source=tests/e2e/e2e-common.sh
. "$(dirname "$0")/e2e-common.sh"

app="$work/Kovar Launcher"
cmake --install "$build" --prefix "$app" >/dev/null
# A comment line that the launcher's save drops: its absence proves the file was written.
printf 'exe GLQuake.exe\r\nmap Ember Foundry\r\n# saved by hand\r\ncpar +skill 2\r\n' >"$app/config.kvx"
printf 'frun false\r\nquakedir %s\r\n' "$work/quake" >"$app/settings.kvx"

# config.kvx cannot be saved: a folder stands in its place.
block_config() {
  rm "$app/config.kvx"
  mkdir "$app/config.kvx"
}

# What the settings files hold after the run, unless a check says otherwise.
cpar='+skill 2'
expect_saved() {
  expect_file "$app/config.kvx" "exe GLQuake.exe\\r\\nmap Ember Foundry\\r\\ncpar $cpar\\r\\n"
  expect_file "$app/settings.kvx" "frun false\\r\\nquakedir $work/quake\\r\\n"
}

# Each engine name records where and how it was started, then hands over to the stand-in.
fake_engines() {
  mkdir -p "$work/quake"
  for name in LucidGL.exe GLQuake.exe Quake.exe WinQuake.exe VQuake.exe; do
    cat >"$work/quake/$name" <<SCRIPT
#!/bin/sh
{ pwd; echo "\$0"; echo "\$*"; } >"$work/engine-ran.tmp" && mv "$work/engine-ran.tmp" "$work/engine-ran"
exec timeout 10 "$engine" "\$@" </dev/null >/dev/null 2>&1
SCRIPT
    chmod +x "$work/quake/$name"
  done
}

# The engine ran in the Quake directory with the exact arguments; closing then saves.
expect_engine_ran() {
  local record=$work/engine-ran
  for _ in $(seq 100); do [ -f "$record" ] && break; sleep 0.1; done
  [ -f "$record" ] || fail "no engine was started ($1)"
  mapfile -t ran <"$record"
  [ "${ran[0]}" = "$work/quake" ] || fail "the engine ran in ${ran[0]}"
  [ "$(basename "${ran[1]}")" = GLQuake.exe ] || fail "the engine was ${ran[1]}"
  [ "${ran[2]}" = "+map tarn2 -game kv${cpar:+ $cpar} +r_shadows 0 +r_mirroralpha 1" ] ||
    fail "the engine got the arguments: ${ran[2]}"
  close_window "$title"
  wait_for_exit || fail "the launcher ended with status $?"
  expect_saved
}

# Accessibility turned on as a desktop does, in a settings store of this run's own; the
# accessibility bus reads it when it starts (run inside dbus-run-session).
accessibility_on() {
  unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
  export GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME=$work/config HOME=$work
  gsettings set org.gnome.desktop.interface toolkit-accessibility true
  "${KOVAR_AT_SPI_BUS_LAUNCHER:-/usr/libexec/at-spi-bus-launcher}" --launch-immediately &
  bus=$!
  trap 'kill "$bus" 2>/dev/null || true; cleanup' EXIT
  # Under the sanitizers, the leaks that Qt's accessibility bridge leaves behind (see the file).
  if [ -n "${LSAN_OPTIONS:-}" ]; then
    export LSAN_OPTIONS="$LSAN_OPTIONS:suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan-accessibility.supp"
  fi
}

start() {
  mark_windows
  ${1:-} "$app/kovar-launcher" 2>"$work/stderr" &
  pid=$!
  window=$(wait_for_window "$title")
  sleep 0.5
}

case $check in
  close)
    start
    close_window "$title"
    wait_for_exit || fail "the launcher ended with status $?"
    expect_saved
    ;;
  sigterm | sighup)
    start
    kill "-${check#sig}" "$pid"
    wait_for_exit || fail "the launcher ended with status $?"
    expect_saved
    ;;
  nohup)
    start nohup
    kill -HUP "$pid"
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "the hang-up that nohup ignores ended the launcher"
    kill -TERM "$pid"
    wait_for_exit || fail "the launcher ended with status $?"
    expect_saved
    ;;
  sigterm-unsaved)
    block_config
    start
    kill -TERM "$pid"
    wait_for_exit 10 || fail "the launcher ended with status $?"
    grep -q "config.kvx.* could not be read" "$work/stderr" ||
      fail "no failure with its reason on standard error: $(cat "$work/stderr")"
    expect_file "$app/settings.kvx" "frun false\\r\\nquakedir $work/quake\\r\\n"
    ;;
  close-box-sigterm)
    block_config
    start
    close_window "$title"
    wait_for_window "Kovar Launcher" >/dev/null
    kill -TERM "$pid"
    wait_for_exit 10 || fail "the launcher ended with status $?"
    ;;
  second-signal)
    [ -x "$probe" ] || fail "no termination probe given"
    "$probe" >"$work/probe" &
    pid=$!
    for _ in $(seq 100); do grep -q ready "$work/probe" && break; sleep 0.1; done
    kill -TERM "$pid"
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "the first request ended the stuck program"
    kill -TERM "$pid"
    status=0
    wait_for_exit 10 || status=$?
    [ "$status" = 143 ] || fail "the second request did not end it by SIGTERM (status $status)"
    ;;
  launch)
    fake_engines
    start
    read -r width height < <(xdotool getwindowgeometry --shell "$window" |
      awk -F= '/WIDTH/{w=$2} /HEIGHT/{h=$2} END{print w, h}')
    menu=$((height - 291))
    # imgSP in the navigation column, then imgStartSP on the start panel (pixels, client area).
    xdotool mousemove --window "$window" 68 $((menu + 112)) click 1
    sleep 0.3
    xdotool mousemove --window "$window" 260 $((menu + 104)) click 1
    expect_engine_ran "window ${width}x${height}"
    ;;
  orca)
    fake_engines
    # No custom parameters, as most players leave them, and no engine chosen yet.
    cpar=
    printf 'exe \r\nmap Ember Foundry\r\ncpar \r\n' >"$app/config.kvx"
    accessibility_on
    # Orca's speech goes to its debug log only: no speech server, no braille display.
    mkdir "$work/orca"
    cat >"$work/orca/user-settings.conf" <<'SETTINGS'
{"general": {"speechServerFactory": "", "speechFactoryModules": [], "enableBraille": false},
 "profiles": {"default": {"profile": ["Default", "default"]}},
 "pronunciations": {}, "keybindings": {}}
SETTINGS
    start
    # Given the keyboard, as a desktop gives it to the window it shows.
    xdotool windowfocus "$window"
    # KOVAR_ORCA_LOG keeps Orca's debug log of the run.
    "$(dirname "$0")/orca.py" "$work/orca" "$app/data" "${KOVAR_ORCA_LOG:-$work/orca.log}" ||
      fail "Orca could not start the game"
    expect_engine_ran "pressed through Orca"
    ;;
  typeahead)
    # Keys queued behind a Tab (typed ahead, a password manager's, a macro's) with accessibility
    # on: the field they reach keeps them all, and the next key adds to them.
    printf 'exe GLQuake.exe\r\nmap Ember Foundry\r\ncpar \r\n' >"$app/config.kvx"
    accessibility_on
    start
    xdotool windowfocus "$window"
    # From the Map field to the engine box; then, while the launcher is busy (stopped here), on to
    # Custom Parameters and three keys, which it finds all queued when it goes on.
    xdotool key Tab
    sleep 1
    kill -STOP "$pid"
    xdotool key Tab a b c
    kill -CONT "$pid"
    sleep 1
    xdotool key d
    sleep 0.5
    cpar=abcd
    close_window "$title"
    wait_for_exit || fail "the launcher ended with status $?"
    expect_saved
    ;;
  nostart)
    rm "$app/auto.kvx"
    before=$(od -c <"$app/config.kvx")
    mark_windows
    "$app/kovar-launcher" &
    pid=$!
    wait_for_window "Kovar Launcher" >/dev/null
    sleep 0.5
    close_window "Kovar Launcher"
    if wait_for_exit; then fail "the launcher ended with status 0"; fi
    [ "$(od -c <"$app/config.kvx")" = "$before" ] || fail "config.kvx was written"
    ;;
  *)
    fail "unknown check $check"
    ;;
esac
echo "ok: $check"

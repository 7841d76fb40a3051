#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a player meets it (run inside xvfb-run with -ac, as root): the package is
# unpacked into a scratch root, never installed, its tree left read-only to the player as /usr is,
# and the program is started as /usr/games/kovar-launcher: it finds its start script and maps in
# /usr/share/games/kovar-launcher from its own path, wherever the tree lies.
#   1. An unprivileged player with a fresh home: the first start asks for the Quake directory; the
#      answer and Exit save config.kvx and settings.kvx in ~/.config/kovar-launcher, private to
#      the player, and nothing is written beside the executable.
#   2. The same player with a relative HOME (in a mount namespace whose password file gives the
#      player that home): the second start reads the files back without asking; the window's X11
#      class is the one the menu entry names; Start writes the launch script in the player's folder
#      and runs the stand-in engine in the Quake directory.
#   3. A map the player adds to ~/.config/kovar-launcher/data is listed after the installed ones;
#      chosen there, it loads, Start launches its level, and Exit saves it as the map.
#   4. The next start loads that map from the saved map line, and Start launches it again.
#   5. root, who can write into the package's folder: the first start asks too, and root's files
#      go to root's own folder; the package's folder stays byte for byte as it was.
# Usage: run-package-e2e.sh DEB STAND-IN-ENGINE X-WINDOWS-HELPER
set -euo pipefail
deb=$1 engine=$2 x_windows=$3
title="Tarnfield - Kovar Launcher"
player=nobody

if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null || ! unshare --mount true 2>/dev/null; then
  echo "skipped: switching to an unprivileged player needs root, setpriv and mount namespaces"
  exit 77
fi

# shellcheck source=tests/e2e/e2e-common.sh
. "$(dirname "$0")/e2e-common.sh"

chmod 755 "$work"
root=$work/root
dpkg-deb -x "$deb" "$root"
chown -R root:root "$root"
chmod -R a-w "$root"
home=$work/home
quake=$work/quake
mkdir -p "$home" "$quake"
chown "$player:" "$home"
record=$work/engine-ran
cp "$engine" "$quake/stand-in"
# Each engine name records where and how it was started, then hands over to the stand-in.
for name in LucidGL.exe GLQuake.exe Quake.exe WinQuake.exe VQuake.exe; do
  cat >"$quake/$name" <<SCRIPT
#!/bin/sh
{ pwd; echo "\$0"; echo "\$*"; } >"$record.tmp" && mv "$record.tmp" "$record"
exec timeout 10 ./stand-in "\$@" </dev/null >/dev/null 2>&1
SCRIPT
done
chmod 755 "$quake"/*
chown "$player:" "$work"
own=$home/.config/kovar-launcher
# Names, kinds, modes, sizes and contents of everything in the unpacked tree.
listing() {
  (cd "$root" && find . -printf '%p %y %m %s\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
installed=$(listing)
expect_installed_tree() {
  [ "$(listing)" = "$installed" ] ||
    fail "the installed tree changed:"$'\n'"$(diff <(echo "$installed") <(listing))"
}
# The password file as seen by the player started with a relative HOME: that player's home is
# $home.
awk -F: -v OFS=: -v home="$home" '$1 == "'"$player"'" { $6 = home } 1' /etc/passwd >"$work/passwd"
grep -q "^$player:.*:$home:" "$work/passwd" || fail "no password entry for $player"
chmod 644 "$work/passwd"

# Starts the program from $work as the user $1 with HOME=$2; with a third argument, in a mount
# namespace that reads $work/passwd as the password file.
start() {
  local user=$1 home_value=$2 as=()
  [ "$user" = root ] || as=(setpriv --reuid="$user" --regid=nogroup --clear-groups)
  local command=("${as[@]}" env -i HOME="$home_value" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin
    KOVAR_NO_TERMINAL=1 "$root/usr/games/kovar-launcher")
  if [ -n "${3:-}" ]; then
    # shellcheck disable=SC2016 # the inner shell expands them
    command=(unshare --mount --propagation private -- sh -c \
      'mount --bind "$0" /etc/passwd && exec "$@"' "$work/passwd" "${command[@]}")
  fi
  mark_windows
  (cd "$work" && exec "${command[@]}") 2>"$work/stderr" &
  pid=$!
}
# A first start by user $1 with HOME=$2: the prompt is answered and Exit saves in the folder $3.
first_start() {
  local folder=$3 prompt window
  start "$1" "$2"
  prompt=$(wait_for_window "Set Quake Directory")
  sleep 0.5
  xdotool windowfocus --sync "$prompt"
  xdotool key ctrl+a
  xdotool type "$quake"
  xdotool key Return
  window=$(wait_for_window "$title")
  sleep 0.5
  xdotool windowfocus --sync "$window"
  xdotool key alt+f
  sleep 0.3
  xdotool key x
  wait_for_exit || fail "the launcher ended with status $?"
  expect_file "$folder/config.kvx" 'exe LucidGL.exe\r\nmap Sunken Keep\r\ncpar \r\n'
  expect_file "$folder/settings.kvx" "frun false\\r\\nquakedir $quake\\r\\n"
  [ "$(stat -c '%a %U' "$folder" "$(dirname "$folder")")" = $'700 '"$1"$'\n700 '"$1" ] ||
    fail "the folders are not private: $(stat -c '%n %a %U' "$folder" "$(dirname "$folder")")"
  expect_installed_tree
}

# Single Player, then Start: the engine LucidGL.exe must run in the Quake directory with the
# arguments $1.
launch_expecting() {
  rm -f "$record"
  local height menu
  read -r height < <(xdotool getwindowgeometry --shell "$window" | awk -F= '/HEIGHT/{print $2}')
  menu=$((height - 291))
  # imgSP in the navigation column, then imgStartSP on the start panel (pixels, client area).
  xdotool mousemove --window "$window" 68 $((menu + 112)) click 1
  sleep 0.3
  xdotool mousemove --window "$window" 260 $((menu + 104)) click 1
  for _ in $(seq 100); do [ -f "$record" ] && break; sleep 0.1; done
  [ -f "$record" ] || fail "no engine was started"
  mapfile -t ran <"$record"
  [ "${ran[0]}" = "$quake" ] || fail "the engine ran in ${ran[0]}"
  [ "$(basename "${ran[1]}")" = LucidGL.exe ] || fail "the engine was ${ran[1]}"
  [ "${ran[2]}" = "$1" ] || fail "the engine got the arguments: ${ran[2]}, not: $1"
}

# 1. The first start.
first_start "$player" "$home" "$own"

# 2. The second start, with a relative HOME: no prompt, then Single Player and Start.
start "$player" relative-home namespace
window=$(wait_for_window "$title")
sleep 1
window_appeared "Set Quake Directory" >/dev/null && fail "the Quake directory was asked for again"
# Docks and task switchers match the window to its menu entry by its X11 class.
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
entry_class=$(sed -n 's/^StartupWMClass=//p' "$root"/usr/share/applications/*.desktop)
[ -n "$class" ] && [ "$class" = "$entry_class" ] ||
  fail "the window's class \"$class\" is not the menu entry's StartupWMClass \"$entry_class\""
launch_expecting "+map tarn1 -game kv +r_shadows 0 +r_mirroralpha 1"
[ -f "$own/run.sh" ] || fail "the launch script is not in the player's folder"
close_window "$title"
wait_for_exit || fail "the launcher ended with status $?"
[ ! -e "$work/relative-home" ] || fail "a folder was made under the relative HOME"
expect_installed_tree

# 3. A map of the player's own, beside the installed ones that the player cannot change.
mkdir -p "$own/data"
printf 'tarn9\r\nThe player'"'"'s own tower.\r\n' >"$own/data/Tarn Tower.kvx"
cp "$root/usr/share/games/kovar-launcher/data/Sunken Keep.bmp" "$own/data/Tarn Tower.bmp"
chown -R "$player:" "$own/data"
start "$player" "$home"
window=$(wait_for_window "$title")
sleep 0.5
xdotool windowfocus --sync "$window"
read -r height < <(xdotool getwindowgeometry --shell "$window" | awk -F= '/HEIGHT/{print $2}')
# Into listMap's field, then down its list to the last entry: the player's map.
xdotool mousemove --window "$window" 200 $((height - 291 + 152)) click 1
for _ in $(seq 8); do xdotool key Down; done
sleep 0.3
launch_expecting "+map tarn9 -game kv +r_shadows 0 +r_mirroralpha 1"
close_window "$title"
wait_for_exit || fail "the launcher ended with status $?"
expect_file "$own/config.kvx" 'exe LucidGL.exe\r\nmap Tarn Tower\r\ncpar \r\n'

# 4. The saved map line finds the player's map.
start "$player" "$home"
window=$(wait_for_window "$title")
sleep 0.5
launch_expecting "+map tarn9 -game kv +r_shadows 0 +r_mirroralpha 1"
close_window "$title"
wait_for_exit || fail "the launcher ended with status $?"
expect_installed_tree

# 5. root, who could write into the package's folder, keeps its files in its own folder.
# Its folder must lie where nobody else can change the folders above it.
chown root: "$work"
roothome=$work/root-home
mkdir "$roothome"
first_start root "$roothome" "$roothome/.config/kovar-launcher"
echo "ok: the package's program keeps each player's files, root's too, in their own folder, and lists, loads and launches a player's own maps"

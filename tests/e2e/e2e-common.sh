# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share, sourced by each once it has set $x_windows (the helper built
# from XWindows.cpp): a scratch folder $work, the launcher's $pid, the windows as they appear, and
# the checks. Whatever the outcome, no launcher is left running and the scratch folder goes.
work=$(mktemp -d)
pid=
watcher=
cleanup() {
  if [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null; then
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  fi
  [ -z "$watcher" ] || kill "$watcher" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Fails the check, with what the launcher wrote to $work/stderr, if anything.
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/  launcher: /' "$work/stderr" >&2
  exit 1
}

# Waits for the launcher to end within $1 tenths of a second (10 s unless given); returns its
# status.
wait_for_exit() {
  for _ in $(seq "${1:-100}"); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; status=$?; pid=; return "$status"; }
    sleep 0.1
  done
  fail "the launcher did not end"
}

# The file $1 holds exactly the bytes of the printf format $2.
expect_file() {
  local expected actual
  expected=$(printf '%b' "$2" | od -c)
  actual=$(od -c <"$1" 2>&1) || true
  [ "$expected" = "$actual" ] || fail "$1 holds:"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"
}

# Windows are found through one watcher, connected to the X server before any launcher starts and
# never again: nothing else connects while the launcher does (see XWindows.cpp).
"$x_windows" watch >"$work/windows" &
watcher=$!
for _ in $(seq 100); do
  grep -q '^ready$' "$work/windows" && break
  kill -0 "$watcher" 2>/dev/null || fail "the window watcher could not connect to the X server"
  sleep 0.1
done
# wait_for_window finds only the windows that appear after the last mark_windows.
windows_seen=1
mark_windows() { windows_seen=$(wc -l <"$work/windows"); }

# Prints the id of the first window titled $1 that has appeared since the last mark, if any.
window_appeared() {
  tail -n "+$((windows_seen + 1))" "$work/windows" |
    awk -v title="$1" '{ id = $1; sub(/^[0-9]+ /, "") } $0 == title { print id; found = 1; exit }
      END { exit !found }'
}

# Prints the id of the first window titled $1 since the last mark; fails if none appears within
# $2 tenths of a second (30 s unless given), or if the launcher ends first.
wait_for_window() {
  for _ in $(seq "${2:-300}"); do
    window_appeared "$1" && return 0
    [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null ||
      fail "the launcher ended before a window titled \"$1\" appeared"
    sleep 0.1
  done
  fail "no window titled \"$1\" appeared"
}

# Asks the window titled $1 to close, as the title bar's close button does.
close_window() {
  "$x_windows" close "$1" || fail "could not send WM_DELETE_WINDOW to \"$1\""
}

# What the end-to-end scripts share, sourced by each: a scratch folder $work, the launcher's $pid,
# and the checks. Whatever the outcome, no launcher is left running and the scratch folder goes.
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null; then
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  fi
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

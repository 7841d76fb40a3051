#!/bin/sh
# Runs a test program as an unprivileged user, so that file permissions apply to it.
# Exits 77 (skipped) when this shell cannot switch users.
[ "$(id -u)" = 0 ] && command -v setpriv >/dev/null 2>&1 || exit 77
exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"

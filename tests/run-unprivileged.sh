#!/bin/sh
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program as an unprivileged user, so that file permissions apply to it.
# Exits 77 (skipped) when this shell cannot switch users.
[ "$(id -u)" = 0 ] && command -v setpriv >/dev/null 2>&1 || exit 77
exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"

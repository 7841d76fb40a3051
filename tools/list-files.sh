#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the project's files, NUL-separated, relative to the top of the source tree: Git's tracked
# files in a checkout, otherwise (an unpacked release tarball) every file but the build folders.
# Usage: tools/list-files.sh [PATTERN...]   (shell patterns on the path, as `git ls-files` takes)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ]; then
  exec git ls-files -z -- "$@"
fi
find . \( -path './build*' -o -path ./out -o -path ./.git \) -prune -o -type f -printf '%P\0' |
  while IFS= read -r -d '' file; do
    if [ $# -eq 0 ]; then
      printf '%s\0' "$file"
      continue
    fi
    for pattern in "$@"; do
      # shellcheck disable=SC2053 # the pattern is matched as a pattern
      if [[ $file == $pattern ]]; then
        printf '%s\0' "$file"
        break
      fi
    done
  done | sort -z

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every file of the project names its copyright and licence, with `reuse lint`: a
# header in the file, else a stanza of .reuse/dep5, and every licence's text in LICENSES/.
# In a Git checkout reuse lints the tracked files. Without Git (an unpacked release tarball) it
# would lint every file under the top, build outputs too: it then lints a copy of the tree without
# the build folders (those named build* at the top, and BUILD-DIR when given).
# Usage: tools/check-licences.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ]; then
  exec reuse lint
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
build=
if [ -n "${1:-}" ]; then
  build=$(realpath -m "$1")
  build=${build#"$PWD"/}
fi
tools/list-files.sh | { if [ -n "$build" ]; then grep -zv "^$build/" || true; else cat; fi; } |
  tar --null -T - -cf - | tar -xf - -C "$copy"
reuse --root "$copy" lint

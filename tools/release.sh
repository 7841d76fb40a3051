#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the release tarball build/kovar-launcher-VERSION.tar.xz (VERSION from the project's
# CMakeLists.txt) from a commit's tracked files, with `git archive`, under the folder
# kovar-launcher-VERSION/. It is reproducible: every entry carries the commit's time and root as its owner,
# the entries come in Git's order, and xz compresses on one thread with fixed settings, so that the
# same commit gives the same bytes anywhere. Unpacked, the tree builds and tests without Git
# (docs/packagers.md, "Release tarball").
# Usage: tools/release.sh [COMMIT]   (HEAD unless given; uncommitted changes are not in it)
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$(git rev-parse --verify "${1:-HEAD}^{commit}")
version=$(git show "$commit:CMakeLists.txt" |
  sed -n 's/^project(KovarLauncher VERSION \([0-9.]*\) .*/\1/p')
[ -n "$version" ] || { echo "no version in $commit's CMakeLists.txt" >&2; exit 1; }
name=kovar-launcher-$version
mkdir -p build
out=build/$name.tar.xz
[ "$commit" = "$(git rev-parse HEAD)" ] && ! git diff --quiet HEAD &&
  echo "note: uncommitted changes are not in the tarball"
# The modes do not hang on the Git configuration here (tar.umask).
git -c tar.umask=0022 archive --format=tar --prefix="$name/" "$commit" | xz -6 -T1 -c >"$out.tmp"
mv "$out.tmp" "$out"
echo "$out"

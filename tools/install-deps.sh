#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages listed in tools/packages.txt (as root, or through sudo), with the
# i386 architecture added for the 32-bit Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t packages < <(grep -v -E '^\s*(#|$)' "$here/packages.txt")
# One query for all of them: one query a package takes seconds on a busy machine. A package of
# another architecture is known by its name with the architecture (wine32:i386).
# A package of this machine's architecture (or of all) is known by its name alone too.
native=$(dpkg --print-architecture)
declare -A installed=()
while read -r state name arch; do
  [ "$state" = ii ] || continue
  installed[$name:$arch]=1
  if [ "$arch" = "$native" ] || [ "$arch" = all ]; then installed[$name]=1; fi
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Architecture}\n' "${packages[@]}" 2>/dev/null)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
[ "$(id -u)" = 0 ] || as_root=(sudo)
# The 32-bit Wine comes from Debian's i386 packages, which apt lists once the architecture is added.
if ! dpkg --print-foreign-architectures | grep -q -x i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
# A mirror caught mid-sync serves an index that does not match its release file, and apt leaves
# that index out (and exits 100): ask again after a pause.
listed=false
for pause in 0 30 60; do
  sleep "$pause"
  if "${as_root[@]}" apt-get update; then listed=true; break; fi
  echo "install-deps: apt-get update could not read every package index" >&2
done
install() {
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "$@" \
    "${missing[@]}"
}
if ! install; then
  $listed && exit 1
  # With an update index left out (bookworm-security's i386 one, say), an amd64 package's update
  # has no i386 twin to pair with, and wine32:i386 cannot be installed. The release's own packages
  # all pair: prefer them over its updates.
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "install-deps: installing from $codename itself, as an update index could not be read" >&2
  install -t "$codename"
fi

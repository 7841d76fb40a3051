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
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"

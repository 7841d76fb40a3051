#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds what is shipped twice from the commit checked out, in two clones in folders of different
# names and depths, one after the other, and compares the two results byte for byte. The builds
# run without ccache, which could hand the second build the first one's objects.
# Usage: tools/check-reproducible.sh [--if-asked] [deb] [zip] [installer]   (deb unless given)
#   --if-asked  skips (status 77, as CTest counts it) unless KOVAR_CHECK_REPRODUCIBLE is set: two
#               whole builds take long (the test debian_package_reproducible, label package)
set -euo pipefail
if [ "${1:-}" = --if-asked ]; then
  shift
  if [ -z "${KOVAR_CHECK_REPRODUCIBLE:-}" ]; then
    echo "skipped: set KOVAR_CHECK_REPRODUCIBLE=1 to build twice and compare"
    exit 77
  fi
fi
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(deb)
cd "$(dirname "$0")/.."
commit=$(git rev-parse HEAD)
git diff --quiet HEAD || echo "note: uncommitted changes are not part of the comparison"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clones=("$work/one/kovar-launcher" "$work/the-second-build/of/kv")

build() {
  local clone=$1 kind
  git clone --quiet --shared --no-checkout "$PWD" "$clone"
  git -C "$clone" checkout --quiet --detach "$commit"
  for kind in "${kinds[@]}"; do
    case $kind in
      deb) (cd "$clone" && tools/package.sh) ;;
      zip) (cd "$clone" && tools/windows-zip.sh) ;;
      installer) (cd "$clone" && tools/windows-installer.sh) ;;
      *) echo "unknown kind $kind" >&2; exit 2 ;;
    esac
  done
}
artifact() {
  case $2 in
    deb) ls "$1"/build/package/*.deb ;;
    zip) ls "$1"/build/windows-zip/*.zip ;;
    installer) ls "$1"/build/windows-installer/*.exe ;;
  esac
}

for clone in "${clones[@]}"; do
  echo "== building ${kinds[*]} of $commit in $clone"
  (unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER && build "$clone") \
    >"$work/$(basename "$clone").log" 2>&1 || { tail -n 40 "$work/$(basename "$clone").log"; exit 1; }
done

status=0
for kind in "${kinds[@]}"; do
  first=$(artifact "${clones[0]}" "$kind") second=$(artifact "${clones[1]}" "$kind")
  echo "== $kind"
  sha256sum "$first" "$second"
  if cmp "$first" "$second"; then
    echo "same: $(basename "$first"), $(stat -c %s "$first") bytes"
  else
    status=1
    if command -v diffoscope >/dev/null; then diffoscope "$first" "$second" | head -n 80 || true; fi
  fi
done
exit "$status"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that a built Windows program starts on Windows XP SP3: check-pe.sh PROGRAM ALLOW-LIST.
# It must be a 32-bit x86 program whose header asks for no system and subsystem newer than 5.1
# (XP), and import only DLLs and functions that the allow-list names: each of its entries was
# checked against its documented minimum client, Windows XP or earlier. An import missing from
# the list is a failure, so that a new one gets its own reviewed entry. Every finding is listed.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM ALLOW-LIST" >&2; exit 2; }
program=$1 list=$2
[ -f "$program" ] || { echo "FAIL: $program: no such file" >&2; exit 1; }
[ -f "$list" ] || { echo "FAIL: $list: no such file" >&2; exit 1; }
objdump=${KOVAR_OBJDUMP:-i686-w64-mingw32-objdump}
failed=0
fail() {
  echo "FAIL: $program: $*" >&2
  failed=1
}

# A little-endian number of BYTES bytes at OFFSET of the file.
number() { od -An -tu"$2" -j"$1" -N"$2" "$program" | tr -d ' '; }
[ "$(head -c2 "$program")" = MZ ] || { fail "not a Windows program (no MZ header)"; exit 1; }
pe=$(number 60 4)
[ "$(od -An -c -j"$pe" -N4 "$program" | tr -d ' ')" = 'PE\0\0' ] ||
  { fail "no PE header at offset $pe"; exit 1; }
machine=$(number $((pe + 4)) 2)
[ "$machine" -eq 332 ] || fail "machine $(printf '0x%04x' "$machine"), not i386 (0x014c)"
optional=$((pe + 24))
for field in "operating system:40" "subsystem:48"; do
  name=${field%:*} at=$((optional + ${field#*:}))
  major=$(number "$at" 2) minor=$(number $((at + 2)) 2)
  if [ "$major" -gt 5 ] || { [ "$major" -eq 5 ] && [ "$minor" -gt 1 ]; }; then
    fail "$name version $major.$minor, newer than Windows XP's 5.1"
  fi
done
[ "$failed" -eq 0 ] || exit 1

# The imports as "dll function" lines, lower-case DLL names; an import by number only, which
# no system DLL's documentation names, is "dll #NUMBER".
imports=$("$objdump" -p "$program" | awk '
  /^\tDLL Name:/ { dll = tolower($3); next }
  /^\t[[:xdigit:]]+\t/ && dll != "" { print dll, ($3 == "" ? "#" $2 : $3); next }
  /^$/ { dll = "" }' | sort -u)
[ -n "$imports" ] || fail "no imports read (is this a program $objdump reads?)"
allowed=$({ grep -v -E '^\s*(#|$)' "$list" || true; } | awk '{print tolower($1), $2}' | sort -u)
declare -A known_dlls=()
while read -r dll _; do known_dlls[$dll]=1; done <<<"$allowed"
declare -A reported=()
while read -r dll function; do
  [ -n "$dll" ] || continue
  if [ -n "${known_dlls[$dll]:-}" ]; then
    fail "imports $function from $dll, which is not on $list"
  elif [ -z "${reported[$dll]:-}" ]; then
    fail "imports from $dll, a DLL not on $list"
    reported[$dll]=1
  fi
done < <(comm -23 <(echo "$imports") <(echo "$allowed"))
[ "$failed" -eq 0 ] || exit 1
echo "$program: i386, for Windows XP and later, $(wc -l <<<"$imports") imports all on the list"

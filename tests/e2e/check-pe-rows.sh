#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The program check (tools/check-pe.sh), one row a rule: the shipped program passes; a planted
# program that imports newer functions and a newer DLL directly fails, naming each; the shipped
# program's header changed to another machine, or to a newer system or subsystem, fails.
# Usage: check-pe-rows.sh CHECK ALLOW-LIST SHIPPED PLANTED
set -euo pipefail
check=$1 list=$2 shipped=$3 planted=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# row NAME WANT PROGRAM [TEXT...]: the check on PROGRAM passes (WANT pass) or fails naming each
# TEXT (WANT fail).
row() {
  local name=$1 want=$2 program=$3 status=0
  shift 3
  "$check" "$program" "$list" >"$work/out" 2>&1 || status=$?
  local got=pass
  [ "$status" -eq 0 ] || got=fail
  local missing=()
  for text in "$@"; do grep -q -F -- "$text" "$work/out" || missing+=("$text"); done
  if [ "$got" != "$want" ] || [ ${#missing[@]} -gt 0 ]; then
    echo "FAIL: $name: wanted $want${*:+ naming $*}, got $got:" >&2
    sed 's/^/  /' "$work/out" >&2
    failures=$((failures + 1))
  else
    echo "ok: $name ($got)"
  fi
}

# patched NAME OFFSET-FROM-PE-HEADER HEX-BYTES: a copy of the shipped program so changed.
patched() {
  local copy="$work/$1.exe"
  cp "$shipped" "$copy"
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$copy" | tr -d ' ')
  printf %b "$3" | dd of="$copy" bs=1 seek=$((pe + $2)) conv=notrunc status=none
  echo "$copy"
}

row "the shipped program" pass "$shipped" "i386, for Windows XP and later"
row "direct imports of newer functions" fail "$planted" "GetTickCount64 from kernel32.dll" \
  "GetDpiForWindow from user32.dll" "from dwmapi.dll, a DLL not on"
row "an x86-64 program" fail "$(patched amd64 4 '\x64\x86')" "machine 0x8664"
row "for Windows Vista" fail "$(patched vista 64 '\x06\x00\x00\x00')" "operating system version 6.0"
row "a Vista subsystem" fail "$(patched subsystem 72 '\x06\x00\x00\x00')" "subsystem version 6.0"
[ "$failures" -eq 0 ]

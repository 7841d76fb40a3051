#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows installer under Wine as an administrator and a new player use it: installs it
# silently into a copy of the prepared Wine prefix; checks the program's folder, the Start menu
# shortcut for all users and the entry in the list of installed programs; upgrades it in place
# through other paths to its folder (a link, its short name); an upgrade in place with one of its
# files held open without sharing fails and leaves every file of the installation as it was, and
# an uninstaller leaves alone a folder a setup is installing into; runs the installed program as
# a new player (the end-to-end test's case for an installed copy: the Quake directory
# prompt, an answer, a close that saves in the player's %APPDATA% folder); checks that the
# program's folder is unchanged by that run; an upgrade into another folder whose auto.kvx cannot
# be written fails with the file and the reason in the log, leaving the installed version whole;
# one into a folder that can be written removes the earlier version only then; uninstalls
# silently; and checks that the folder, the shortcut and the entry are gone and the player's files
# stay.
# With EARLIER-64-BIT, a 64-bit installer of the same files, a 32-bit INSTALLER then upgrades the
# installation it makes: into Program Files (x86), the 64-bit folder and entry gone, the player's
# files kept.
# Usage: check-installer.sh INSTALLER WINE-RUN PREFIX APP-TEST INSTALLER-PROBE [EARLIER-64-BIT]
set -euo pipefail
installer=$1 wine_run=$2 prefix=$3 app_test=$4 probe=$5 earlier64=${6:-}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$installer" ] || fail "no installer at $installer"
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes"

# A copy of the prefix every Windows test of this build runs in.
work=$(mktemp -d "$prefix-installer.XXXXXX")
copy=$work/prefix
trap '"$wine_run" --stop "$copy" || true; rm -rf "$work"' EXIT
"$(dirname "$0")/wine-copy-prefix.sh" "$prefix" "$copy"

# The folders as Windows names them, and as this machine sees them: a 32-bit installer installs
# into Program Files (x86) and writes the 32-bit registry view.
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kovar Launcher'
if objdump -f "$installer" | grep -q 'file format pei-i386'; then
  programs='Program Files (x86)' view=/reg:32
else
  programs='Program Files' view=/reg:64
fi
installed="C:\\$programs\\Kovar Launcher"
folder="$copy/drive_c/$programs/Kovar Launcher"
reg_query() { "$wine_run" "$copy" reg query "$key" $view "$@"; }
shortcut="$copy/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kovar Launcher.lnk"

"$wine_run" "$copy" "$installer" /S || fail "the silent install ended with $?"
for file in kovar-launcher.exe auto.kvx config.kvx settings.kvx NOTICE.txt Uninstall.exe \
  "data/Sunken Keep.kvx" "data/Sunken Keep.bmp"; do
  [ -f "$folder/$file" ] || fail "the installed folder lacks $file"
done
[ -f "$shortcut" ] || fail "no Start menu shortcut for all users ($shortcut)"
# reg prints each value as NAME, TYPE and DATA, four spaces apart.
entry=$(reg_query | tr -d '\r' | sed 's/^ *//; s/    /|/g') ||
  fail "no entry in the installed programs ($key)"
for value in 'DisplayName|REG_SZ|Kovar Launcher' 'DisplayVersion|REG_SZ|0.01' \
  'Publisher|REG_SZ|Velmont' "DisplayIcon|REG_SZ|$installed\\kovar-launcher.exe,0" \
  "UninstallString|REG_SZ|\"$installed\\Uninstall.exe\"" \
  "QuietUninstallString|REG_SZ|\"$installed\\Uninstall.exe\" /S"; do
  grep -qxF "$value" <<<"$entry" || fail "the entry lacks $value; it holds:
$entry"
done
echo "installed: the folder, the shortcut and the entry"

# The installation's log, as Windows names it: %TEMP%\Kovar Launcher Setup.log.
setup_log() { find "$copy/drive_c/users" -name "Kovar Launcher Setup.log" -exec iconv -f UTF-16 -t UTF-8 {} \; | tr -d '\r'; }
# The installation in the folder $1 (as this machine sees it) is whole, and the entry and the
# shortcut name it ($2, as Windows names it).
expect_whole() {
  local file
  for file in kovar-launcher.exe auto.kvx config.kvx settings.kvx NOTICE.txt Uninstall.exe \
    "data/Sunken Keep.kvx" "data/Sunken Keep.bmp"; do
    [ -f "$1/$file" ] || fail "the installed folder $1 lacks $file"
  done
  reg_query /v InstallLocation | tr -d '\r' | grep -qF "REG_SZ    $2" ||
    fail "the entry does not name $2"
  [ -f "$shortcut" ] || fail "no Start menu shortcut"
}

# What the program's folder holds, names and bytes.
listing() { (cd "$folder" && find . -type f -exec sha256sum {} + | sort) }
fresh=$(listing)

# Another path to the installed folder is that folder: the upgrade is in place, nothing is
# uninstalled, and the entry keeps naming the folder as it was installed.
ln -s "$programs/Kovar Launcher" "$copy/drive_c/KovarLink"
short=$("$wine_run" "$copy" "$probe" short "$installed" | tr -d '\r')
for alias in 'C:\KovarLink' "$short"; do
  "$wine_run" "$copy" "$installer" /S "/D=$alias" || fail "the upgrade through $alias ended with $?"
  expect_whole "$folder" "$installed"
  setup_log | grep -qxF "$alias is the installed folder $installed: upgrading it in place." ||
    fail "the upgrade through $alias was not in place:
$(setup_log)"
  [ "$(listing)" = "$fresh" ] || fail "the upgrade through $alias left the folder:
$(listing)"
done
echo "upgraded in place through a link and through the short name $short"

# A file held open without sharing (a virus scanner, a viewer) until `release`.
hold() {
  rm -f "$work/hold" "$work/held"
  mkfifo "$work/hold"
  "$wine_run" "$copy" "$probe" hold "$1" <"$work/hold" >"$work/held" &
  holder=$!
  exec 7>"$work/hold"
  for _ in $(seq 300); do
    grep -q held "$work/held" 2>/dev/null && return
    kill -0 $holder 2>/dev/null || break
    sleep 0.1
  done
  fail "could not hold $1 open"
}
release() {
  exec 7>&-
  wait $holder
}

# An upgrade in place stopped by a held file leaves every file of the earlier installation as it
# was, byte for byte, and says so; each installed file is marked as the earlier version's first.
(cd "$folder" && find . -type f -exec sh -c 'echo earlier >>"$1"' sh {} \;)
earlier=$(listing)
hold "$installed\\data\\Frostmarch Gate.kvx"
status=0
"$wine_run" "$copy" "$installer" /S || status=$?
release
[ "$status" = 2 ] || fail "the upgrade with a held file ended with $status"
for line in "Could not replace \"$installed\\data\\Frostmarch Gate.kvx\": " \
  "Nothing was installed; the installation in $installed was kept as it was."; do
  setup_log | grep -qF "$line" || fail "the log lacks $line:
$(setup_log)"
done
[ "$(listing)" = "$earlier" ] || fail "the failed upgrade changed the installation:
$(diff <(echo "$earlier") <(listing) || true)"
echo "failed upgrade in place: exit code 2, every file as it was"

"$wine_run" "$copy" "$installer" /S || fail "the upgrade in place ended with $?"
[ "$(listing)" = "$fresh" ] || fail "the upgrade in place did not put every new file in place:
$(diff <(echo "$fresh") <(listing) || true)"
echo "upgraded in place: every file the new one"

# While a setup holds its marker in the folder, an uninstaller there removes nothing.
touch "$folder/.kovar-setup-1"
hold "$installed\\.kovar-setup-1"
status=0
"$wine_run" "$copy" "$folder/Uninstall.exe" /S "_?=$short" || status=$?
release
rm "$folder/.kovar-setup-1"
[ "$status" = 2 ] || fail "the uninstall beside a running setup ended with $status"
[ "$(listing)" = "$fresh" ] || fail "the uninstall beside a running setup removed files:
$(diff <(echo "$fresh") <(listing) || true)"
echo "uninstall beside a running setup: exit code 2, nothing removed"

# An upgrade into another folder that cannot be completed (its auto.kvx cannot be written) says
# which file and why, and leaves the installed version whole and nothing of the new one behind.
blocked="$copy/drive_c/Games/Kovar3"
mkdir -p "$blocked/auto.kvx"
status=0
"$wine_run" "$copy" "$installer" /S '/D=C:\Games\Kovar3' || status=$?
[ "$status" != 0 ] || fail "the failed upgrade ended with 0"
setup_log | grep -qF 'Could not write "C:\Games\Kovar3\auto.kvx": ' ||
  fail "the log does not say which file failed and why:
$(setup_log)"
expect_whole "$folder" "$installed"
[ "$(cd "$blocked" && find . -mindepth 1)" = ./auto.kvx ] ||
  fail "the failed upgrade left files behind: $(cd "$blocked" && find . -mindepth 1)"
echo "failed upgrade: exit code $status, $(setup_log | grep 'Could not write'), the installed version whole"

before=$(listing)
KOVAR_INSTALLED_FOLDER=$installed "$wine_run" "$copy" "$app_test" \
  --gtest_filter=Win32App.AnInstalledCopyAsksANewPlayerAndSavesInTheirOwnFolder
[ "$(listing)" = "$before" ] || fail "the player's run changed the program's folder:
$(diff <(echo "$before") <(listing) || true)"
# The player's folder, %APPDATA%\Kovar Launcher, as this machine sees it.
own=("$copy"/drive_c/users/*/AppData/Roaming/"Kovar Launcher")
[ ${#own[@]} -eq 1 ] && [ -d "${own[0]}" ] || fail "no player's folder was made: ${own[*]}"
echo "ran: the player's files in their own folder, the program's folder unchanged"

# An upgrade into another folder: the new files there, then the earlier version removed by its own
# uninstaller, the entry and the shortcut naming the new folder.
"$wine_run" "$copy" "$installer" /S '/D=C:\Games\Kovar4' || fail "the upgrade ended with $?"
moved="$copy/drive_c/Games/Kovar4"
expect_whole "$moved" 'C:\Games\Kovar4'
[ ! -e "$folder" ] || fail "the upgrade left the earlier folder: $(cd "$folder" && find .)"
echo "upgraded into another folder: the earlier version removed"
folder=$moved

# The uninstaller copies itself away and returns at once; it removes the folder last.
"$wine_run" "$copy" 'C:\Games\Kovar4\Uninstall.exe' /S || fail "the silent uninstall ended with $?"
for _ in $(seq 600); do
  [ -e "$folder" ] || break
  sleep 0.1
done
[ ! -e "$folder" ] || fail "the uninstall left the folder: $(cd "$folder" && find .)"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start menu shortcut"
if reg_query >/dev/null 2>&1; then
  fail "the uninstall left the entry in the installed programs"
fi
for file in config.kvx settings.kvx; do
  [ -f "${own[0]}/$file" ] || fail "the uninstall removed the player's $file"
done
echo "uninstalled: the folder, the shortcut and the entry gone, the player's files kept"

[ -n "$earlier64" ] || exit 0
"$wine_run" "$copy" "$earlier64" /S || fail "the 64-bit install ended with $?"
folder64="$copy/drive_c/Program Files/Kovar Launcher"
[ -f "$folder64/Uninstall.exe" ] || fail "the 64-bit installer installed nothing in $folder64"
"$wine_run" "$copy" "$installer" /S || fail "the upgrade of the 64-bit installation ended with $?"
expect_whole "$copy/drive_c/$programs/Kovar Launcher" "$installed"
[ ! -e "$folder64" ] || fail "the upgrade left the 64-bit folder: $(cd "$folder64" && find .)"
if "$wine_run" "$copy" reg query "$key" /reg:64 >/dev/null 2>&1; then
  fail "the upgrade left the 64-bit entry"
fi
for file in config.kvx settings.kvx; do
  [ -f "${own[0]}/$file" ] || fail "the upgrade removed the player's $file"
done
echo "upgraded the 64-bit installation: into $installed, its folder and entry gone, the player's files kept"

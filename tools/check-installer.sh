#!/usr/bin/env bash
# Checks the Windows installer under Wine as an administrator and a new player use it: installs it
# silently into a copy of the prepared Wine prefix; checks the program's folder, the Start menu
# shortcut for all users and the entry in the list of installed programs; runs the installed
# program as a new player (the end-to-end test's case for an installed copy: the Quake directory
# prompt, an answer, a close that saves in the player's %APPDATA% folder); checks that the
# program's folder is unchanged by that run; an upgrade into another folder whose auto.kvx cannot
# be written fails with the file and the reason in the log, leaving the installed version whole;
# one into a folder that can be written removes the earlier version only then; uninstalls
# silently; and checks that the folder, the shortcut and the entry are gone and the player's files
# stay.
# Usage: check-installer.sh INSTALLER WINE-RUN PREFIX APP-TEST
set -euo pipefail
installer=$1 wine_run=$2 prefix=$3 app_test=$4
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

# The folders as Windows names them, and as this machine sees them.
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kovar Launcher'
folder="$copy/drive_c/Program Files/Kovar Launcher"
shortcut="$copy/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kovar Launcher.lnk"

"$wine_run" "$copy" "$installer" /S || fail "the silent install ended with $?"
for file in kovar-launcher.exe auto.kvx config.kvx settings.kvx Uninstall.exe \
  "data/Sunken Keep.kvx" "data/Sunken Keep.bmp"; do
  [ -f "$folder/$file" ] || fail "the installed folder lacks $file"
done
[ -f "$shortcut" ] || fail "no Start menu shortcut for all users ($shortcut)"
# reg prints each value as NAME, TYPE and DATA, four spaces apart.
entry=$("$wine_run" "$copy" reg query "$key" | tr -d '\r' | sed 's/^ *//; s/    /|/g') ||
  fail "no entry in the installed programs ($key)"
for value in 'DisplayName|REG_SZ|Kovar Launcher' 'DisplayVersion|REG_SZ|0.01' \
  'Publisher|REG_SZ|Velmont' 'DisplayIcon|REG_SZ|C:\Program Files\Kovar Launcher\kovar-launcher.exe,0' \
  'UninstallString|REG_SZ|"C:\Program Files\Kovar Launcher\Uninstall.exe"' \
  'QuietUninstallString|REG_SZ|"C:\Program Files\Kovar Launcher\Uninstall.exe" /S'; do
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
  for file in kovar-launcher.exe auto.kvx config.kvx settings.kvx Uninstall.exe \
    "data/Sunken Keep.kvx" "data/Sunken Keep.bmp"; do
    [ -f "$1/$file" ] || fail "the installed folder $1 lacks $file"
  done
  "$wine_run" "$copy" reg query "$key" /v InstallLocation | tr -d '\r' | grep -qF "REG_SZ    $2" ||
    fail "the entry does not name $2"
  [ -f "$shortcut" ] || fail "no Start menu shortcut"
}

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
expect_whole "$folder" 'C:\Program Files\Kovar Launcher'
[ "$(cd "$blocked" && find . -mindepth 1)" = ./auto.kvx ] ||
  fail "the failed upgrade left files behind: $(cd "$blocked" && find . -mindepth 1)"
echo "failed upgrade: exit code $status, $(setup_log | grep 'Could not write'), the installed version whole"

# What the program's folder holds, names and bytes, before and after a player's run.
listing() { (cd "$folder" && find . -type f -exec sha256sum {} + | sort) }
before=$(listing)
KOVAR_INSTALLED_FOLDER='C:\Program Files\Kovar Launcher' "$wine_run" "$copy" "$app_test" \
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
if "$wine_run" "$copy" reg query "$key" >/dev/null 2>&1; then
  fail "the uninstall left the entry in the installed programs"
fi
for file in config.kvx settings.kvx; do
  [ -f "${own[0]}/$file" ] || fail "the uninstall removed the player's $file"
done
echo "uninstalled: the folder, the shortcut and the entry gone, the player's files kept"

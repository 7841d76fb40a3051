#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the copyright and licence header into every source, script, build and documentation file
# that can carry one, in the file's own comment syntax: first, or after a `#!` or `<?xml` line.
# A file that has a licence identifier already is left alone, so the script may run again. The
# files it does not know, among them every one whose every line the launcher reads (the start
# script, the settings, the map catalogue), the fuzzers' inputs, the pictures and the Debian
# changelog, never get a header: .reuse/dep5 covers them. `reuse lint` checks the result.
# Usage: tools/add-spdx-headers.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# Spelt in two parts, so that these lines are no header of this script's own.
spdx=SPDX
copyright="$spdx-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers"
licence_tag="$spdx-License-Identifier:"

# The comment syntax for a file: line, a prefix for each line, or block, an opening and a
# closing line around both; nothing for a file that must not or cannot carry a header.
syntax_of() {
  case $1 in
    LICENSES/* | .reuse/* | .ci/* | fuzz/corpus/*) ;;
    *.cpp | *.h | *.rc) echo 'line //' ;;
    *.sh | *.py | *.cmake | */CMakeLists.txt | CMakeLists.txt | tools/packages.txt | tools/windows-imports.txt | *.supp | \
      *.dict | *.desktop | *.nsi | .gitignore | .gitattributes | .editorconfig | .clang-format)
      echo 'line #' ;;
    *.6) echo 'line .\"' ;;
    *.md | *.xml | *.manifest) echo 'block <!-- -->' ;;
  esac
}

# The metadata that software centres copy is free of conditions, as AppStream asks.
licence_of() {
  case $1 in
    *.metainfo.xml) echo CC0-1.0 ;;
    *) echo GPL-3.0-or-later ;;
  esac
}

# All of it is read before it runs: it rewrites this script too, which the shell reads as it goes.
main() {
  added=0
  while IFS= read -r -d '' file; do
    read -r kind open close <<<"$(syntax_of "$file")"
    [ -n "$kind" ] || continue
    grep -q "$licence_tag" "$file" && continue
    licence="$licence_tag $(licence_of "$file")"
    if [ "$kind" = line ]; then
      header="$open $copyright"$'\n'"$open $licence"
    else
      header="$open"$'\n'"$copyright"$'\n'"$licence"$'\n'"$close"
    fi
    # After a first line that must stay first, else at the top.
    HEADER=$header awk 'NR == 1 && /^(#!|<\?xml)/ { print; print ENVIRON["HEADER"]; next }
      NR == 1 { print ENVIRON["HEADER"] } { print }' "$file" >"$file.spdx"
    # Keeps the file's mode (scripts stay executable).
    cat "$file.spdx" >"$file"
    rm "$file.spdx"
    added=$((added + 1))
  done < <(tools/list-files.sh)
  echo "headers added to $added files"
}
main; exit

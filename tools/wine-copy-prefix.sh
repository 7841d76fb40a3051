#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the prepared Wine prefix PREFIX into COPY (a new folder): wine-copy-prefix.sh PREFIX COPY.
#
# The prefix is prepared by its first use (tools/wine-run.sh), which leaves its registry whole on
# disk. Its programs and libraries (nine tenths of it) are shared through hard links, since
# nothing rewrites them; every other file is copied, so that nothing done in the copy reaches the
# prefix; the temporary files of tests running in the prefix meanwhile are left out. Status 1 from
# tar is a file that changed while it was read: the server saving the registry replaces its file
# whole, so the copy holds one whole version of it.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PREFIX COPY" >&2; exit 2; }
prefix=$1 copy=$2
"$(dirname "$0")/wine-run.sh" "$prefix" cmd /c exit
mkdir "$copy"
(cd "$prefix" && tar --exclude=./drive_c/windows/system32 --exclude='./drive_c/users/*/Temp/*' \
  --warning=no-file-changed --warning=no-file-removed -cf - . || [ $? -eq 1 ]) |
  (cd "$copy" && tar -xf -)
cp -al "$prefix/drive_c/windows/system32" "$copy/drive_c/windows/"

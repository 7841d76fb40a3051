# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that build what is shipped (tools/package.sh, tools/windows-zip.sh,
# tools/windows-installer.sh), from the top of the source tree, so that the same commit gives the
# same bytes wherever and whenever it is built:
# - SOURCE_DATE_EPOCH, the time every shipped file and archive entry carries (Qt's resource
#   compiler, CPack, and binutils' strip for the stripped Windows program's time stamp read it):
#   as given, else the time of the commit checked out here, else, without Git history, the date
#   of the Debian changelog;
# - KOVAR_REPRODUCIBLE_FLAGS, the CMake option that maps the source and build folders out of the
#   program and leaves the Windows linker's time stamp out.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  else
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l dist/debian/changelog -STimestamp)
  fi
fi
export SOURCE_DATE_EPOCH
# The archives' entries are listed in the same order, whatever the locale.
export LC_ALL=C.UTF-8
KOVAR_REPRODUCIBLE_FLAGS=-DKOVAR_REPRODUCIBLE=ON

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed and builds the Debian package from an optimised build in the system
# layout: build/package/kovar-launcher_VERSION_ARCH.deb. The compiler and linker take Debian's flags
# (optimisation and hardening) alone, as a Debian build does: no build type adds its own.
# CPack strips the program and works out its dependencies with dpkg-shlibdeps. The package is
# reproducible: built again from the same commit, anywhere, it is the same bytes
# (see tools/reproducible-env.sh; tools/check-reproducible.sh compares two builds).
# The package is made by CPack from the tree `cmake --install` gives (the check compares the two).
# Usage: tools/package.sh [--check BUILD-DIR]
#   --check  then checks the package with tools/check-package.sh, against BUILD-DIR's helpers (the
#            CTest test debian_package does this)
set -euo pipefail
check=
if [ "${1:-}" = --check ]; then
  check=${2:?"--check needs the build directory"}
fi
cd "$(dirname "$0")/.."
tools/install-deps.sh
. tools/reproducible-env.sh
build=$PWD/build/package-build
out=$PWD/build/package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
# The flags are read when the build directory is first made: start afresh so that they hold.
rm -rf "$build" "$out"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DKOVAR_INSTALL_LAYOUT=system -DKOVAR_PACKAGE_DIRECTORY="$out" \
  -DKOVAR_BUILD_TESTS=OFF -DKOVAR_BUILD_BENCHMARKS=OFF "$KOVAR_REPRODUCIBLE_FLAGS"
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB)
rm -rf "$out/_CPack_Packages"
ls "$out"/*.deb
[ -z "$check" ] || tools/check-package.sh "$out"/*.deb "$check" "$build"

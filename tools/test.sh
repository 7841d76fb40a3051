#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test, natively and cross-built for
# Windows under Wine; builds the Debian package and checks it; then runs each fuzzer for a minute
# when clang-14 is there, and the tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

echo "== format check"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build and test"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOVAR_WARNINGS_AS_ERRORS=ON
cmake --build build/ci
ctest --test-dir build/ci --output-on-failure --timeout 300

echo "== Debian package, checked as a distribution would"
tools/package.sh
tools/check-package.sh build/package/*.deb build/ci

echo "== Windows build, tests under Wine"
cmake --preset mingw-wine
cmake --build --preset mingw-wine
ctest --preset mingw-wine

tools/fuzz.sh 60
# Last, so that the run closes on CTest's summary of the whole suite.
tools/sanitize.sh

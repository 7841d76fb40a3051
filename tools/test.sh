#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, checks the licences and the formatting, builds everything and runs
# every test: natively (the Debian package built and checked among them), then cross-built for
# Windows under Wine; then runs each fuzzer for a minute when clang-14 is there, and the tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, built while the Windows tests run.
# Each phase's time is listed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

phases=()
phase_name=
phase_start=$SECONDS
# Closes the running phase, if any, and starts the one named.
phase() {
  [ -z "$phase_name" ] || phases+=("$(printf '%5d s  %s' $((SECONDS - phase_start)) "$phase_name")")
  phase_name=$1
  phase_start=$SECONDS
  [ -z "$phase_name" ] || echo "== $phase_name"
}
report() {
  phase ""
  echo "== time taken"
  printf '%s\n' "${phases[@]}"
  printf '%5d s  in all\n' "$SECONDS"
}
trap report EXIT

# First, as they take seconds; without Git (a release tarball) both list the files themselves.
phase "licence check"
tools/check-licences.sh
phase "format check"
tools/list-files.sh '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

phase "build"
cmake --preset native
cmake --build --preset native
phase "tests, and the Debian package built and checked as a distribution would"
ctest --preset native

phase "Windows build"
cmake --preset mingw-wine
cmake --build --preset mingw-wine
# The sanitizer build, at the lowest priority, beside the Windows tests: those mostly wait for Wine
# and the X server. In a session of its own, so that a failed run ends all of it.
setsid nice -n 19 tools/sanitize.sh --build-only >build/asan-build.log 2>&1 &
asan_build=$!
trap 'kill -- -"$asan_build" 2>/dev/null || true; report' EXIT
phase "Windows tests under Wine, the players' zip and the installer (the sanitizer build beside them)"
ctest --preset mingw-wine

phase "the rest of the sanitizer build"
wait "$asan_build" || { tail -n 60 build/asan-build.log; echo "the sanitizer build failed" >&2; exit 1; }
phase "fuzzing"
tools/fuzz.sh 60
# Last, so that the run closes on CTest's summary of the whole suite.
phase "tests with AddressSanitizer and UndefinedBehaviorSanitizer"
tools/sanitize.sh --test-only

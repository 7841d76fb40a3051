#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build/asan and runs
# every test under them; any finding, a leak included, fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOVAR_WARNINGS_AS_ERRORS=ON \
  -DKOVAR_SANITIZE=ON -DKOVAR_BUILD_BENCHMARKS=OFF
cmake --build build/asan
# No strict_string_checks: system libraries rightly strndup() buffers without a NUL (libxkbcommon).
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
ctest --test-dir build/asan --output-on-failure --timeout 600

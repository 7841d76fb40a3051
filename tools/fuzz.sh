#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 in build/fuzz and runs each for the given number of
# seconds (default 60), starting from the committed corpus. Does nothing when clang-14 is missing.
# New inputs go to build/fuzz/work; a finding is written to build/fuzz/artifacts and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++-14 >/dev/null; then
  echo "== fuzzing skipped: clang++-14 is not installed"
  exit 0
fi

echo "== fuzz each target for $seconds seconds"
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVAR_WARNINGS_AS_ERRORS=ON -DKOVAR_FUZZ=ON -DKOVAR_BUILD_TESTS=OFF -DKOVAR_BUILD_UI=OFF \
  -DKOVAR_BUILD_BENCHMARKS=OFF
cmake --build build/fuzz
export ASAN_OPTIONS=detect_leaks=1
for target in command_files bmp_decode; do
  mkdir -p "build/fuzz/work/$target" build/fuzz/artifacts
  options=(-max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10
    -max_len=8192 -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/"$target"-)
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  echo "-- $target"
  log="build/fuzz/$target.log"
  if ! "build/fuzz/fuzz/kovar_fuzz_$target" "${options[@]}" "build/fuzz/work/$target" \
    "fuzz/corpus/$target" >"$log" 2>&1; then
    grep -v -E '^#[0-9]+' "$log" | tail -60
    echo "fuzzing $target found a failure; its input is in build/fuzz/artifacts" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
done

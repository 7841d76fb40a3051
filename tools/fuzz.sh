#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang-14 in build/fuzz (the preset fuzz) and runs each for the
# given number of seconds (default 60), starting from the committed corpus, all side by side (each
# fuzzer uses one core). Does nothing when clang-14 is missing. New inputs go to build/fuzz/work; a
# finding is written to build/fuzz/artifacts and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++-14 >/dev/null; then
  echo "== fuzzing skipped: clang++-14 is not installed"
  exit 0
fi

echo "== fuzz each target for $seconds seconds"
cmake --preset fuzz
cmake --build --preset fuzz
export ASAN_OPTIONS=detect_leaks=1
targets=(command_files bmp_decode)
pids=()
for target in "${targets[@]}"; do
  mkdir -p "build/fuzz/work/$target" build/fuzz/artifacts
  options=(-max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10
    -max_len=8192 -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/"$target"-)
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  "build/fuzz/fuzz/kovar_fuzz_$target" "${options[@]}" "build/fuzz/work/$target" \
    "fuzz/corpus/$target" >"build/fuzz/$target.log" 2>&1 &
  pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  log="build/fuzz/$target.log"
  echo "-- $target"
  if wait "${pids[$i]}"; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  else
    grep -v -E '^#[0-9]+' "$log" | tail -60
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing ${failed[*]} found a failure; its input is in build/fuzz/artifacts" >&2
  exit 1
fi

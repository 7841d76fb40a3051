#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build/asan (the preset
# asan) and runs every test under them; any finding, a leak included, fails the run.
# Usage: tools/sanitize.sh [--build-only | --test-only]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --test-only ]; then
  cmake --preset asan
  cmake --build --preset asan
fi
# The preset sets the sanitizers' options: leaks are findings, less the system libraries' own in
# tests/lsan.supp. No strict_string_checks: system libraries rightly strndup() buffers without a
# NUL (libxkbcommon).
[ "${1:-}" = --build-only ] || ctest --preset asan

#!/usr/bin/env bash
# Installs what is needed, builds the launcher and starts it on the bundled demo installation.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVAR_BUILD_TESTS=OFF
cmake --build build/demo
echo "The window is not built yet: the core library and its tests are all there is so far."
echo "Run tools/test.sh to build and test it."

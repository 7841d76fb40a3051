#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds the launcher, installs it into build/demo/install beside a
# stand-in Quake directory (build/demo/quake) whose five engines are the stand-in engine, and
# starts it there: choose Single Player, then Start, and the stand-in shows what it was given.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build=$PWD/build/demo
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVAR_BUILD_TESTS=OFF
cmake --build "$build" -j2
stand_in=$build/tests/stand-in-engine/kovar_stand_in_engine

app=$build/install
quake=$build/quake
cmake --install "$build" --prefix "$app"
mkdir -p "$quake/kv"
for name in LucidGL.exe GLQuake.exe Quake.exe WinQuake.exe VQuake.exe; do
  cp "$stand_in" "$quake/$name"
done
# The demo's own settings: no first-run prompt, and the stand-in Quake directory.
printf 'frun false\r\nquakedir %s\r\n' "$quake" >"$app/settings.kvx"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Installed in $app, but there is no display to show the window on." >&2
  echo "Start it from a desktop session: $app/kovar-launcher" >&2
  exit 1
fi
echo "Starting $app/kovar-launcher"
exec "$app/kovar-launcher"

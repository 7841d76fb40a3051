// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The engines the launcher offers, in the engine box's order: the one place their names are kept.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kovar {

struct Engine {
  const char* name;
  // Started with the settings that only the OpenGL renderers know.
  bool openGL;
};

inline constexpr std::array<Engine, 5> kEngines = {{
    {"LucidGL.exe", true},
    {"GLQuake.exe", true},
    {"Quake.exe", false},
    {"WinQuake.exe", false},
    {"VQuake.exe", false},
}};

// The engine chosen at start, before a settings file names one.
inline constexpr const char* kInitialEngine = kEngines[0].name;

// The engine box's list.
inline std::vector<std::string> EngineNames() {
  std::vector<std::string> names;
  for (const Engine& engine : kEngines) names.emplace_back(engine.name);
  return names;
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the hostile-input tests ask of each system, defined in its own file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace kovar::test {

// Puts in the preview's place (data/m.bmp of `f`) each picture that only this system can make,
// and hands `refused` the reason a player must read for it.
void RefuseSystemOnlyPreviews(Fixture& f,
                              const std::function<void(const std::string& why)>& refused);

// A hostile file put beside a fresh launcher, and what must come of it.
struct HostileEdge {
  const char* what;
  std::function<void(Fixture& f)> check;
};

// The edges that only this system can make or show.
std::vector<HostileEdge> SystemOnlyEdges();

}  // namespace kovar::test

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The big command file every benchmark runs: setting lines of three kinds and comment lines, no
// map and no exec, as a start script full of settings would be.
#pragma once

#include <string>

namespace kovar::bench {

inline std::string BigCommandFile(int lines, const std::string& ends = "\r\n") {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    switch (i % 4) {
      case 0:
        text += "exe GLQuake.exe";
        break;
      case 1:
        text += "cpar -zone 2048 +skill " + std::to_string(i % 3);
        break;
      case 2:
        text += "quakedir C:\\Quake";
        break;
      default:
        text += "// comment line " + std::to_string(i);
        break;
    }
    text += ends;
  }
  return text;
}

}  // namespace kovar::bench

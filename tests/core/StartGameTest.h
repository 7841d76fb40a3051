// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The StartGame fixture, shared by the tests every system runs and those only one system runs.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "GameLaunch.h"
#include "TestSupport.h"

namespace kovar::test {

// Checks that the system can run the launch script at `path` as it is; each system's own file
// says what that takes.
void ExpectRunnableScript(const std::string& path);

// StartGame over a temporary application directory: the native flavour only.
struct StartGameTest : ::testing::Test {
  StartGameTest() {
    f.dir.Write("data/castle.kvx", "e1m1\r\nA castle.\r\n");
    f.dir.Write("data/castle.bmp", MakeBmp(4, 4));
    f.state.SetText(TextField::QuakeDir, quakeDir);
  }
  std::string ScriptPath() const { return f.dir.File(LaunchScriptName(NativeSystem())); }
  std::string Script() const { return f.dir.Read(LaunchScriptName(NativeSystem())); }
  // The command line the written script runs: its third line in both flavours, after the drive
  // and cd lines or after the shebang and cd lines.
  std::string CommandLine() const {
    const std::string script = Script();
    const std::string end = NativeSystem() == ScriptFlavour::Windows ? "\r\n" : "\n";
    std::size_t start = 0;
    for (int line = 0; line < 2 && start != std::string::npos; ++line) {
      start = script.find(end, start);
      if (start != std::string::npos) start += end.size();
    }
    const std::size_t stop = start == std::string::npos ? start : script.find(end, start);
    if (stop == std::string::npos) return "(the script has no third line)";
    return script.substr(start, stop - start);
  }

  const std::string quakeDir =
      NativeSystem() == ScriptFlavour::Windows ? "C:\\Quake" : "/nonexistent/quake";
  Fixture f;
};

}  // namespace kovar::test

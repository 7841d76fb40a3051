// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// StartGame as a POSIX system runs the launch script: an executable shell script, and an engine
// found in the Quake directory run from there.
#include <gtest/gtest.h>

#include <filesystem>

#include "StartGameTest.h"

namespace kovar::test {

void ExpectRunnableScript(const std::string& path) {
  EXPECT_NE(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_exec,
            std::filesystem::perms::none);
}

namespace {

TEST_F(StartGameTest, LinuxRunsAnEngineFoundInTheQuakeDirectoryFromThere) {
  TempDir quake;
  quake.Write("LucidGL.exe", "");
  f.state.SetText(TextField::QuakeDir, quake.Path());
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_EQ(CommandLine(), "./LucidGL.exe -game kv +r_shadows 0 +r_mirroralpha 1");
  // A directory of the engine's name is not an engine.
  f.state.SetText(TextField::EngineText, "kv");
  quake.Write("kv/pak0.pak", "");
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_EQ(CommandLine(), "kv -game kv ");
}

}  // namespace
}  // namespace kovar::test

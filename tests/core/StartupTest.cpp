// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the start script, the first run's prompt for the Quake directory, and that prompt.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kovar::test {
namespace {

TEST(Main, RunsTheStartScriptThenShowsTheWindow) {
  Fixture f;
  f.dir.Write("auto.kvx", "exe Quake.exe\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  EXPECT_EQ(f.state.Log(), (std::vector<std::string>{"exec auto.kvx", "exe Quake.exe"}));
  EXPECT_EQ(f.desktop.windowShown, 1);
  EXPECT_TRUE(f.desktop.prompts.empty());
  EXPECT_FALSE(f.state.List(ListField::EngineList).empty());
}

TEST(Main, PromptsOnlyWhenFirstRunIsExactlyTrue) {
  for (const char* flag : {"True", "true", "TRUE", "True ", "false", ""}) {
    Fixture f;
    f.dir.Write("auto.kvx", std::string("quakedir C:\\Old\r\nfrun ") + flag + "\r\n");
    f.desktop.inputAnswer = "D:\\Quake";
    (void)f.launcher.Main();
    const bool prompted = std::string(flag) == "True";
    EXPECT_EQ(f.desktop.prompts.size(), prompted ? 1u : 0u) << flag;
    if (prompted) {
      EXPECT_EQ(f.desktop.prompts[0], "Enter Quake Path|Set Quake Directory|C:\\Old");
      EXPECT_EQ(f.Text(TextField::QuakeDir), "D:\\Quake");
    }
  }
}

TEST(Main, WithoutAStartScriptItEndsWithoutShowingTheWindow) {
  Fixture f;
  EXPECT_TRUE(f.launcher.Main().failed());
  EXPECT_EQ(f.desktop.windowShown, 0);
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find(f.dir.File("auto.kvx")), std::string::npos);
}

TEST(SetQuakeDir, CancellingKeepsTheOldValue) {
  Fixture f;
  f.launcher.SetQuakeDir();
  EXPECT_EQ(f.Text(TextField::QuakeDir), "");
  f.Run("quakedir  /spaced/ ");
  f.launcher.SetQuakeDir();
  EXPECT_EQ(f.Text(TextField::QuakeDir), " /spaced/ ");
  // Left as the box showed it, the answer keeps the bytes it was given.
  f.Run("quakedir /caf\xE9");
  f.desktop.inputShown = f.desktop.inputAnswer = "/caf?";
  f.launcher.SetQuakeDir();
  EXPECT_EQ(f.Text(TextField::QuakeDir), "/caf\xE9");
}

}  // namespace
}  // namespace kovar::test

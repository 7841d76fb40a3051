// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the launch tests of both systems stand on: a Quake directory whose name the system's
// interpreter would act on were it not quoted, holding the stand-in engine under every name the
// engine box offers; the castle map installed; a launcher pointed at that directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "E2ESupport.h"
#include "Engines.h"
#include "Environment.h"
#include "GameLaunch.h"
#include "TestSupport.h"

namespace kovar::test {

using Lines = std::vector<std::string>;

// `Desktop` starts the launch script; its Ran(log) checks that the launch went through to the
// engine, which writes `log`.
template <typename Desktop>
struct LaunchFixture : ::testing::Test {
  // `temp` holds the Quake directory, named `quakeDirName`; `engine` is the stand-in's path.
  LaunchFixture(const std::filesystem::path& temp, const std::string& quakeDirName,
                std::string engine)
      : root(temp), quakeDir(root.File(quakeDirName)), engineProgram(std::move(engine)) {
    std::filesystem::create_directories(quakeDir);
    for (const std::string& name : EngineNames()) {
      std::filesystem::copy_file(engineProgram, root.File(quakeDirName + "/" + name));
    }
    app.Write("data/castle.kvx", "e1m1  \r\nA castle by the sea.\r\n");
    app.Write("data/castle.bmp", MakeBmp(4, 4));
    launcher.State().SetText(TextField::QuakeDir, quakeDir);
  }

  // Launches and returns what the engine recorded: its directory, how it was called, its
  // arguments.
  Lines Launch() {
    const std::string log = (std::filesystem::path(quakeDir) / "stand-in-engine.log").string();
    std::filesystem::remove(log);
    EXPECT_TRUE(launcher.StartGame().ok());
    EXPECT_TRUE(desktop.errors.empty()) << desktop.errors.front();
    desktop.Ran(log);
    return ReadLines(log);
  }

  // Each of `levels` is one the system's interpreter would act on: the launch is refused with a
  // message, and no script is written or started.
  void ExpectRefused(const Lines& levels) {
    for (const std::string& level : levels) {
      app.Write("data/evil.kvx", level + "\r\nHarmless.\r\n");
      (void)launcher.RunCommand("map evil");
      desktop.errors.clear();
      EXPECT_TRUE(launcher.StartGame().failed()) << level;
      EXPECT_EQ(desktop.errors.size(), 1u) << level;
    }
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_FALSE(app.Has(LaunchScriptName(NativeSystem())));
  }

  ScopedEnv noLog{"KOVAR_STAND_IN_LOG", std::nullopt};
  TempDir root;
  const std::string quakeDir;
  const std::string engineProgram;
  TempDir app;
  Desktop desktop;
  Launcher launcher{app.Path(), desktop};
};

}  // namespace kovar::test

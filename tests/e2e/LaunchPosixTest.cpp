// A whole launch: StartGame writes run.sh, the real shell runs it detached, and the stand-in
// engine records the working directory and the arguments it was given.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "E2ESupport.h"
#include "GameLaunch.h"
#include "ScriptStarter.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Lines = std::vector<std::string>;

// Starts the script for real, as the window layer does.
class StartingPlatform : public FakePlatform {
 public:
  Result StartScript(const std::string& scriptPath) override {
    started.push_back(scriptPath);
    return StartScriptDetached(scriptPath);
  }
};

struct LaunchTest : ::testing::Test {
  LaunchTest() {
    // Every character here would mean something to the shell if the cd line were not quoted.
    std::filesystem::create_directories(quakeDir);
    for (const char* engine : {"LucidGL.exe", "WinQuake.exe"}) {
      std::filesystem::copy_file(KOVAR_STAND_IN_ENGINE, quakeDir + "/" + engine);
    }
    app.Write("data/castle.kvx", "e1m1  \r\nA castle by the sea.\r\n");
    app.Write("data/castle.bmp", MakeBmp(4, 4));
    launcher.State().SetText(TextField::QuakeDir, quakeDir);
  }

  // Launches and returns what the engine recorded: its directory, how it was called, its
  // arguments.
  Lines Launch() {
    const std::string log = quakeDir + "/stand-in-engine.log";
    std::filesystem::remove(log);
    EXPECT_TRUE(launcher.StartGame().ok());
    EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
    EXPECT_TRUE(WaitForFile(log));
    return ReadLines(log);
  }

  ScopedEnv noTerminal{"KOVAR_NO_TERMINAL", "1"};
  ScopedEnv noLog{"KOVAR_STAND_IN_LOG", std::nullopt};
  TempDir root;
  const std::string quakeDir = root.File("Quake dir 'o $(x) `y` \"z\" & %W%");
  TempDir app;
  StartingPlatform platform;
  Launcher launcher{app.Path(), platform};
};

TEST_F(LaunchTest, GlEngineWithMapAndCustomParameters) {
  (void)launcher.RunCommand("map castle");
  (void)launcher.RunCommand("cpar +skill 2  -width 640 '+name Player One' \"a  b\"");
  EXPECT_EQ(Launch(), (Lines{quakeDir, "./LucidGL.exe", "+map", "e1m1", "-game", "kv", "+skill",
                             "2", "-width", "640", "+name Player One", "a  b", "+r_shadows", "0",
                             "+r_mirroralpha", "1"}));
}

TEST_F(LaunchTest, NonGlEngineWithoutMap) {
  (void)launcher.RunCommand("exe WinQuake.exe");
  (void)launcher.RunCommand("cpar +skill 2");
  EXPECT_EQ(Launch(), (Lines{quakeDir, "./WinQuake.exe", "-game", "kv", "+skill", "2"}));
  // An engine given with its path runs as typed, still in the Quake directory.
  (void)launcher.RunCommand(std::string("exe ") + KOVAR_STAND_IN_ENGINE);
  (void)launcher.RunCommand("map castle");
  EXPECT_EQ(Launch(),
            (Lines{quakeDir, KOVAR_STAND_IN_ENGINE, "+map", "e1m1", "-game", "kv", "+skill", "2"}));
  EXPECT_EQ(platform.started.size(), 2u);
}

TEST_F(LaunchTest, AMissingQuakeDirectoryStopsTheScriptWithAMessage) {
  const std::string missing = root.File("gone");
  FakePlatform quiet;
  Launcher writer(app.Path(), quiet);
  writer.State().SetText(TextField::QuakeDir, missing);
  EXPECT_TRUE(writer.StartGame().ok());
  const std::string command = "cd '" + app.Path() + "' && /bin/sh ./run.sh </dev/null 2>err >out";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string err = app.Read("err");
  EXPECT_NE(err.find("Kovar Launcher could not enter the Quake directory:\n" + missing + "\n"),
            std::string::npos)
      << err;
  EXPECT_EQ(app.Read("out"), "");
  EXPECT_FALSE(std::filesystem::exists(root.File("stand-in-engine.log")));
}

TEST_F(LaunchTest, InjectedLevelNamesRunNothing) {
  for (const std::string& level : std::vector<std::string>{
           "e1m1;touch INJ", "e1m1&touch INJ", "e1m1|touch INJ", "$(touch INJ)", "`touch INJ`",
           "e1m1' 'x", "e1m1\" \"x", "%COMSPEC%"}) {
    app.Write("data/evil.kvx", level + "\r\nHarmless.\r\n");
    (void)launcher.RunCommand("map evil");
    platform.errors.clear();
    EXPECT_TRUE(launcher.StartGame().failed()) << level;
    EXPECT_EQ(platform.errors.size(), 1u) << level;
  }
  EXPECT_TRUE(platform.started.empty());
  EXPECT_FALSE(app.Has("run.sh"));
}

}  // namespace
}  // namespace kovar::test

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A whole launch: StartGame writes run.sh, the real shell runs it detached, and the stand-in
// engine records the working directory and the arguments it was given.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "LaunchFixture.h"
#include "ScriptStarter.h"

namespace kovar::test {
namespace {

// Starts the script for real, as the window layer does.
class StartingDesktop : public FakeDesktop {
 public:
  Result StartScript(const std::string& scriptPath, const ScriptTarget& target) override {
    started.push_back(scriptPath);
    return StartScriptDetached(scriptPath, target);
  }
  // The script runs detached: the engine writes its log in its own time.
  void Ran(const std::string& log) { EXPECT_TRUE(WaitForFile(log)); }
};

// What a written script did when run by hand: in a pseudo-terminal made by `script`, or with an
// input that is no terminal and never ends.
struct ScriptRun {
  bool waitedForEnter = false;
  int status = -1;
  std::string output;
};

constexpr const char* kPressEnter = "Press Enter to close.";

ScriptRun RunByHand(const std::string& scriptPath, const std::string& outputPath, bool terminal) {
  const std::vector<std::string> words =
      terminal
          ? std::vector<std::string>{"script", "-qec", "/bin/sh '" + scriptPath + "'", "/dev/null"}
          : std::vector<std::string>{"/bin/sh", scriptPath};
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  int keys[2];
  if (::pipe2(keys, O_CLOEXEC) != 0) return {};
  const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(keys[0], STDIN_FILENO);
    ::dup2(output, STDOUT_FILENO);
    ::dup2(output, STDERR_FILENO);
    ::execvp(argv[0], argv.data());
    _exit(126);
  }
  ::close(keys[0]);
  ::close(output);
  ScriptRun run;
  int status = 0;
  // True once the script has ended, within `milliseconds`.
  const auto ended = [&](int milliseconds) {
    for (int waited = 0;; waited += 20) {
      if (::waitpid(pid, &status, WNOHANG) == pid) return true;
      if (waited >= milliseconds) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  };
  const auto prompted = [&] {
    std::ifstream in(outputPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {}).find(kPressEnter) !=
           std::string::npos;
  };
  bool done = false;
  for (int waited = 0; !done && waited < 20000 && !prompted(); waited += 20) done = ended(20);
  if (!done) {
    // Shown, and still there a while later: it waits. Enter ends it.
    run.waitedForEnter = !ended(500);
    if (::write(keys[1], "\n", 1) != 1) ADD_FAILURE() << "could not type Enter";
    done = ended(20000);
  }
  ::close(keys[1]);
  if (!done) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    ADD_FAILURE() << scriptPath << " did not end";
  }
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  std::ifstream in(outputPath, std::ios::binary);
  run.output.assign(std::istreambuf_iterator<char>(in), {});
  return run;
}

struct LaunchTest : LaunchFixture<StartingDesktop> {
  // Every character here would mean something to the shell if the cd line were not quoted.
  LaunchTest()
      : LaunchFixture(std::filesystem::temp_directory_path(), "Quake dir 'o $(x) `y` \"z\" & %W%",
                      KOVAR_STAND_IN_ENGINE) {}

  ScopedEnv noTerminal{"KOVAR_NO_TERMINAL", "1"};
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
  EXPECT_EQ(desktop.started.size(), 2u);
}

TEST_F(LaunchTest, AMissingQuakeDirectoryStopsTheScriptWithAMessage) {
  const std::string missing = root.File("gone");
  FakeDesktop quiet;
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

TEST_F(LaunchTest, AFailedLaunchInATerminalSaysSoAndWaitsForEnter) {
  for (const auto& [name, body] : std::vector<std::pair<std::string, std::string> >{
           {"three", "exit 3"}, {"crash", "ulimit -c 0; kill -SEGV $$"}, {"well", "exit 0"}}) {
    app.Write(name, "#!/bin/sh\n" + body + "\n");
    std::filesystem::copy_file(app.File(name), quakeDir + "/" + name);
    std::filesystem::permissions(quakeDir + "/" + name, std::filesystem::perms::owner_all);
  }
  const struct {
    std::string engine;
    std::string dir;
    std::string shown;  // in a terminal
    int status;
  } cases[] = {
      {"three", quakeDir, "Kovar Launcher: the engine ended with status 3. Press Enter to close.",
       3},
      {"crash", quakeDir,
       "Kovar Launcher: the engine ended with status 139: it crashed with signal 11. Press Enter "
       "to close.",
       139},
      {"Missing.exe", quakeDir,
       "Kovar Launcher: the engine ended with status 127: it could not be found or started. Press "
       "Enter to close.",
       127},
      {"three", root.File("gone"), "Set it with \"Set Quake Directory\" in the Tools menu.", 1},
      {"well", quakeDir, "", 0},
  };
  FakeDesktop writer;
  Launcher writing(app.Path(), writer);
  for (const auto& c : cases) {
    (void)writing.RunCommand("exe " + c.engine);
    writing.State().SetText(TextField::QuakeDir, c.dir);
    ASSERT_TRUE(writing.StartGame().ok()) << writer.errors.front();
    const ScriptRun inTerminal = RunByHand(app.File("run.sh"), app.File("out"), true);
    EXPECT_EQ(inTerminal.status, c.status) << c.engine << inTerminal.output;
    EXPECT_EQ(inTerminal.waitedForEnter, !c.shown.empty()) << c.engine << inTerminal.output;
    if (!c.shown.empty()) {
      EXPECT_NE(inTerminal.output.find(c.shown + "\r\n"), std::string::npos) << inTerminal.output;
    } else {
      EXPECT_EQ(inTerminal.output.find("Kovar Launcher"), std::string::npos) << inTerminal.output;
    }
    const ScriptRun alone = RunByHand(app.File("run.sh"), app.File("out"), false);
    EXPECT_EQ(alone.status, c.status) << c.engine << alone.output;
    EXPECT_FALSE(alone.waitedForEnter) << c.engine;
    EXPECT_EQ(alone.output.find(kPressEnter), std::string::npos) << alone.output;
  }
}

// On a desktop without a terminal program nothing would show why the script stopped: such a launch
// is refused with the reason; one that gets as far as the engine goes ahead.
TEST_F(LaunchTest, WithoutATerminalALaunchThatWouldStopUnseenIsRefusedWithItsReason) {
  TempDir bin;
  std::filesystem::copy_file(KOVAR_STAND_IN_ENGINE, bin.File("on-path"));
  std::ofstream(quakeDir + "/Plain.exe") << "#!/bin/sh\n";
  ScopedEnv path{"PATH", bin.Path()};
  ScopedEnv display{"DISPLAY", ":97"};
  ScopedEnv terminal{"KOVAR_NO_TERMINAL", std::nullopt};
  const std::string gone = root.File("gone");
  const std::string unseen = ". No terminal program (x-terminal-emulator or xterm) is installed";
  const struct {
    std::string engine;
    std::string dir;
    std::string refusal;  // empty: the engine starts
  } cases[] = {
      {"LucidGL.exe", gone,
       "the Quake directory \"" + gone + "\" cannot be entered: No such file or directory" +
           unseen},
      {"Missing.exe", quakeDir,
       "the engine \"Missing.exe\" is neither in the Quake directory \"" + quakeDir +
           "\" nor a program on the search path (PATH)" + unseen},
      {"LucidGL.exe -width 640", quakeDir,
       "the engine \"LucidGL.exe\" is in the Quake directory \"" + quakeDir +
           "\", but typed with arguments it is looked for on the search path (PATH) only, where "
           "it is not" +
           unseen},
      {"Plain.exe", quakeDir,
       "the engine \"" + quakeDir + "/Plain.exe\" cannot be run: Permission denied" + unseen},
      {"on-path", quakeDir, ""},
      {"LucidGL.exe", quakeDir, ""},
  };
  for (const auto& c : cases) {
    (void)launcher.RunCommand("exe " + c.engine);
    launcher.State().SetText(TextField::QuakeDir, c.dir);
    desktop.errors.clear();
    if (c.refusal.empty()) {
      EXPECT_EQ(Launch().front(), quakeDir) << c.engine;
      continue;
    }
    EXPECT_TRUE(launcher.StartGame().failed()) << c.engine;
    ASSERT_EQ(desktop.errors.size(), 1u) << c.engine;
    EXPECT_NE(desktop.errors[0].find(c.refusal), std::string::npos) << desktop.errors[0];
  }
}

TEST_F(LaunchTest, InjectedLevelNamesRunNothing) {
  ExpectRefused({"e1m1;touch INJ", "e1m1&touch INJ", "e1m1|touch INJ", "$(touch INJ)",
                 "`touch INJ`", "e1m1' 'x", "e1m1\" \"x", "%COMSPEC%"});
}

}  // namespace
}  // namespace kovar::test

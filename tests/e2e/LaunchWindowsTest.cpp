// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A whole launch on Windows: StartGame writes run.bat, the command interpreter runs it, and the
// stand-in engine, a Windows program, records the working directory and the arguments it got.
// The launcher lies on C:, the Quake directory on another drive (Z: under Wine), so that the
// script's drive line is needed.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LaunchFixture.h"
#include "ScriptStarter.h"

namespace kovar::test {
namespace {

// The command interpreter running a launch script with the launcher's own command line, its
// input a pipe that the test types into and its output a file: a stand-in engine on a console
// would wait for Enter.
class CmdRun {
 public:
  CmdRun(const std::string& scriptPath, const std::string& workingDir)
      : outputPath_(workingDir + "\\cmd-output.txt") {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE input = nullptr;
    if (!CreatePipe(&input, &keys_, &inherit, 0)) return;
    SetHandleInformation(keys_, HANDLE_FLAG_INHERIT, 0);
    HANDLE output = CreateFileA(outputPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::string commandLine = WindowsScriptCommandLine(scriptPath);
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       workingDir.c_str(), &startup, &process)) {
      CloseHandle(process.hThread);
      process_ = process.hProcess;
    } else {
      error_ = "CreateProcess failed with error " + std::to_string(GetLastError());
    }
    CloseHandle(input);
    CloseHandle(output);
  }
  ~CmdRun() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, 1);
    }
    if (process_) CloseHandle(process_);
    if (keys_) CloseHandle(keys_);
  }
  CmdRun(const CmdRun&) = delete;
  CmdRun& operator=(const CmdRun&) = delete;

  const std::string& Error() const { return error_; }
  bool Ended(DWORD milliseconds) const {
    return process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
  }
  // The exit code, once it has ended within `seconds`; -1 while it still runs.
  long long ExitCode(int seconds) const {
    DWORD code = 1;
    if (!Ended(static_cast<DWORD>(seconds) * 1000) || !GetExitCodeProcess(process_, &code)) {
      return -1;
    }
    return code;
  }
  void Type(const std::string& keys) {
    DWORD written = 0;
    WriteFile(keys_, keys.data(), static_cast<DWORD>(keys.size()), &written, nullptr);
  }
  // No more input: anything waiting for a key goes on.
  void CloseInput() {
    CloseHandle(keys_);
    keys_ = nullptr;
  }
  std::string Output() const {
    std::ifstream in(outputPath_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool WaitForOutput(const std::string& text, int seconds) const {
    for (int waited = 0; waited < seconds * 10; ++waited) {
      if (Output().find(text) != std::string::npos) return true;
      Sleep(100);
    }
    return false;
  }

 private:
  std::string outputPath_;
  HANDLE process_ = nullptr;
  HANDLE keys_ = nullptr;
  std::string error_;
};

// Runs the script as the launcher's starter does, but waits for it, in its own folder and with no
// input, so that the test can read what the engine recorded.
class CmdDesktop : public FakeDesktop {
 public:
  Result StartScript(const std::string& scriptPath, const ScriptTarget&) override {
    started.push_back(scriptPath);
    CmdRun run(scriptPath, std::filesystem::path(scriptPath).parent_path().string());
    if (!run.Error().empty()) return Result::Failure(FailureKind::System, run.Error());
    run.CloseInput();
    exitCodes.push_back(run.ExitCode(60));
    cmdOutput = run.Output();
    return Result::Ok();
  }
  // The launch ran to its end, and well.
  void Ran(const std::string&) {
    EXPECT_EQ(exitCodes, std::vector<long long>{0}) << cmdOutput;
    exitCodes.clear();
  }

  std::vector<long long> exitCodes;
  std::string cmdOutput;
};

struct WindowsLaunchTest : LaunchFixture<CmdDesktop> {
  // Every character but the spaces here is one the command interpreter acts on.
  WindowsLaunchTest()
      : LaunchFixture(HostTempDir(), "Quake & 100% Mods (x86)", OnDriveZ(KOVAR_STAND_IN_ENGINE)) {}

  // The detached launch shows the engine in a console window, where nobody presses Enter.
  ScopedEnv noWait{"KOVAR_STAND_IN_NO_WAIT", "1"};
};

TEST_F(WindowsLaunchTest, TheDirectoriesAreOnDifferentDrives) {
  ASSERT_EQ(quakeDir.substr(0, 2), "Z:");
  ASSERT_NE(app.Path().substr(0, 2), "Z:");
}

TEST_F(WindowsLaunchTest, GlEngineWithMapAndCustomParameters) {
  (void)launcher.RunCommand("map castle");
  (void)launcher.RunCommand("cpar +skill 2  -width 640 \"+name Player One\"");
  EXPECT_EQ(Launch(),
            (Lines{quakeDir, "LucidGL.exe", "+map", "e1m1", "-game", "kv", "+skill", "2", "-width",
                   "640", "+name Player One", "+r_shadows", "0", "+r_mirroralpha", "1"}));
  EXPECT_EQ(
      app.Read("run.bat"),
      "Z:\r\ncd \"" + root.Path() +
          "\\Quake & 100%% Mods (x86)\"\r\nLucidGL.exe +map e1m1   -game kv +skill 2  -width 640 "
          "\"+name Player One\" +r_shadows 0 +r_mirroralpha 1\r\n");
}

TEST_F(WindowsLaunchTest, EntersEveryDirectoryExactly) {
  for (const char* name : {"Quake", "Quake dir 'o' !", "%PATH% ^1 (x)&y", "%OS%x%"}) {
    const std::string dir = root.Path() + "\\" + name;
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(engineProgram, dir + "\\WinQuake.exe");
    (void)launcher.RunCommand("exe WinQuake.exe");
    launcher.State().SetText(TextField::QuakeDir, dir);
    const std::string log = dir + "\\stand-in-engine.log";
    EXPECT_TRUE(launcher.StartGame().ok());
    EXPECT_EQ(ReadLines(log), (Lines{dir, "WinQuake.exe", "-game", "kv"})) << desktop.cmdOutput;
  }
}

TEST_F(WindowsLaunchTest, NonGlEnginesGetNoGlSuffix) {
  (void)launcher.RunCommand("exe WinQuake.exe");
  (void)launcher.RunCommand("cpar +skill 2");
  EXPECT_EQ(Launch(), (Lines{quakeDir, "WinQuake.exe", "-game", "kv", "+skill", "2"}));
  // Windows finds GLQuake.exe under any case, but only the exact name is a GL engine.
  (void)launcher.RunCommand("exe glquake.exe");
  (void)launcher.RunCommand("map castle");
  EXPECT_EQ(Launch(),
            (Lines{quakeDir, "glquake.exe", "+map", "e1m1", "-game", "kv", "+skill", "2"}));
  // An engine given with its path runs as typed, still in the Quake directory.
  (void)launcher.RunCommand("exe " + engineProgram);
  (void)launcher.RunCommand("cpar ");
  EXPECT_EQ(Launch(), (Lines{quakeDir, engineProgram, "+map", "e1m1", "-game", "kv"}));
  EXPECT_EQ(desktop.started.size(), 3u);
}

TEST_F(WindowsLaunchTest, LevelNamesTheInterpreterWouldActOnAreRefused) {
  ExpectRefused({"e1m1&echo INJ>inj.txt", "e1m1|echo INJ", "e1m1>inj.txt", "%COMSPEC%",
                 "e1m1^&echo INJ", "e1m1\"&\"echo INJ", "e1m1 -game x", "e1m1\\..\\..\\x",
                 "e1m1\xa0x"});
}

// The console stays until a key is pressed when the game could not start or ended with an
// error, and closes by itself after a game that ended well.
TEST_F(WindowsLaunchTest, AFailedLaunchSaysSoAndWaitsForAKey) {
  const std::string message =
      "Kovar Launcher: the game did not start, or it ended with an error. Press any key to close.";
  std::ofstream(quakeDir + "\\three.bat") << "@exit /b 3\r\n";
  // The exit code of a program that crashed on a bad memory access.
  std::ofstream(quakeDir + "\\crash.bat") << "@exit /b -1073741819\r\n";
  const struct {
    std::string engine;
    std::string dir;
    bool fails;
  } cases[] = {
      {"WinQuake.exe", quakeDir, false},
      {"Missing.exe", quakeDir, true},
      {"three.bat", quakeDir, true},
      {"crash.bat", quakeDir, true},
      {"WinQuake.exe", root.Path() + "\\gone", true},
  };
  FakeDesktop writer;
  Launcher writing{app.Path(), writer};
  for (const auto& c : cases) {
    (void)writing.RunCommand("exe " + c.engine);
    writing.State().SetText(TextField::QuakeDir, c.dir);
    ASSERT_TRUE(writing.StartGame().ok()) << writer.errors.front();
    CmdRun run(app.File("run.bat"), app.Path());
    ASSERT_EQ(run.Error(), "");
    if (c.fails) {
      EXPECT_TRUE(run.WaitForOutput(message, 60)) << c.engine << ": " << run.Output();
      EXPECT_FALSE(run.Ended(500)) << c.engine;
      run.Type("x");
    }
    EXPECT_NE(run.ExitCode(60), -1) << c.engine << ": " << run.Output();
    EXPECT_EQ(run.Output().find(message) != std::string::npos, c.fails) << run.Output();
  }
}

// The launcher's own starter: cmd in a new console, not waited for. Folders named in the
// player's language (Windows-1252 text here), written with forward slashes, or holding characters
// the interpreter acts on.
TEST_F(WindowsLaunchTest, TheDetachedStarterEntersEveryFolder) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  class StartingDesktop : public FakeDesktop {
   public:
    Result StartScript(const std::string& scriptPath, const ScriptTarget& target) override {
      return StartScriptDetached(scriptPath, target);
    }
  };
  // A folder at the top of drive C: whose name begins with "D": written with "/", "cd/D..." would
  // be read as cd's switch /D.
  struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } data{"C:\\Data-" + std::to_string(GetCurrentProcessId())};
  const struct {
    std::string dir;
    bool forwardSlashes;  // the Quake directory is set with "/" between its parts
    std::string customParams;
    Lines customArguments;
  } cases[] = {
      {quakeDir, false, "", {}},
      // "Quake Été", and "José" among the custom parameters.
      {root.Path() + "\\Quake \xC9t\xE9",
       false,
       "+name Jos\xE9 -width 640",
       {"+name", "Jos\xE9", "-width", "640"}},
      {data.path + "\\Quake", true, "+skill 2", {"+skill", "2"}},
      // "José & Zoë\Quake (2)", written with forward slashes.
      {root.Path() + "\\Jos\xE9 & Zo\xEB\\Quake (2)", true, "", {}},
  };
  int launches = 0;
  for (const auto& c : cases) {
    const std::string& dir = c.dir;
    for (std::size_t at = dir.find('\\', 3);; at = dir.find('\\', at + 1)) {
      CreateDirectoryA(dir.substr(0, at).c_str(), nullptr);
      if (at == std::string::npos) break;
    }
    ASSERT_TRUE(CopyFileA(engineProgram.c_str(), (dir + "\\WinQuake.exe").c_str(), FALSE)) << dir;
    std::string setting = dir;
    if (c.forwardSlashes) std::replace(setting.begin() + 2, setting.end(), '\\', '/');
    // Each launch has a run.bat of its own, kept to the end: an interpreter may still read one.
    // Its folder's name holds a set variable's name, which the interpreter must not expand.
    const std::string launchApp = "launch%OS%" + std::to_string(++launches);
    app.Write(launchApp + "/data/castle.kvx", "e1m1\r\nA castle by the sea.\r\n");
    StartingDesktop starting;
    Launcher detached{app.File(launchApp), starting};
    (void)detached.RunCommand("exe WinQuake.exe");
    (void)detached.RunCommand("map castle");
    (void)detached.RunCommand("cpar " + c.customParams);
    detached.State().SetText(TextField::QuakeDir, setting);
    EXPECT_TRUE(detached.StartGame().ok()) << starting.errors.front();
    EXPECT_TRUE(WaitForFile(dir + "\\stand-in-engine.log", 60)) << dir;
    Lines expected{dir, "WinQuake.exe", "+map", "e1m1", "-game", "kv"};
    expected.insert(expected.end(), c.customArguments.begin(), c.customArguments.end());
    EXPECT_EQ(ReadLines(dir + "\\stand-in-engine.log"), expected) << dir;
  }
  // Each console closes by itself after a launch that went well.
  EXPECT_EQ(EndInterpretersStartedBy(GetCurrentProcessId(), 30), 0);
}

// Under the code pages Wine gives the tests, the ANSI code page 1252 and the console's 437:
// run.bat holds an accent as the console reads it, and a character the console lacks is refused
// by name before anything is written.
TEST_F(WindowsLaunchTest, TheScriptIsWrittenInTheConsolesCodePage) {
  if (GetACP() != 1252 || GetOEMCP() != 437) {
    GTEST_SKIP() << "the code pages are " << GetACP() << " and " << GetOEMCP()
                 << ", not 1252 and 437";
  }
  const std::string dir = root.Path() + "\\Quake ";
  const struct {
    std::string dirEnd;
    std::string customParams;
    std::string script;
    std::string refusal;
  } cases[] = {
      // "Quake Été" and "José": É and é are 0x90 and 0x82 in code page 437.
      {"\xC9t\xE9", "+name Jos\xE9",
       "Z:\r\ncd" + dir.substr(2) + "\x90t\x82\r\nWinQuake.exe -game kv +name Jos\x82 \r\n", ""},
      // "Quake €": code page 437 has no euro sign.
      {"\x80", "", "",
       "The game was not started: the Quake directory \"" + dir +
           "\x80\" holds the character \"\x80\" (U+20AC), which the console's code page 437 does "
           "not have, so the command interpreter cannot read it. Rename the folder, or choose "
           "another with \"Set Quake Directory\" in the Tools menu."},
      // Curly quotes, which a best fit would turn into the quote the interpreter acts on.
      {"1",
       "+name \x93"
       "Ace\x94",
       "",
       "The game was not started: the custom parameters \"+name \x93"
       "Ace\x94\" hold the "
       "character \"\x93\" (U+201C), which the console's code page 437 does not have, so the "
       "command interpreter cannot read it. Remove it from the custom parameters."},
  };
  FakeDesktop writer;
  Launcher writing{app.Path(), writer};
  (void)writing.RunCommand("exe WinQuake.exe");
  for (const auto& c : cases) {
    std::filesystem::remove(app.File("run.bat"));
    writer.errors.clear();
    writer.started.clear();
    writing.State().SetText(TextField::QuakeDir, dir + c.dirEnd);
    (void)writing.RunCommand("cpar " + c.customParams);
    EXPECT_EQ(writing.StartGame().ok(), c.refusal.empty()) << c.dirEnd;
    EXPECT_EQ(writer.errors, c.refusal.empty() ? Lines{} : Lines{c.refusal});
    EXPECT_EQ(app.Read("run.bat"), c.script);
    EXPECT_EQ(writer.started.size(), c.refusal.empty() ? 1u : 0u);
  }
}

}  // namespace
}  // namespace kovar::test

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

#include "E2ESupport.h"
#include "GameLaunch.h"
#include "ScriptStarter.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Lines = std::vector<std::string>;

// A path of the machine that runs Wine, as Windows programs see it: its root is drive Z:.
std::string OnDriveZ(std::string hostPath) {
  std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
  return "Z:" + hostPath;
}

std::string HostTempDir() {
  const char* tmp = std::getenv("TMPDIR");
  return OnDriveZ(tmp && *tmp == '/' ? tmp : "/tmp");
}

// Runs the script as the launcher's starter does, through the command interpreter, but waits for
// it, so that the test can read what the engine recorded. Its input is NUL and its output goes
// to a file: a stand-in engine on a console would wait for Enter.
class CmdPlatform : public FakePlatform {
 public:
  explicit CmdPlatform(std::string workingDir) : workingDir_(std::move(workingDir)) {}

  Result StartScript(const std::string& scriptPath) override {
    started.push_back(scriptPath);
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
    const std::string outputPath = workingDir_ + "\\cmd-output.txt";
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::string commandLine = "cmd.exe /d /c \"\"" + scriptPath + "\"\"";
    PROCESS_INFORMATION process{};
    const bool created = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, workingDir_.c_str(), &startup, &process);
    CloseHandle(input);
    CloseHandle(output);
    if (!created) {
      return Result::Failure("CreateProcess failed with error " + std::to_string(GetLastError()));
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
    }
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    exitCodes.push_back(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(outputPath, std::ios::binary);
    cmdOutput.assign(std::istreambuf_iterator<char>(in), {});
    return Result::Ok();
  }

  std::vector<DWORD> exitCodes;
  std::string cmdOutput;

 private:
  std::string workingDir_;
};

struct WindowsLaunchTest : ::testing::Test {
  WindowsLaunchTest() {
    std::filesystem::create_directories(quakeDir);
    for (const char* engine : {"LucidGL.exe", "GLQuake.exe", "WinQuake.exe"}) {
      std::filesystem::copy_file(engineProgram, quakeDir + "\\" + engine);
    }
    app.Write("data/castle.kvx", "e1m1  \r\nA castle by the sea.\r\n");
    app.Write("data/castle.bmp", MakeBmp(4, 4));
    launcher.State().SetText(TextField::QuakeDir, quakeDir);
  }

  // Launches and returns what the engine recorded: its directory, how it was called, its
  // arguments.
  Lines Launch() {
    const std::string log = quakeDir + "\\stand-in-engine.log";
    std::filesystem::remove(log);
    EXPECT_TRUE(launcher.StartGame().ok());
    EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
    EXPECT_EQ(platform.exitCodes, std::vector<DWORD>{0}) << platform.cmdOutput;
    platform.exitCodes.clear();
    return ReadLines(log);
  }

  const std::string engineProgram = OnDriveZ(KOVAR_STAND_IN_ENGINE);
  ScopedEnv noLog{"KOVAR_STAND_IN_LOG", std::nullopt};
  TempDir root{HostTempDir()};
  const std::string quakeDir = root.Path() + "\\Quake dir 'o' (1)";
  TempDir app;
  CmdPlatform platform{app.Path()};
  Launcher launcher{app.Path(), platform};
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
  EXPECT_EQ(app.Read("run.bat"), "Z:\r\ncd" + quakeDir.substr(2) +
                                     "\r\nLucidGL.exe +map e1m1   -game kv +skill 2  -width 640 "
                                     "\"+name Player One\" +r_shadows 0 +r_mirroralpha 1\r\n");
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
  EXPECT_EQ(platform.started.size(), 3u);
}

TEST_F(WindowsLaunchTest, LevelNamesTheInterpreterWouldActOnAreRefused) {
  for (const std::string& level : std::vector<std::string>{
           "e1m1&echo INJ>inj.txt", "e1m1|echo INJ", "e1m1>inj.txt", "%COMSPEC%", "e1m1^&echo INJ",
           "e1m1\"&\"echo INJ", "e1m1 -game x", "e1m1\\..\\..\\x", "e1m1\xa0x"}) {
    app.Write("data/evil.kvx", level + "\r\nHarmless.\r\n");
    (void)launcher.RunCommand("map evil");
    platform.errors.clear();
    EXPECT_TRUE(launcher.StartGame().failed()) << level;
    EXPECT_EQ(platform.errors.size(), 1u) << level;
  }
  EXPECT_TRUE(platform.started.empty());
  EXPECT_FALSE(app.Has("run.bat"));
}

// The launcher's own starter: cmd in a new console, not waited for.
TEST_F(WindowsLaunchTest, TheDetachedStarterRunsTheScript) {
  class StartingPlatform : public FakePlatform {
   public:
    Result StartScript(const std::string& scriptPath) override {
      return StartScriptDetached(scriptPath);
    }
  } starting;
  Launcher detached{app.Path(), starting};
  EXPECT_TRUE(detached.RunCommand("exe WinQuake.exe").ok());
  EXPECT_TRUE(detached.RunCommand("map castle").ok());
  detached.State().SetText(TextField::QuakeDir, quakeDir);
  const std::string log = quakeDir + "\\stand-in-engine.log";
  EXPECT_TRUE(detached.StartGame().ok());
  EXPECT_TRUE(starting.errors.empty()) << starting.errors.front();
  ASSERT_TRUE(WaitForFile(log, 60));
  EXPECT_EQ(ReadLines(log), (Lines{quakeDir, "WinQuake.exe", "+map", "e1m1", "-game", "kv"}));
  // The detached interpreter may still be in the directory; let it end before it is removed.
  Sleep(1000);
}

}  // namespace
}  // namespace kovar::test

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real kovar-launcher.exe in a portable folder, under Wine on the test run's X server: the
// player clicks Single Player, then Start, with the mouse or through a screen reader; Wine's
// command interpreter runs run.bat, which starts the engine (the stand-in, a Windows program) in
// the Quake directory with the exact arguments; then the window is asked to close and saves both
// settings files byte for byte.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BoundedCall.h"
#include "Dpi.h"
#include "E2ESupport.h"
#include "InputBox.h"
#include "ScreenReaderView.h"
#include "TestSupport.h"
#include "frmMain.h"

namespace kovar::test {
namespace {

using Lines = std::vector<std::string>;

// Polls `ready` every 20 ms for up to `seconds`: the launcher is another process.
template <typename Ready>
bool WaitFor(Ready ready, int seconds = 30) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(20);
  }
  return true;
}

// The shown top-level window of process `processId` with the caption `caption`.
HWND WindowOf(DWORD processId, const std::string& caption = "Tarnfield - Kovar Launcher") {
  struct Search {
    DWORD processId;
    const std::string& caption;
    HWND found;
  } search{processId, caption, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        if (owner == s->processId && IsWindowVisible(window) && text == s->caption) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts `program` in the folder `folder`.
PROCESS_INFORMATION Start(const std::string& program, const std::string& folder) {
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  EXPECT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &process))
      << program << ": " << GetLastError();
  return process;
}

// Waits up to 30 s for the program to end (ending it after that) and expects it to end well.
void ExpectEndsWell(const PROCESS_INFORMATION& process) {
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(ended);
  EXPECT_EQ(status, 0u);
}

// A click where the table puts `control` in `container`, at the window's scale.
void Click(HWND container, MainControl control) {
  const PixelsRect place = Pixels(Describe(control).place, WindowDpi(container));
  const LPARAM at = MAKELPARAM(place.left + 10, place.top + 10);
  PostMessageA(container, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(container, WM_LBUTTONUP, 0, at);
}

// Presses the shown push button called `name` among the window's controls, reached through MSAA
// only, as a screen reader reaches them: each window's client object and each child it counts.
// Says what it heard when it finds no such button.
testing::AssertionResult PressButton(HWND window, const std::string& name) {
  std::vector<HWND> windows{window};
  EnumChildWindows(
      window,
      [](HWND control, LPARAM param) CALLBACK -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(control);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::ostringstream said;
  for (HWND each : windows) {
    const Asked<LONG> count = ChildCount(each);
    if (!count.answer) said << "\n  " << count.failure;
    for (LONG child = CHILDID_SELF; child <= count.answer.value_or(0); ++child) {
      if (!FirstUnanswered().empty()) return testing::AssertionFailure() << FirstUnanswered();
      const Heard heard = Hear(each, child);
      said << "\n  " << heard;
      if (heard == Heard{name, ROLE_SYSTEM_PUSHBUTTON, "Press"} &&
          !(heard.state & STATE_SYSTEM_INVISIBLE) &&
          SUCCEEDED(PressThroughScreenReader(each, child))) {
        return testing::AssertionSuccess();
      }
    }
  }
  if (!FirstUnanswered().empty()) return testing::AssertionFailure() << FirstUnanswered();
  return testing::AssertionFailure()
         << "no shown button " << name << " pressed; heard:" << said.str();
}

// The clicks a player makes on the main window: by the mouse, or through a screen reader.
enum class Player { Mouse, ScreenReader };

// The real program in a portable folder: the player presses Single Player, then Start; the engine
// runs with the exact arguments, and closing the window saves both files byte for byte.
void SinglePlayerThenStart(Player player) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  // The Quake directory lies on another drive than the launcher, so run.bat changes drive too.
  // Its name, "Quake Été", is Windows-1252 text, as the settings file holds it; the command
  // interpreter reads run.bat in the console's code page.
  TempDir root{HostTempDir()};
  TempDir app;
  const std::string quakeDir = root.Path() + "\\Quake \xC9t\xE9";
  ASSERT_TRUE(CreateDirectoryA(quakeDir.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA(OnDriveZ(KOVAR_STAND_IN_ENGINE).c_str(),
                        (quakeDir + "\\GLQuake.exe").c_str(), TRUE));
  // The program and its files, from the build, or from a portable folder named by
  // KOVAR_APP_FOLDER (such as the unpacked zip).
  const char* folder = std::getenv("KOVAR_APP_FOLDER");
  const bool fromFolder = folder && *folder;
  const std::string dist = OnDriveZ(fromFolder ? folder : KOVAR_DIST_DIR);
  const std::string program =
      fromFolder ? dist + "\\kovar-launcher.exe" : OnDriveZ(KOVAR_LAUNCHER_EXE);
  std::filesystem::copy_file(program, app.File("kovar-launcher.exe"));
  std::filesystem::copy_file(dist + "\\auto.kvx", app.File("auto.kvx"));
  std::filesystem::copy(dist + "\\data", app.File("data"));
  app.Write("config.kvx", "exe GLQuake.exe\r\nmap Ember Foundry\r\n# by hand\r\ncpar +skill 2\r\n");
  app.Write("settings.kvx", "frun false\r\nquakedir " + quakeDir + "\r\n");
  // The engine's console window has nobody to press Enter.
  ScopedEnv noWait{"KOVAR_STAND_IN_NO_WAIT", "1"};
  ScopedEnv noLog{"KOVAR_STAND_IN_LOG", std::nullopt};

  // Started from another directory: the launcher finds its files beside itself.
  const PROCESS_INFORMATION process = Start(app.File("kovar-launcher.exe"), root.Path());
  if (!process.hProcess) return;
  HWND window = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (window = WindowOf(process.dwProcessId)) != nullptr; }))
      << "the launcher showed no main window";
  if (window) {
    HWND startPanel = GetDlgItem(window, ControlId(MainControl::picSP));
    if (player == Player::Mouse) {
      Click(window, MainControl::imgSP);
      EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(startPanel) != FALSE; }))
          << "the start panel did not show, " << WindowName(startPanel);
      Click(startPanel, MainControl::imgStartSP);
    } else {
      // A screen reader reads again until the program answers: the window shows before the
      // program reads its messages, and Start shows only once the start panel does. A call
      // that went unanswered ends the test at once, the launcher with it.
      for (const char* button : {"Single Player", "Start"}) {
        testing::AssertionResult pressed = testing::AssertionFailure();
        WaitFor(
            [&] { return (pressed = PressButton(window, button)) || !FirstUnanswered().empty(); });
        EXPECT_TRUE(pressed);
        if (!pressed) {
          TerminateProcess(process.hProcess, 1);
          ExpectEndsWell(process);
          return;
        }
      }
    }
    const std::string log = quakeDir + "\\stand-in-engine.log";
    EXPECT_TRUE(WaitForFile(log, 60));
    EXPECT_EQ(ReadLines(log), (Lines{quakeDir, "GLQuake.exe", "+map", "tarn2", "-game", "kv",
                                     "+skill", "2", "+r_shadows", "0", "+r_mirroralpha", "1"}));
    // The console closes by itself after a launch that went well.
    EXPECT_EQ(EndInterpretersStartedBy(process.dwProcessId, 30), 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  ExpectEndsWell(process);
  EXPECT_EQ(app.Read("config.kvx"), "exe GLQuake.exe\r\nmap Ember Foundry\r\ncpar +skill 2\r\n");
  EXPECT_EQ(app.Read("settings.kvx"), "frun false\r\nquakedir " + quakeDir + "\r\n");
  // The launch went through the written run.bat (its lines are the core tests' business).
  EXPECT_TRUE(app.Has("run.bat"));
}

TEST(Win32App, SinglePlayerThenStartRunsTheEngineAndClosingSaves) {
  SinglePlayerThenStart(Player::Mouse);
}

// A player who only uses a screen reader, from another process through MSAA, as one reads.
TEST(Win32App, AScreenReaderPressesSinglePlayerThenStart) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SinglePlayerThenStart(Player::ScreenReader);
  CoUninitialize();
}

// A copy installed for every user, in the folder that KOVAR_INSTALLED_FOLDER names (the installer
// check runs this case alone), started by a new player: the Quake directory prompt comes, and
// closing saves the answer and the installed defaults in the player's own folder, although the
// program's folder can be written here. The check looks at that folder before and after.
TEST(Win32App, AnInstalledCopyAsksANewPlayerAndSavesInTheirOwnFolder) {
  const char* installed = std::getenv("KOVAR_INSTALLED_FOLDER");
  if (!installed || !*installed) GTEST_SKIP() << "KOVAR_INSTALLED_FOLDER names no installed copy";
  const char* appData = std::getenv("APPDATA");
  ASSERT_TRUE(appData && *appData);
  const std::string own = std::string(appData) + "\\Kovar Launcher";
  ASSERT_FALSE(std::filesystem::exists(own)) << "not a new player: " << own << " exists";

  TempDir root{HostTempDir()};
  const PROCESS_INFORMATION process =
      Start(std::string(installed) + "\\kovar-launcher.exe", root.Path());
  if (!process.hProcess) return;
  HWND prompt = nullptr;
  EXPECT_TRUE(WaitFor(
      [&] { return (prompt = WindowOf(process.dwProcessId, "Set Quake Directory")) != nullptr; }));
  if (prompt) {
    HWND field = GetDlgItem(prompt, kInputFieldId);
    EXPECT_TRUE(SendWithin(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Games\\Quake")))
        << "no answer to WM_SETTEXT from the prompt's field, " << WindowName(field);
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(prompt, IDOK)));
    // The prompt is modal: the main window is closed once it is gone.
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(prompt); }))
        << "the prompt stayed, " << WindowName(prompt);
    PostMessageA(WindowOf(process.dwProcessId), WM_CLOSE, 0, 0);
  }
  ExpectEndsWell(process);
  EXPECT_EQ(ReadLines(own + "\\settings.kvx"),
            (Lines{"frun false\r", "quakedir C:\\Games\\Quake\r"}));
  EXPECT_EQ(ReadLines(own + "\\config.kvx"),
            (Lines{"exe LucidGL.exe\r", "map Sunken Keep\r", "cpar \r"}));
}

// What Windows reads from the program file before it runs: the version record shown in the
// file's properties, and the manifest that chooses the common controls and the scaling.
TEST(Win32App, TheProgramCarriesItsVersionRecordAndManifest) {
  const std::string program = OnDriveZ(KOVAR_LAUNCHER_EXE);
  DWORD ignored = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(program.c_str(), &ignored));
  ASSERT_FALSE(record.empty());
  ASSERT_TRUE(
      GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
  auto value = [&record](const char* name) {
    char* text = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(record.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) {
      return std::string("(none)");
    }
    return std::string(text);
  };
  EXPECT_EQ(value("ProductName"), "Kovar Launcher");
  EXPECT_EQ(value("FileVersion"), "0.01");
  EXPECT_EQ(value("ProductVersion"), "0.01");

  HMODULE file = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(file);
  HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_TRUE(found);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(file, found))),
                             SizeofResource(file, found));
  FreeLibrary(file);
  for (const char* wanted :
       {"name=\"Kovar.Launcher\" version=\"0.0.1.0\" processorArchitecture=\"x86\"",
        "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\"",
        ">true</dpiAware>", ">PerMonitorV2</dpiAwareness>"}) {
    EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
  }
  EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
}

}  // namespace
}  // namespace kovar::test

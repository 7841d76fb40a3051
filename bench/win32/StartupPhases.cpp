// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Windows program's start-up time goes: the program's own start, step by step in the
// order kovar-launcher.exe takes them, timed inside a process of its own in a folder with MAPS map
// info files (as the start-up benchmark sets it up), alternated with the bare window; prints each
// step's median over ROUNDS processes. Run by hand under Wine, never by the tests.
// Usage: kovar_win32_startup_phases.exe [ROUNDS [MAPS]]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "BenchInstallation.h"
#include "Environment.h"
#include "FileSystem.h"
#include "LauncherProgram.h"
#include "Picture.h"
#include "ToolkitDesktop.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace {

using namespace kovar::bench;

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds since this process was created, as the system recorded it.
double SinceProcessCreation() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// Hands out every waiting message, as the program's loop does until it waits for input.
void PumpUntilIdle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The program's platform, timing the start script (up to the main window's showing) apart from
// the showing.
class TimedDesktop : public kovar::ToolkitDesktop {
 public:
  explicit TimedDesktop(std::function<void(const char*)> step) : step_(std::move(step)) {}
  void ShowMainWindow() override {
    step_("6 start script, its map and preview");
    ToolkitDesktop::ShowMainWindow();
    step_("7 window shown (ShowWindow, UpdateWindow, focus)");
  }

 private:
  std::function<void(const char*)> step_;
};

// One start in this process: each step's milliseconds, one "name<TAB>ms" line each, to `out`.
int Child(const char* out) {
  std::ostringstream lines;
  double last = Now();
  auto step = [&lines, &last](const char* name) {
    const double now = Now();
    lines << name << '\t' << now - last << '\n';
    last = now;
  };
  lines << "1 process start to main (Wine, DLLs, C++ runtime)\t" << SinceProcessCreation() << '\n';
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  step("2 common controls");
  TimedDesktop desktop(step);
  kovar::LauncherProgram program(kovar::ApplicationFiles({}, false), desktop);
  step("3 core made, listing begun");
  std::optional<kovar::frmDebug> console;
  console.emplace(program.ConsoleBehaviour());
  step("4 console window (the first window)");
  std::optional<kovar::frmMain> window;
  window.emplace(program.WindowBehaviour());
  desktop.SetMainWindow(&*window);
  step("5 main window: controls, pictures, list filled");
  if (program.Run([] { return 0; }) != 0) return 1;
  PumpUntilIdle();
  step("8 painting until idle");

  // Parts of the steps above, measured again on their own once the window is up.
  for (int artwork = 1; artwork <= static_cast<int>(kovar::Artwork::Logo); ++artwork) {
    (void)kovar::Picture().LoadResource(kovar::ArtworkName(static_cast<kovar::Artwork>(artwork)));
  }
  step("a seven window pictures decoded (part of 5)");
  const auto names = kovar::ListMapInfoFiles(kovar::ExecutableDirectory() + "\\data");
  if (names.failed()) return 1;
  step("b data folder listed on this thread (beside 3 to 5)");
  window->SetList(kovar::MainControl::listMap,
                  program.Core().State().List(kovar::ListField::MapList));
  step("c map list filled again (part of 5)");
  for (const char* library : {"ole32.dll", "oleaut32.dll", "oleacc.dll"}) LoadLibraryA(library);
  step("d ole32, oleaut32, oleacc loaded (now at a screen reader's first question)");
  std::ofstream(out) << lines.str();
  return names.value().empty() ? 1 : 0;
}

// Milliseconds from starting `commandLine` until it waits for input (the bare window) or, for
// this program's own start, which ends once it has written its figures, until it ends.
double Run(std::string commandLine, bool untilIdle) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "could not start %s: error %lu\n", commandLine.c_str(), GetLastError());
    std::exit(1);
  }
  if (untilIdle) WaitForInputIdle(process.hProcess, 60000);
  if (!untilIdle) WaitForSingleObject(process.hProcess, 60000);
  const double idle = Now() - start;
  // The bare window closes on WM_CLOSE to its visible window.
  EnumWindows(
      [](HWND window, LPARAM id) CALLBACK -> BOOL {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == static_cast<DWORD>(id) && IsWindowVisible(window)) {
          PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
      },
      static_cast<LPARAM>(process.dwProcessId));
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return idle;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--child") return Child(argv[2]);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int maps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string folder =
      MakeInstallation("kovar-startup-phases", self, OnDriveZ(KOVAR_BARE_WINDOW_EXE), maps);
  const std::string program = folder + "\\kovar-launcher.exe";
  const std::string bare = folder + "\\kovar-bare-window.exe";
  Write(folder + "\\config.kvx", "exe GLQuake.exe\r\nmap Map 00000\r\ncpar +skill 2\r\n");

  const std::string out = folder + "\\phases.txt";
  const std::string child = "\"" + program + "\" --child \"" + out + "\"";
  std::map<std::string, std::vector<double>> steps;
  std::vector<double> bareTimes;
  Run(child, false);
  Run("\"" + bare + "\"", true);
  for (int round = 0; round < rounds; ++round) {
    Run(child, false);
    bareTimes.push_back(Run("\"" + bare + "\"", true));
    std::ifstream in(out);
    std::string line;
    while (std::getline(in, line)) {
      const std::size_t tab = line.find('\t');
      if (tab != std::string::npos)
        steps[line.substr(0, tab)].push_back(std::stod(line.substr(tab)));
    }
  }
  std::printf("medians of %d starts with %d maps (ms):\n", rounds, maps);
  double sum = 0;
  for (const auto& [step, times] : steps) {
    std::printf("  %-75s %7.1f\n", step.c_str(), Median(times));
    if (step[0] >= '1' && step[0] <= '9') sum += Median(times);
  }
  std::printf("  %-75s %7.1f\n", "steps 1 to 8", sum);
  std::printf("  %-75s %7.1f\n", "bare window, from CreateProcess until it waits for input",
              Median(bareTimes));

  RemoveInstallation(folder, maps, "phases.txt");
  return 0;
}

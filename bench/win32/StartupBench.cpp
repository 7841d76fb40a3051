// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of kovar-launcher.exe with 10,000 maps against the bare window with the same menus,
// alternated in one run: each start is timed from CreateProcess until the program's window is
// shown and the program waits for input; the window is then closed. Prints the medians and their
// ratio; the goal is at most 1.5 with one map and 2.0 with more.
// Usage: kovar_win32_startup_bench.exe [ROUNDS [MAPS]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BenchInstallation.h"

namespace {

using namespace kovar::bench;

double Goal(int maps) { return maps <= 1 ? 1.5 : 2.0; }

HWND VisibleWindowOf(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from the start of `program` until its window shows and it waits for input.
double StartUp(const std::string& program) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "could not start %s: error %lu\n", program.c_str(), GetLastError());
    std::exit(1);
  }
  WaitForInputIdle(process.hProcess, 60000);
  HWND window = nullptr;
  while (!(window = VisibleWindowOf(process.dwProcessId))) Sleep(1);
  QueryPerformanceCounter(&end);
  PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int maps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
  const std::string folder = MakeInstallation("kovar-startup-bench", OnDriveZ(KOVAR_LAUNCHER_EXE),
                                              OnDriveZ(KOVAR_BARE_WINDOW_EXE), maps);
  const std::string launcher = folder + "\\kovar-launcher.exe";
  const std::string bare = folder + "\\kovar-bare-window.exe";
  const std::string config = "exe GLQuake.exe\r\nmap Map 00000\r\ncpar +skill 2\r\n";

  std::vector<double> launcherTimes, bareTimes;
  // One start of each first, unmeasured: the first start of a program loads its DLLs from disk.
  Write(folder + "\\config.kvx", config);
  StartUp(launcher);
  StartUp(bare);
  for (int round = 0; round < rounds; ++round) {
    Write(folder + "\\config.kvx", config);
    launcherTimes.push_back(StartUp(launcher));
    bareTimes.push_back(StartUp(bare));
    std::printf("round %2d: launcher %7.1f ms, bare window %7.1f ms\n", round + 1,
                launcherTimes.back(), bareTimes.back());
  }
  const double launcherMedian = Median(launcherTimes);
  const double bareMedian = Median(bareTimes);
  const double ratio = launcherMedian / bareMedian;
  std::printf("median start-up with %d maps: launcher %.1f ms, bare window %.1f ms\n", maps,
              launcherMedian, bareMedian);
  std::printf("ratio %.2fx (goal at most %.2fx): %s\n", ratio, Goal(maps),
              ratio <= Goal(maps) ? "met" : "missed");

  RemoveInstallation(folder, maps, "run.bat");
  return 0;
}

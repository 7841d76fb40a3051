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

namespace {

double Goal(int maps) { return maps <= 1 ? 1.5 : 2.0; }

std::string TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  return std::string(base) + "kovar-startup-bench-" + std::to_string(GetCurrentProcessId());
}

// A path of the machine that runs Wine, as Windows programs see it: its root is drive Z:.
std::string OnDriveZ(std::string hostPath) {
  std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
  return "Z:" + hostPath;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

HWND VisibleWindowOf(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int maps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
  const std::string folder = TempFolder();
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\data").c_str(), nullptr);
  const std::string launcher = folder + "\\kovar-launcher.exe";
  const std::string bare = folder + "\\kovar-bare-window.exe";
  CopyFileA(OnDriveZ(KOVAR_LAUNCHER_EXE).c_str(), launcher.c_str(), FALSE);
  CopyFileA(OnDriveZ(KOVAR_BARE_WINDOW_EXE).c_str(), bare.c_str(), FALSE);
  Write(folder + "\\auto.kvx", "exec settings.kvx\r\nexec config.kvx\r\n");
  Write(folder + "\\settings.kvx", "frun false\r\nquakedir C:\\Quake\r\n");
  const std::string config = "exe GLQuake.exe\r\nmap Map 00000\r\ncpar +skill 2\r\n";
  char name[32];
  for (int map = 0; map < maps; ++map) {
    std::snprintf(name, sizeof name, "Map %05d", map);
    Write(folder + "\\data\\" + name + ".kvx", "e1m1\r\nA map of the benchmark.\r\n");
  }
  // The chosen map's preview: a 160 x 120 picture of 24 bits.
  std::string bmp(54 + 160 * 3 * 120, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  auto put = [&bmp](std::size_t at, unsigned value) {
    for (int i = 0; i < 4; ++i)
      bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  put(2, static_cast<unsigned>(bmp.size()));
  put(10, 54);
  put(14, 40);
  put(18, 160);
  put(22, 120);
  put(26, 1 | (24u << 16));
  Write(folder + "\\data\\Map 00000.bmp", bmp);

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

  for (int map = 0; map < maps; ++map) {
    std::snprintf(name, sizeof name, "Map %05d", map);
    DeleteFileA((folder + "\\data\\" + name + ".kvx").c_str());
  }
  for (const char* file :
       {"\\data\\Map 00000.bmp", "\\kovar-launcher.exe", "\\kovar-bare-window.exe", "\\auto.kvx",
        "\\settings.kvx", "\\config.kvx", "\\run.bat"}) {
    DeleteFileA((folder + file).c_str());
  }
  RemoveDirectoryA((folder + "\\data").c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}

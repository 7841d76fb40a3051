// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the Windows start-up benchmarks share: a launcher installation in a temporary folder, with
// the launcher and the bare window copied into it, MAPS map info files and one preview, and the
// small helpers around it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "BmpFile.h"

namespace kovar::bench {

// A path of the machine that runs Wine, as Windows programs see it: its root is drive Z:.
inline std::string OnDriveZ(std::string hostPath) {
  std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
  return "Z:" + hostPath;
}

inline void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A new folder `name`-PID in the temporary folder, holding `launcher` and `bareWindow` copied as
// kovar-launcher.exe and kovar-bare-window.exe, a start script that runs the settings and the
// config (the config is each benchmark's own), settings without the first-run prompt, `maps` map
// info files named "Map 00000" on, and a 160 x 120 preview of 24 bits for the first. Returns it.
inline std::string MakeInstallation(const std::string& name, const std::string& launcher,
                                    const std::string& bareWindow, int maps) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  const std::string folder = std::string(base) + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\data").c_str(), nullptr);
  CopyFileA(launcher.c_str(), (folder + "\\kovar-launcher.exe").c_str(), FALSE);
  CopyFileA(bareWindow.c_str(), (folder + "\\kovar-bare-window.exe").c_str(), FALSE);
  Write(folder + "\\auto.kvx", "exec settings.kvx\r\nexec config.kvx\r\n");
  Write(folder + "\\settings.kvx", "frun false\r\nquakedir C:\\Quake\r\n");
  char map[32];
  for (int i = 0; i < maps; ++i) {
    std::snprintf(map, sizeof map, "Map %05d", i);
    Write(folder + "\\data\\" + map + ".kvx", "e1m1\r\nA map of the benchmark.\r\n");
  }
  Write(folder + "\\data\\Map 00000.bmp", test::MakeBmp(160, 120));
  return folder;
}

// Removes what MakeInstallation made, the config, and the benchmark's own file `extra`.
inline void RemoveInstallation(const std::string& folder, int maps, const char* extra) {
  char map[32];
  for (int i = 0; i < maps; ++i) {
    std::snprintf(map, sizeof map, "Map %05d", i);
    DeleteFileA((folder + "\\data\\" + map + ".kvx").c_str());
  }
  for (const char* file :
       {"\\data\\Map 00000.bmp", "\\kovar-launcher.exe", "\\kovar-bare-window.exe", "\\auto.kvx",
        "\\settings.kvx", "\\config.kvx"}) {
    DeleteFileA((folder + file).c_str());
  }
  DeleteFileA((folder + "\\" + extra).c_str());
  RemoveDirectoryA((folder + "\\data").c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace kovar::bench

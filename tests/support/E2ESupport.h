// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for the tests that really start processes: environment changes, waiting for files, and
// on Windows the command interpreters a launch left behind.
#pragma once

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kovar::test {

// Sets (or, with no value, removes) an environment variable for one test, and restores it after.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    Apply(value);
  }
  ~ScopedEnv() { Apply(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable.
    _putenv_s(name_.c_str(), value ? value->c_str() : "");
#else
    if (value) {
      ::setenv(name_.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
#endif
  }
  std::string name_;
  std::optional<std::string> old_;
};

// Waits up to `seconds` for `path` to exist; a detached process writes it in its own time. The
// file is opened as the program opens its files, so that on Windows a name is read in the ANSI
// code page (std::filesystem would read it otherwise).
inline bool WaitForFile(const std::string& path, int seconds = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!std::ifstream(path).is_open()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The lines of a text file, without their line feeds.
inline std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

#ifdef _WIN32
// A path of the machine that runs Wine, as Windows programs see it: its root is drive Z:.
inline std::string OnDriveZ(std::string hostPath) {
  std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
  return "Z:" + hostPath;
}

// The host's temporary folder, on drive Z: (another drive than the one Wine's own folders lie on).
inline std::string HostTempDir() {
  const char* tmp = std::getenv("TMPDIR");
  return OnDriveZ(tmp && *tmp == '/' ? tmp : "/tmp");
}

// Waits up to `seconds` for the command interpreters that process `parent` started to end, then
// ends those still there and returns how many: an interpreter whose launch failed waits for a key
// in a console nobody sees, and would keep the test run waiting for its output.
inline int EndInterpretersStartedBy(DWORD parent, int seconds) {
  for (int waited = 0;; ++waited) {
    std::vector<DWORD> running;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
      if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, "cmd.exe") == 0) {
        running.push_back(entry.th32ProcessID);
      }
    }
    CloseHandle(snapshot);
    if (running.empty()) return 0;
    if (waited < seconds * 10) {
      Sleep(100);
      continue;
    }
    for (DWORD id : running) {
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
      }
    }
    return static_cast<int>(running.size());
  }
}
#endif

}  // namespace kovar::test

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the installer check needs from Windows itself: `installer-probe short PATH` prints the
// short (8.3) form of PATH, as older deployment scripts write it; `installer-probe hold FILE` opens
// FILE without sharing, as a virus scanner or a viewer may, writes "held", and keeps it open until
// its input ends.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: installer-probe short PATH | installer-probe hold FILE\n", stderr);
    return 2;
  }
  if (std::wcscmp(argv[1], L"short") == 0) {
    wchar_t shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameW(argv[2], shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
      std::fprintf(stderr, "installer-probe: no short name for %ls: error %lu\n", argv[2],
                   GetLastError());
      return 1;
    }
    std::printf("%ls\n", shortPath);
    return 0;
  }
  HANDLE file =
      CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "installer-probe: cannot open %ls: error %lu\n", argv[2], GetLastError());
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  char buffer[64];
  DWORD read = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) &&
         read != 0) {
  }
  CloseHandle(file);
  return 0;
}

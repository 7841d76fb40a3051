// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// GetTickCount64 for the thread runtime on Windows XP. The runtime's timed waits (libwinpthread)
// call it through its import pointer, and XP's kernel32 lacks it: a program that imports it does
// not start there at all. Linked into the program itself, this pointer takes the place of the
// import; it leads to kernel32's own function where the system has one (Vista and later).
#include <windows.h>

#include <atomic>

#include "WindowsFacilities.h"

namespace {

// XP's 32-bit tick count, widened: it wraps after 49.7 days, counted here as each call sees it
// go past the last value seen. A step back of less than half the range is a thread that read
// the clock before another's later reading was stored: that reading stands.
ULONGLONG WINAPI WidenedTickCount() {
  static std::atomic<ULONGLONG> last{GetTickCount()};
  ULONGLONG seen = last.load();
  for (;;) {
    const DWORD step = GetTickCount() - static_cast<DWORD>(seen);
    if (step >= 0x80000000u) return seen;
    if (last.compare_exchange_weak(seen, seen + step)) return seen + step;
  }
}

using TickCount = ULONGLONG WINAPI();

ULONGLONG WINAPI FirstTickCount();

}  // namespace

// The import pointer's own (decorated) name: the linker takes it instead of kernel32's.
extern "C" TickCount* kovarTickCount64 __asm__("__imp__GetTickCount64@0");
TickCount* kovarTickCount64 = FirstTickCount;

namespace {

// The first call chooses: kernel32's function, or the widened count. Threads that make it at
// once store the same pointer.
ULONGLONG WINAPI FirstTickCount() {
  auto* system = kovar::SystemFunction<TickCount>("kernel32.dll", "GetTickCount64");
  kovarTickCount64 = system ? system : WidenedTickCount;
  return kovarTickCount64();
}

}  // namespace

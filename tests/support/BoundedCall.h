// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Waits on another process, each within a bound: a window message sent with SendMessageTimeout,
// and a call that may wait for ever (a COM call into another process) made on a thread of its own,
// which the caller waits for with a timeout. A test then fails at once, naming what it asked of
// which window, instead of waiting for the test run's timeout.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace kovar::test {

// Milliseconds any one answer may take: the launcher answers at once, but under Wine on a loaded
// machine a first call into a process takes seconds.
inline constexpr DWORD kAnswerBound = 20000;

// A window as a failure names it: its handle, caption and class. Neither call sends the window a
// message, so naming a stuck window cannot wait on it.
inline std::string WindowName(HWND window) {
  char caption[128] = {};
  char windowClass[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  GetClassNameA(window, windowClass, sizeof windowClass);
  char name[256];
  std::snprintf(name, sizeof name, "window %p (\"%s\", class %s)", static_cast<void*>(window),
                caption, windowClass);
  return name;
}

// Sends `message` to a window of any process and returns its answer; nothing when the window has
// not answered within the bound (or is gone).
inline std::optional<LRESULT> SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         DWORD bound = kAnswerBound) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, bound, &answer)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(answer);
}

namespace detail {

// What the call's thread owns: once the caller gives up waiting, the thread alone, which then
// leaves it behind, as the call may still return.
template <typename Ask>
struct Job {
  Ask ask;
  decltype(ask()) answer{};

  static DWORD WINAPI Run(void* job) {
    auto* self = static_cast<Job*>(job);
    // A multithreaded apartment: a call made here needs no message loop to be answered.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    self->answer = self->ask();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
  }
};

}  // namespace detail

// Runs `ask` (which returns a value and captures only copies) on a thread of its own, with COM
// started there, and returns its answer; nothing when it has not returned within the bound. The
// calling thread, which must have started COM, meanwhile answers the COM calls and sent messages
// that come to its own windows and objects (a call may come back to them), and nothing else.
template <typename Ask>
std::optional<decltype(std::declval<Ask>()())> CallWithin(Ask ask, DWORD bound = kAnswerBound) {
  auto* job = new detail::Job<Ask>{std::move(ask)};
  HANDLE thread = CreateThread(nullptr, 0, &detail::Job<Ask>::Run, job, 0, nullptr);
  if (!thread) {
    delete job;
    return std::nullopt;
  }
  DWORD signalled = 0;
  HRESULT waited = CoWaitForMultipleHandles(0, bound, 1, &thread, &signalled);
  if (waited == CO_E_NOTINITIALIZED) {
    waited = WaitForSingleObject(thread, bound) == WAIT_OBJECT_0 ? S_OK : RPC_S_CALLPENDING;
  }
  CloseHandle(thread);
  if (waited != S_OK) return std::nullopt;  // the job stays the thread's
  auto answer = std::move(job->answer);
  delete job;
  return answer;
}

}  // namespace kovar::test

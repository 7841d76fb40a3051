// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The system's message table, read for the last Windows error.
#include "WindowsError.h"

#include <windows.h>

#include <string>

namespace kovar {

Failure LastWindowsFailure() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  FailureKind kind = FailureKind::System;
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) kind = FailureKind::NotFound;
  if (code == ERROR_FILE_TOO_LARGE) kind = FailureKind::TooLarge;
  return Failure(kind, std::move(message),
                 std::error_code(static_cast<int>(code), std::system_category()));
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user's environment and the executable's place on Windows.
#include "Environment.h"

#include <windows.h>

#include <cstdlib>

namespace kovar {

System NativeSystem() { return System::Windows; }

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment environment;
  if (const char* value = std::getenv("APPDATA")) environment.appData = value;
  return environment;
}

std::string ExecutableDirectory() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      const std::size_t slash = buffer.find_last_of("\\/");
      return slash == std::string::npos ? std::string() : buffer.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kovar

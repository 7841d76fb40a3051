// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user's environment and the executable's place on Linux.
#include "Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kovar {

System NativeSystem() { return System::Linux; }

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment environment;
  if (const char* value = std::getenv("XDG_CONFIG_HOME")) environment.xdgConfigHome = value;
  if (const char* value = std::getenv("HOME")) environment.home = value;
  if (environment.home.empty() || environment.home.front() != '/') {
    // Only an absolute HOME names a folder wherever the launcher is started from. The password
    // database is asked only when it is needed: it may be a network service.
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
      environment.passwordHome = found->pw_dir;
    }
  }
  return environment;
}

std::string ExecutableDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      std::string executable(buffer.data(), static_cast<std::size_t>(length));
      const std::size_t slash = executable.rfind('/');
      if (slash == std::string::npos) return {};
      return slash == 0 ? "/" : executable.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the running program learns from the system about itself and its user: where its
// executable lies, and what the per-user folder is worked out from. One interface;
// EnvironmentPosix.cpp and EnvironmentWindows.cpp implement it, chosen by the build.
#pragma once

#include <string>

namespace kovar {

// The systems the launcher is built for. Where a rule differs between them (the launch script,
// the per-user folder), the core keeps it for both, so that each is tested on either system, and
// asks which one applies here.
enum class System { Windows, Linux };

// The system this program was built for.
System NativeSystem();

// What the per-user folder is worked out from, read once at start.
struct UserEnvironment {
  std::string xdgConfigHome;  // XDG_CONFIG_HOME
  std::string home;           // HOME
  std::string passwordHome;   // the password entry's home, read when HOME is not absolute
  std::string appData;        // APPDATA
};

// The running user's environment, as the per-user folder needs it.
UserEnvironment CurrentUserEnvironment();

// The directory of the running executable, followed through links; empty when it cannot be told.
std::string ExecutableDirectory();

}  // namespace kovar

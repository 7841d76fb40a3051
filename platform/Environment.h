// What the running program learns from the system about itself and its user: where its
// executable lies, and what the per-user folder is worked out from. One interface;
// EnvironmentPosix.cpp and EnvironmentWindows.cpp implement it, chosen by the build.
#pragma once

#include <string>

namespace kovar {

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

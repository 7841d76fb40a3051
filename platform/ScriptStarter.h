// Starts the launch script the way each desktop expects, without waiting for it. One interface;
// ScriptStarterPosix.cpp and ScriptStarterWindows.cpp implement it, chosen by the build.
#pragma once

#include <string>

#include "Result.h"

namespace kovar {

// Starts `scriptPath` detached from the launcher; a failure says why it could not be started.
Result StartScriptDetached(const std::string& scriptPath);

// The command interpreter's command line that runs the batch file `scriptPath` and, when it ends
// with an error level other than 0, says so and waits for a key before its console closes.
std::string WindowsScriptCommandLine(const std::string& scriptPath);

}  // namespace kovar

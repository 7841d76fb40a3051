// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The part of starting the launch script that reads the same on every system: the Windows
// command line, a pure function so that it is checked everywhere.
#include "ScriptStarter.h"

namespace kovar {

std::string WindowsScriptCommandLine(const std::string& scriptPath) {
  // /c drops the outer pair of quotes and keeps the rest. The script runs without "call", which
  // would double any ^ in its path; the rest of the line still runs after it. A crashed program
  // leaves a negative error level, which "errorlevel 1" does not catch.
  const std::string stay =
      "(echo Kovar Launcher: the game did not start, or it ended with an error. Press any key to "
      "close.& pause >nul)";
  return "cmd.exe /d /e:on /v:off /c \"\"" + scriptPath + "\" & if errorlevel 1 " + stay +
         " else if not errorlevel 0 " + stay + "\"";
}

}  // namespace kovar

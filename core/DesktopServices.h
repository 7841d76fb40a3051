// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the core needs from the desktop that is not launcher state: the few operations a window
// skin provides. Everything the windows show comes from the state (LauncherState) instead.
#pragma once

#include <string>

#include "Result.h"
#include "ScriptStarter.h"

namespace kovar {

// The player's answer to the input box, and what its field showed of the text it was given, read
// back as the toolkit shows it: bytes the local encoding cannot show come back changed.
struct InputAnswer {
  std::string text;  // empty when cancelled
  std::string shown;
};

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // Shows the main window, modeless.
  virtual void ShowMainWindow() = 0;

  // The modal one-line input box, its field given `defaultText`; the answer holds no line break.
  virtual InputAnswer InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;

  // Shows a failure to the player in one modal message box.
  virtual void ShowError(const std::string& message) = 0;

  // Starts the launch script, which enters and runs `target`, without waiting for it.
  virtual Result StartScript(const std::string& scriptPath, const ScriptTarget& target) = 0;
};

}  // namespace kovar

// What the core needs from the desktop that is not launcher state: the few operations a window
// skin provides. Everything the windows show comes from the state (LauncherState) instead.
#pragma once

#include <string>

#include "Result.h"

namespace kovar {

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // Shows the main window, modeless.
  virtual void ShowMainWindow() = 0;

  // The modal one-line input box; returns the typed text, or empty text when cancelled.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;

  // Shows a failure to the player in one modal message box.
  virtual void ShowError(const std::string& message) = 0;

  // Starts the launch script without waiting for it.
  virtual Result StartScript(const std::string& scriptPath) = 0;
};

}  // namespace kovar

// What the core needs from the desktop: the few operations the window layer provides.
#pragma once

#include <string>

namespace kovar {

class Platform {
 public:
  virtual ~Platform() = default;

  // Shows the main window, modeless.
  virtual void ShowMainWindow() = 0;

  // The modal one-line input box; returns the typed text, or empty text when cancelled.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;

  // Shows a preview picture given as the bytes of a BMP file that has passed CheckBmp; empty
  // bytes remove the picture. Returns empty text on success, otherwise why it could not be shown.
  virtual std::string SetPreview(const std::string& bmpBytes) = 0;

  // Shows a failure to the player in one modal message box.
  virtual void ShowError(const std::string& message) = 0;

  // Starts the launch script without waiting for it. Returns empty text on success, otherwise
  // why it could not be started.
  virtual std::string StartScript(const std::string& scriptPath) = 0;
};

}  // namespace kovar

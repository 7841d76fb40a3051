// The desktop operations the core asks for, done with Qt: showing the main window, the input
// box, error boxes, and starting the launch script.
#pragma once

#include <string>

#include "Platform.h"

class QWidget;

namespace kovar {

class QtPlatform : public Platform {
 public:
  // The window that ShowMainWindow shows and that owns the dialogs; set once it exists.
  void SetMainWindow(QWidget* window) { window_ = window; }
  // While on, failures are written to standard error instead of a box: the system is ending the
  // program or the session waits on it, and nobody may be there to close one.
  void ReportErrorsOnStandardError(bool on) { errorsToStandardError_ = on; }

  void ShowMainWindow() override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  void ShowError(const std::string& message) override;
  Result StartScript(const std::string& scriptPath) override;

 private:
  QWidget* window_ = nullptr;
  bool errorsToStandardError_ = false;
};

}  // namespace kovar

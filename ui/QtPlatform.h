// The desktop operations the core asks for, done with Qt: the main window, the input box, the
// preview picture, error boxes and starting the launch script.
#pragma once

#include <string>

#include "Platform.h"

namespace kovar {

class frmMain;

class QtPlatform : public Platform {
 public:
  // The window that shows the preview and owns the dialogs; set once it exists.
  void SetMainWindow(frmMain* window) { window_ = window; }
  // From now on failures are written to standard error instead of a box: the system is ending
  // the program, and nobody may be there to close one.
  void ReportErrorsOnStandardError() { errorsToStandardError_ = true; }

  void ShowMainWindow() override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::string SetPreview(const std::string& bmpBytes) override;
  void ShowError(const std::string& message) override;
  std::string StartScript(const std::string& scriptPath) override;

 private:
  frmMain* window_ = nullptr;
  bool errorsToStandardError_ = false;
};

}  // namespace kovar

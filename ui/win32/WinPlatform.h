// The core's platform operations on Windows: the only place where the skin meets the core's
// Platform interface.
#pragma once

#include <string>

#include "Platform.h"

namespace kovar::win32 {

class frmMain;

class WinPlatform : public Platform {
 public:
  void SetMainWindow(frmMain* window) { window_ = window; }
  // From now on failures are written to standard error instead of a box: Windows is ending the
  // session, and nobody may be there to close one.
  void ReportErrorsOnStandardError() { errorsToStandardError_ = true; }

  void ShowMainWindow() override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  void ShowError(const std::string& message) override;
  Result StartScript(const std::string& scriptPath) override;

 private:
  frmMain* window_ = nullptr;
  bool errorsToStandardError_ = false;
};

}  // namespace kovar::win32

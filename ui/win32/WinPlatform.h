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

  void ShowMainWindow() override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::string SetPreview(const std::string& bmpBytes) override;
  void ShowError(const std::string& message) override;
  std::string StartScript(const std::string& scriptPath) override;

 private:
  frmMain* window_ = nullptr;
};

}  // namespace kovar::win32

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The core's desktop services on Windows: the only place where the skin meets the core's
// DesktopServices interface.
#pragma once

#include <string>

#include "Desktop.h"

namespace kovar {

class frmMain;

class ToolkitDesktop : public Desktop {
 public:
  void SetMainWindow(frmMain* window) { window_ = window; }
  void ShowMainWindow() override;

 protected:
  void ShowErrorBox(const std::string& message) override;
  InputAnswer ShowPrompt(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

 private:
  frmMain* window_ = nullptr;
};

}  // namespace kovar

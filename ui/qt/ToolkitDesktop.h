// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop operations the core asks for, done with Qt: showing the main window, the input
// box, error boxes, and starting the launch script.
#pragma once

#include <string>

#include "Desktop.h"

class QWidget;

namespace kovar {

class ToolkitDesktop : public Desktop {
 public:
  // The window that ShowMainWindow shows and that owns the dialogs; set once it exists.
  void SetMainWindow(QWidget* window) { window_ = window; }
  void ShowMainWindow() override;

 protected:
  void ShowErrorBox(const std::string& message) override;
  InputAnswer ShowPrompt(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

 private:
  QWidget* window_ = nullptr;
};

}  // namespace kovar

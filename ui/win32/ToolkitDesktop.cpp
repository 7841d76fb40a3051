// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop services over the Windows skin's windows and the Windows API.
#include "ToolkitDesktop.h"

#include <windows.h>

#include "InputBox.h"
#include "WindowDescription.h"
#include "frmMain.h"

namespace kovar {

namespace {

// Boxes belong to the main window once the player can see it.
HWND Owner(frmMain* window) {
  return window && IsWindowVisible(window->Window()) ? window->Window() : nullptr;
}

}  // namespace

void ToolkitDesktop::ShowMainWindow() {
  if (window_) window_->Show();
}

InputAnswer ToolkitDesktop::ShowPrompt(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
  return ShowInputBox(Owner(window_), prompt, title, defaultText);
}

void ToolkitDesktop::ShowErrorBox(const std::string& message) {
  MessageBoxA(Owner(window_), message.c_str(), kApplicationName, MB_OK | MB_ICONWARNING);
}

}  // namespace kovar

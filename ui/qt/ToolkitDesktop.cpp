// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's dialogs behind the core's desktop services.
#include "ToolkitDesktop.h"

#include <QMessageBox>
#include <QWidget>

#include "InputBox.h"
#include "KeyboardFocus.h"
#include "TextControls.h"
#include "WindowDescription.h"

namespace kovar {

namespace {

QWidget* DialogParent(QWidget* window) { return window && window->isVisible() ? window : nullptr; }

}  // namespace

void ToolkitDesktop::ShowMainWindow() {
  if (window_) window_->show();
}

InputAnswer ToolkitDesktop::ShowPrompt(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
  const ActivatedAfterBox activated(window_);
  return ShowInputBox(DialogParent(window_), prompt, title, defaultText);
}

void ToolkitDesktop::ShowErrorBox(const std::string& message) {
  const ActivatedAfterBox activated(window_);
  QMessageBox box(QMessageBox::Warning, ToDisplay(kApplicationName), ToDisplay(message),
                  QMessageBox::Ok, DialogParent(window_));
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace kovar

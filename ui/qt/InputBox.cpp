// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The input box, Qt's own.
#include "InputBox.h"

#include <QInputDialog>

#include "TextControls.h"

namespace kovar {

InputAnswer ShowInputBox(QWidget* owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultText) {
  const QString shown = ToDisplay(defaultText);
  bool ok = false;
  const QString answer = QInputDialog::getText(owner, ToDisplay(title), ToDisplay(prompt),
                                               QLineEdit::Normal, shown, &ok);
  if (!ok) return {};
  return {ToBytes(answer), ToBytes(shown)};
}

}  // namespace kovar

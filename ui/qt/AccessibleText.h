// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible text of every one-line field in the launcher's windows and boxes: the text, the
// caret, the selection, its characters, words and sentences at any offset, and editing, answered
// here because Qt 6.4's own answer hangs on a word at the text's end and cuts the attribute run
// short, so that a screen reader drops each field's last character.
#pragma once

class QAccessibleInterface;
class QLineEdit;

namespace kovar {

QAccessibleInterface* MakeAccessibleText(QLineEdit* field);

}  // namespace kovar

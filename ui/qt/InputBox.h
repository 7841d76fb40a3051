// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The modal one-line input box: a prompt, a title, a field with default text, OK and Cancel.
#pragma once

#include <string>

#include "DesktopServices.h"

class QWidget;

namespace kovar {

// Shows the box over `owner` (which may be null) until the player answers: the typed text, empty
// when the player cancels, and what the field showed.
InputAnswer ShowInputBox(QWidget* owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultText);

}  // namespace kovar

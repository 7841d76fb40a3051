// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The modal one-line input box: a prompt, a title, a field with default text, OK and Cancel.
#pragma once

#include <windows.h>

#include <string>

#include "DesktopServices.h"

namespace kovar {

// Control numbers of the box, for whoever answers it (never 1 or 2 but for OK and Cancel).
inline constexpr int kInputPromptId = 101;
inline constexpr int kInputFieldId = 102;

// Shows the box over `owner` (which may be null) until the player answers: the typed text, empty
// when the player cancels (Cancel, Escape or the close box), and what the field showed.
InputAnswer ShowInputBox(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultText);

}  // namespace kovar

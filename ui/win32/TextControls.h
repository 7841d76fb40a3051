// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text in Windows controls as the core keeps it: bytes handed to the `A` functions, which show
// them in the system's ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace kovar {

// The text a window or control shows, as bytes.
std::string WindowText(HWND window);

// Keeps the line breaks that the player types or pastes out of a one-line edit field (a text box
// or the field of a combo box): a setting is one line of a command file.
void DropLineBreaks(HWND edit);

// The edit field of a combo box, and its list.
HWND ComboField(HWND combo);
HWND ComboList(HWND combo);

}  // namespace kovar

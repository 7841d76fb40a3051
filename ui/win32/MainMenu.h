// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu bar, built from the window description's menu table.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kovar {

// Menu item numbers: a row's number in the menu table, from this. None is 1 or 2 (IDOK and
// IDCANCEL), which Enter and Escape would trigger.
inline constexpr int kFirstMenuId = 2000;
constexpr int MenuId(std::size_t row) { return kFirstMenuId + static_cast<int>(row); }

// A new menu bar with every visible item of the table; an item that cannot be chosen is greyed.
HMENU CreateMainMenu();

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu bar, built from the window description's menu table.
#pragma once

#include <functional>

#include "WindowDescription.h"

class QMenuBar;

namespace kovar {

// Fills `bar` with every item of the table, hidden and greyed as the table says; an item chosen
// reports its command to `chosen`.
void BuildMainMenu(QMenuBar* bar, const std::function<void(MenuCommand)>& chosen);

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the launcher's windows, through Qt's accessibility (AT-SPI on
// Linux): each control named and given its role as its row in the window description says, the
// fields tied to the labels that caption them, the clickable images pressable like buttons, and
// the decoration left out.
#pragma once

#include <array>
#include <cstddef>

#include "WindowDescription.h"

class QWidget;

namespace kovar {

// Hands Qt the launcher's own accessible interfaces. Called before a window makes its controls,
// so that no control is first described by Qt's own interface; it runs once per program.
void InstallAccessibleInterfaces();

// Names and roles the controls of each window (`controls[i]` is the widget of the table's row i).
void MakeAccessible(
    const std::array<QWidget*, static_cast<std::size_t>(MainControl::Count)>& controls);
void MakeAccessible(
    const std::array<QWidget*, static_cast<std::size_t>(DebugControl::Count)>& controls);

// After `panel` was shown or hidden: a screen reader that keeps what it learnt of each object, as
// Orca does, is told that the panel came or went as a child of its window, so that it reads a
// panel shown afresh.
void PanelShownOrHidden(QWidget* panel);
// Presents a panel just shown by its name and its text, as a notification is presented.
void AnnouncePanel(QWidget* panel);

}  // namespace kovar

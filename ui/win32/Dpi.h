// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The screen scale each window is shown at. Windows tells it per monitor only since Windows 10,
// so those functions are looked up when the program runs: older systems still start it, at the
// system's one scale.
#pragma once

#include <windows.h>

// Sent from Windows 8.1 when a window moves to a monitor of another scale; XP's declarations
// lack it.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace kovar {

// The dots per inch of the monitor that shows `window` (the system's where Windows cannot tell).
int WindowDpi(HWND window);

// Sizes `window`'s frame so that its client area is `width` x `height` pixels at `dpi`, also
// where the menu bar takes another height than the frame's measure allowed for.
void FitClientArea(HWND window, int width, int height, int dpi);

// The frame size of a window of this style whose client area is `width` x `height` at `dpi`.
SIZE FrameSize(HWND window, int width, int height, int dpi);

// The system's message font, made for `dpi`, once, and kept for the program's life.
HFONT MessageFont(int dpi);

}  // namespace kovar

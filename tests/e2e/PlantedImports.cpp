// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A program that imports what Windows XP lacks, directly: the program check must refuse it.
#include <windows.h>
#include <dwmapi.h>

int main() {
  BOOL composed = FALSE;
  DwmIsCompositionEnabled(&composed);
  return static_cast<int>(GetTickCount64() + GetDpiForWindow(GetDesktopWindow()) + composed);
}

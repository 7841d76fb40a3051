// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Kovar Launcher's entry point on Windows: the common controls, and the run.
#include <windows.h>

#include <commctrl.h>

#include "LauncherApplication.h"
#include "LauncherProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  kovar::LauncherApplication app(kovar::ApplicationFiles({}, KOVAR_SYSTEM_LAYOUT));
  return app.Run();
}

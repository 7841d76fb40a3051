// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt program: the program's shell with Qt's desktop operations, its two windows, its event
// loop and every way the system or the desktop session asks the program to end.
#pragma once

#include "LauncherShell.h"
#include "ToolkitDesktop.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace kovar {

struct QtSkin {
  using Desktop = ToolkitDesktop;
  using Console = frmDebug;
  using Window = frmMain;
  static void MeetTheSystem(LauncherProgram& program, frmMain& window);
  static int EventLoop();
};

using LauncherApplication = LauncherShell<QtSkin>;

}  // namespace kovar

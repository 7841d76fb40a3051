// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program: the program's shell with the Windows desktop operations, its two windows
// and the message loop; the session's end, which reaches the main window as a message, is
// reported to the program's life.
#pragma once

#include <windows.h>

#include "LauncherShell.h"
#include "ToolkitDesktop.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace kovar {

struct Win32Skin {
  using Desktop = ToolkitDesktop;
  using Console = frmDebug;
  using Window = frmMain;
  static void MeetTheSystem(LauncherProgram& program, frmMain& window);
  static int EventLoop();
};

using LauncherApplication = LauncherShell<Win32Skin>;

// Hands one message to its window, with the dialog manager's keyboard handling (Tab, and Enter
// and Escape that no control answers).
void Dispatch(MSG& message);

}  // namespace kovar

// The Windows program's run: the core, its platform, the two windows, start-up and the message
// loop.
#pragma once

#include <string>

#include "Launcher.h"
#include "Win32Platform.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace kovar {

class LauncherApplication {
 public:
  // `files` says where the launcher's files lie. The windows exist, hidden, once this returns.
  explicit LauncherApplication(FileLocations files);
  LauncherApplication(const LauncherApplication&) = delete;
  LauncherApplication& operator=(const LauncherApplication&) = delete;

  Launcher& Core() { return launcher_; }
  frmMain& MainWindow() { return window_; }
  frmDebug& DebugWindow() { return console_; }

  // Start-up, then the message loop until the program ends. Returns the exit status.
  int Run();

  // Hands one message to its window, with the dialog manager's keyboard handling (Tab, and
  // Enter and Escape that no control answers).
  static void Dispatch(MSG& message);

 private:
  Win32Platform platform_;
  Launcher launcher_;
  frmDebug console_;
  frmMain window_;
};

}  // namespace kovar

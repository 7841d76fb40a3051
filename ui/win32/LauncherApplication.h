// The Windows program: its desktop operations and its two windows, handed to the program's life
// with the message loop; the session's end, which reaches the main window as a message, is
// reported to the program's life here.
#pragma once

#include <string>

#include "LauncherProgram.h"
#include "ToolkitDesktop.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace kovar {

class LauncherApplication {
 public:
  // `files` says where the launcher's files lie. The windows exist, hidden, once this returns.
  explicit LauncherApplication(FileLocations files);
  LauncherApplication(const LauncherApplication&) = delete;
  LauncherApplication& operator=(const LauncherApplication&) = delete;

  Launcher& Core() { return program_.Core(); }
  frmMain& MainWindow() { return window_; }
  frmDebug& DebugWindow() { return console_; }

  // Start-up, then the message loop until the program ends. Returns the exit status.
  int Run();

  // Hands one message to its window, with the dialog manager's keyboard handling (Tab, and
  // Enter and Escape that no control answers).
  static void Dispatch(MSG& message);

 private:
  ToolkitDesktop desktop_;
  LauncherProgram program_;
  frmDebug console_;
  frmMain window_;
};

}  // namespace kovar

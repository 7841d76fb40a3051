// The Qt program: its desktop operations and its two windows, handed to the program's life with
// the event loop and every way the system or the desktop session asks the program to end.
#pragma once

#include "FileLocations.h"
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
  LauncherProgram& Program() { return program_; }
  frmMain& MainWindow() { return window_; }
  frmDebug& DebugWindow() { return console_; }

  // Start-up, then the event loop until the program ends. Returns the exit status.
  int Run();

 private:
  ToolkitDesktop desktop_;
  LauncherProgram program_;
  // Made before start-up, so that the log holds every line from "exec auto.kvx" on; it stays
  // hidden unless its menu item is chosen.
  frmDebug console_;
  frmMain window_;
};

}  // namespace kovar

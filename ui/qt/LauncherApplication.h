// The program's life: the core, its desktop operations and the main window, start-up, the event
// loop and every way the program is asked to end, each saving the settings once.
#pragma once

#include <string>

#include "FileLocations.h"
#include "Launcher.h"
#include "QtPlatform.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace kovar {

class LauncherApplication {
 public:
  // `files`: the application directory, which holds the start script, the default settings and
  // the map catalogue, and where the player's own files are kept.
  explicit LauncherApplication(FileLocations files);
  LauncherApplication(const LauncherApplication&) = delete;
  LauncherApplication& operator=(const LauncherApplication&) = delete;

  // Starts up and runs the event loop; returns the program's exit status. When the start script
  // cannot be read the program ends at once, unsaved, with a non-zero status.
  int Run();

  frmMain& MainWindow() { return window_; }
  frmDebug& DebugWindow() { return console_; }

  // The desktop session asks for the player's data to be saved (a checkpoint, or a logout that
  // may still be cancelled): an extra save, with no box to wait on; the program goes on.
  void SessionSaveAsked();

 private:
  QtPlatform platform_;
  Launcher launcher_;
  // Made before start-up, so that the log holds every line from "exec auto.kvx" on; it stays
  // hidden unless its menu item is chosen.
  frmDebug console_;
  frmMain window_;
};

}  // namespace kovar

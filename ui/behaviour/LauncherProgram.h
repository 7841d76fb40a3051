// The program's life, once for every skin: the launcher over the skin's desktop, the two windows'
// wiring, start-up and its exit status, and where the launcher's files lie. A skin makes its
// event loop, its views and its mapping of the system's and the session's requests to end, and
// hands them over.
#pragma once

#include <functional>
#include <string>

#include "DebugConsole.h"
#include "FileLocations.h"
#include "Launcher.h"
#include "MainWindow.h"

namespace kovar {

class Desktop;

// The application folder: the executable's own (not a link's), else `toolkitFolder` (what the
// toolkit makes of it), else the current folder. The player's files are placed by `systemLayout`,
// which the build fixes.
FileLocations ApplicationFiles(const std::string& toolkitFolder, bool systemLayout);

class LauncherProgram {
 public:
  // The desktop must outlive the program. By default the maps are listed while the windows are
  // made.
  LauncherProgram(FileLocations files, Desktop& desktop, MapListing listing = MapListing::Ahead);
  LauncherProgram(const LauncherProgram&) = delete;
  LauncherProgram& operator=(const LauncherProgram&) = delete;

  Launcher& Core() { return launcher_; }
  // The two windows' behaviour, which the skin's views are made over and report to; the main
  // window's "Debug Window" item shows the console.
  MainWindow& Window() { return window_; }
  DebugConsole& Console() { return console_; }

  // Start-up, then `eventLoop` until the program ends. Returns the exit status: 1 when the start
  // script cannot be read (nothing is saved, no loop runs), 0 when the program ended during
  // start-up, otherwise the loop's. Both views must have been made.
  int Run(const std::function<int()>& eventLoop);

 private:
  Launcher launcher_;
  // Made before start-up, so that its log holds every line from the start script's on.
  DebugConsole console_;
  MainWindow window_;
};

}  // namespace kovar

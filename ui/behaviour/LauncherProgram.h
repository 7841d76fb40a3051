// The program's life, once for every skin: the launcher over the skin's desktop, the two windows'
// wiring, start-up and its exit status, and where the launcher's files lie. A skin makes its
// event loop, its views and its mapping of the system's and the session's requests to end, and
// hands them over.
#pragma once

#include <functional>
#include <string>

#include "FileLocations.h"
#include "Launcher.h"

namespace kovar {

class DebugConsole;
class DesktopPlatform;
class MainWindow;

// The application folder: the executable's own (not a link's), else `toolkitFolder` (what the
// toolkit makes of it), else the current folder. The player's files are placed by `systemLayout`,
// which the build fixes.
FileLocations ApplicationFiles(const std::string& toolkitFolder, bool systemLayout);

class LauncherProgram {
 public:
  // The platform must outlive the program. By default the maps are listed while the windows are
  // made.
  LauncherProgram(FileLocations files, DesktopPlatform& platform,
                  MapListing listing = MapListing::Ahead);
  LauncherProgram(const LauncherProgram&) = delete;
  LauncherProgram& operator=(const LauncherProgram&) = delete;

  Launcher& Core() { return launcher_; }

  // The skin's two windows, made over Core(): the main window's "Debug Window" item shows the
  // console. Both must outlive the program's run.
  void Attach(MainWindow& window, DebugConsole& console);

  // Start-up, then `eventLoop` until the program ends. Returns the exit status: 1 when the start
  // script cannot be read (nothing is saved, no loop runs), 0 when the program ended during
  // start-up, otherwise the loop's.
  int Run(const std::function<int()>& eventLoop);

 private:
  Launcher launcher_;
  MainWindow* window_ = nullptr;
};

}  // namespace kovar

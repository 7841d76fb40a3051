// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's life, once for every skin: the launcher over the skin's desktop, the two windows'
// wiring, and one state that start-up, a failed start, the player's end, the system's end and the
// session's save request move through; and where the launcher's files lie. A skin makes its event
// loop and its views, hands them over, and reports the system's and the session's requests here.
#pragma once

#include <functional>
#include <string>

#include "DebugBehaviour.h"
#include "FileLocations.h"
#include "Launcher.h"
#include "MainBehaviour.h"

namespace kovar {

class Desktop;

// The application folder: `fromExecutable` (a relative path, "." for a portable folder) from the
// executable's own folder (not a link's), else from `toolkitFolder` (what the toolkit makes of
// it), else the current folder. The player's files are placed by `systemLayout`. The build fixes
// both.
FileLocations ApplicationFiles(const std::string& toolkitFolder, bool systemLayout,
                               const std::string& fromExecutable = ".");

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
  MainBehaviour& WindowBehaviour() { return window_; }
  DebugBehaviour& ConsoleBehaviour() { return console_; }

  // Start-up, then `eventLoop` until the program ends. Returns the exit status: 1 when the start
  // script cannot be read (nothing is saved, no loop runs), 0 when the program ended during
  // start-up, otherwise the loop's. Both views must have been made.
  int Run(const std::function<int()>& eventLoop);

  // The player's end (the window closed, Exit): saves once, then the main window's view ends.
  void End();
  // The system or the desktop session ends the program: it saves once, and no box may wait for
  // a player who may be gone, also one that the player's own end is still showing.
  void SystemEnded();
  // The desktop session asks for the player's data to be saved (a checkpoint, or a logout that
  // may still be cancelled): an extra save, with no box to wait on; the program goes on.
  void SessionSaveAsked();

  // True once the end has begun: nothing but the end's save may run.
  bool Ended() const { return life_ == Life::Ending || life_ == Life::Ended; }

 private:
  // Where the program is in its life. Every way of ending moves it to Ended once.
  enum class Life {
    NotStarted,  // the views are being made
    Starting,    // start-up runs: the start script, the main window, the first run's prompt
    Running,     // the event loop runs
    Saving,      // the session's extra save runs; the program goes on after it
    Ending,      // the end's save runs, and may be showing its failure in a box
    Ended,       // nothing may run any more
  };

  void EndView();

  Desktop& desktop_;
  Launcher launcher_;
  // Made before start-up, so that its log holds every line from the start script's on.
  DebugBehaviour console_;
  MainBehaviour window_;
  Life life_ = Life::NotStarted;
};

}  // namespace kovar

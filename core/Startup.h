// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the lists, the start script auto.kvx, the main window, and the Quake directory
// prompt on a first run.
#pragma once

#include "ActionReport.h"
#include "CommandInterpreter.h"
#include "FileLocations.h"
#include "LauncherState.h"
#include "MapCatalogue.h"
#include "DesktopServices.h"
#include "Result.h"

namespace kovar {

class Startup {
 public:
  Startup(const FileLocations& files, LauncherState& state, DesktopServices& desktop,
          ActionReport& report, CommandInterpreter& interpreter, MapCatalogue& maps);

  // Runs "exec auto.kvx", shows the main window and asks for the Quake directory on a first
  // run; a per-user folder that is not used is shown in start-up's box. Fails when the start
  // script could not be read: the program must then end without saving, since nothing was loaded
  // that saving could keep.
  Result Main();

  // True once the start script has been read. Until then nothing of the player's is loaded, so
  // no way of ending the program may save.
  bool Started() const { return started_; }

  // Asks the player for the Quake directory; a non-empty answer becomes QuakeDir.
  void SetQuakeDir();

 private:
  const FileLocations& files_;
  LauncherState& state_;
  DesktopServices& desktop_;
  ActionReport& report_;
  CommandInterpreter& interpreter_;
  MapCatalogue& maps_;
  bool started_ = false;
};

}  // namespace kovar

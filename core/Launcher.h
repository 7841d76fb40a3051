// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher as the windows see it: its state and the operations a player's action starts,
// each handed to the part that does it. One object per run.
#pragma once

#include <string>

#include "ActionReport.h"
#include "CommandInterpreter.h"
#include "FileLocations.h"
#include "GameStarter.h"
#include "LauncherState.h"
#include "MapCatalogue.h"
#include "DesktopServices.h"
#include "Result.h"
#include "SettingsFiles.h"
#include "Startup.h"

namespace kovar {

// When the map folders are listed: as the lists are filled, or from the start on a thread of its
// own, while the windows are made (the programs do so; the lists are then filled with what the
// folders held when the launcher was made).
enum class MapListing { WhenFilled, Ahead };

class Launcher {
 public:
  // `files` names the application directory (the executable's, which holds the launcher's files)
  // and, when it cannot be written, the per-user folder of the player's own files.
  Launcher(FileLocations files, DesktopServices& desktop,
           MapListing listing = MapListing::WhenFilled);
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  LauncherState& State() { return state_; }
  const LauncherState& State() const { return state_; }

  // Each operation shows the player what failed, in one box, and returns the same failures.
  Result RunCommand(const std::string& line) { return interpreter_.RunCommand(line); }
  Result LoadMap() { return maps_.LoadMap(); }
  void FillLists() { maps_.FillLists(); }
  Result Main() { return startup_.Main(); }
  bool Started() const { return startup_.Started(); }
  void SetQuakeDir() { startup_.SetQuakeDir(); }
  Result SaveCFG() { return settings_.SaveCFG(); }
  Result StartGame() { return game_.StartGame(); }

 private:
  const FileLocations files_;
  LauncherState state_;
  ActionReport report_;
  MapCatalogue maps_;
  SettingsFiles settings_;
  CommandInterpreter interpreter_;
  Startup startup_;
  GameStarter game_;
};

}  // namespace kovar

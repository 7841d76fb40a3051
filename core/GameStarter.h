// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the game: the launch checks, the native launch script written among the player's own
// files, and the script started without waiting.
#pragma once

#include <string>

#include "ActionReport.h"
#include "FileLocations.h"
#include "LauncherState.h"
#include "DesktopServices.h"
#include "Result.h"

namespace kovar {

class GameStarter {
 public:
  GameStarter(const FileLocations& files, LauncherState& state, DesktopServices& desktop,
              ActionReport& report);

  // Builds the engine command line, writes the launch script and starts it. A refused or failed
  // launch is shown to the player.
  Result StartGame();

 private:
  Result WriteAndStart();

  const FileLocations& files_;
  LauncherState& state_;
  DesktopServices& desktop_;
  ActionReport& report_;
};

}  // namespace kovar

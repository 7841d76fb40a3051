// Starting the game: the launch checks, the native launch script written beside the launcher,
// and the script started without waiting.
#pragma once

#include <string>

#include "ActionReport.h"
#include "LauncherState.h"
#include "Platform.h"
#include "Result.h"

namespace kovar {

class GameStarter {
 public:
  GameStarter(const std::string& appDir, LauncherState& state, Platform& platform,
              ActionReport& report);

  // Builds the engine command line, writes the launch script and starts it. A refused or failed
  // launch is shown to the player.
  Result StartGame();

 private:
  Result WriteAndStart();

  const std::string& appDir_;
  LauncherState& state_;
  Platform& platform_;
  ActionReport& report_;
};

}  // namespace kovar

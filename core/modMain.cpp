// Start-up, the Quake directory prompt and the game launch.
#include "Launcher.h"

namespace kovar {

bool Launcher::Main() {
  FillLists();
  {
    // Failures of the start script are shown once the main window is up.
    Action action(*this);
    // The line is logged and run as any other, but an unreadable start script ends start-up:
    // nothing was loaded, and saving now would overwrite the player's files with defaults.
    const std::string line = "exec auto.kvx";
    state_.AppendLog(line);
    if (Exec(line.substr(5)) == ExecResult::NotOpened) {
      Fail("Kovar Launcher cannot start without its start script.");
      return false;
    }
    platform_.ShowMainWindow();
  }
  if (state_.Text(TextField::FirstRun) == "True") SetQuakeDir();
  return true;
}

void Launcher::SetQuakeDir() {
  std::string answer = platform_.InputBox("Enter Quake Path", "Set Quake Directory",
                                          state_.Text(TextField::QuakeDir));
  if (!answer.empty()) state_.SetText(TextField::QuakeDir, std::move(answer));
}

bool Launcher::StartGame() {
  Action action(*this);
  Fail("Starting the game is not available in this build yet.");
  return true;
}

}  // namespace kovar

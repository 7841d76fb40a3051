// Start-up, the Quake directory prompt and the game launch.
#include "Launcher.h"

#include <utility>

#include "GameLaunch.h"

namespace kovar {

bool Launcher::Main() {
  FillLists();
  {
    // Failures of the start script are shown once the main window is up.
    Action action(*this);
    // The line is logged and run as any other, but an unreadable start script ends start-up:
    // nothing was loaded, and saving now would overwrite the player's files with defaults.
    const std::string line = "exec auto.kvx";
    BeginCommand();
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
  const LaunchChoices choices{
      state_.Text(TextField::EngineText), state_.Text(TextField::MapSelection),
      state_.Text(TextField::MapLevel),   state_.Text(TextField::CustomParams),
      state_.Text(TextField::QuakeDir),   state_.SelectedMapFailed()};
  if (std::string refusal = LaunchRefusal(choices, kNativeFlavour); !refusal.empty()) {
    Fail(std::move(refusal));
    return true;
  }
  const std::string scriptPath = files_.OwnFile(LaunchScriptName(kNativeFlavour));
  if (std::string why = files_.PrepareOwnFolder(); !why.empty()) {
    Fail("Could not write the launch script \"" + scriptPath + "\": " + why +
         ". The game was not started.");
    return true;
  }
#ifdef _WIN32
  const std::string script = WindowsLaunchScript(choices);
#else
  // The command interpreter runs a program from the current directory first; the shell does not.
  const bool engineInQuakeDir =
      IsBareFileName(choices.engine) && IsRegularFile(choices.quakeDir + '/' + choices.engine);
  const std::string script = LinuxLaunchScript(choices, engineInQuakeDir);
#endif
  if (std::string why =
          WriteFileAtomically(scriptPath, script, kNativeFlavour == ScriptFlavour::Linux);
      !why.empty()) {
    Fail("Could not write the launch script \"" + scriptPath + "\": " + why +
         ". The old script was left as it was, and the game was not started.");
    return true;
  }
  if (std::string why = platform_.StartScript(scriptPath); !why.empty()) {
    Fail("Could not start the launch script \"" + scriptPath + "\": " + why + ".");
    return true;
  }
  return action.Failed();
}

}  // namespace kovar

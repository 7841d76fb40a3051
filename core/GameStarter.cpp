// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// StartGame.
#include "GameStarter.h"

#include "FileSystem.h"
#include "GameLaunch.h"
#include "ScriptStarter.h"

namespace kovar {

namespace {

// The choices as run.bat must hold them for the command interpreter to read them back, or the
// message that names the text and the character it could not read.
Result ToScriptChoices(LaunchChoices& choices) {
  const struct {
    const char* name;
    const char* holds;
    std::string& value;
    const char* remedy;
  } texts[] = {
      {"Quake directory", "holds", choices.quakeDir,
       "Rename the folder, or choose another with \"Set Quake Directory\" in the Tools menu."},
      {"engine", "holds", choices.engine, "Choose another engine in the engine box."},
      {"custom parameters", "hold", choices.customParams, "Remove it from the custom parameters."},
  };
  for (const auto& text : texts) {
    Expected<std::string> carried = ToScriptText(text.value);
    if (carried.failed()) {
      return carried.failure().Reworded(std::string("The game was not started: the ") + text.name +
                                        " \"" + text.value + "\" " + text.holds + " " +
                                        carried.reason() + ". " + text.remedy);
    }
    text.value = std::move(carried).value();
  }
  return Result::Ok();
}

}  // namespace

GameStarter::GameStarter(const FileLocations& files, LauncherState& state, DesktopServices& desktop,
                         ActionReport& report)
    : files_(files), state_(state), desktop_(desktop), report_(report) {}

Result GameStarter::StartGame() {
  ActionReport::Action action(report_);
  if (Result started = WriteAndStart(); started.failed()) report_.Fail(started.failure());
  return action.End();
}

Result GameStarter::WriteAndStart() {
  // The map box's text tells whether a map is chosen; the level is the one of the map loaded last,
  // whatever the box holds now.
  const LoadedMap& map = state_.Map();
  const LaunchChoices choices{state_.Text(TextField::EngineText),
                              state_.Text(TextField::MapSelection),
                              map.level,
                              state_.Text(TextField::CustomParams),
                              state_.Text(TextField::QuakeDir),
                              map.failure.has_value()};
  if (Result allowed = CheckLaunch(choices, NativeSystem()); allowed.failed()) return allowed;
  std::string script;
  ScriptTarget target{choices.quakeDir, {}};
  if (NativeSystem() == ScriptFlavour::Windows) {
    LaunchChoices scriptChoices = choices;
    if (Result carried = ToScriptChoices(scriptChoices); carried.failed()) return carried;
    script = WindowsLaunchScript(scriptChoices);
  } else {
    // The command interpreter runs a program from the current directory first; the shell does
    // not.
    const bool engineInQuakeDir =
        IsBareFileName(choices.engine) && IsRegularFile(choices.quakeDir + '/' + choices.engine);
    script = LinuxLaunchScript(choices, engineInQuakeDir);
    target.engine = LinuxEngineProgram(choices, engineInQuakeDir);
  }
  const LocatedFile scriptFile = files_.OwnFile(LaunchScriptName(NativeSystem()));
  const std::string& scriptPath = scriptFile.path;
  if (Result folder = files_.PrepareOwnFolder(); folder.failed()) {
    return folder.failure().Reworded("Could not write the launch script \"" + scriptPath +
                                     "\": " + folder.reason() + ". The game was not started.");
  }
  if (Result written =
          files_.WriteAtomically(scriptFile, script, NativeSystem() == ScriptFlavour::Linux);
      written.failed()) {
    return written.failure().Reworded(
        "Could not write the launch script \"" + scriptPath + "\": " + written.reason() +
        ". The old script was left as it was, and the game was not started.");
  }
  // The text just written, so that the shell runs what was written to the folder that was checked.
  target.text = std::move(script);
  if (Result started = desktop_.StartScript(scriptPath, target); started.failed()) {
    return started.failure().Reworded("Could not start the launch script \"" + scriptPath +
                                      "\": " + started.reason() + ".");
  }
  return Result::Ok();
}

}  // namespace kovar

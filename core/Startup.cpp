// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Main and SetQuakeDir.
#include "Startup.h"

#include <string>
#include <utility>

namespace kovar {

Startup::Startup(const FileLocations& files, LauncherState& state, DesktopServices& desktop,
                 ActionReport& report, CommandInterpreter& interpreter, MapCatalogue& maps)
    : files_(files),
      state_(state),
      desktop_(desktop),
      report_(report),
      interpreter_(interpreter),
      maps_(maps) {}

Result Startup::Main() {
  maps_.FillLists();
  ActionReport::Action action(report_);
  if (const Result& checked = files_.OwnFolderCheck(); checked.failed()) {
    report_.Fail(checked.failure().Reworded(
        "Your own launcher settings are not read: " + checked.reason() +
        ". Until then the launcher's installed settings are used, and nothing is saved or started "
        "from that folder."));
  }
  // The line is logged and run as any other, but an unreadable start script ends start-up.
  if (const Result ran = interpreter_.RunStartScript("auto.kvx"); ran.failed()) {
    report_.Fail(ran.failure().Reworded("Kovar Launcher cannot start without its start script."));
    return action.End();
  }
  started_ = true;
  desktop_.ShowMainWindow();
  // The start script's other failures are shown once the main window is up; they do not end
  // start-up.
  (void)action.End();
  if (state_.Text(TextField::FirstRun) == "True") SetQuakeDir();
  return Result::Ok();
}

void Startup::SetQuakeDir() {
  const std::string given = state_.Text(TextField::QuakeDir);
  InputAnswer answer = desktop_.InputBox("Enter Quake Path", "Set Quake Directory", given);
  if (answer.text.empty()) return;
  // An answer the player left as it was shown keeps the exact bytes it was given.
  state_.SetText(TextField::QuakeDir, answer.text == answer.shown ? given : std::move(answer.text));
}

}  // namespace kovar

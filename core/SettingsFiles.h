// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files: config.kvx (engine, map, parameters) and settings.kvx (first-run flag,
// Quake directory), written on exit, and never over a file that could not be read at start.
#pragma once

#include <string>
#include <vector>

#include "ActionReport.h"
#include "FileLocations.h"
#include "LauncherState.h"
#include "Result.h"

namespace kovar {

class SettingsFiles {
 public:
  SettingsFiles(const FileLocations& files, LauncherState& state, ActionReport& report);

  // `file` exists but could not be read whole: when it is the settings file a save would write,
  // saving must not replace it in this run.
  void NoteUnreadable(const LocatedFile& file);
  // `file` was read whole.
  void NoteRead(const LocatedFile& file);
  // The start script was cut short by a command's bounds: a settings file it did not read whole
  // may hold settings that were never loaded, so saving must not replace it in this run.
  void NoteStartCutShort();

  // Writes config.kvx and then settings.kvx; the player is shown what failed.
  Result SaveCFG();

 private:
  Result SaveFile(const std::string& name, const std::vector<std::string>& lines,
                  bool unreadable) const;

  const FileLocations& files_;
  LauncherState& state_;
  ActionReport& report_;
  bool configUnreadable_ = false;
  bool settingsUnreadable_ = false;
  bool configRead_ = false;
  bool settingsRead_ = false;
};

}  // namespace kovar

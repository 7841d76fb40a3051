// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command language of the launcher's files and of the debug console: one command a line,
// `exec`, `exe`, `map`, `cpar`, `quakedir` and `frun`; anything else is a comment.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ActionReport.h"
#include "CommandBudget.h"
#include "FileLocations.h"
#include "FileSystem.h"
#include "LauncherState.h"
#include "MapCatalogue.h"
#include "Result.h"
#include "SettingsFiles.h"

namespace kovar {

class CommandInterpreter {
 public:
  CommandInterpreter(const FileLocations& files, LauncherState& state, ActionReport& report,
                     MapCatalogue& maps, SettingsFiles& settings);

  // True when `line` begins with `keyword` followed by one space (exact, case-sensitive).
  static bool IsCommand(const std::string& line, const std::string& keyword);

  // Executes one command line: logs it, then runs it. Its failures are shown to the player in
  // one box when it ends.
  Result RunCommand(const std::string& line);

  // Logs and runs "exec " and `name` as a top-level command within the action in progress.
  // Fails only when the file could not be opened at all (which the action also reports).
  Result RunStartScript(const std::string& name);

 private:
  void Execute(const std::string& line);
  Result Exec(const std::string& argument);
  void RunLines(std::FILE* file, const LocatedFile& located);

  const FileLocations& files_;
  LauncherState& state_;
  ActionReport& report_;
  MapCatalogue& maps_;
  SettingsFiles& settings_;

  // The chain of command files being executed, and what the top-level command has run so far.
  std::vector<FileId> chain_;
  std::size_t depth_ = 0;
  CommandBudget budget_;
};

}  // namespace kovar

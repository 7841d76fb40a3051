// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, its exit status, and the application folder.
#include "LauncherProgram.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "Desktop.h"
#include "Environment.h"

namespace kovar {

FileLocations ApplicationFiles(const std::string& toolkitFolder, bool systemLayout,
                               const std::string& fromExecutable) {
  std::string folder = ExecutableDirectory();
  if (folder.empty()) folder = toolkitFolder;
  // Shown in messages as the folder it is (/usr/share/games/kovar-launcher), not the way there.
  if (!folder.empty() && fromExecutable != ".") {
    folder = (std::filesystem::path(folder) / fromExecutable).lexically_normal().string();
  }
  if (folder.empty()) {
    std::error_code error;
    folder = std::filesystem::current_path(error).string();
  }
  return FileLocations::Choose(std::move(folder), CurrentUserEnvironment(),
                               systemLayout ? InstallLayout::System : InstallLayout::Portable);
}

LauncherProgram::LauncherProgram(FileLocations files, Desktop& desktop, MapListing listing)
    : desktop_(desktop),
      launcher_(std::move(files), desktop, listing),
      console_(launcher_),
      window_(*this, desktop) {
  window_.SetConsole(&console_);
}

int LauncherProgram::Run(const std::function<int()>& eventLoop) {
  life_ = Life::Starting;
  const bool failed = launcher_.Main().failed();
  // An end asked for during start-up (a signal while the Quake directory prompt was open) has
  // already saved.
  const bool endedDuringStart = life_ == Life::Ended;
  if (failed || endedDuringStart) {
    life_ = Life::Ended;
    return failed ? 1 : 0;
  }
  life_ = Life::Running;
  return eventLoop();
}

void LauncherProgram::End() {
  if (Ended()) return;
  life_ = Life::Ending;
  // A start that failed read none of the player's files: saving would put defaults over them.
  // What could not be saved has been shown; the program ends all the same.
  if (launcher_.Started()) (void)launcher_.SaveCFG();
  // The system's end, arriving while the save's box was open, has already ended the view.
  if (life_ == Life::Ending) EndView();
}

void LauncherProgram::SystemEnded() {
  desktop_.ReportErrorsOnStandardError(true);
  // A save under way is not waited for (the end's may be showing a box): the view ends now.
  if (life_ == Life::Saving || life_ == Life::Ending) return EndView();
  End();
}

void LauncherProgram::SessionSaveAsked() {
  if (Ended() || life_ == Life::Saving || !launcher_.Started()) return;
  const Life before = life_;
  life_ = Life::Saving;
  desktop_.ReportErrorsOnStandardError(true);
  (void)launcher_.SaveCFG();
  // The system's end may have come while it saved: that end holds.
  if (life_ != Life::Saving) return;
  desktop_.ReportErrorsOnStandardError(false);
  life_ = before;
}

void LauncherProgram::EndView() {
  if (life_ == Life::Ended) return;
  life_ = Life::Ended;
  window_.EndView();
}

}  // namespace kovar

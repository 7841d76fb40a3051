// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// SaveCFG: the two settings files, each written atomically, one value a line.
#include "SettingsFiles.h"

#include "FileSystem.h"
#include "LineReader.h"

namespace kovar {

SettingsFiles::SettingsFiles(const FileLocations& files, LauncherState& state, ActionReport& report)
    : files_(files), state_(state), report_(report) {}

void SettingsFiles::NoteUnreadable(const LocatedFile& file) {
  if (files_.SameFile(file, files_.OwnFile("config.kvx"))) configUnreadable_ = true;
  if (files_.SameFile(file, files_.OwnFile("settings.kvx"))) settingsUnreadable_ = true;
}

void SettingsFiles::NoteRead(const LocatedFile& file) {
  if (files_.SameFile(file, files_.OwnFile("config.kvx"))) configRead_ = true;
  if (files_.SameFile(file, files_.OwnFile("settings.kvx"))) settingsRead_ = true;
}

void SettingsFiles::NoteStartCutShort() {
  if (!configRead_ && files_.HasEntry(files_.OwnFile("config.kvx"))) configUnreadable_ = true;
  if (!settingsRead_ && files_.HasEntry(files_.OwnFile("settings.kvx"))) {
    settingsUnreadable_ = true;
  }
}

Result SettingsFiles::SaveCFG() {
  ActionReport::Action action(report_);
  std::vector<std::string> config = {"exe " + state_.Text(TextField::EngineText)};
  if (!state_.Text(TextField::MapSelection).empty()) {
    config.push_back("map " + state_.Text(TextField::MapSelection));
  }
  config.push_back("cpar " + state_.Text(TextField::CustomParams));
  if (Result saved = SaveFile("config.kvx", config, configUnreadable_); saved.failed()) {
    report_.Fail(saved.failure());
  }
  if (Result saved =
          SaveFile("settings.kvx", {"frun false", "quakedir " + state_.Text(TextField::QuakeDir)},
                   settingsUnreadable_);
      saved.failed()) {
    report_.Fail(saved.failure());
  }
  return action.End();
}

Result SettingsFiles::SaveFile(const std::string& name, const std::vector<std::string>& lines,
                               bool unreadable) const {
  const LocatedFile file = files_.OwnFile(name);
  const std::string& path = file.path;
  if (unreadable) {
    return Result::Failure(
        FailureKind::Refused,
        "The settings file \"" + path +
            "\" was left as it is: it could not be read when the launcher started, and saving over "
            "it would lose the settings it holds.");
  }
  std::string contents;
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) {
      return Result::Failure(FailureKind::Refused, "The settings file \"" + path +
                                                       "\" was not saved: the line \"" +
                                                       line.substr(0, line.find_first_of("\r\n")) +
                                                       "...\" holds a line break.");
    }
    // Written, it would be skipped at the next start, and the file then kept from every save.
    if (line.size() > kMaxLineBytes) {
      return Result::Failure(FailureKind::TooLarge,
                             "The settings file \"" + path + "\" was not saved: the line \"" +
                                 line.substr(0, 40) + "...\" is longer than " +
                                 std::to_string(kMaxLineBytes / 1024) +
                                 " KiB, too long to be read back.");
    }
    contents += line;
    contents += "\r\n";
  }
  if (Result folder = files_.PrepareOwnFolder(); folder.failed()) {
    return folder.failure().Reworded("Could not save the settings file \"" + path +
                                     "\": " + folder.reason() + ".");
  }
  if (Result written = files_.WriteAtomically(file, contents); written.failed()) {
    return written.failure().Reworded("Could not save the settings file \"" + path + "\": " +
                                      written.reason() + ". The old file was left as it was.");
  }
  return Result::Ok();
}

}  // namespace kovar

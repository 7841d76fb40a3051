// The launcher object: its failure reporting, the engine list and the settings files.
#include "Launcher.h"

#include <utility>

#include "LineReader.h"

namespace kovar {

namespace {

// More failures than this in one action are counted rather than listed.
constexpr std::size_t kMaxListedFailures = 12;

}  // namespace

Launcher::Action::Action(Launcher& launcher)
    : launcher_(launcher), before_(launcher.failures_.size()) {
  ++launcher_.actionDepth_;
  launcher_.state_.HoldTextChanges();
}

Launcher::Action::~Action() {
  // The windows show the action's outcome before any failure of it is shown.
  launcher_.state_.ReleaseTextChanges();
  if (--launcher_.actionDepth_ > 0 || launcher_.failures_.empty()) return;
  std::vector<std::string> failures = std::move(launcher_.failures_);
  launcher_.failures_.clear();
  std::string message;
  for (std::size_t i = 0; i < failures.size() && i < kMaxListedFailures; ++i) {
    if (i > 0) message += '\n';
    message += failures[i];
  }
  if (failures.size() > kMaxListedFailures) {
    message +=
        "\n... and " + std::to_string(failures.size() - kMaxListedFailures) + " more failures.";
  }
  launcher_.platform_.ShowError(message);
}

Launcher::Launcher(FileLocations files, Platform& platform)
    : appDir_(files.AppDir()), files_(std::move(files)), platform_(platform) {}

const std::vector<std::string>& Launcher::EngineNames() {
  static const std::vector<std::string> names = {"LucidGL.exe", "GLQuake.exe", "Quake.exe",
                                                 "WinQuake.exe", "VQuake.exe"};
  return names;
}

void Launcher::Fail(std::string message) { failures_.push_back(std::move(message)); }

void Launcher::NoteUnreadable(const std::string& path) {
  if (SameFile(path, files_.OwnFile("config.kvx"))) configUnreadable_ = true;
  if (SameFile(path, files_.OwnFile("settings.kvx"))) settingsUnreadable_ = true;
}

bool Launcher::SaveCFG() {
  Action action(*this);
  std::vector<std::string> config = {"exe " + state_.Text(TextField::EngineText)};
  if (!state_.Text(TextField::MapSelection).empty()) {
    config.push_back("map " + state_.Text(TextField::MapSelection));
  }
  config.push_back("cpar " + state_.Text(TextField::CustomParams));
  SaveFile("config.kvx", config, configUnreadable_);
  SaveFile("settings.kvx", {"frun false", "quakedir " + state_.Text(TextField::QuakeDir)},
           settingsUnreadable_);
  return action.Failed();
}

bool Launcher::SaveFile(const std::string& name, const std::vector<std::string>& lines,
                        bool unreadable) {
  const std::string path = files_.OwnFile(name);
  if (unreadable) {
    Fail("The settings file \"" + path +
         "\" was left as it is: it could not be read when the launcher started, and saving over "
         "it would lose the settings it holds.");
    return false;
  }
  std::string contents;
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) {
      Fail("The settings file \"" + path + "\" was not saved: the line \"" +
           line.substr(0, line.find_first_of("\r\n")) + "...\" holds a line break.");
      return false;
    }
    // Written, it would be skipped at the next start, and the file then kept from every save.
    if (line.size() > kMaxLineBytes) {
      Fail("The settings file \"" + path + "\" was not saved: the line \"" + line.substr(0, 40) +
           "...\" is longer than " + std::to_string(kMaxLineBytes / 1024) +
           " KiB, too long to be read back.");
      return false;
    }
    contents += line;
    contents += "\r\n";
  }
  if (std::string why = files_.PrepareOwnFolder(); !why.empty()) {
    Fail("Could not save the settings file \"" + path + "\": " + why + ".");
    return false;
  }
  if (std::string why = WriteFileAtomically(path, contents); !why.empty()) {
    Fail("Could not save the settings file \"" + path + "\": " + why +
         ". The old file was left as it was.");
    return false;
  }
  return true;
}

}  // namespace kovar

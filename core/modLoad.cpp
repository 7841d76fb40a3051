// The command interpreter and the map catalogue: RunCommand, IsCommand, LoadMap and the map scan.
#include "Launcher.h"

#include <algorithm>

#include "BmpCheck.h"
#include "LineReader.h"
#include "Paths.h"

namespace kovar {

namespace {

// Bounds on `exec`: far beyond any real start script, well inside the stack and open-file limits.
constexpr std::size_t kMaxExecDepth = 64;
constexpr std::size_t kMaxFilesPerCommand = 4096;
// Bounds on what one command runs in all, which the log keeps: ten times the longest command file
// the launcher is measured with, and far beyond any real one.
constexpr std::size_t kMaxLinesPerCommand = 1000000;
constexpr std::size_t kMaxBytesPerCommand = 64 * 1024 * 1024;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

bool Launcher::IsCommand(const std::string& line, const std::string& keyword) {
  return line.size() > keyword.size() && line.compare(0, keyword.size(), keyword) == 0 &&
         line[keyword.size()] == ' ';
}

bool Launcher::RunCommand(const std::string& line) {
  if (execDepth_ == 0) BeginCommand();
  Action action(*this);
  Execute(line);
  return action.Failed();
}

void Launcher::BeginCommand() {
  filesOpened_ = 0;
  linesRun_ = 0;
  bytesRun_ = 0;
  budgetSpent_ = false;
}

void Launcher::Execute(const std::string& line) {
  state_.AppendLog(line);
  // Each keyword is tested on its own, in this order; no line can match two of them.
  if (IsCommand(line, "exec")) Exec(line.substr(5));
  if (IsCommand(line, "exe")) state_.SetText(TextField::EngineText, line.substr(4));
  if (IsCommand(line, "map")) {
    state_.SetText(TextField::MapSelection, line.substr(4));
    LoadMapInfo();
  }
  if (IsCommand(line, "cpar")) state_.SetText(TextField::CustomParams, line.substr(5));
  if (IsCommand(line, "quakedir")) state_.SetText(TextField::QuakeDir, line.substr(9));
  if (IsCommand(line, "frun")) state_.SetText(TextField::FirstRun, line.substr(5));
}

Launcher::ExecResult Launcher::Exec(const std::string& argument) {
  const std::string path = files_.ExecPath(argument);
  if (execDepth_ >= kMaxExecDepth) {
    Fail("The command file " + Quoted(path) + " was not run: command files are nested more than " +
         std::to_string(kMaxExecDepth) + " deep.");
    return ExecResult::NotOpened;
  }
  if (filesOpened_ >= kMaxFilesPerCommand) {
    Fail("The command file " + Quoted(path) + " was not run: one command has already run " +
         std::to_string(kMaxFilesPerCommand) + " command files.");
    return ExecResult::NotOpened;
  }
  InputFile file;
  if (std::string why = file.Open(path); !why.empty()) {
    NoteUnreadable(path);
    Fail("Could not run the command file " + Quoted(path) + ": " + why + ".");
    return ExecResult::NotOpened;
  }
  FileId id;
  const bool known = file.Id(id);
  if (known && std::find(execChain_.begin(), execChain_.end(), id) != execChain_.end()) {
    Fail("The command file " + Quoted(path) +
         " was not run again: it is already running (it executes itself, directly or through "
         "other command files).");
    return ExecResult::NotOpened;
  }
  ++filesOpened_;
  ++execDepth_;
  if (known) execChain_.push_back(id);
  LineReader reader(file.Get());
  std::string line;
  for (std::size_t number = 1; !budgetSpent_ && reader.Next(line); ++number) {
    bytesRun_ += line.size() + 1;
    if (++linesRun_ > kMaxLinesPerCommand || bytesRun_ > kMaxBytesPerCommand) {
      budgetSpent_ = true;
      Fail("The command file " + Quoted(path) + " was stopped at its line " +
           std::to_string(number) + ": one command may run at most " +
           std::to_string(kMaxLinesPerCommand) + " lines and " +
           std::to_string(kMaxBytesPerCommand / (1024 * 1024)) + " MiB of command files.");
      break;
    }
    if (reader.TooLong()) {
      // Saving over a settings file would lose the line; the lines after it still run.
      NoteUnreadable(path);
      Fail("Line " + std::to_string(number) + " of the command file " + Quoted(path) +
           " was skipped: it is longer than " + std::to_string(kMaxLineBytes / 1024) + " KiB.");
      continue;
    }
    Execute(line);
  }
  if (known) execChain_.pop_back();
  --execDepth_;
  // Cut short, the file still holds settings that saving over it would lose.
  if (budgetSpent_) NoteUnreadable(path);
  if (reader.Error() != 0) {
    NoteUnreadable(path);
    Fail("Reading the command file " + Quoted(path) +
         " failed part-way: " + SystemError(reader.Error()) + ".");
    return ExecResult::ReadFailed;
  }
  return ExecResult::Ran;
}

bool Launcher::LoadMap() {
  Action action(*this);
  LoadMapInfo();
  return action.Failed();
}

void Launcher::LoadMapInfo() {
  const std::string name = state_.Text(TextField::MapSelection);
  state_.SetText(TextField::MapTitle, name);

  const std::string infoPath = MapFilePath(appDir_, name, ".kvx");
  std::string level;
  std::string description;
  {
    InputFile file;
    std::string why = file.Open(infoPath);
    if (why.empty()) {
      LineReader reader(file.Get());
      const std::string tooLong =
          " is longer than " + std::to_string(kMaxLineBytes / 1024) + " KiB";
      if (!reader.Next(level)) {
        why = reader.Error() ? SystemError(reader.Error()) : "the file is empty";
      } else if (reader.TooLong()) {
        why = "its first line, the level name," + tooLong;
      } else if (!reader.Next(description)) {
        why = reader.Error() ? SystemError(reader.Error())
                             : "it has only one line, but needs the level name and a description";
      } else if (reader.TooLong()) {
        why = "its second line, the description," + tooLong;
      }
    }
    if (!why.empty()) {
      // A map that did not load must not be launched with the level of the one before it.
      state_.SetText(TextField::MapLevel, {});
      state_.SetText(TextField::MapDescription, {});
      platform_.SetPreview({});
      state_.SetSelectedMapFailed(true);
      Fail("Could not load the map " + Quoted(name) + " from its info file " + Quoted(infoPath) +
           ": " + why + ".");
      return;
    }
  }
  state_.SetText(TextField::MapLevel, std::move(level));
  state_.SetText(TextField::MapDescription, std::move(description));
  state_.SetSelectedMapFailed(false);

  // No caching: every load reads the picture again, as the map pack may have changed it.
  const std::string picturePath = MapFilePath(appDir_, name, ".bmp");
  std::string bytes;
  std::string why = ReadFile(picturePath, kMaxPreviewBytes, bytes);
  if (why.empty()) why = CheckBmp(bytes);
  if (why.empty()) why = platform_.SetPreview(bytes);
  if (!why.empty()) {
    platform_.SetPreview({});
    Fail("Could not show the preview of the map " + Quoted(name) + " from " + Quoted(picturePath) +
         ": " + why + ".");
  }
}

void Launcher::FillLists() {
  if (listsFilled_) return;
  listsFilled_ = true;
  state_.SetList(ListField::EngineList, EngineNames());
  std::vector<std::string> names = ListMapInfoFiles(AppPath(appDir_, "data"));
  for (std::string& name : names) name.resize(name.size() - 4);
  state_.SetList(ListField::MapList, std::move(names));
}

}  // namespace kovar

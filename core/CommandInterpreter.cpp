// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// RunCommand, IsCommand and `exec`: nested command files within the bounds of one command.
#include "CommandInterpreter.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "LineReader.h"

namespace kovar {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

CommandInterpreter::CommandInterpreter(const FileLocations& files, LauncherState& state,
                                       ActionReport& report, MapCatalogue& maps,
                                       SettingsFiles& settings)
    : files_(files), state_(state), report_(report), maps_(maps), settings_(settings) {}

bool CommandInterpreter::IsCommand(const std::string& line, const std::string& keyword) {
  return line.size() > keyword.size() && line.compare(0, keyword.size(), keyword) == 0 &&
         line[keyword.size()] == ' ';
}

Result CommandInterpreter::RunCommand(const std::string& line) {
  if (depth_ == 0) budget_.Reset();
  ActionReport::Action action(report_);
  Execute(line);
  if (depth_ == 0) maps_.ShowSelectedPreview();
  return action.End();
}

Result CommandInterpreter::RunStartScript(const std::string& name) {
  const std::string line = "exec " + name;
  budget_.Reset();
  state_.AppendLog(line);
  const Result ran = Exec(name);
  maps_.ShowSelectedPreview();
  if (budget_.Spent()) settings_.NoteStartCutShort();
  return ran;
}

void CommandInterpreter::Execute(const std::string& line) {
  state_.AppendLog(line);
  // Each keyword is tested on its own, in this order; no line can match two of them.
  if (IsCommand(line, "exec")) (void)Exec(line.substr(5));
  if (IsCommand(line, "exe")) state_.SetText(TextField::EngineText, line.substr(4));
  if (IsCommand(line, "map")) {
    state_.SetText(TextField::MapSelection, line.substr(4));
    maps_.LoadSelectedMap();
  }
  if (IsCommand(line, "cpar")) state_.SetText(TextField::CustomParams, line.substr(5));
  if (IsCommand(line, "quakedir")) state_.SetText(TextField::QuakeDir, line.substr(9));
  if (IsCommand(line, "frun")) state_.SetText(TextField::FirstRun, line.substr(5));
}

Result CommandInterpreter::Exec(const std::string& argument) {
  const LocatedFile located = files_.ExecFile(argument);
  const std::string& path = located.path;
  auto notRun = [this](Failure failure) {
    report_.Fail(failure);
    return Result(std::move(failure));
  };
  if (budget_.TooDeep(depth_)) {
    return notRun(
        Failure(FailureKind::TooLarge, "The command file " + Quoted(path) +
                                           " was not run: command files are nested more than " +
                                           std::to_string(CommandBudget::kMaxDepth) + " deep."));
  }
  if (budget_.OutOfFiles()) {
    return notRun(Failure(FailureKind::TooLarge, "The command file " + Quoted(path) +
                                                     " was not run: one command has already run " +
                                                     std::to_string(CommandBudget::kMaxFiles) +
                                                     " command files."));
  }
  InputFile file;
  if (Result opened = files_.Open(located, file); opened.failed()) {
    settings_.NoteUnreadable(located);
    return notRun(opened.failure().Reworded("Could not run the command file " + Quoted(path) +
                                            ": " + opened.reason() + "."));
  }
  const std::optional<FileId> id = file.Id();
  if (id && std::find(chain_.begin(), chain_.end(), *id) != chain_.end()) {
    return notRun(Failure(FailureKind::Refused,
                          "The command file " + Quoted(path) +
                              " was not run again: it is already running (it executes itself, "
                              "directly or through other command files)."));
  }
  budget_.CountFile();
  ++depth_;
  if (id) chain_.push_back(*id);
  RunLines(file.Get(), located);
  if (id) chain_.pop_back();
  --depth_;
  return Result::Ok();
}

void CommandInterpreter::RunLines(std::FILE* file, const LocatedFile& located) {
  const std::string& path = located.path;
  LineReader reader(file);
  const auto stopped = [&](std::size_t number) {
    report_.Fail(Failure(FailureKind::TooLarge,
                         "The command file " + Quoted(path) + " was stopped at its line " +
                             std::to_string(number) + ": one command may run at most " +
                             std::to_string(CommandBudget::kMaxLines) + " lines and " +
                             std::to_string(CommandBudget::kMaxBytes / (1024 * 1024)) +
                             " MiB of command files."));
  };
  // The files this one runs spend the same budget, so what it may read is asked at every line; a
  // line too long to keep is skipped no further than that either.
  const auto next = [&] {
    const std::uint64_t before = reader.Read();
    reader.LimitTo(before + budget_.ReadAllowance());
    Expected<std::optional<std::string>> read = reader.Next();
    budget_.CountRead(reader.Read() - before);
    return read;
  };
  // Why the reading ended before the end of the file: the budget, or the system.
  std::optional<Failure> ended;
  std::size_t number = 1;
  for (; !budget_.Spent(); ++number) {
    Expected<std::optional<std::string>> line = next();
    const bool tooLong = line.failed() && line.failure().kind() == FailureKind::TooLarge;
    if (line.failed() && !tooLong) {
      ended = line.failure();
      break;
    }
    if (line.ok() && !line.value()) break;
    if (!budget_.CountLine()) {
      stopped(number);
      break;
    }
    if (tooLong) {
      // Saving over a settings file would lose the line; the lines after it still run.
      settings_.NoteUnreadable(located);
      report_.Fail(Failure(FailureKind::TooLarge,
                           "Line " + std::to_string(number) + " of the command file " +
                               Quoted(path) + " was skipped: it is longer than " +
                               std::to_string(kMaxLineBytes / 1024) + " KiB."));
      continue;
    }
    Execute(*line.value());
  }
  const bool cut = ended && ended->kind() == FailureKind::Refused;
  if (cut) {
    budget_.Spend();
    stopped(number);
  }
  // Cut short, the file still holds settings that saving over it would lose.
  if (budget_.Spent()) {
    settings_.NoteUnreadable(located);
  } else if (!ended) {
    settings_.NoteRead(located);
  }
  if (ended && !cut) {
    settings_.NoteUnreadable(located);
    report_.Fail(ended->Reworded("Reading the command file " + Quoted(path) +
                                 " failed part-way: " + ended->reason() + "."));
  }
}

}  // namespace kovar

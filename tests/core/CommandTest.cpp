// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command language: keyword tests, logging, nested command files and their failures.
#include <array>
#include <optional>
#include <system_error>

#include <gtest/gtest.h>

#include "LineReader.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Log = std::vector<std::string>;

TEST(IsCommand, NeedsTheKeywordAndOneSpaceExactly) {
  EXPECT_TRUE(CommandInterpreter::IsCommand("exec auto.kvx", "exec"));
  EXPECT_TRUE(CommandInterpreter::IsCommand("exe ", "exe"));
  EXPECT_FALSE(CommandInterpreter::IsCommand("exec", "exec"));
  EXPECT_FALSE(CommandInterpreter::IsCommand("exec auto.kvx", "exe"));
  EXPECT_FALSE(CommandInterpreter::IsCommand("execute", "exec"));
  EXPECT_FALSE(CommandInterpreter::IsCommand("EXE GLQuake.exe", "exe"));
  EXPECT_FALSE(CommandInterpreter::IsCommand("Frun True", "frun"));
  EXPECT_FALSE(CommandInterpreter::IsCommand(" exe x", "exe"));
  EXPECT_FALSE(CommandInterpreter::IsCommand("", "map"));
}

TEST(RunCommand, SetsEachFieldFromTheVerbatimArgument) {
  Fixture f;
  f.Run("exe  GLQuake.exe");
  f.Run("cpar +skill 2 ");
  f.Run("quakedir C:\\Quake");
  f.Run("frun True");
  EXPECT_EQ(f.Text(TextField::EngineText), " GLQuake.exe");
  EXPECT_EQ(f.Text(TextField::CustomParams), "+skill 2 ");
  EXPECT_EQ(f.Text(TextField::QuakeDir), "C:\\Quake");
  EXPECT_EQ(f.Text(TextField::FirstRun), "True");

  f.Run("exe cute");
  EXPECT_EQ(f.Text(TextField::EngineText), "cute");
  for (const char* line : {"exe ", "cpar ", "quakedir ", "frun "}) f.Run(line);
  EXPECT_EQ(f.Text(TextField::EngineText), "");
  EXPECT_EQ(f.Text(TextField::CustomParams), "");
  EXPECT_EQ(f.Text(TextField::QuakeDir), "");
  EXPECT_EQ(f.Text(TextField::FirstRun), "");
  EXPECT_TRUE(f.desktop.errors.empty());
}

TEST(RunCommand, LogsEveryLineFirstAndIgnoresNonCommands) {
  Fixture f;
  for (const char* line : {"", "execute", "exec", "EXE Quake.exe", "// a comment", "frun"}) {
    EXPECT_TRUE(f.launcher.RunCommand(line).ok());
  }
  EXPECT_EQ(f.state.Log(), (Log{"", "execute", "exec", "EXE Quake.exe", "// a comment", "frun"}));
  EXPECT_EQ(f.Text(TextField::EngineText), "LucidGL.exe");
  EXPECT_TRUE(f.desktop.errors.empty());
}

TEST(Exec, RunsNestedFilesInPlaceAndLogsInExecutionOrder) {
  Fixture f;
  f.dir.Write("outer.kvx", "exe A.exe\r\nexec inner.kvx\r\ncpar after\r\n");
  f.dir.Write("inner.kvx", "exe B.exe\r\nquakedir /q");
  EXPECT_TRUE(f.launcher.RunCommand("exec outer.kvx").ok());
  EXPECT_EQ(f.state.Log(), (Log{"exec outer.kvx", "exe A.exe", "exec inner.kvx", "exe B.exe",
                                "quakedir /q", "cpar after"}));
  EXPECT_EQ(f.Text(TextField::EngineText), "B.exe");
  EXPECT_EQ(f.Text(TextField::CustomParams), "after");
}

TEST(Exec, ReadsCrLfLfAndLoneCrLineEnds) {
  Fixture f;
  f.dir.Write("ends.kvx", "a\r\nb\nc\rd\r\n\r\ne");
  f.dir.Write("trailing.kvx", "x\r\n");
  f.dir.Write("empty.kvx", "");
  f.Run("exec ends.kvx");
  f.Run("exec trailing.kvx");
  f.Run("exec empty.kvx");
  EXPECT_EQ(f.state.Log(), (Log{"exec ends.kvx", "a", "b", "c", "d", "", "e", "exec trailing.kvx",
                                "x", "exec empty.kvx"}));
}

TEST(Exec, KeepsEveryByteOfALine) {
  Fixture f;
  const std::string value = std::string("  caf\xe9 \x01\x7f\xff", 10) + std::string(1, '\0') + "z ";
  f.dir.Write("bytes.kvx", "cpar " + value + "\r\n");
  f.Run("exec bytes.kvx");
  EXPECT_EQ(f.Text(TextField::CustomParams), value);
}

TEST(Exec, AMissingFileIsReportedAndTheRestOfTheOuterFileStillRuns) {
  Fixture f;
  f.dir.Write("auto.kvx", "exec gone.kvx\r\nquakedir /games/quake\r\n");
  const Result ran = f.launcher.RunCommand("exec auto.kvx");
  ASSERT_TRUE(ran.failed());
  EXPECT_EQ(ran.failure().kind(), FailureKind::NotFound);
  EXPECT_EQ(ran.failure().code(), std::errc::no_such_file_or_directory);
  EXPECT_EQ(f.Text(TextField::QuakeDir), "/games/quake");
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find(f.dir.File("gone.kvx")), std::string::npos);
}

TEST(Exec, BareExecNamesTheDirectoryAndFailsWithoutStopping) {
  Fixture f;
  const Result ran = f.launcher.RunCommand("exec ");
  ASSERT_TRUE(ran.failed());
  EXPECT_EQ(ran.failure().kind(), FailureKind::NotOrdinaryFile);
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_TRUE(f.launcher.RunCommand("exe still.exe").ok());
  EXPECT_EQ(f.Text(TextField::EngineText), "still.exe");
}

TEST(Exec, AFileThatExecutesItselfRunsOnce) {
  Fixture f;
  f.dir.Write("self.kvx", "cpar once\r\nexec ./self.kvx\r\nexe done\r\n");
  const Result ran = f.launcher.RunCommand("exec self.kvx");
  ASSERT_TRUE(ran.failed());
  EXPECT_EQ(ran.failure().kind(), FailureKind::Refused);
  EXPECT_EQ(f.state.Log(), (Log{"exec self.kvx", "cpar once", "exec ./self.kvx", "exe done"}));
  EXPECT_EQ(f.desktop.errors.size(), 1u);
}

TEST(Exec, TwoFilesThatExecuteEachOtherStopAtTheLoop) {
  Fixture f;
  f.dir.Write("a.kvx", "exec b.kvx\r\nexe from-a\r\n");
  f.dir.Write("b.kvx", "exec a.kvx\r\ncpar from-b\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("exec a.kvx").failed());
  EXPECT_EQ(f.state.Log(),
            (Log{"exec a.kvx", "exec b.kvx", "exec a.kvx", "cpar from-b", "exe from-a"}));
  EXPECT_EQ(f.desktop.errors.size(), 1u);
  // The same file may run again once it has finished.
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.RunCommand("exec a.kvx").failed());
  EXPECT_EQ(f.state.Log().size(), 10u);
}

TEST(Exec, ExponentialFanOutIsBounded) {
  Fixture f;
  // Each level runs the next one twice: 2^30 files without a bound.
  for (int level = 0; level < 30; ++level) {
    const std::string next = "exec l" + std::to_string(level + 1) + ".kvx\r\n";
    f.dir.Write("l" + std::to_string(level) + ".kvx", next + next);
  }
  f.dir.Write("l30.kvx", "cpar deep\r\n");
  const Result ran = f.launcher.RunCommand("exec l0.kvx");
  ASSERT_TRUE(ran.failed());
  EXPECT_EQ(ran.failure().kind(), FailureKind::TooLarge);
  EXPECT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_LT(f.state.Log().size(), 20000u);
}

TEST(Exec, BackslashesInTheArgumentAreDirectorySeparators) {
  Fixture f;
  f.dir.Write("sub/dir/x.kvx", "exe nested.exe\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("exec sub\\dir\\x.kvx").ok());
  EXPECT_EQ(f.Text(TextField::EngineText), "nested.exe");
}

TEST(RunCommand, ShowsAllFailuresOfOneCallInOneBox) {
  Fixture f;
  f.dir.Write("auto.kvx", "exec a.kvx\r\nexec b.kvx\r\nmap nowhere\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("exec auto.kvx").failed());
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  for (const char* name : {"a.kvx", "b.kvx", "nowhere"}) {
    EXPECT_NE(f.desktop.errors[0].find(name), std::string::npos) << name;
  }
}

TEST(RunCommand, ItsResultHoldsExactlyWhatThePlayerWasShownAndTheFirstFailuresKind) {
  const struct {
    const char* line;
    std::optional<FailureKind> kind;
  } cases[] = {
      {"exe Quake.exe", {}},
      {"// a comment", {}},
      {"exec ok.kvx", {}},
      {"exec missing.kvx", FailureKind::NotFound},
      {"map nowhere", FailureKind::NotFound},
      {"exec mixed.kvx", FailureKind::NotFound},
      {"exec huge.kvx", FailureKind::TooLarge},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.dir.Write("ok.kvx", "cpar -fast\r\n");
    f.dir.Write("mixed.kvx", "exe A.exe\r\nexec gone.kvx\r\nmap gone\r\n");
    // A line too long, then a missing file: the first failure gives the result its kind.
    f.dir.Write("huge.kvx", std::string(kMaxLineBytes + 1, 'x') + "\r\nexec gone.kvx\r\n");
    const Result ran = f.launcher.RunCommand(c.line);
    ASSERT_EQ(ran.failed(), c.kind.has_value()) << c.line;
    if (c.kind) {
      EXPECT_EQ(ran.failure().kind(), *c.kind) << c.line;
    }
    EXPECT_EQ(f.desktop.errors,
              c.kind ? std::vector<std::string>{ran.reason()} : std::vector<std::string>{})
        << c.line;
  }
}

// Counts the text change notices and notes whether any failure had been shown before each.
struct NoticeCounter : StateObserver {
  explicit NoticeCounter(const FakeDesktop& shown) : desktop(shown) {}
  void TextChanged(TextField field) override {
    ++notices[static_cast<std::size_t>(field)];
    if (!desktop.errors.empty()) ++afterFailure;
  }
  void ListChanged(ListField) override {}
  void LogAppended(std::size_t) override {}
  const FakeDesktop& desktop;
  std::array<int, static_cast<std::size_t>(TextField::Count)> notices{};
  int afterFailure = 0;
};

TEST(RunCommand, TellsEachChangedFieldOnceAtItsEndBeforeItsFailuresAndNoFieldThatKeptItsText) {
  Fixture f;
  NoticeCounter counter(f.desktop);
  f.state.AddObserver(&counter);
  f.dir.Write("many.kvx", "cpar a\r\ncpar b\r\ncpar c\r\nexe x\r\nexec missing.kvx\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("exec many.kvx").failed());
  EXPECT_EQ(counter.notices[static_cast<std::size_t>(TextField::CustomParams)], 1);
  EXPECT_EQ(counter.notices[static_cast<std::size_t>(TextField::EngineText)], 1);
  EXPECT_EQ(counter.notices[static_cast<std::size_t>(TextField::QuakeDir)], 0);
  EXPECT_EQ(counter.afterFailure, 0);
  EXPECT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_EQ(f.Text(TextField::CustomParams), "c");
  // Outside an action a change is told at once.
  f.state.SetText(TextField::CustomParams, "d");
  EXPECT_EQ(counter.notices[static_cast<std::size_t>(TextField::CustomParams)], 2);
  // The same text again is no change, told neither at once nor at an action's end.
  f.state.SetText(TextField::CustomParams, "d");
  f.Run("cpar d");
  EXPECT_EQ(counter.notices[static_cast<std::size_t>(TextField::CustomParams)], 2);
  f.state.RemoveObserver(&counter);
}

}  // namespace
}  // namespace kovar::test

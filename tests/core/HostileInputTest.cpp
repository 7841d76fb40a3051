// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files a player or a map pack may put beside the launcher by mistake or on purpose: each must
// end without a crash or a hang, in one message naming the file where the player must know, and
// without losing a setting.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <system_error>

#include "BmpDecoder.h"
#include "GameLaunch.h"
#include "HostileInput.h"
#include "LineReader.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

// Exactly one message box was shown, and it holds every one of `parts`.
void ExpectOneError(const FakeDesktop& desktop, std::initializer_list<std::string> parts) {
  ASSERT_EQ(desktop.errors.size(), 1u);
  for (const std::string& part : parts) {
    EXPECT_NE(desktop.errors[0].find(part), std::string::npos)
        << "\"" << part << "\" is missing from: " << desktop.errors[0];
  }
}

// `result` failed as `kind`, in one message box that holds every one of `parts`.
void ExpectOneFailure(const Result& result, FailureKind kind, const FakeDesktop& desktop,
                      std::initializer_list<std::string> parts) {
  ASSERT_TRUE(result.failed());
  EXPECT_EQ(result.failure().kind(), kind) << result.reason();
  ExpectOneError(desktop, parts);
}

// The lines of `bytes` as a reader must see them: ended by CR LF, CR or LF.
Log SplitLines(const std::string& bytes) {
  Log lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') {
      line += bytes[i];
      continue;
    }
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// --- Command files -------------------------------------------------------------------------

TEST(HostileCommandFile, AnEnormousLineIsSkippedAndTheSettingsFileIsKept) {
  Fixture f;
  const std::string enormous(20 * 1024 * 1024, 'x');
  const std::string config = "exe before\r\ncpar " + enormous + "\r\nexe after\r\n";
  f.dir.Write("config.kvx", config);
  f.dir.Write("tail.kvx", "exe tail\r\n" + enormous);  // the last line, without a terminator
  f.dir.Write("auto.kvx", "exec config.kvx\r\nexec tail.kvx\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find("Line 2 of the command file \"" + f.dir.File("config.kvx")),
            std::string::npos);
  EXPECT_NE(f.desktop.errors[0].find("Line 2 of the command file \"" + f.dir.File("tail.kvx")),
            std::string::npos);
  EXPECT_EQ(f.Text(TextField::EngineText), "tail");
  EXPECT_EQ(f.Text(TextField::CustomParams), "");
  EXPECT_EQ(f.state.Log(), (Log{"exec auto.kvx", "exec config.kvx", "exe before", "exe after",
                                "exec tail.kvx", "exe tail"}));

  // Saving would drop the line the player never saw loaded, so config.kvx stays as it was.
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.SaveCFG().failed());
  EXPECT_EQ(fs::file_size(f.dir.File("config.kvx")), config.size());
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
  ExpectOneError(f.desktop, {f.dir.File("config.kvx"), "left as it is"});
}

TEST(HostileCommandFile, ALineAtTheLimitIsKeptAndOneByteMoreIsSkipped) {
  Fixture f;
  const std::string atLimit = "cpar " + std::string(kMaxLineBytes - 5, 'p');
  f.dir.Write("limit.kvx", atLimit + "\r\n" + atLimit + "q\r\nexe next\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("exec limit.kvx").failed());
  EXPECT_EQ(f.Text(TextField::CustomParams), atLimit.substr(5));
  EXPECT_EQ(f.Text(TextField::EngineText), "next");
  ExpectOneError(f.desktop, {"Line 2 of", "limit.kvx", "longer than 64 KiB"});
}

TEST(HostileCommandFile, BinaryGarbageIsReadAsCommentLinesByteForByte) {
  Fixture f;
  // Several read buffers of bytes, NULs and lone CRs and LFs included, that start no command.
  std::mt19937 random(7);
  std::string garbage(200 * 1024, '\0');
  for (char& byte : garbage) {
    byte = static_cast<char>(random() % 7 == 0 ? "\r\n\0"[random() % 3] : random() % 256);
  }
  f.dir.Write("garbage.kvx", garbage);
  EXPECT_TRUE(f.launcher.RunCommand("exec garbage.kvx").ok());
  Log expected = SplitLines(garbage);
  expected.insert(expected.begin(), "exec garbage.kvx");
  EXPECT_EQ(f.state.Log(), expected);
  EXPECT_EQ(f.Text(TextField::EngineText), "LucidGL.exe");
}

TEST(HostileCommandFile, LineEndsSplitAcrossReadBuffersCountOnce) {
  constexpr std::size_t kBuffer = 64 * 1024;  // the reader's buffer size
  Fixture f;
  // A CR as the last byte of one buffer and its LF as the first of the next end one line.
  const std::string first(kBuffer - 1, 'a');
  f.dir.Write("crlf.kvx", first + "\r\nexe crlf\r\n");
  // A file of lone CRs only, with a CR on the same boundary.
  const std::string second(kBuffer - 8, 'b');
  f.dir.Write("cr.kvx", "cpar x\r" + second + "\r\rexe cr");
  f.Run("exec crlf.kvx");
  EXPECT_EQ(f.state.Log(), (Log{"exec crlf.kvx", first, "exe crlf"}));
  f.Run("exec cr.kvx");
  EXPECT_EQ(f.state.Log(), (Log{"exec crlf.kvx", first, "exe crlf", "exec cr.kvx", "cpar x", second,
                                "", "exe cr"}));
  EXPECT_EQ(f.Text(TextField::EngineText), "cr");
  EXPECT_TRUE(f.desktop.errors.empty());
}

TEST(HostileCommandFile, ANameWithANulByteIsRefused) {
  Fixture f;
  f.dir.Write("a.kvx", "exe wrong\r\n");
  f.dir.Write("data/m.kvx", "e1m1\r\nWrong map\r\n");
  EXPECT_TRUE(f.launcher.RunCommand(std::string("exec a.kvx\0.txt", 15)).failed());
  ExpectOneError(f.desktop, {"a.kvx", "NUL byte"});
  EXPECT_EQ(f.Text(TextField::EngineText), "LucidGL.exe");

  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.RunCommand(std::string("map m\0x", 7)).failed());
  EXPECT_EQ(f.state.Map().level, "");
  EXPECT_TRUE(f.state.Map().failure);
}

TEST(HostileCommandFile, ADirectoryWhereAFileShouldBeIsReported) {
  Fixture f;
  fs::create_directories(f.dir.File("auto.kvx"));
  const Result started = f.launcher.Main();
  EXPECT_EQ(f.desktop.windowShown, 0);
  ExpectOneFailure(started, FailureKind::NotOrdinaryFile, f.desktop,
                   {f.dir.File("auto.kvx"), "cannot start"});
}

TEST(HostileCommandFile, AnUnreadableFileIsReportedAndTheRestRuns) {
  if (!PermissionsApply()) GTEST_SKIP() << "file permissions do not apply to this user";
  Fixture f;
  f.dir.Write("locked.kvx", "exe locked\r\n");
  fs::permissions(f.dir.File("locked.kvx"), fs::perms::none);
  f.dir.Write("auto.kvx", "exec locked.kvx\r\ncpar after\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  EXPECT_EQ(f.Text(TextField::EngineText), "LucidGL.exe");
  EXPECT_EQ(f.Text(TextField::CustomParams), "after");
  ExpectOneError(f.desktop, {f.dir.File("locked.kvx")});

  Fixture start;
  start.dir.Write("auto.kvx", "exe x\r\n");
  fs::permissions(start.dir.File("auto.kvx"), fs::perms::none);
  const Result started = start.launcher.Main();
  EXPECT_EQ(start.desktop.windowShown, 0);
  ExpectOneFailure(started, FailureKind::System, start.desktop, {start.dir.File("auto.kvx")});
  EXPECT_EQ(started.failure().code(), std::errc::permission_denied);
}

TEST(HostileCommandFile, AChainDeeperThanTheBoundStopsThereAndEveryLevelFinishes) {
  Fixture f;
  constexpr int kFiles = 100;
  for (int i = 0; i < kFiles; ++i) {
    f.dir.Write(
        "c" + std::to_string(i) + ".kvx",
        "exec c" + std::to_string(i + 1) + ".kvx\r\nexe level " + std::to_string(i) + "\r\n");
  }
  EXPECT_TRUE(f.launcher.RunCommand("exec c0.kvx").failed());
  ExpectOneError(f.desktop, {f.dir.File("c64.kvx"), "nested more than 64 deep"});
  // Every open level ran its line after the refused one, the outermost last.
  EXPECT_EQ(f.Text(TextField::EngineText), "level 0");
  EXPECT_EQ(f.state.Log().size(), 1u + 2u * 64u);
}

TEST(HostileCommandFile, AValueTooLongToReadBackIsNotSaved) {
  Fixture f;
  f.dir.Write("config.kvx", "exe Old.exe\r\ncpar \r\n");
  f.state.SetText(TextField::EngineText, "New.exe");
  f.state.SetText(TextField::CustomParams, std::string(kMaxLineBytes, 'p'));
  EXPECT_TRUE(f.launcher.SaveCFG().failed());
  ExpectOneError(f.desktop, {f.dir.File("config.kvx"), "too long to be read back"});
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe Old.exe\r\ncpar \r\n");
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
}

TEST(HostileCommandFile, OneCommandStopsAtAMillionLinesAndKeepsTheFilesItCutShort) {
  Fixture f;
  std::string lines;
  for (int i = 0; i < 1000000; ++i) lines += "cpar x\r\n";
  f.dir.Write("config.kvx", "exe Old.exe\r\n" + lines);
  f.dir.Write("auto.kvx", "exec config.kvx\r\nexe after\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  ExpectOneError(f.desktop, {f.dir.File("config.kvx"), "stopped at its line 1000000",
                             "at most 1000000 lines"});
  EXPECT_EQ(f.state.Log().size(), 1000001u);  // with "exec auto.kvx"
  EXPECT_EQ(f.Text(TextField::EngineText), "Old.exe");
  EXPECT_EQ(f.desktop.windowShown, 1);

  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.SaveCFG().failed());
  EXPECT_EQ(fs::file_size(f.dir.File("config.kvx")), 13 + lines.size());
  // The next command starts with the whole budget again.
  f.desktop.errors.clear();
  f.dir.Write("small.kvx", "exe small\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("exec small.kvx").ok());
  EXPECT_EQ(f.Text(TextField::EngineText), "small");
}

// --- Map info files and the catalogue ---------------------------------------------------------

TEST(HostileMapInfo, EmptyOverlongAndManyLineFiles) {
  struct Case {
    std::string contents;
    std::string why;
  };
  const std::string enormous(kMaxLineBytes + 1, 'l');
  for (const Case& c : {Case{"", "the file is empty"},
                        Case{enormous + "\r\nDesc\r\n", "the level name, is longer than 64 KiB"},
                        Case{"e1m1\r\n" + enormous, "the description, is longer than 64 KiB"}}) {
    Fixture f;
    f.dir.Write("data/good.kvx", "e1m1\r\nGood\r\n");
    f.dir.Write("data/good.bmp", MakeBmp(2, 2));
    f.dir.Write("data/bad.kvx", c.contents);
    f.Run("map good");
    EXPECT_TRUE(f.launcher.RunCommand("map bad").failed());
    ExpectOneError(f.desktop, {f.dir.File("data/bad.kvx"), c.why});
    EXPECT_EQ(f.state.Map().level, "");
    EXPECT_EQ(f.state.Map().description, "");
    EXPECT_TRUE(f.preview.shown.back().Empty());
    EXPECT_TRUE(f.state.Map().failure);
  }

  Fixture many;
  std::string lines = "e3m3\r\nThe description.\r\n";
  for (int i = 0; i < 100000; ++i) lines += "exec auto.kvx\r\n";
  many.dir.Write("data/many.kvx", lines);
  many.dir.Write("data/many.bmp", MakeBmp(2, 2));
  EXPECT_TRUE(many.launcher.RunCommand("map many").ok());
  EXPECT_EQ(many.state.Map().level, "e3m3");
  EXPECT_EQ(many.state.Log().size(), 1u);  // further lines are never run
}

TEST(HostileMapInfo, DataThatIsAFileAndAnInfoFileThatIsADirectory) {
  Fixture file;
  file.dir.Write("data", "a file, not the catalogue");
  ExpectOneFailure(file.launcher.RunCommand("map m"), FailureKind::NotFound, file.desktop,
                   {file.dir.File("data") + PathSeparator() + "m.kvx"});

  Fixture folder;
  fs::create_directories(folder.dir.File("data/folder.kvx"));
  ExpectOneFailure(folder.launcher.RunCommand("map folder"), FailureKind::NotOrdinaryFile,
                   folder.desktop, {folder.dir.File("data/folder.kvx")});
}

TEST(HostileMapInfo, NamesWithSpacesAndHighBytesLoadAndAreNamedExactly) {
  Fixture f;
  const std::string name = " Burg am M\xfchlbach \xa9 ";
  f.dir.Write("data/" + name + ".kvx", "e1m1\r\nSch\xf6n.\r\n");
  f.launcher.FillLists();
  EXPECT_EQ(f.state.List(ListField::MapList), (Log{name}));
  const Result ran = f.launcher.RunCommand("map " + name);
  EXPECT_EQ(f.state.Map().name, name);
  EXPECT_EQ(f.state.Map().level, "e1m1");
  EXPECT_EQ(f.state.Map().description, "Sch\xf6n.");
  // Spelled out: a path object would convert the high bytes on Windows.
  const std::string preview =
      f.dir.Path() + PathSeparator() + "data" + PathSeparator() + name + ".bmp";
  ExpectOneFailure(ran, FailureKind::NotFound, f.desktop, {"\"" + preview + "\""});
}

TEST(HostileMapInfo, AnUnreadableInfoFileIsReported) {
  if (!PermissionsApply()) GTEST_SKIP() << "file permissions do not apply to this user";
  Fixture f;
  f.dir.Write("data/locked.kvx", "e1m1\r\nLocked\r\n");
  fs::permissions(f.dir.File("data/locked.kvx"), fs::perms::none);
  ExpectOneFailure(f.launcher.RunCommand("map locked"), FailureKind::System, f.desktop,
                   {f.dir.File("data/locked.kvx")});
  EXPECT_TRUE(f.state.Map().failure);
}

// --- Preview pictures -------------------------------------------------------------------------

// `bmp` with the header field at `at` set to `value`.
std::string With(std::string bmp, std::size_t at, std::uint32_t value, int bytes) {
  PutLittleEndian(bmp, at, value, bytes);
  return bmp;
}

// A bad preview is reported with its file and its reason; the map itself stays loaded.
void ExpectPreviewRefused(Fixture& f, const std::string& why) {
  SCOPED_TRACE(why);
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.RunCommand("map m").failed());
  ExpectOneError(f.desktop, {"\"" + f.dir.File("data/m.bmp") + "\"", why});
  EXPECT_TRUE(f.preview.shown.back().Empty());
  EXPECT_EQ(f.state.Map().level, "e1m1");
  EXPECT_FALSE(f.state.Map().failure);
}

TEST(HostilePreview, EveryBrokenPictureIsNamedAndTheMapStaysLoaded) {
  Fixture f;
  f.dir.Write("data/m.kvx", "e1m1\r\nDesc\r\n");
  const std::string good = MakeBmp(8, 8);
  std::string palette8 = With(good, 28, 8, 2);
  struct Case {
    std::string bytes;
    std::string why;
  };
  for (const Case& c : {
           Case{"", "not a BMP"},
           Case{good.substr(0, 20), "truncated"},
           Case{good.substr(0, 30), "truncated"},
           Case{good.substr(0, good.size() - 3), "pixels are cut off"},
           Case{"\x89PNG\r\n\x1a\n" + good, "not a BMP"},
           Case{With(good, 14, 41, 4), "unknown size (41 bytes)"},
           Case{With(good, 18, 100000, 4), "larger than 4096 x 4096"},
           Case{With(good, 22, 0x80000000u, 4), "larger than 4096 x 4096"},
           Case{With(good, 22, static_cast<std::uint32_t>(-5000), 4), "larger than 4096 x 4096"},
           Case{With(good, 18, static_cast<std::uint32_t>(-8), 4), "no pixels"},
           Case{With(good, 26, 2, 2), "bad plane count"},
           Case{With(good, 28, 7, 2), "unsupported depth of 7 bits"},
           Case{With(good, 30, 4, 4), "unsupported compression"},  // a JPEG inside
           Case{With(good, 10, 1u << 30, 4), "pixel data lies outside the file"},
           Case{With(palette8, 46, 257, 4), "palette is larger"},
           Case{palette8, "palette is cut off"},
           Case{good + std::string(kMaxPreviewBytes, '\0'), "larger than 16 MiB"},
       }) {
    f.dir.Write("data/m.bmp", c.bytes);
    ExpectPreviewRefused(f, c.why);
  }
  fs::remove(f.dir.File("data/m.bmp"));
  fs::create_directories(f.dir.File("data/m.bmp"));
  ExpectPreviewRefused(f, "Is a directory");
  RefuseSystemOnlyPreviews(f, [&f](const std::string& why) { ExpectPreviewRefused(f, why); });
}

// --- Files that would cost the launcher its time or its memory ---------------------------------

TEST(HostileEdges, EveryFileCostsAtMostWhatTheLauncherCanUseOfIt) {
  std::vector<HostileEdge> edges = {
      {"a command file whose endless line runs past the budget",
       [](Fixture& f) {
         f.dir.Write("endless.kvx", "cpar ");
         fs::resize_file(f.dir.File("endless.kvx"), 80 * 1024 * 1024);
         std::ofstream(f.dir.File("endless.kvx"), std::ios::app) << "\nexe after\n";
         f.dir.Write("auto.kvx", "exec endless.kvx\nexec config.kvx\n");
         f.dir.Write("config.kvx", "exe Mine.exe\n");
         EXPECT_TRUE(f.launcher.Main().ok());
         ExpectOneError(f.desktop, {f.dir.File("endless.kvx"), "stopped at its line 1"});
         // The settings it never reached are not saved over.
         EXPECT_TRUE(f.launcher.SaveCFG().failed());
         EXPECT_EQ(f.dir.Read("config.kvx"), "exe Mine.exe\n");
       }},
      {"a preview of 60 bytes that declares 4096 x 4096 pixels",
       [](Fixture& f) {
         // Run-length 8 bits, one colour, nothing but the end of the picture.
         BmpFields rle{.width = 4096, .height = 4096, .bits = 8, .compression = 1, .used = 1};
         rle.table = ColourTable({0});
         rle.pixels = std::string("\0\1", 2);
         f.dir.Write("data/m.kvx", "e1m1\nDesc\n");
         f.dir.Write("data/m.bmp", BmpFile(rle));
         EXPECT_TRUE(f.launcher.RunCommand("map m").ok());
         EXPECT_EQ(f.state.Map().picture.pixels.size(), kPreviewShownWidth * kPreviewShownHeight);
       }},
      {"a start script of 2,001 map lines",
       [](Fixture& f) {
         f.dir.Write("data/a.kvx", "e1m1\nA\n");
         f.dir.Write("data/a.bmp", MakeBmp(3, 2));
         f.dir.Write("data/b.kvx", "e1m2\nB\n");
         f.dir.Write("data/b.bmp", MakeBmp(2, 3));
         std::string script;
         for (int i = 0; i < 1000; ++i) script += "map a\nmap b\n";
         f.dir.Write("auto.kvx", script + "map a\n");
         EXPECT_TRUE(f.launcher.Main().ok());
         // The windows were told of one picture, the selected map's; only it was decoded.
         ASSERT_EQ(f.preview.shown.size(), 1u);
         EXPECT_TRUE(f.preview.shown[0] == Decoded(MakeBmp(3, 2)));
         EXPECT_EQ(f.state.Map().description, "A");
       }},
  };
  for (HostileEdge& edge : SystemOnlyEdges()) edges.push_back(std::move(edge));
  for (const HostileEdge& edge : edges) {
    SCOPED_TRACE(edge.what);
    Fixture f;
    edge.check(f);
  }
}

// --- The application directory ----------------------------------------------------------------

TEST(HostileLaunch, AReadOnlyApplicationDirectoryKeepsTheOldScriptAndStartsNothing) {
  if (!PermissionsApply()) GTEST_SKIP() << "file permissions do not apply to this user";
  Fixture f;
  const std::string script = LaunchScriptName(NativeSystem());
  f.dir.Write(script, "the old script");
  f.Run("quakedir /games/quake");
  fs::permissions(f.dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  const Result started = f.launcher.StartGame();
  fs::permissions(f.dir.Path(), fs::perms::owner_all);
  ExpectOneFailure(started, FailureKind::System, f.desktop,
                   {"\"" + f.dir.File(script) + "\"", "the game was not started"});
  EXPECT_TRUE(f.desktop.started.empty());
  EXPECT_EQ(f.dir.Read(script), "the old script");
  EXPECT_EQ(std::distance(fs::directory_iterator(f.dir.Path()), fs::directory_iterator()), 1);

  // Nothing of the player's choices was lost: once the directory is writable again, both work.
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_TRUE(f.launcher.SaveCFG().ok());
  EXPECT_EQ(f.desktop.started.size(), 1u);
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir /games/quake\r\n");
}

}  // namespace
}  // namespace kovar::test

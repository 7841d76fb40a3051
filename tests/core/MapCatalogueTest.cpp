// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map scan and LoadMap, including the maps that fail to load.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"

namespace kovar::test {
namespace {

using Names = std::vector<std::string>;

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MapScan, ListsOrdinaryKvxFilesLessTheirExtension) {
  Fixture f;
  f.dir.Write("data/alpha.kvx", "e1m1\r\nA\r\n");
  f.dir.Write("data/alpha.bmp", "");
  f.dir.Write("data/beta.kvx", "e1m2\r\nB\r\n");
  f.dir.Write("data/notes.kvx.txt", "");
  f.dir.Write("data/longer name.kvxz", "");
  f.dir.Write("data/with space \xe9.kvx", "");
  f.dir.Write("data/folder.kvx/inside.kvx", "");
  f.launcher.FillLists();
  EXPECT_EQ(Sorted(f.state.List(ListField::MapList)), (Names{"alpha", "beta", "with space \xe9"}));
  // Filling the lists changes no field.
  EXPECT_EQ(f.Text(TextField::EngineText), "LucidGL.exe");
  EXPECT_EQ(f.Text(TextField::MapSelection), "");
  EXPECT_TRUE(f.preview.shown.empty());
}

TEST(MapScan, MissingOrMisplacedDataIsAnEmptyList) {
  Fixture missing;
  missing.launcher.FillLists();
  EXPECT_TRUE(missing.state.List(ListField::MapList).empty());
  // The engines are known without any map.
  EXPECT_FALSE(missing.state.List(ListField::EngineList).empty());

  Fixture file;
  file.dir.Write("data", "not a directory");
  file.launcher.FillLists();
  EXPECT_TRUE(file.state.List(ListField::MapList).empty());
  EXPECT_TRUE(file.desktop.errors.empty());
}

TEST(LoadMap, ReadsLevelDescriptionAndPreview) {
  Fixture f;
  f.dir.Write("data/castle.kvx", "e1m1\r\nA dark castle by the sea.\r\nignored third line\r\n");
  const std::string bmp = MakeBmp(160, 120);
  f.dir.Write("data/castle.bmp", bmp);
  f.Run("map castle");
  EXPECT_EQ(f.Text(TextField::MapSelection), "castle");
  EXPECT_EQ(f.state.Map().name, "castle");
  EXPECT_EQ(f.state.Map().level, "e1m1");
  EXPECT_EQ(f.state.Map().description, "A dark castle by the sea.");
  ASSERT_FALSE(f.preview.shown.empty());
  EXPECT_EQ(f.preview.shown.back(), Decoded(bmp));
  EXPECT_FALSE(f.state.Map().failure);
  EXPECT_TRUE(f.desktop.errors.empty());

  // Every load reads both files again.
  f.dir.Write("data/castle.kvx", "e1m2\r\nRebuilt.");
  EXPECT_TRUE(f.launcher.LoadMap().ok());
  EXPECT_EQ(f.state.Map().level, "e1m2");
  EXPECT_EQ(f.state.Map().description, "Rebuilt.");
  EXPECT_EQ(f.preview.shown.size(), 2u);
}

TEST(LoadMap, ABlankFirstLineIsAnEmptyLevel) {
  Fixture f;
  f.dir.Write("data/m.kvx", "\r\nNo level.\r\n");
  f.dir.Write("data/m.bmp", MakeBmp(4, 4));
  EXPECT_TRUE(f.launcher.RunCommand("map m").ok());
  EXPECT_EQ(f.state.Map().level, "");
  EXPECT_EQ(f.state.Map().description, "No level.");
  EXPECT_FALSE(f.state.Map().failure);
}

TEST(LoadMap, AFailedLoadAfterAGoodOneLeavesNoLevelToLaunch) {
  Fixture f;
  f.dir.Write("data/good.kvx", "e1m1\r\nGood.\r\n");
  f.dir.Write("data/good.bmp", MakeBmp(8, 8));
  f.dir.Write("data/short.kvx", "e2m2\r\n");
  f.Run("map good");
  ASSERT_EQ(f.state.Map().level, "e1m1");

  for (const auto& [line, kind] : {std::pair("map short", FailureKind::Malformed),
                                   std::pair("map removed", FailureKind::NotFound)}) {
    f.desktop.errors.clear();
    const Result ran = f.launcher.RunCommand(line);
    ASSERT_TRUE(ran.failed());
    EXPECT_EQ(ran.failure().kind(), kind) << line;
    EXPECT_EQ(f.state.Map().name, std::string(line).substr(4));
    EXPECT_EQ(f.state.Map().level, "");
    EXPECT_EQ(f.state.Map().description, "");
    EXPECT_TRUE(f.preview.shown.back().Empty());
    EXPECT_TRUE(f.state.Map().failure);
    ASSERT_EQ(f.desktop.errors.size(), 1u);
    EXPECT_NE(f.desktop.errors[0].find(f.dir.File("data/" + std::string(line).substr(4) + ".kvx")),
              std::string::npos);
  }

  f.Run("map good");
  EXPECT_FALSE(f.state.Map().failure);
}

TEST(LoadMap, ABadPreviewIsReportedButTheMapStaysLoaded) {
  Fixture f;
  f.dir.Write("data/a.kvx", "e1m1\r\nDesc\r\n");
  f.dir.Write("data/a.bmp", "not a picture at all");
  const Result ran = f.launcher.RunCommand("map a");
  ASSERT_TRUE(ran.failed());
  EXPECT_EQ(ran.failure().kind(), FailureKind::Malformed);
  EXPECT_EQ(f.state.Map().level, "e1m1");
  EXPECT_TRUE(f.preview.shown.back().Empty());
  EXPECT_EQ(f.desktop.errors,
            std::vector<std::string>{"Could not show the preview of the map \"a\" from \"" +
                                     f.dir.File("data/a.bmp") + "\": it is not a BMP picture."});
  EXPECT_FALSE(f.state.Map().failure);

  // A decoding failure in the window layer is reported with the same action, in one box.
  f.desktop.errors.clear();
  f.dir.Write("data/a.bmp", MakeBmp(2, 2));
  f.preview.drawAnswer = "the picture could not be decoded";
  f.dir.Write("data/b.kvx", "e1m2\r\nDesc\r\n");
  EXPECT_TRUE(f.launcher.RunCommand("map b").failed());
  f.dir.Write("cmds.kvx", "map b\r\nmap a\r\n");
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.RunCommand("exec cmds.kvx").failed());
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find("could not be decoded"), std::string::npos);
  EXPECT_NE(f.desktop.errors[0].find("b.bmp"), std::string::npos);
}

TEST(LoadMap, APictureOneWindowCannotDrawIsRemovedFromEveryWindowAndReported) {
  Fixture f;
  PreviewWatcher refusing(f.state);
  refusing.drawAnswer = "the window has no room for it";
  f.dir.Write("data/a.kvx", "e1m1\r\nDesc\r\n");
  const std::string bmp = MakeBmp(8, 8);
  f.dir.Write("data/a.bmp", bmp);
  EXPECT_TRUE(f.launcher.RunCommand("map a").failed());
  // The first window drew it, then took it away again with the second one's refusal.
  EXPECT_EQ(f.preview.shown, (std::vector<Bitmap>{Decoded(bmp), {}}));
  EXPECT_TRUE(f.state.Map().picture.Empty());
  EXPECT_EQ(f.state.Map().level, "e1m1");
  EXPECT_EQ(f.desktop.errors, std::vector<std::string>{
                                  "Could not show the preview of the map \"a\" from \"" +
                                  f.dir.File("data/a.bmp") + "\": the window has no room for it."});
  // Once every window can draw it, the same map shows it.
  refusing.drawAnswer.clear();
  EXPECT_TRUE(f.launcher.LoadMap().ok());
  EXPECT_EQ(f.state.Map().picture, Decoded(bmp));
  EXPECT_EQ(refusing.shown.back(), Decoded(bmp));
}

TEST(LoadMap, AMissingMapInConfigDoesNotStopTheFollowingLines) {
  Fixture f;
  f.dir.Write("config.kvx", "exe GLQuake.exe\r\nmap removed\r\ncpar -width 800\r\n");
  f.dir.Write("settings.kvx", "frun false\r\nquakedir /games/quake\r\n");
  f.dir.Write("auto.kvx", "exec config.kvx\r\nexec settings.kvx\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  EXPECT_EQ(f.Text(TextField::CustomParams), "-width 800");
  EXPECT_EQ(f.Text(TextField::QuakeDir), "/games/quake");
  EXPECT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_EQ(f.desktop.windowShown, 1);
}

}  // namespace
}  // namespace kovar::test

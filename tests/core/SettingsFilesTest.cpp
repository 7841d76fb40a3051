// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files: what SaveCFG writes, and what it must leave alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

TEST(SaveCFG, WritesBothFilesWithCrLfLines) {
  Fixture f;
  EXPECT_TRUE(f.launcher.SaveCFG().ok());
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe LucidGL.exe\r\ncpar \r\n");
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");

  f.Run("exe ");
  f.Run("frun True");
  f.state.SetText(TextField::MapSelection, "typed name");
  EXPECT_TRUE(f.launcher.SaveCFG().ok());
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe \r\nmap typed name\r\ncpar \r\n");
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
  EXPECT_TRUE(f.desktop.errors.empty());
}

TEST(SaveCFG, RoundTripsEveryByte) {
  const std::string config = "exe  Lucid GL.exe \r\nmap caf\xe9 m\xfc\xdf \r\ncpar  +skill 2  \r\n";
  const std::string settings = "frun false\r\nquakedir  C:\\Spiele\\Qu\xe4ke \r\n";
  Fixture f;
  f.dir.Write("config.kvx", config);
  f.dir.Write("settings.kvx", "frun True\r\nquakedir  C:\\Spiele\\Qu\xe4ke \r\n");
  f.dir.Write("auto.kvx", "exec config.kvx\r\nexec settings.kvx\r\n");
  f.desktop.inputAnswer = "";           // the first-run prompt is cancelled
  EXPECT_TRUE(f.launcher.Main().ok());  // the map has no files, which is reported
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.SaveCFG().ok());
  EXPECT_EQ(f.dir.Read("config.kvx"), config);
  EXPECT_EQ(f.dir.Read("settings.kvx"), settings);
}

TEST(SaveCFG, RefusesLineBreaksInAValue) {
  Fixture f;
  f.state.SetText(TextField::CustomParams, "+skill 2\r\nexec evil.kvx");
  const Result saved = f.launcher.SaveCFG();
  ASSERT_TRUE(saved.failed());
  EXPECT_EQ(saved.failure().kind(), FailureKind::Refused);
  EXPECT_FALSE(f.dir.Has("config.kvx"));
  EXPECT_TRUE(f.dir.Has("settings.kvx"));
  EXPECT_EQ(f.desktop.errors,
            std::vector<std::string>{"The settings file \"" + f.dir.File("config.kvx") +
                                     "\" was not saved: the line \"cpar +skill "
                                     "2...\" holds a line break."});
}

TEST(SaveCFG, LeavesASettingsFileThatCouldNotBeReadUntouched) {
  if (!PermissionsApply()) GTEST_SKIP() << "file permissions do not apply to this user";
  Fixture f;
  f.dir.Write("settings.kvx", "frun false\r\nquakedir /precious\r\n");
  fs::permissions(f.dir.File("settings.kvx"), fs::perms::none);
  f.dir.Write("auto.kvx", "exec config.kvx\r\nexec settings.kvx\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  f.desktop.errors.clear();
  const Result saved = f.launcher.SaveCFG();
  ASSERT_TRUE(saved.failed());
  EXPECT_EQ(saved.failure().kind(), FailureKind::Refused);
  fs::permissions(f.dir.File("settings.kvx"), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir /precious\r\n");
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe LucidGL.exe\r\ncpar \r\n");  // it did not exist
  EXPECT_EQ(f.desktop.errors.size(), 1u);
}

TEST(SaveCFG, LeavesASettingsPathThatIsADirectoryAlone) {
  Fixture f;
  fs::create_directories(f.dir.File("config.kvx"));
  f.dir.Write("auto.kvx", "exec config.kvx\r\n");
  (void)f.launcher.Main();
  f.desktop.errors.clear();
  EXPECT_TRUE(f.launcher.SaveCFG().failed());
  EXPECT_TRUE(fs::is_directory(f.dir.File("config.kvx")));
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
}

TEST(SaveCFG, AReadOnlyDirectoryKeepsTheOldFilesWhole) {
  if (!PermissionsApply()) GTEST_SKIP() << "file permissions do not apply to this user";
  Fixture f;
  f.dir.Write("config.kvx", "exe Old.exe\r\ncpar \r\n");
  f.dir.Write("settings.kvx", "frun false\r\nquakedir /old\r\n");
  f.Run("exe New.exe");
  fs::permissions(f.dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  const Result saved = f.launcher.SaveCFG();
  ASSERT_TRUE(saved.failed());
  EXPECT_EQ(saved.failure().kind(), FailureKind::System);
  EXPECT_EQ(saved.failure().code(), std::errc::permission_denied);
  fs::permissions(f.dir.Path(), fs::perms::owner_all);
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe Old.exe\r\ncpar \r\n");
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir /old\r\n");
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find("config.kvx"), std::string::npos);
  EXPECT_NE(f.desktop.errors[0].find("settings.kvx"), std::string::npos);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(f.dir.Path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace kovar::test

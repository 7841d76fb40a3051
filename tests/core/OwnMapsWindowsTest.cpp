// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A player's own map replaces an installed one whose name differs only in case, as Windows
// compares file names.
#include <gtest/gtest.h>

#include "FileLocations.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Names = std::vector<std::string>;

TEST(OwnMaps, WindowsNamesThatDifferOnlyInCaseAreOneMap) {
  TempDir root;
  root.Write("app/data/Sunken Keep.kvx", "e1m1\r\nThe installed keep.\r\n");
  root.Write("app/data/Other.kvx", "e1m2\r\nAnother.\r\n");
  root.Write("user/data/SUNKEN KEEP.kvx", "e4m4\r\nThe player's keep.\r\n");
  root.Write("user/data/SUNKEN KEEP.bmp", MakeBmp(2, 2));
  FakeDesktop desktop;
  Launcher launcher(FileLocations(root.File("app"), root.File("user")), desktop);
  launcher.FillLists();
  EXPECT_EQ(launcher.State().List(ListField::MapList), (Names{"Other", "SUNKEN KEEP"}));
  // A map line saved with the installed map's spelling loads the player's.
  EXPECT_TRUE(launcher.RunCommand("map Sunken Keep").ok());
  EXPECT_EQ(launcher.State().Map().level, "e4m4");
  EXPECT_TRUE(desktop.errors.empty());
}

}  // namespace
}  // namespace kovar::test

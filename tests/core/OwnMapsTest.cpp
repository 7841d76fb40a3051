// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's own maps in the per-user folder's `data`: listed after the installed ones, replacing
// an installed map of the same name, loaded from their own folder, and ignored by a portable
// folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "FileLocations.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

TEST(OwnMaps, JoinTheInstalledCatalogueAndLoadFromTheirOwnFolder) {
  const std::string tower = "e3m1\r\nA tower.\r\n", castle = "e4m4\r\nThe player's castle.\r\n";
  const std::string bmp = MakeBmp(8, 8), unreadable = "(unreadable)";
  const struct {
    const char* name;
    bool portable;
    std::map<std::string, std::string> own;  // the files in the player's `data`
    std::vector<std::string> listed;
    std::string map, level, failure;  // what `map` names, the level it sets, the file it reports
  } cases[] = {
      // clang-format off
      {"none of the player's", false, {}, {"castle"}, "castle", "e1m1", ""},
      {"a new map", false, {{"tower.kvx", tower}, {"tower.bmp", bmp}}, {"castle", "tower"}, "tower", "e3m1", ""},
      {"the player's castle", false, {{"castle.kvx", castle}, {"castle.bmp", bmp}}, {"castle"}, "castle", "e4m4", ""},
      {"no preview of the player's", false, {{"castle.kvx", castle}}, {"castle"}, "castle", "e4m4", "user/data/castle.bmp"},
      {"an unreadable info file", false, {{"castle.kvx", unreadable}}, {"castle"}, "castle", "", "user/data/castle.kvx"},
      {"a portable folder", true, {{"tower.kvx", tower}, {"tower.bmp", bmp}}, {"castle"}, "tower", "", "app/data/tower.kvx"},
      // clang-format on
  };
  for (const auto& c : cases) {
    if (c.own.contains("castle.kvx") && c.own.at("castle.kvx") == unreadable &&
        !PermissionsApply()) {
      continue;
    }
    TempDir root;
    root.Write("app/data/castle.kvx", "e1m1\r\nThe installed castle.\r\n");
    root.Write("app/data/castle.bmp", MakeBmp(4, 4));
    // The application directory can be written: an installed launcher (the system layout) uses
    // the per-user folder all the same, and a portable folder does not.
    UserEnvironment environment;
    environment.xdgConfigHome = root.Path();
    environment.appData = root.Path();
    const std::string user = fs::path(NativeUserFolder(environment)).filename().string();
    for (const auto& [file, bytes] : c.own) {
      root.Write(user + "/data/" + file, bytes);
      if (bytes == unreadable) fs::permissions(root.File(user + "/data/" + file), fs::perms::none);
    }
    FakeDesktop desktop;
    Launcher launcher(
        FileLocations::Choose(root.File("app"), environment,
                              c.portable ? InstallLayout::Portable : InstallLayout::System),
        desktop);
    launcher.FillLists();
    EXPECT_EQ(launcher.State().List(ListField::MapList), c.listed) << c.name;
    (void)launcher.RunCommand("map " + c.map);
    EXPECT_EQ(launcher.State().Map().level, c.level) << c.name;
    if (c.failure.empty()) {
      EXPECT_TRUE(desktop.errors.empty()) << c.name << ": " << desktop.errors.front();
      continue;
    }
    ASSERT_EQ(desktop.errors.size(), 1u) << c.name;
    const std::string file =
        c.failure.starts_with("user/") ? user + c.failure.substr(4) : c.failure;
    EXPECT_NE(desktop.errors[0].find(root.File(file)), std::string::npos)
        << c.name << ": " << desktop.errors[0];
  }
}

}  // namespace
}  // namespace kovar::test

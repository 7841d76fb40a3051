// The player's own maps in the per-user folder's `data`: listed after the installed ones, replacing
// an installed map of the same name, loaded from their own folder, and ignored by a portable
// folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FileLocations.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(OwnMaps, JoinTheInstalledCatalogueAndLoadFromTheirOwnFolder) {
  const std::string ownCastle = "e4m4\r\nThe player's castle.\r\n";
  const std::string unreadable = "(unreadable)";
  const struct {
    const char* name;
    bool portable;
    std::vector<std::pair<std::string, std::string>> own;  // files in the player's data folder
    Names installedListed;                                 // in any order, listed first
    Names ownListed;                                       // then these, in this order
    std::string map;
    std::string level;
    std::string failure;  // a fragment of the one error shown, or empty for none
  } cases[] = {
      {"none of the player's", false, {}, {"castle", "keep"}, {}, "castle", "e1m1", ""},
      {"a new map of the player's",
       false,
       {{"tower.kvx", "e3m1\r\nA tower.\r\n"}, {"tower.bmp", MakeBmp(8, 8)}},
       {"castle", "keep"},
       {"tower"},
       "tower",
       "e3m1",
       ""},
      {"the player's castle replaces the installed one",
       false,
       {{"castle.kvx", ownCastle}, {"castle.bmp", MakeBmp(8, 8)}},
       {"keep"},
       {"castle"},
       "castle",
       "e4m4",
       ""},
      {"the player's castle without its own preview",
       false,
       {{"castle.kvx", ownCastle}},
       {"keep"},
       {"castle"},
       "castle",
       "e4m4",
       "user/data/castle.bmp"},
      {"the player's castle that cannot be read",
       false,
       {{"castle.kvx", unreadable}},
       {"keep"},
       {"castle"},
       "castle",
       "",
       "user/data/castle.kvx"},
      {"a portable folder",
       true,
       {{"tower.kvx", "e3m1\r\nA tower.\r\n"}},
       {"castle", "keep"},
       {},
       "tower",
       "",
       "app/data/tower.kvx"},
  };
  for (const auto& c : cases) {
    if (!PermissionsApply() && std::string(c.name).find("cannot be read") != std::string::npos) {
      continue;
    }
    TempDir root;
    root.Write("app/data/castle.kvx", "e1m1\r\nThe installed castle.\r\n");
    root.Write("app/data/castle.bmp", MakeBmp(4, 4));
    root.Write("app/data/keep.kvx", "e1m2\r\nThe installed keep.\r\n");
    root.Write("app/data/keep.bmp", MakeBmp(4, 4));
    // The per-user folder is the one a portable folder would have, were it not portable.
    UserEnvironment environment;
    environment.xdgConfigHome = root.Path();
    environment.appData = root.Path();
    const std::string user = fs::path(NativeUserFolder(environment)).filename().string();
    for (const auto& [file, bytes] : c.own) {
      root.Write(user + "/data/" + file, bytes);
      if (bytes == unreadable) fs::permissions(root.File(user + "/data/" + file), fs::perms::none);
    }
    FakePlatform platform;
    Launcher launcher(c.portable ? FileLocations::Choose(root.File("app"), environment)
                                 : FileLocations(root.File("app"), root.File(user)),
                      platform);
    launcher.FillLists();
    Names listed = launcher.State().List(ListField::MapList);
    ASSERT_EQ(listed.size(), c.installedListed.size() + c.ownListed.size()) << c.name;
    const auto ownStart = listed.begin() + static_cast<long>(c.installedListed.size());
    EXPECT_EQ(Names(ownStart, listed.end()), c.ownListed) << c.name;
    std::sort(listed.begin(), ownStart);
    EXPECT_EQ(Names(listed.begin(), ownStart), c.installedListed) << c.name;

    (void)launcher.RunCommand("map " + c.map);
    EXPECT_EQ(launcher.State().Text(TextField::MapLevel), c.level) << c.name;
    if (c.failure.empty()) {
      EXPECT_TRUE(platform.errors.empty()) << c.name << ": " << platform.errors.front();
    } else {
      ASSERT_EQ(platform.errors.size(), 1u) << c.name;
      const std::string failed = c.failure.starts_with("user/")
                                     ? root.File(user + c.failure.substr(4))
                                     : root.File(c.failure);
      EXPECT_NE(platform.errors[0].find(failed), std::string::npos)
          << c.name << ": " << platform.errors[0];
    }
  }
}

}  // namespace
}  // namespace kovar::test

// The per-user folders as a POSIX system makes them: every folder the launcher creates is the
// player's alone, while a folder that was already there keeps its own permissions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FileLocations.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

TEST(UserFolder, PosixMakesOnlyTheMissingFoldersPrivate) {
  const fs::perms shared = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec;
  const struct {
    const char* name;
    bool configExists;
    fs::perms config;
  } cases[] = {{"a home without .config", false, fs::perms::owner_all},
               {"a home whose .config is readable by others", true, shared}};
  for (const auto& c : cases) {
    TempDir app;
    TempDir home;
    if (c.configExists) {
      fs::create_directory(home.File(".config"));
      fs::permissions(home.File(".config"), shared);
    }
    FakePlatform platform;
    Launcher launcher(FileLocations(app.Path(), home.File(".config/kovar-launcher")), platform);
    EXPECT_TRUE(launcher.SaveCFG().ok()) << c.name;
    EXPECT_EQ(fs::status(home.File(".config")).permissions(), c.config) << c.name;
    EXPECT_EQ(fs::status(home.File(".config/kovar-launcher")).permissions(), fs::perms::owner_all)
        << c.name;
    EXPECT_TRUE(home.Has(".config/kovar-launcher/settings.kvx")) << c.name;
  }
}

}  // namespace
}  // namespace kovar::test

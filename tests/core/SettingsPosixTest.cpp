// Saving on a POSIX system keeps what the player set up around the settings files: a symbolic
// link stays a link to the file it names, and a file keeps its permissions.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "GameLaunch.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

TEST(SaveCFG, KeepsLinksAndPermissions) {
  const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
  const struct {
    const char* name;
    const char* link;    // where config.kvx links to, or empty for a plain file
    const char* target;  // the file that receives the settings, relative to the folder
    bool targetExists;   // the target exists before the save
    fs::perms before;    // its permissions then
    mode_t mask;         // the user's file creation mask
    fs::perms after;     // its permissions after the save
  } cases[] = {
      {"a plain file of the player's", "", "config.kvx", true, rw | fs::perms::group_read, 022,
       rw | fs::perms::group_read},
      {"a new file, as the mask allows", "", "config.kvx", false, fs::perms::none, 027,
       rw | fs::perms::group_read},
      {"a link to a file elsewhere", "dotfiles/config.kvx", "dotfiles/config.kvx", true, rw, 022,
       rw},
      {"a link to a link", "chain", "dotfiles/config.kvx", true, rw, 022, rw},
      {"a link to a file not yet made", "dotfiles/config.kvx", "dotfiles/config.kvx", false,
       fs::perms::none, 022, rw | fs::perms::group_read | fs::perms::others_read},
  };
  for (const auto& c : cases) {
    Fixture f;
    const mode_t mask = ::umask(c.mask);
    fs::create_directories(f.dir.File("dotfiles"));
    if (c.targetExists) {
      f.dir.Write(c.target, "exe old\r\n");
      fs::permissions(f.dir.File(c.target), c.before);
    }
    if (std::string(c.link) == "chain") {
      fs::create_symlink("dotfiles/config.kvx", f.dir.File("chain"));
      fs::create_symlink(f.dir.File("chain"), f.dir.File("config.kvx"));
    } else if (*c.link) {
      // Relative, as a dotfile manager makes them.
      fs::create_symlink(c.link, f.dir.File("config.kvx"));
    }
    f.Run("exe Quake.exe");
    EXPECT_TRUE(f.launcher.SaveCFG().ok()) << c.name;
    ::umask(mask);
    EXPECT_EQ(fs::is_symlink(f.dir.File("config.kvx")), *c.link != '\0') << c.name;
    EXPECT_EQ(f.dir.Read(c.target), "exe Quake.exe\r\ncpar \r\n") << c.name;
    EXPECT_EQ(fs::status(f.dir.File(c.target)).permissions(), c.after) << c.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(f.dir.File("dotfiles")), {}), *c.link ? 1 : 0)
        << c.name << ": a temporary file was left behind";
  }
}

TEST(StartGame, KeepsTheLaunchScriptsPermissionsRunnable) {
  Fixture f;
  const std::string script = f.dir.File(LaunchScriptName(kNativeFlavour));
  f.dir.Write(LaunchScriptName(kNativeFlavour), "old");
  fs::permissions(script, fs::perms::owner_read | fs::perms::owner_write);
  f.Run("quakedir " + f.dir.Path());
  EXPECT_TRUE(f.launcher.StartGame().ok());
  EXPECT_EQ(fs::status(script).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
}

}  // namespace
}  // namespace kovar::test

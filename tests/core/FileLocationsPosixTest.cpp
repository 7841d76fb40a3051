// The player's files on a POSIX system: the per-user folder found from the real environment,
// every folder the launcher creates the player's alone while one already there keeps its own
// permissions, a folder that others could change left unused, and saving through links.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
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

TEST(UserFolder, TheRealEnvironmentGivesTheHomeOfThePasswordEntryForARelativeHome) {
  const std::string fromPassword = std::string(::getpwuid(::getuid())->pw_dir);
  const char* saved = std::getenv("HOME");
  const std::string home = saved ? saved : "";
  ::unsetenv("XDG_CONFIG_HOME");
  for (const char* relative : {"", "relative/home"}) {
    ::setenv("HOME", relative, 1);
    EXPECT_EQ(LinuxUserFolder(CurrentUserEnvironment()), fromPassword + "/.config/kovar-launcher");
  }
  ::setenv("HOME", home.c_str(), 1);
}

TEST(UserFolder, OfAnInstalledLauncherIsUsedOnlyWhenItIsThePlayersOwn) {
  const struct {
    const char* name;
    const char* setUp;    // what lies at the folder's place: nothing, a folder and its mode, ...
    std::string refusal;  // a fragment of the box at start, or empty when the folder is used
  } cases[] = {
      {"none yet", "", ""},
      {"the player's", "folder 0755", ""},
      {"writable by every user", "folder 0777", "every user can write"},
      {"a link to the player's folder", "link", "symbolic link"},
      {"a file", "file", "not a folder"},
  };
  for (const auto& c : cases) {
    // Writable by this user, as an installed launcher's folder is by root.
    TempDir app;
    app.Write("auto.kvx", "exec settings.kvx\r\n");
    app.Write("settings.kvx", "quakedir /installed\r\n");
    TempDir home;
    const std::string folder = home.File("kovar-launcher");
    const std::string setUp = c.setUp;
    home.Write(setUp == "file" ? "kovar-launcher" : "real/settings.kvx", "quakedir /players\r\n");
    if (setUp == "link") fs::create_directory_symlink(home.File("real"), folder);
    if (setUp.starts_with("folder")) {
      fs::rename(home.File("real"), folder);
      fs::permissions(folder, fs::perms(std::stoi(setUp.substr(7), nullptr, 8)));
    }
    FakePlatform platform;
    Launcher launcher(
        FileLocations::Choose(app.Path(), {home.Path(), "", "", ""}, InstallLayout::System),
        platform);
    EXPECT_TRUE(launcher.Main().ok());
    const bool used = c.refusal.empty();
    EXPECT_EQ(launcher.State().Text(TextField::QuakeDir),
              used && !setUp.empty() ? "/players" : "/installed")
        << c.name;
    EXPECT_EQ(launcher.SaveCFG().ok(), used) << c.name;
    EXPECT_EQ(launcher.StartGame().ok(), used) << c.name;
    EXPECT_EQ(platform.started.size(), used ? 1u : 0u) << c.name;
    EXPECT_EQ(app.Read("settings.kvx"), "quakedir /installed\r\n") << c.name;
    EXPECT_EQ(home.Read(setUp == "file" ? "kovar-launcher" : "kovar-launcher/settings.kvx")
                  .starts_with("frun false"),
              used)
        << c.name;
    ASSERT_EQ(platform.errors.size(), used ? 0u : 3u) << c.name;
    for (const std::string& error : platform.errors) {
      for (const std::string& named : {folder, c.refusal, std::string("to fix it")}) {
        EXPECT_NE(error.find(named), std::string::npos) << c.name << ": " << error;
      }
    }
  }
}

TEST(SaveCFG, KeepsALinkALinkAndTheFilesPermissions) {
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
  for (const std::string target : {"config.kvx", "dotfiles/config.kvx"}) {
    Fixture f;
    f.dir.Write(target, "exe old\r\n");
    fs::permissions(f.dir.File(target), mode);
    // Relative, as a dotfile manager makes it.
    if (target != "config.kvx") fs::create_symlink(target, f.dir.File("config.kvx"));
    EXPECT_TRUE(f.launcher.SaveCFG().ok()) << target;
    EXPECT_EQ(fs::is_symlink(f.dir.File("config.kvx")), target != "config.kvx") << target;
    EXPECT_EQ(f.dir.Read(target), "exe LucidGL.exe\r\ncpar \r\n") << target;
    EXPECT_EQ(fs::status(f.dir.File(target)).permissions(), mode) << target;
  }
}

}  // namespace
}  // namespace kovar::test

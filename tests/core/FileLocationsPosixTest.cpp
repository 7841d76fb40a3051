// The per-user folders on a POSIX system: the folder found from the real environment, every
// folder the launcher creates the player's alone, a folder that was already there keeping its own
// permissions, and a folder that others could change left unused.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
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

TEST(UserFolder, ARelativeOrMissingHomeIsThePasswordEntrysHome) {
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_TRUE(entry && entry->pw_dir);
  const std::string fromPassword = std::string(entry->pw_dir) + "/.config/kovar-launcher";
  const struct {
    std::optional<std::string> home;
    std::string folder;
  } cases[] = {{std::nullopt, fromPassword},
               {"", fromPassword},
               {"relative/home", fromPassword},
               {"/some/home", "/some/home/.config/kovar-launcher"}};
  const char* savedHome = std::getenv("HOME");
  const std::optional<std::string> home =
      savedHome ? std::optional<std::string>(savedHome) : std::nullopt;
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const std::optional<std::string> config =
      savedConfig ? std::optional<std::string>(savedConfig) : std::nullopt;
  ::unsetenv("XDG_CONFIG_HOME");
  for (const auto& c : cases) {
    if (c.home) {
      ::setenv("HOME", c.home->c_str(), 1);
    } else {
      ::unsetenv("HOME");
    }
    EXPECT_EQ(LinuxUserFolder(CurrentUserEnvironment()), c.folder) << c.home.value_or("(unset)");
  }
  if (home) ::setenv("HOME", home->c_str(), 1);
  if (config) ::setenv("XDG_CONFIG_HOME", config->c_str(), 1);
}

TEST(UserFolder, OneThatOthersCouldChangeIsNeitherReadNorWritten) {
  const bool root = ::geteuid() == 0;
  enum class Kind { Missing, Folder, Link, File };
  const struct {
    const char* name;
    Kind kind;
    fs::perms perms;
    std::optional<gid_t> group;  // a group to give the folder (root only)
    std::optional<uid_t> owner;  // an owner to give the folder (root only)
    std::string refusal;         // a fragment of the box shown, or empty when the folder is used
  } cases[] = {
      {"missing", Kind::Missing, fs::perms::none, {}, {}, ""},
      {"the player's own", Kind::Folder, fs::perms::owner_all, {}, {}, ""},
      {"the player's own, readable by all",
       Kind::Folder,
       fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read |
           fs::perms::group_exec | fs::perms::others_exec,
       {},
       {},
       ""},
      {"writable by every user", Kind::Folder, fs::perms::all, {}, {}, "every user can write"},
      {"writable by a shared group",
       Kind::Folder,
       fs::perms::owner_all | fs::perms::group_all,
       gid_t{65534},
       {},
       "its group can write"},
      // root's group holds root alone.
      {"writable by the player's private group",
       Kind::Folder,
       fs::perms::owner_all | fs::perms::group_all,
       gid_t{0},
       {},
       ""},
      {"another user's", Kind::Folder, fs::perms::owner_all, {}, uid_t{65534}, "the user nobody"},
      {"a link to the player's own folder", Kind::Link, fs::perms::none, {}, {}, "symbolic link"},
      {"a file", Kind::File, fs::perms::none, {}, {}, "not a folder"},
  };
  for (const auto& c : cases) {
    if (!root && (c.group || c.owner)) continue;
    TempDir app;
    app.Write("auto.kvx", "exec settings.kvx\r\n");
    app.Write("settings.kvx", "quakedir /installed\r\n");
    TempDir home;
    UserEnvironment environment;
    environment.xdgConfigHome = home.Path();
    const std::string folder = home.File("kovar-launcher");
    const std::string own = "quakedir /players\r\n";
    if (c.kind == Kind::Folder || c.kind == Kind::Link) {
      home.Write("real/settings.kvx", own);
      if (c.kind == Kind::Folder) {
        fs::rename(home.File("real"), folder);
        fs::permissions(folder, c.perms);
        if (c.group || c.owner) {
          ASSERT_EQ(::chown(folder.c_str(), c.owner.value_or(-1), c.group.value_or(-1)), 0);
        }
      } else {
        fs::create_directory_symlink(home.File("real"), folder);
      }
    } else if (c.kind == Kind::File) {
      home.Write("kovar-launcher", own);
    }
    const bool used = c.refusal.empty();

    FakePlatform platform;
    Launcher launcher(FileLocations::Choose(app.Path(), environment, InstallLayout::System),
                      platform);
    EXPECT_TRUE(launcher.Main().ok()) << c.name;
    const std::string expected = used && c.kind != Kind::Missing ? "/players" : "/installed";
    EXPECT_EQ(launcher.State().Text(TextField::QuakeDir), expected) << c.name;
    ASSERT_EQ(platform.errors.size(), used ? 0u : 1u) << c.name;
    if (!used) {
      for (const std::string& named : {folder, c.refusal, std::string("to fix it")}) {
        EXPECT_NE(platform.errors[0].find(named), std::string::npos)
            << c.name << ": " << platform.errors[0];
      }
    }
    platform.errors.clear();
    EXPECT_NE(launcher.SaveCFG().ok(), !used) << c.name;
    EXPECT_NE(launcher.StartGame().ok(), !used) << c.name;
    EXPECT_EQ(platform.started.size(), used ? 1u : 0u) << c.name;
    if (used) {
      EXPECT_EQ(home.Read("kovar-launcher/settings.kvx"),
                "frun false\r\nquakedir " + expected + "\r\n")
          << c.name;
      if (c.kind == Kind::Missing) {
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << c.name;
      }
    } else {
      const char* players = c.kind == Kind::File   ? "kovar-launcher"
                            : c.kind == Kind::Link ? "real/settings.kvx"
                                                   : "kovar-launcher/settings.kvx";
      EXPECT_EQ(home.Read(players), own) << c.name;
      for (const std::string& error : platform.errors) {
        EXPECT_NE(error.find(folder), std::string::npos) << c.name << ": " << error;
      }
    }
  }
}

}  // namespace
}  // namespace kovar::test

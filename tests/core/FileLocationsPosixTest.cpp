// The player's files on a POSIX system: the per-user folder found from the real environment,
// every folder the launcher creates the player's alone while one already there keeps its own
// permissions, a folder that others could change (or a folder above it) left unused, the folder
// used through what was checked, and saving through links.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
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
    FakeDesktop desktop;
    Launcher launcher(FileLocations(app.Path(), home.File(".config/kovar-launcher")), desktop);
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

// Lets the account `uid` write to `path` by an access control list entry, in the form the kernel
// keeps it: a version, then (tag, permissions, id) for the owner, that account, the group, the
// mask and others. False where the file system keeps no such lists.
bool LetWrite(const std::string& path, std::uint32_t uid) {
  const std::uint32_t none = 0xffffffff;
  const std::uint32_t entries[][2] = {{0x01 | 7 << 16, none},
                                      {0x02 | 7 << 16, uid},
                                      {0x04 | 5 << 16, none},
                                      {0x10 | 7 << 16, none},
                                      {0x20 | 5 << 16, none}};
  std::string bytes("\x02\0\0\0", 4);
  bytes.append(reinterpret_cast<const char*>(entries), sizeof entries);
  return ::setxattr(path.c_str(), "system.posix_acl_access", bytes.data(), bytes.size(), 0) == 0;
}

TEST(UserFolder, OfAnInstalledLauncherIsUsedOnlyWhenNobodyElseCanChangeIt) {
  // The folder is HOME/cfg/kovar-launcher, holding the player's settings; each row changes that.
  const std::uint32_t other = ::geteuid() + 1;
  const AccountList mine{{{"me", ::geteuid(), ::getegid()}}, {}};
  AccountList shared = mine;
  shared.accounts.push_back({"other", other, ::getegid()});
  const auto mode = [](const std::string& path, int bits) {
    fs::permissions(path, fs::perms(bits));
  };
  const auto linkCfg = [](const TempDir& home) {
    fs::rename(home.File("cfg"), home.File("dotfiles"));
    fs::create_directory_symlink("dotfiles", home.File("cfg"));
  };
  const struct {
    const char* name;
    std::function<bool(const TempDir&, const std::string&)> setUp;  // false: cannot be made here
    std::string refusal;  // a fragment of the box at start, or empty when the folder is used
    std::optional<AccountList> accounts;
  } cases[] = {
      {"the player's", [](auto&, auto&) { return true; }, "", {}},
      {"none yet", [](auto&, auto& f) { return fs::remove_all(f) > 0; }, "", {}},
      {"writable by every user",
       [&](auto&, auto& f) { return mode(f, 0777), true; },
       "every user can write to it",
       {}},
      {"a link to the player's folder",
       [](auto& h, auto& f) {
         fs::rename(f, h.File("real"));
         fs::create_directory_symlink(h.File("real"), f);
         return true;
       },
       "symbolic link",
       {}},
      {"a file",
       [](auto& h, auto& f) { return fs::remove_all(f), h.Write("cfg/kovar-launcher", "x"), true; },
       "not a folder",
       {}},
      {"another account's entry in its access list",
       [&](auto&, auto& f) { return LetWrite(f, other); },
       "can write to it by its access control list",
       {}},
      {"another account's entry in a parent's access list",
       [&](auto& h, auto&) { return LetWrite(h.File("cfg"), other); },
       "can write to the folder",
       {}},
      {"a parent every user can write to",
       [&](auto& h, auto&) { return mode(h.File("cfg"), 0777), true; },
       "every user can write to the folder",
       {}},
      {"a sticky parent", [&](auto& h, auto&) { return mode(h.File("cfg"), 01777), true; }, "", {}},
      {"a parent linked into the player's dotfiles",
       [&](auto& h, auto&) { return linkCfg(h), true; },
       "",
       {}},
      {"a parent linked into a folder every user can write to",
       [&](auto& h, auto&) { return linkCfg(h), mode(h.File("dotfiles"), 0777), true; },
       "every user can write to the folder",
       {}},
      {"its group the player's alone", [&](auto&, auto& f) { return mode(f, 0770), true; }, "",
       mine},
      {"its group another account's primary group",
       [&](auto&, auto& f) { return mode(f, 0770), true; }, "the account other has it", shared},
  };
  for (const auto& c : cases) {
    // Writable by this user, as an installed launcher's folder is by root.
    TempDir app;
    app.Write("auto.kvx", "exec settings.kvx\r\n");
    app.Write("settings.kvx", "quakedir /installed\r\n");
    TempDir home;
    const std::string folder = home.File("cfg/kovar-launcher");
    home.Write("cfg/kovar-launcher/settings.kvx", "quakedir /players\r\n");
    mode(folder, 0700);
    if (!c.setUp(home, folder)) {
      std::cout << "Not tried here: " << c.name << "\n";
      continue;
    }
    FakeDesktop desktop;
    Launcher launcher(FileLocations::Choose(app.Path(), {home.File("cfg"), "", "", ""},
                                            InstallLayout::System, c.accounts),
                      desktop);
    EXPECT_TRUE(launcher.Main().ok());
    const bool used = c.refusal.empty();
    EXPECT_EQ(launcher.State().Text(TextField::QuakeDir),
              used && std::string(c.name) != "none yet" ? "/players" : "/installed")
        << c.name;
    EXPECT_EQ(launcher.SaveCFG().ok(), used) << c.name;
    EXPECT_EQ(launcher.StartGame().ok(), used) << c.name;
    EXPECT_EQ(desktop.started.size(), used ? 1u : 0u) << c.name;
    EXPECT_EQ(app.Read("settings.kvx"), "quakedir /installed\r\n") << c.name;
    EXPECT_EQ(home.Read("cfg/kovar-launcher/settings.kvx").starts_with("frun false"), used)
        << c.name;
    ASSERT_EQ(desktop.errors.size(), used ? 0u : 3u) << c.name;
    for (const std::string& error : desktop.errors) {
      for (const std::string& named : {folder, c.refusal, std::string("to fix it")}) {
        EXPECT_NE(error.find(named), std::string::npos) << c.name << ": " << error;
      }
    }
  }
}

TEST(UserFolder, WhatWasCheckedIsWhatIsUsedAndItsFilesMustBeThePlayersToo) {
  TempDir app;
  app.Write("auto.kvx", "exec settings.kvx\r\nexec config.kvx\r\n");
  TempDir home;
  home.Write("kovar-launcher/settings.kvx", "quakedir /players\r\n");
  home.Write("kovar-launcher/config.kvx", "exe others.exe\r\n");
  fs::permissions(home.File("kovar-launcher/config.kvx"), fs::perms(0666));
  const FileLocations files(app.Path(), home.File("kovar-launcher"));
  // Swapped after the check: another folder now lies at its name.
  fs::rename(home.File("kovar-launcher"), home.File("checked"));
  home.Write("kovar-launcher/settings.kvx", "quakedir /swapped\r\n");
  FakeDesktop desktop;
  Launcher launcher(files, desktop);
  EXPECT_TRUE(launcher.Main().ok());
  EXPECT_EQ(launcher.State().Text(TextField::QuakeDir), "/players");
  EXPECT_EQ(launcher.State().Text(TextField::EngineText), "LucidGL.exe");
  ASSERT_EQ(desktop.errors.size(), 1u);
  EXPECT_NE(desktop.errors[0].find("config.kvx\": every user can write to it"), std::string::npos)
      << desktop.errors[0];
  desktop.errors.clear();
  EXPECT_TRUE(launcher.RunCommand("quakedir " + home.Path()).ok());
  EXPECT_TRUE(launcher.SaveCFG().failed()) << "the file others could write is kept";
  EXPECT_TRUE(launcher.StartGame().ok());
  EXPECT_EQ(home.Read("checked/settings.kvx"), "frun false\r\nquakedir " + home.Path() + "\r\n");
  EXPECT_EQ(home.Read("checked/config.kvx"), "exe others.exe\r\n");
  EXPECT_TRUE(home.Has("checked/run.sh"));
  EXPECT_EQ(home.Read("kovar-launcher/settings.kvx"), "quakedir /swapped\r\n");
  EXPECT_FALSE(home.Has("kovar-launcher/run.sh"));
}

TEST(UserFolder, FollowsASettingsLinkOnlyIntoFoldersNobodyElseCanChange) {
  for (const bool othersWrite : {false, true}) {
    TempDir app;
    app.Write("auto.kvx", "exec settings.kvx\r\n");
    TempDir home;
    home.Write("dotfiles/settings.kvx", "quakedir /players\r\n");
    home.Write("dotfiles/config.kvx", "not read at start, so only a save can refuse it\r\n");
    if (othersWrite) fs::permissions(home.File("dotfiles"), fs::perms(0777));
    fs::create_directory(home.File("kovar-launcher"));
    for (const std::string name : {"settings.kvx", "config.kvx"}) {
      fs::create_symlink("../dotfiles/" + name, home.File("kovar-launcher/" + name));
    }
    FakeDesktop desktop;
    Launcher launcher(FileLocations(app.Path(), home.File("kovar-launcher")), desktop);
    EXPECT_TRUE(launcher.Main().ok());
    EXPECT_EQ(launcher.State().Text(TextField::QuakeDir), othersWrite ? "" : "/players");
    EXPECT_EQ(launcher.SaveCFG().ok(), !othersWrite);
    EXPECT_TRUE(fs::is_symlink(home.File("kovar-launcher/settings.kvx")));
    EXPECT_EQ(home.Read("dotfiles/settings.kvx").starts_with("frun false"), !othersWrite);
    EXPECT_EQ(home.Read("dotfiles/config.kvx").starts_with("exe "), !othersWrite);
    for (const std::string& error : desktop.errors) {
      EXPECT_NE(error.find("every user can write to the folder \"" + home.File("dotfiles")),
                std::string::npos)
          << error;
    }
    EXPECT_EQ(desktop.errors.size(), othersWrite ? 2u : 0u);
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

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's files on a POSIX system: the per-user folder found from the real environment, a
// folder that others could change (or a folder above it) left unused as the player is told, the
// folder used through what was checked, and saving through links.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "FileLocations.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

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

TEST(UserFolder, OfAnInstalledLauncherIsUsedOnlyWhenNobodyElseCanChangeIt) {
  // The folder is HOME/cfg/kovar-launcher, holding the player's settings; each row changes that.
  // Which folders and files are refused is the own folder's; here, what the player is shown.
  const struct {
    const char* name;
    std::function<void(const std::string&)> setUp;
    std::string refusal;  // a fragment of the box at start, or empty when the folder is used
  } cases[] = {
      {"the player's", [](auto&) {}, ""},
      {"none yet", [](auto& f) { fs::remove_all(f); }, ""},
      {"writable by every user", [](auto& f) { fs::permissions(f, fs::perms(0777)); },
       "every user can write to it"},
  };
  for (const auto& c : cases) {
    // Writable by this user, as an installed launcher's folder is by root.
    TempDir app;
    app.Write("auto.kvx", "exec settings.kvx\r\n");
    app.Write("settings.kvx", "quakedir /installed\r\n");
    TempDir home;
    const std::string folder = home.File("cfg/kovar-launcher");
    home.Write("cfg/kovar-launcher/settings.kvx", "quakedir /players\r\n");
    fs::permissions(folder, fs::perms(0700));
    c.setUp(folder);
    FakeDesktop desktop;
    Launcher launcher(
        FileLocations::Choose(app.Path(), {home.File("cfg"), "", "", ""}, InstallLayout::System),
        desktop);
    EXPECT_TRUE(launcher.Main().ok());
    const bool used = c.refusal.empty();
    EXPECT_EQ(launcher.State().Text(TextField::QuakeDir),
              used && std::string(c.name) != "none yet" ? "/players" : "/installed")
        << c.name;
    const Result saved = launcher.SaveCFG();
    EXPECT_EQ(saved.ok(), used) << c.name;
    if (!used) {
      EXPECT_EQ(saved.failure().kind(), FailureKind::Refused) << c.name;
    }
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
    for (const char* name : {"config.kvx", "run.sh"}) {
      EXPECT_EQ(fs::exists(JoinPath(folder, name)), used) << c.name << ": " << name;
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

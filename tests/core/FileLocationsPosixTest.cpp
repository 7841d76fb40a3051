// The player's files on a POSIX system: the per-user folder found from the real environment,
// every folder the launcher creates the player's alone while one already there keeps its own
// permissions, a folder that others could change (or a folder above it) left unused, the folder
// used through what was checked, and saving through links.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

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

// Gives `path` an access control list in the form the kernel keeps it (a version, then tag,
// permissions and id an entry): all for the owner, `named` accounts with their permissions, read
// for the group and others. `list` is the file's own, or a folder's default one for what is made in
// it. False where the file system keeps no such lists, or none that long.
bool SetAcl(const std::string& path, const std::vector<std::array<std::uint32_t, 2>>& named,
            const char* list = "system.posix_acl_access") {
  const std::uint32_t none = 0xffffffff;
  std::vector<std::uint32_t> entries{0x01 | 7 << 16, none};
  for (const auto& [uid, permissions] : named) {
    entries.insert(entries.end(), {0x02 | permissions << 16, uid});
  }
  entries.insert(entries.end(), {0x04 | 5 << 16, none, 0x10 | 7 << 16, none, 0x20 | 5 << 16, none});
  std::string bytes("\x02\0\0\0", 4);
  bytes.append(reinterpret_cast<const char*>(entries.data()), entries.size() * sizeof entries[0]);
  return ::setxattr(path.c_str(), list, bytes.data(), bytes.size(), 0) == 0;
}

bool LetWrite(const std::string& path, std::uint32_t uid) { return SetAcl(path, {{uid, 7}}); }

// /proc hidden from this thread, in a mount namespace of its own, while it lives.
class WithoutProc {
 public:
  // False where this process may not have a mount namespace of its own.
  bool Hide() {
    return before_ >= 0 && ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::umount2("/proc", MNT_DETACH) == 0;
  }
  ~WithoutProc() {
    if (::setns(before_, CLONE_NEWNS) == 0) {
      EXPECT_EQ(::fchdir(workingFolder_), 0);
    }
    ::close(before_);
    ::close(workingFolder_);
  }

 private:
  int before_ = ::open("/proc/self/ns/mnt", O_RDONLY | O_CLOEXEC);
  int workingFolder_ = ::open(".", O_PATH | O_CLOEXEC);
};

TEST(UserFolder, OfAnInstalledLauncherIsUsedOnlyWhenNobodyElseCanChangeIt) {
  // The folder is HOME/cfg/kovar-launcher, holding the player's settings; each row changes that.
  const std::uint32_t other = ::geteuid() + 1;
  const AccountList mine{{{"me", ::geteuid(), ::getegid()}}, {}};
  AccountList shared = mine;
  shared.accounts.push_back({"other", other, ::getegid()});
  const auto mode = [](const std::string& path, int bits) {
    fs::permissions(path, fs::perms(bits));
  };
  std::optional<WithoutProc> noProc;
  const mode_t umaskBefore = ::umask(022);
  const auto linkCfg = [](const TempDir& home) {
    fs::rename(home.File("cfg"), home.File("dotfiles"));
    fs::create_directory_symlink("dotfiles", home.File("cfg"));
  };
  const struct {
    const char* name;
    std::function<bool(const TempDir&, const std::string&)> setUp;  // false: cannot be made here
    std::string refusal;  // a fragment of the box at start, or empty when the folder is used
    std::optional<AccountList> accounts;
    bool onTmpfs = false;
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
      {"its group shared and a umask that lets the group write",
       [](auto&, auto&) { return ::umask(002), true; }, "", shared},
      {"a default access list letting another account write what is made in it",
       [&](auto&, auto& f) {
         return SetAcl(f, {{other, 7}}, "system.posix_acl_default");
       },
       "",
       {}},
      {"no /proc", [&](auto&, auto&) { return noProc.emplace().Hide(); }, "", {}},
      {"an access list longer than 8 KiB, on a tmpfs",
       [](auto&, auto& f) {
         std::vector<std::array<std::uint32_t, 2>> readers;
         for (std::uint32_t uid = 100000; uid < 102000; ++uid) readers.push_back({uid, 4});
         return SetAcl(f, readers);
       },
       "",
       {},
       true},
  };
  for (const auto& c : cases) {
    noProc.reset();
    ::umask(022);
    // Writable by this user, as an installed launcher's folder is by root.
    TempDir app;
    app.Write("auto.kvx", "exec settings.kvx\r\n");
    app.Write("settings.kvx", "quakedir /installed\r\n");
    TempDir home(c.onTmpfs && fs::is_directory("/dev/shm") ? "/dev/shm"
                                                           : fs::temp_directory_path());
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
    // As the next start and Start read them.
    for (const char* name : {"settings.kvx", "config.kvx", "run.sh"}) {
      EXPECT_EQ(ReadFile(JoinPath(folder, name), 1 << 20).ok(), used) << c.name << ": " << name;
    }
  }
  noProc.reset();
  ::umask(umaskBefore);
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

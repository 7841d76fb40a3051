// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's own folder on a POSIX system, as its handle sees it: the access control list read
// from its bytes, a folder that others could change (or a folder above it) refused with the
// check's verdict, what it writes passing that check when read back, and the folders it makes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "Acl.h"
#include "OwnFolder.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;
using Kind = Distrust::Kind;

TEST(Acl, IsReadFromTheKernelsBytes) {
  using Entries = std::vector<std::array<std::uint32_t, 3>>;
  const struct {
    const char* name;
    std::string bytes;
    std::optional<Entries> entries;  // none: refused as malformed
  } cases[] = {
      {"no list", "", Entries{}},
      {"a version and no entries", std::string("\x02\0\0\0", 4), Entries{}},
      {"a user who may read and write",
       std::string("\x02\0\0\0"
                   "\x02\0\x06\0"
                   "\xe8\x03\0\0",
                   12),
       Entries{{0x02, 6, 1000}}},
      {"every byte of the id and the tag",
       std::string("\x02\0\0\0"
                   "\x10\x01\x07\0"
                   "\xfe\xff\xff\x7f",
                   12),
       Entries{{0x110, 7, 0x7ffffffe}}},
      {"another version", std::string("\x01\0\0\0", 4), std::nullopt},
      {"shorter than its version", std::string("\x02\0\0", 3), std::nullopt},
      {"an entry cut short",
       std::string("\x02\0\0\0"
                   "\x02\0\x06\0"
                   "\xe8\x03\0",
                   11),
       std::nullopt},
  };
  for (const auto& c : cases) {
    const Expected<std::vector<AclEntry>> parsed = ParseAcl(c.bytes);
    ASSERT_EQ(parsed.ok(), c.entries.has_value()) << c.name;
    if (!c.entries) {
      EXPECT_EQ(parsed.failure().code(), std::errc::invalid_argument) << c.name;
      continue;
    }
    Entries got;
    for (const AclEntry& e : parsed.value()) got.push_back({e.tag, e.perm, e.id});
    EXPECT_EQ(got, *c.entries) << c.name;
  }
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

// A wording that keeps the verdicts it was asked to word.
struct Verdicts {
  std::vector<Distrust> seen;
  DistrustWording Words() {
    return [this](const Distrust& verdict) {
      seen.push_back(verdict);
      return "refused";
    };
  }
};

TEST(OwnFolder, IsUsedOnlyWhenNobodyElseCanChangeIt) {
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
  struct Refusal {
    Kind kind;
    const char* subject;  // under HOME
    bool onTheWay = false;
    FailureKind failure = FailureKind::Refused;  // of the kind of the system's error, if any
  };
  const struct {
    const char* name;
    std::function<bool(const TempDir&, const std::string&)> setUp;  // false: cannot be made here
    std::optional<Refusal> refusal;
    std::optional<AccountList> accounts;
    bool onTmpfs = false;
  } cases[] = {
      {"the player's", [](auto&, auto&) { return true; }, {}, {}},
      {"none yet", [](auto&, auto& f) { return fs::remove_all(f) > 0; }, {}, {}},
      {"writable by every user",
       [&](auto&, auto& f) { return mode(f, 0777), true; },
       Refusal{Kind::EveryUser, "cfg/kovar-launcher"},
       {}},
      {"a link to the player's folder",
       [](auto& h, auto& f) {
         fs::rename(f, h.File("real"));
         fs::create_directory_symlink(h.File("real"), f);
         return true;
       },
       Refusal{Kind::Link, "cfg/kovar-launcher"},
       {}},
      {"a file",
       [](auto& h, auto& f) { return fs::remove_all(f), h.Write("cfg/kovar-launcher", "x"), true; },
       Refusal{Kind::NotFolder, "cfg/kovar-launcher"},
       {}},
      {"a folder that cannot be opened",
       [&](auto&, auto& f) { return mode(f, 0), PermissionsApply(); },
       Refusal{Kind::Unreachable, "cfg/kovar-launcher", false, FailureKind::System},
       {}},
      {"another account's entry in its access list",
       [&](auto&, auto& f) { return LetWrite(f, other); },
       Refusal{Kind::AclUser, "cfg/kovar-launcher"},
       {}},
      {"another account's entry in a parent's access list",
       [&](auto& h, auto&) { return LetWrite(h.File("cfg"), other); },
       Refusal{Kind::AclUser, "cfg", true},
       {}},
      {"a parent every user can write to",
       [&](auto& h, auto&) { return mode(h.File("cfg"), 0777), true; },
       Refusal{Kind::EveryUser, "cfg", true},
       {}},
      {"a sticky parent", [&](auto& h, auto&) { return mode(h.File("cfg"), 01777), true; }, {}, {}},
      {"a parent linked into the player's dotfiles",
       [&](auto& h, auto&) { return linkCfg(h), true; },
       {},
       {}},
      {"a parent linked into a folder every user can write to",
       [&](auto& h, auto&) { return linkCfg(h), mode(h.File("dotfiles"), 0777), true; },
       Refusal{Kind::EveryUser, "dotfiles", true},
       {}},
      {"its group the player's alone",
       [&](auto&, auto& f) { return mode(f, 0770), true; },
       {},
       mine},
      {"its group another account's primary group",
       [&](auto&, auto& f) { return mode(f, 0770), true; },
       Refusal{Kind::Group, "cfg/kovar-launcher"}, shared},
      {"its group shared and a umask that lets the group write",
       [](auto&, auto&) { return ::umask(002), true; },
       {},
       shared},
      {"a default access list letting another account write what is made in it",
       [&](auto&, auto& f) {
         return SetAcl(f, {{other, 7}}, "system.posix_acl_default");
       },
       {},
       {}},
      {"no /proc", [&](auto&, auto&) { return noProc.emplace().Hide(); }, {}, {}},
      {"an access list longer than 8 KiB, on a tmpfs",
       [](auto&, auto& f) {
         std::vector<std::array<std::uint32_t, 2>> readers;
         for (std::uint32_t uid = 100000; uid < 102000; ++uid) readers.push_back({uid, 4});
         return SetAcl(f, readers);
       },
       {},
       {},
       true},
  };
  for (const auto& c : cases) {
    noProc.reset();
    ::umask(022);
    TempDir home(c.onTmpfs && fs::is_directory("/dev/shm") ? "/dev/shm"
                                                           : fs::temp_directory_path());
    const std::string path = home.File("cfg/kovar-launcher");
    home.Write("cfg/kovar-launcher/settings.kvx", "quakedir /players\r\n");
    mode(path, 0700);
    if (!c.setUp(home, path)) {
      std::cout << "Not tried here: " << c.name << "\n";
      continue;
    }
    Verdicts verdicts;
    OwnFolder folder(path, verdicts.Words(), c.accounts);
    const Result opened = folder.Open();
    // Removable again when the test ends.
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    EXPECT_EQ(opened.ok(), !c.refusal) << c.name;
    if (c.refusal) {
      EXPECT_EQ(opened.failure().kind(), c.refusal->failure) << c.name;
      ASSERT_EQ(verdicts.seen.size(), 1u) << c.name;
      const Distrust& verdict = verdicts.seen[0];
      EXPECT_EQ(verdict.kind, c.refusal->kind) << c.name;
      EXPECT_EQ(verdict.subject, home.File(c.refusal->subject)) << c.name;
      EXPECT_EQ(verdict.onTheWay, c.refusal->onTheWay) << c.name;
      EXPECT_EQ(verdict.account, verdict.kind == Kind::Group ? "other" : "") << c.name;
      EXPECT_TRUE(folder.Read("settings.kvx", 1 << 20).failed()) << c.name;
      EXPECT_TRUE(folder.WriteAtomically("settings.kvx", "frun false\r\n").failed()) << c.name;
      continue;
    }
    if (!folder.IsOpen()) {
      EXPECT_TRUE(folder.Make().ok()) << c.name;
      EXPECT_TRUE(folder.Open().ok()) << c.name;
    }
    // What it writes passes its check when read back, as the next start reads it.
    for (const char* name : {"settings.kvx", "run.sh"}) {
      EXPECT_TRUE(folder.WriteAtomically(name, "frun false\r\n", true).ok()) << c.name;
      EXPECT_EQ(folder.Read(name, 1 << 20).ok(), true) << c.name << ": " << name;
    }
    EXPECT_EQ(fs::status(home.File("cfg/kovar-launcher/run.sh")).permissions() & fs::perms(022),
              fs::perms::none)
        << c.name;
    EXPECT_TRUE(verdicts.seen.empty()) << c.name;
  }
  noProc.reset();
  ::umask(umaskBefore);
}

TEST(OwnFolder, MakesOnlyTheMissingFoldersPrivate) {
  const fs::perms shared = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec;
  const struct {
    const char* name;
    bool configExists;
    fs::perms config;
  } cases[] = {{"a home without .config", false, fs::perms::owner_all},
               {"a home whose .config is readable by others", true, shared}};
  for (const auto& c : cases) {
    TempDir home;
    if (c.configExists) {
      fs::create_directory(home.File(".config"));
      fs::permissions(home.File(".config"), shared);
    }
    Verdicts verdicts;
    OwnFolder folder(home.File(".config/kovar-launcher"), verdicts.Words());
    // The player's umask, not the home's: a home made group-writable would be refused itself.
    const mode_t umaskBefore = ::umask(002);
    EXPECT_TRUE(folder.Make().ok()) << c.name;
    ::umask(umaskBefore);
    EXPECT_TRUE(folder.Open().ok() && folder.IsOpen()) << c.name;
    EXPECT_EQ(fs::status(home.File(".config")).permissions(), c.config) << c.name;
    EXPECT_EQ(fs::status(home.File(".config/kovar-launcher")).permissions(), fs::perms::owner_all)
        << c.name;
  }
}

}  // namespace
}  // namespace kovar::test

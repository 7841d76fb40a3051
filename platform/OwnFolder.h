// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's own folder on a system where users share folders: used only when nobody but the
// player and root can change it, what lies above it or the files read from it, and then held
// open, so that every file of it is reached through the folder that was checked. One interface;
// OwnFolderPosix.cpp and OwnFolderWindows.cpp implement it, chosen by the build.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "FileSystem.h"
#include "Result.h"

namespace kovar {

// Who could share a group with the player: every account with its primary group, and the members
// each group lists.
struct AccountList {
  struct Account {
    std::string name;
    std::uint32_t uid = 0;
    std::uint32_t group = 0;
  };
  struct Group {
    std::uint32_t gid = 0;
    std::vector<std::string> members;
  };
  std::vector<Account> accounts;
  std::vector<Group> groups;
};

// The accounts and groups this system can list (its password and group databases).
AccountList SystemAccounts();

// The accounts a folder's check asks about: those handed in, or the system's, listed once when a
// group that may write makes them needed (listing a large directory service takes a while).
class AccountSource {
 public:
  explicit AccountSource(std::optional<AccountList> given) : list_(std::move(given)) {}
  const AccountList& Get() {
    std::call_once(listed_, [this] {
      if (!list_) list_ = SystemAccounts();
    });
    return *list_;
  }

 private:
  std::once_flag listed_;
  std::optional<AccountList> list_;
};

// Why the folder, a folder on the way to it or a file read from it is not used: who besides the
// player and root could change it, or what else is in the way. The check's verdict, which the
// core words for the player.
struct Distrust {
  enum class Kind {
    Owner,          // it belongs to the user `who`, not to `player` or root
    EveryUser,      // every user can write to it (`mode`)
    AclUnreadable,  // its access control list cannot be read (`detail`)
    AclUser,        // the user `who` can write to it by its access control list
    AclGroup,       // the group `who` can write to it by its access control list (`share`)
    Group,          // its group `who` can write to it (`mode`, `share`)
    LinkOwner,      // `subject`, a symbolic link on the way, belongs to the user `who`
    Link,           // the folder is a symbolic link
    NotFolder,      // the folder is another kind of file
    Unreachable,    // it cannot be looked at (`detail`)
  };
  // Why a group that can write is not the player's private group.
  enum class Share {
    NotOwn,     // it is not the player's primary group
    PrimaryOf,  // the account `account` has it as its primary group
    MemberOf,   // `account` is a member of it
  };
  Kind kind = Kind::Unreachable;
  std::string subject;    // the folder, file or link, as its path is shown
  bool onTheWay = false;  // a folder that leads to the one used
  std::string who;
  std::string player;
  unsigned mode = 0;  // the permission bits, as chmod takes them
  Share share = Share::NotOwn;
  std::string account;
  std::string detail;
  // The system's error behind `detail`, when one was reported: the failure then has its kind.
  std::error_code error;
};

// The text a verdict gives the player.
using DistrustWording = std::function<std::string(const Distrust&)>;

// The player's own folder, held open once it is checked. Its files are named relative to it,
// with the system's separator; "." names the folder itself.
class OwnFolder {
 public:
  // The folder at `path`, not looked at yet. The private-group question is asked of `accounts`,
  // or, when none are given, of the system's, listed when first needed. A refusal's text is
  // `words`' for its verdict.
  OwnFolder(std::string path, DistrustWording words,
            std::optional<AccountList> accounts = std::nullopt);
  ~OwnFolder();
  OwnFolder(const OwnFolder&) = delete;
  OwnFolder& operator=(const OwnFolder&) = delete;

  // Checks the folder and, when it is there and the player's own, holds it open: from then on its
  // files are reached through what was checked, wherever its path leads. Missing, it is Ok but
  // not open. A failure says why others could change it and how to fix that.
  Result Open();
  // True once the folder is held open (never on Windows, where it is used by its path).
  bool IsOpen() const;
  // Makes the folder and its missing parents, each private to the player and made in the open
  // folder that holds it, reached as its check reaches it; Open then checks what was made. A
  // failure names the folder that could not be made, and why.
  Result Make();

  // The file operations of FileSystem.h on a file of the folder, which must be the player's own
  // too when read; until the folder is open, nothing is found in it (on Linux).
  Result OpenFile(const std::string& name, InputFile& file) const;
  Expected<std::string> Read(const std::string& name, std::size_t limit) const;
  // A new file never lets its group or others write, and a file replaced loses such a permission
  // where the folder's check would refuse it.
  Result WriteAtomically(const std::string& name, const std::string& contents,
                         bool executable = false) const;
  Expected<std::vector<std::string>> ListMapInfoFiles(const std::string& folder) const;
  bool HasEntry(const std::string& name) const;
  std::optional<FileId> Id(const std::string& name) const;

 private:
  std::string path_;
  DistrustWording words_;
  // Asked from the map listing's thread too.
  mutable AccountSource accounts_;
  // The open folder's descriptor, -1 until then (and on Windows).
  std::atomic<int> fd_{-1};
};

}  // namespace kovar

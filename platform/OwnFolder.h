// The player's own folder on a system where users share folders: used only when nobody but the
// player and root can change it, what lies above it or the files read from it, and then held
// open, so that every file of it is reached through the folder that was checked. One interface;
// OwnFolderPosix.cpp and OwnFolderWindows.cpp implement it, chosen by the build.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

class OwnFolder {
 public:
  // The folder at `path`, not looked at yet. The private-group question is asked of `accounts`,
  // or, when none are given, of the system's, listed when first needed.
  OwnFolder(std::string path, std::optional<AccountList> accounts);
  ~OwnFolder();
  OwnFolder(const OwnFolder&) = delete;
  OwnFolder& operator=(const OwnFolder&) = delete;

  // Checks the folder and, when it is there and the player's own, opens it: from then on, while
  // this object lives, the file operations of FileSystem.h reach every name under its path through
  // the open folder, and a file read there must be the player's own too. Missing, it is Ok but
  // not opened, and nothing under its path is found until it is opened. A failure says why others
  // could change it and how to fix that; nothing under its path is found then either.
  Result Open();
  // True once the folder is held open (never on Windows, where it is used by its path).
  bool IsOpen() const { return open_; }

 private:
  std::string path_;
  bool open_ = false;
};

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The walk to a name a folder at a time, each folder entered through the one open before it, so
// that a link put on the way is followed only as the check follows it; and making folders so.
#pragma once

#include <string>

#include "Result.h"

namespace kovar {

struct Trust;

// A descriptor closed when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  ~UniqueFd();
  int Get() const { return fd_; }
  int Release();

 private:
  int fd_ = -1;
};

// An open folder and a name in it.
struct Place {
  UniqueFd folder;
  std::string name;
};

// Follows `path` from the folder `start` (AT_FDCWD for the working folder; from the root when it
// begins with '/'), a name at a time, up to its last name, which it leaves with the open folder
// that holds it. Symbolic links are followed, the last one too when `followLast`. `shown` names
// `start` in refusals. With `trust`, every folder entered must pass its check, and every link
// followed be the player's or root's.
Expected<Place> Walk(int start, std::string shown, const std::string& path, bool followLast,
                     const Trust* trust);

// Makes the folder `path` and its missing parents, each private to the player (mode 0700) and made
// in the open folder that holds it, reached as Walk reaches it. A failure names `path`, the folder
// on the way that could not be made, and why.
Result MakeFolders(const std::string& path, const Trust* trust);

}  // namespace kovar

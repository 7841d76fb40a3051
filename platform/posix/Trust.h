// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Who besides the player and root could change a folder or a file: its owner, its mode bits, its
// access control list and the groups it shares with other accounts.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "OwnFolder.h"

namespace kovar {

// None when nobody besides the player and root can change the folder or file open as `fd`, which
// fstat described as `info`; otherwise who can. `shown` names it; `onTheWay` is true for a folder
// that leads to the one used, which may be sticky like /tmp: there others can add names but not
// move or replace ours.
std::optional<Distrust> Verdict(int fd, const struct stat& info, const std::string& shown,
                                bool onTheWay, AccountSource& accounts);

// The check an own folder's walk and files pass, its refusals worded for the player.
struct Trust {
  AccountSource& accounts;
  const DistrustWording& words;

  // Ok when Verdict finds nobody else; otherwise its worded failure.
  Result Judge(int fd, const struct stat& info, const std::string& shown, bool onTheWay) const;
  // Ok for a symbolic link `shown` on the way that is the player's or root's.
  Result Link(const struct stat& info, const std::string& shown) const;
  // The verdict's failure: refused, or of the kind of the system's error behind it.
  Failure Refuse(const Distrust& verdict) const;
};

}  // namespace kovar

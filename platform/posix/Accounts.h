// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The names of users and groups as the player knows them, and whether a group is the player's
// alone.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "OwnFolder.h"

namespace kovar {

// The user's name, or its number when the system knows none.
std::string UserName(uid_t user);
// The group's name, or its number when the system knows none.
std::string GroupName(gid_t group);

// None when `group` is the player's private group (the player's primary group, which no other
// account of `list` has as its primary group or as a member), otherwise why not, with the account
// that shares it. Root counts as no other account, since it can change everything anyway.
struct GroupShare {
  Distrust::Share share;
  std::string account;
};
std::optional<GroupShare> SharedGroup(gid_t group, uid_t player, const AccountList& list);

}  // namespace kovar

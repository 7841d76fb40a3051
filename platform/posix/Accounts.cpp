// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The accounts of a POSIX system, from its password and group databases.
#include "Accounts.h"

#include <grp.h>
#include <pwd.h>

#include <algorithm>

namespace kovar {

AccountList SystemAccounts() {
  AccountList list;
  ::setpwent();
  while (const passwd* entry = ::getpwent()) {
    list.accounts.push_back({entry->pw_name, entry->pw_uid, entry->pw_gid});
  }
  ::endpwent();
  ::setgrent();
  while (const struct group* entry = ::getgrent()) {
    AccountList::Group& group = list.groups.emplace_back();
    group.gid = entry->gr_gid;
    for (char** member = entry->gr_mem; member && *member; ++member) {
      group.members.emplace_back(*member);
    }
  }
  ::endgrent();
  return list;
}

std::string UserName(uid_t user) {
  char buffer[16384];
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(user, &entry, buffer, sizeof buffer, &found) == 0 && found) return entry.pw_name;
  return std::to_string(user);
}

std::string GroupName(gid_t group) {
  char buffer[16384];
  struct group entry {};
  struct group* found = nullptr;
  if (::getgrgid_r(group, &entry, buffer, sizeof buffer, &found) == 0 && found) {
    return entry.gr_name;
  }
  return std::to_string(group);
}

std::optional<GroupShare> SharedGroup(gid_t group, uid_t player, const AccountList& list) {
  const auto mine = std::find_if(list.accounts.begin(), list.accounts.end(),
                                 [player](const auto& account) { return account.uid == player; });
  if (mine == list.accounts.end() || mine->group != group) {
    return GroupShare{Distrust::Share::NotOwn, {}};
  }
  auto other = [player](std::uint32_t uid) { return uid != player && uid != 0; };
  for (const AccountList::Account& account : list.accounts) {
    if (account.group == group && other(account.uid)) {
      return GroupShare{Distrust::Share::PrimaryOf, account.name};
    }
  }
  for (const AccountList::Group& listed : list.groups) {
    if (listed.gid != group) continue;
    for (const std::string& member : listed.members) {
      const auto known = std::find_if(list.accounts.begin(), list.accounts.end(),
                                      [&member](const auto& a) { return a.name == member; });
      if (known == list.accounts.end() || other(known->uid)) {
        return GroupShare{Distrust::Share::MemberOf, member};
      }
    }
  }
  return std::nullopt;
}

}  // namespace kovar

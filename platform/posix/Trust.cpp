// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The verdict on a folder or a file of the player's own folder.
#include "Trust.h"

#include <unistd.h>

#include <algorithm>

#include "Accounts.h"
#include "Acl.h"
#include "FileSystem.h"

namespace kovar {

namespace {

// The verdict on a group that can write: none when it is the player's alone.
std::optional<Distrust> GroupVerdict(Distrust::Kind kind, gid_t group, uid_t player,
                                     AccountSource& accounts, Distrust verdict) {
  const std::optional<GroupShare> shared = SharedGroup(group, player, accounts.Get());
  if (!shared) return std::nullopt;
  verdict.kind = kind;
  verdict.who = GroupName(group);
  verdict.share = shared->share;
  verdict.account = shared->account;
  return verdict;
}

}  // namespace

std::optional<Distrust> Verdict(int fd, const struct stat& info, const std::string& shown,
                                bool onTheWay, AccountSource& accounts) {
  const uid_t player = ::geteuid();
  Distrust verdict;
  verdict.subject = shown;
  verdict.onTheWay = onTheWay;
  verdict.mode = static_cast<unsigned>(info.st_mode & 07777);
  auto with = [&verdict](Distrust::Kind kind, std::string who) {
    verdict.kind = kind;
    verdict.who = std::move(who);
    return verdict;
  };
  if (info.st_uid != player && info.st_uid != 0) {
    verdict.player = UserName(player);
    return with(Distrust::Kind::Owner, UserName(info.st_uid));
  }
  if (onTheWay && (info.st_mode & S_ISVTX)) return std::nullopt;
  if (info.st_mode & S_IWOTH) return with(Distrust::Kind::EveryUser, {});
  Expected<std::vector<AclEntry>> read = ReadAcl(fd);
  if (read.failed()) {
    verdict.detail = read.reason();
    verdict.error = read.failure().code();
    return with(Distrust::Kind::AclUnreadable, {});
  }
  const std::vector<AclEntry>& acl = read.value();
  const auto mask = std::find_if(acl.begin(), acl.end(), [](auto& e) { return e.tag == kAclMask; });
  // The mask is what the kernel shows as the group's permission bits, so that a mode about to be
  // given is judged as it will act.
  const unsigned allowed = mask == acl.end() ? 7 : (info.st_mode >> 3) & 7;
  bool groupWrites = acl.empty() && (info.st_mode & S_IWGRP);
  for (const AclEntry& entry : acl) {
    if (!(entry.perm & allowed & kAclWrite)) continue;
    if (entry.tag == kAclGroupObj) groupWrites = true;
    if (entry.tag == kAclUser && entry.id != player && entry.id != 0) {
      return with(Distrust::Kind::AclUser, UserName(entry.id));
    }
    if (entry.tag != kAclGroup) continue;
    if (auto group = GroupVerdict(Distrust::Kind::AclGroup, entry.id, player, accounts, verdict)) {
      return group;
    }
  }
  if (!groupWrites) return std::nullopt;
  return GroupVerdict(Distrust::Kind::Group, info.st_gid, player, accounts, verdict);
}

Failure Trust::Refuse(const Distrust& verdict) const {
  if (verdict.error) return SystemFailure(verdict.error.value()).Reworded(words(verdict));
  return Failure(FailureKind::Refused, words(verdict));
}

Result Trust::Judge(int fd, const struct stat& info, const std::string& shown,
                    bool onTheWay) const {
  if (std::optional<Distrust> verdict = Verdict(fd, info, shown, onTheWay, accounts)) {
    return Refuse(*verdict);
  }
  return Result::Ok();
}

Result Trust::Link(const struct stat& info, const std::string& shown) const {
  if (info.st_uid == ::geteuid() || info.st_uid == 0) return Result::Ok();
  Distrust verdict;
  verdict.kind = Distrust::Kind::LinkOwner;
  verdict.subject = shown;
  verdict.onTheWay = true;
  verdict.who = UserName(info.st_uid);
  return Refuse(verdict);
}

}  // namespace kovar

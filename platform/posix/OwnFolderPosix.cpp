// The player's own folder on Linux: who besides the player and root could change a folder or a
// file (owner, mode bits, access control lists, groups shared with other accounts), the walk from
// the root that checks every folder on the way, and the open folders that names under them are
// reached through.
#include "OwnFolder.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "FileSystem.h"
#include "OwnFolderPosix.h"

namespace kovar {

namespace {

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

std::string UserName(uid_t user) {
  char buffer[16384];
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(user, &entry, buffer, sizeof buffer, &found) == 0 && found) return entry.pw_name;
  return std::to_string(user);
}

std::string GroupName(gid_t groupId) {
  char buffer[16384];
  struct group entry {};
  struct group* found = nullptr;
  if (::getgrgid_r(groupId, &entry, buffer, sizeof buffer, &found) == 0 && found) {
    return entry.gr_name;
  }
  return std::to_string(groupId);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Join(const std::string& folder, const std::string& name) {
  if (name == "..") {
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : folder.substr(0, slash);
  }
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Succeeds when `groupId` is the player's private group (the player's primary group, which no
// other account has as its primary group or as a member), otherwise says why not. Root counts as
// no other account, since it can change everything anyway.
Result CheckPrivateGroup(gid_t groupId, uid_t player, const AccountList& list) {
  const auto mine = std::find_if(list.accounts.begin(), list.accounts.end(),
                                 [player](const auto& account) { return account.uid == player; });
  if (mine == list.accounts.end() || mine->group != groupId)
    return Result::Failure(FailureKind::Refused, "it is not your own group");
  auto other = [player](std::uint32_t uid) { return uid != player && uid != 0; };
  for (const AccountList::Account& account : list.accounts) {
    if (account.group == groupId && other(account.uid)) {
      return Result::Failure(FailureKind::Refused,
                             "the account " + account.name + " has it as its primary group");
    }
  }
  for (const AccountList::Group& group : list.groups) {
    if (group.gid != groupId) continue;
    for (const std::string& member : group.members) {
      const auto known = std::find_if(list.accounts.begin(), list.accounts.end(),
                                      [&member](const auto& a) { return a.name == member; });
      if (known == list.accounts.end() || other(known->uid))
        return Result::Failure(FailureKind::Refused, member + " is a member of it");
    }
  }
  return Result::Ok();
}

// The access control list's entries, as the kernel stores them in an extended attribute:
// a 4-byte version, then 8 bytes an entry (tag, permissions, id), little-endian.
struct AclEntry {
  unsigned tag;
  unsigned perm;
  std::uint32_t id;
};
constexpr unsigned kAclUser = 0x02;
constexpr unsigned kAclGroupObj = 0x04;
constexpr unsigned kAclGroup = 0x08;
constexpr unsigned kAclMask = 0x10;
constexpr unsigned kAclWrite = 2;

using Bytes = std::vector<unsigned char>;
constexpr const char* kAclName = "system.posix_acl_access";

// Reads a whole extended attribute into `bytes` with `get`, a call of the getxattr family given
// where to put it and its room: its size asked first, and again while it grows meanwhile. True
// when read, or when the file has none; otherwise false with errno set.
bool ReadAttribute(const std::function<ssize_t(void*, std::size_t)>& get, Bytes& bytes) {
  ssize_t size = 0;
  do {
    size = get(nullptr, 0);
    if (size <= 0) break;
    bytes.resize(static_cast<std::size_t>(size));
    size = get(bytes.data(), bytes.size());
  } while (size < 0 && errno == ERANGE);
  if (size < 0) {
    bytes.clear();
    return errno == ENODATA || errno == ENOTSUP;
  }
  bytes.resize(static_cast<std::size_t>(size));
  return true;
}

// The access control list attribute of the open `fd` into `bytes`, empty when it has none. A
// folder opened only to be passed (O_PATH) does not give its attributes through that descriptor.
Result ReadAclBytes(int fd, Bytes& bytes) {
  auto named = [&bytes](const char* name) {
    return ReadAttribute(
        [name](void* to, std::size_t room) { return ::getxattr(name, kAclName, to, room); }, bytes);
  };
  auto through = [&bytes](int readable) {
    return ReadAttribute(
        [readable](void* to, std::size_t room) {
          return ::fgetxattr(readable, kAclName, to, room);
        },
        bytes);
  };
  if (through(fd)) return Result::Ok();
  if (errno != EBADF) return SystemFailure(errno);
  const UniqueFd readable(::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (readable.Get() >= 0) {
    return through(readable.Get()) ? Result::Ok() : SystemFailure(errno);
  }
  if (errno != EACCES) return SystemFailure(errno);
  // A folder that can be searched but not read: by its name under /proc, or, where /proc is not
  // mounted, as "." from inside it, on a thread with a working folder of its own, so that the
  // process's stays where it was.
  if (named(("/proc/self/fd/" + std::to_string(fd)).c_str())) return Result::Ok();
  bool read = false;
  int error = errno;
  try {
    std::thread([&] {
      read = ::unshare(CLONE_FS) == 0 && ::fchdir(fd) == 0 && named(".");
      error = errno;
    }).join();
  } catch (const std::system_error& failed) {
    error = failed.code().value();
  }
  if (read) return Result::Ok();
  return SystemFailure(error).Reworded(
      "it can be passed through but not listed, and the list could be read neither through /proc "
      "nor from inside it (" +
      SystemError(error) + ")");
}

// The access control list of the open `fd`, empty when it has none.
Expected<std::vector<AclEntry>> ReadAcl(int fd) {
  Bytes bytes;
  if (Result read = ReadAclBytes(fd, bytes); read.failed()) return read.failure();
  const std::size_t size = bytes.size();
  std::vector<AclEntry> entries;
  if (size == 0) return entries;
  auto at = [&bytes](std::size_t offset, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[offset + i];
    return value;
  };
  if (size < 4 || (size - 4) % 8 != 0 || at(0, 4) != 2) return SystemFailure(EINVAL);
  for (std::size_t offset = 4; offset < size; offset += 8) {
    entries.push_back({at(offset, 2), at(offset + 2, 2), at(offset + 4, 4)});
  }
  return entries;
}

// Succeeds when nobody besides the player and root can change the folder or file open as `fd`,
// otherwise says who can and how to fix it. `shown` names it; `onTheWay` is true for a folder that
// leads to the one used, which may be sticky like /tmp: there others can add names but not move or
// replace ours.
Result OthersCanChange(int fd, const struct stat& info, const std::string& shown, bool onTheWay,
                       AccountSource& accounts) {
  const uid_t player = ::geteuid();
  const std::string it = onTheWay ? "the folder " + Quoted(shown) + " on the way to it" : "it";
  if (info.st_uid != player && info.st_uid != 0) {
    return Result::Failure(FailureKind::Refused,
                           it + " belongs to the user " + UserName(info.st_uid) + ", not to " +
                               UserName(player) + " or root; to fix it, " +
                               (onTheWay ? "have its owner give it to you"
                                         : "remove it, or have its owner give it to you"));
  }
  if (onTheWay && (info.st_mode & S_ISVTX)) return Result::Ok();
  char mode[8];
  std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
  if (info.st_mode & S_IWOTH) {
    return Result::Failure(FailureKind::Refused,
                           "every user can write to " + it + " (mode " + mode +
                               "); to fix it, take their write permission away (chmod go-w " +
                               Quoted(shown) + ")");
  }
  Expected<std::vector<AclEntry>> read = ReadAcl(fd);
  if (read.failed()) {
    return read.failure().Reworded("the access control list of " + it +
                                   " cannot be read: " + read.reason());
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
      const std::string user = UserName(entry.id);
      return Result::Failure(FailureKind::Refused,
                             "the user " + user + " can write to " + it +
                                 " by its access control list; to fix it, remove that entry " +
                                 "(setfacl -x u:" + user + " " + Quoted(shown) + ")");
    }
    if (entry.tag != kAclGroup) continue;
    if (Result group = CheckPrivateGroup(entry.id, player, accounts.Get()); group.failed()) {
      return Result::Failure(FailureKind::Refused,
                             "the group " + GroupName(entry.id) + " can write to " + it +
                                 " by its access control list (" + group.reason() +
                                 "); to fix it, remove that entry (setfacl -x g:" +
                                 GroupName(entry.id) + " " + Quoted(shown) + ")");
    }
  }
  if (groupWrites) {
    if (Result group = CheckPrivateGroup(info.st_gid, player, accounts.Get()); group.failed()) {
      return Result::Failure(FailureKind::Refused,
                             "the group " + GroupName(info.st_gid) + " can write to " + it +
                                 " (mode " + mode + "), and " + group.reason() +
                                 "; to fix it, take the group's write permission away (chmod g-w " +
                                 Quoted(shown) + ")");
    }
  }
  return Result::Ok();
}

std::vector<std::string> Names(const std::string& path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start && path.compare(start, end - start, ".") != 0) {
      names.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return names;
}

// The target of the link `name` in `folder`, which fstatat described as `info`.
Expected<std::string> ReadLink(int folder, const std::string& name, const struct stat& info) {
  std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4095) + 1, 0);
  const ssize_t length = ::readlinkat(folder, name.c_str(), target.data(), target.size());
  if (length < 0) return SystemFailure(errno);
  if (static_cast<std::size_t>(length) >= target.size()) return SystemFailure(ENAMETOOLONG);
  target.resize(static_cast<std::size_t>(length));
  return target;
}

// Follows `path` from the folder `start` (from the root when it begins with '/'), a name at a
// time, up to its last name, which it leaves with the open folder that holds it. Symbolic links
// are followed, the last one too when `followLast`. With `accounts`, every folder entered must be
// one that nobody besides the player and root can change, and every link followed the player's or
// root's.
Expected<Place> Walk(int start, std::string shown, const std::string& path, bool followLast,
                     AccountSource* accounts) {
  UniqueFd here;
  std::vector<std::string> names = Names(path);
  std::reverse(names.begin(), names.end());
  if (names.empty()) names.push_back(".");
  auto enterRoot = [&]() {
    here = UniqueFd(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    shown = "/";
  };
  if (path.starts_with('/')) {
    enterRoot();
  } else {
    here = UniqueFd(start == AT_FDCWD ? ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)
                                      : ::fcntl(start, F_DUPFD_CLOEXEC, 0));
  }
  int links = 0;
  // Each folder entered, the root included, is judged once it is open.
  bool judge = path.starts_with('/');
  while (true) {
    if (here.Get() < 0) return SystemFailure(errno);
    struct stat info;
    if (judge && accounts) {
      if (::fstat(here.Get(), &info) != 0) return SystemFailure(errno);
      if (Result own = OthersCanChange(here.Get(), info, shown, true, *accounts); own.failed()) {
        return own.failure();
      }
    }
    const std::string next = names.back();
    names.pop_back();
    const bool last = names.empty();
    if (::fstatat(here.Get(), next.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (!last || errno != ENOENT) return SystemFailure(errno);
    } else if (S_ISLNK(info.st_mode) && (!last || followLast)) {
      if (++links > 40) return SystemFailure(ELOOP);
      if (accounts && info.st_uid != ::geteuid() && info.st_uid != 0) {
        return Failure(FailureKind::Refused, "the symbolic link " + Quoted(Join(shown, next)) +
                                                 " on the way to it belongs to the user " +
                                                 UserName(info.st_uid) +
                                                 "; to fix it, replace it by a link of your own");
      }
      Expected<std::string> read = ReadLink(here.Get(), next, info);
      if (read.failed()) return read.failure();
      const std::string& target = read.value();
      std::vector<std::string> more = Names(target);
      names.insert(names.end(), more.rbegin(), more.rend());
      if (target.starts_with('/')) enterRoot();
      judge = target.starts_with('/');
      if (names.empty()) names.push_back(".");
      continue;
    }
    if (last) return Place{std::move(here), next};
    here =
        UniqueFd(::openat(here.Get(), next.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (here.Get() < 0) return SystemFailure(errno);
    shown = Join(shown, next);
    judge = true;
  }
}

// Makes the last folder of `folder` in the open folder that holds it, reached as Walk reaches it.
Expected<Place> MakeFolder(const std::string& folder, AccountSource* accounts) {
  Expected<Place> walked = Walk(AT_FDCWD, {}, folder, false, accounts);
  if (walked.failed()) return walked;
  const Place& place = walked.value();
  if (::mkdirat(place.folder.Get(), place.name.c_str(), 0700) != 0 && errno != EEXIST) {
    return SystemFailure(errno);
  }
  return walked;
}

// Makes `folder` and, when they are missing, its parents. A failure names `path`, the folder asked
// for, and the one on the way to it that could not be made.
Result MakeFoldersOnTheWay(const std::string& folder, const std::string& path,
                           AccountSource* accounts) {
  Expected<Place> made = MakeFolder(folder, accounts);
  const std::size_t slash = folder.rfind('/');
  if (made.failed() && made.failure().code() == std::errc::no_such_file_or_directory &&
      slash != std::string::npos && slash != 0) {
    if (Result parents = MakeFoldersOnTheWay(folder.substr(0, slash), path, accounts);
        parents.failed()) {
      return parents;
    }
    made = MakeFolder(folder, accounts);
  }
  if (made.ok()) return Result::Ok();
  return made.failure().Reworded(
      "the folder \"" + path + "\" could not be created" +
      (folder == path ? "" : ", since its parent \"" + folder + "\" could not be made") + ": " +
      made.reason());
}

// The open folders that names under their paths are reached through; -1 for one that is not
// open (missing or refused), under which nothing is found.
struct Entry {
  const OwnFolder* owner;
  std::string path;
  int fd;
  std::shared_ptr<AccountSource> accounts;
};
std::mutex entriesMutex;
std::vector<Entry> entries;

// Where a name lies: under an own folder (its descriptor duplicated, or -1, and the rest of the
// name below it), or not.
struct Route {
  explicit Route(const std::string& path) {
    std::lock_guard lock(entriesMutex);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
      if (!path.starts_with(entry->path)) continue;
      if (path.size() > entry->path.size() && path[entry->path.size()] != '/') continue;
      under = true;
      rest = path.size() > entry->path.size() ? path.substr(entry->path.size() + 1) : ".";
      shown = entry->path;
      accounts = entry->accounts;
      if (entry->fd >= 0) folder = UniqueFd(::fcntl(entry->fd, F_DUPFD_CLOEXEC, 0));
      return;
    }
  }
  bool under = false;
  UniqueFd folder;
  std::string rest;
  std::string shown;
  std::shared_ptr<AccountSource> accounts;
};

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

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

OwnFolder::OwnFolder(std::string path, std::optional<AccountList> accounts)
    : path_(std::move(path)) {
  std::lock_guard lock(entriesMutex);
  entries.push_back({this, path_, -1, std::make_shared<AccountSource>(std::move(accounts))});
}

OwnFolder::~OwnFolder() {
  std::lock_guard lock(entriesMutex);
  std::erase_if(entries, [this](const Entry& entry) {
    if (entry.owner == this && entry.fd >= 0) ::close(entry.fd);
    return entry.owner == this;
  });
}

Result OwnFolder::Open() {
  std::shared_ptr<AccountSource> accounts;
  {
    std::lock_guard lock(entriesMutex);
    for (const Entry& entry : entries) {
      if (entry.owner == this) accounts = entry.accounts;
    }
  }
  const Expected<Place> walked = Walk(AT_FDCWD, {}, path_, false, accounts.get());
  if (walked.failed()) {
    const std::error_code code = walked.failure().code();
    // Not there yet (a file in place of a folder above it is reported when the folder is made).
    if (code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory)
      return Result::Ok();
    if (code) return walked.failure().Reworded("it cannot be looked at: " + walked.reason());
    return walked.failure();
  }
  const auto& [holder, name, reached] = walked.value();
  UniqueFd folder(
      ::openat(holder.Get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info;
  if (folder.Get() < 0) {
    const int error = errno;
    if (error == ENOENT) return Result::Ok();
    const bool link = ::fstatat(holder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                      S_ISLNK(info.st_mode);
    if (link) {
      return Result::Failure(
          FailureKind::Refused,
          "it is a symbolic link, which may lead anywhere; to fix it, replace the link by a "
          "folder of your own");
    }
    if (error == ENOTDIR)
      return Result::Failure(FailureKind::Refused,
                             "it is not a folder; to fix it, move that file away");
    return SystemFailure(error).Reworded("it cannot be looked at: " + SystemError(error));
  }
  if (::fstat(folder.Get(), &info) != 0) {
    return SystemFailure(errno).Reworded("it cannot be looked at: " + SystemError(errno));
  }
  if (Result own = OthersCanChange(folder.Get(), info, path_, false, *accounts); own.failed()) {
    return own;
  }
  std::lock_guard lock(entriesMutex);
  for (Entry& entry : entries) {
    if (entry.owner != this) continue;
    if (entry.fd >= 0) ::close(entry.fd);
    entry.fd = folder.Release();
  }
  open_ = true;
  return Result::Ok();
}

Expected<UniqueFd> OpenToRead(const std::string& path, int flags) {
  Route route(path);
  if (!route.under) {
    UniqueFd file(::open(path.c_str(), flags));
    if (file.Get() < 0) return SystemFailure(errno ? errno : ENOENT);
    return file;
  }
  if (route.folder.Get() < 0) return SystemFailure(ENOENT);
  Expected<Place> walked =
      Walk(route.folder.Get(), route.shown, route.rest, true, route.accounts.get());
  if (walked.failed()) return walked.failure();
  const auto& [holder, name, reached] = walked.value();
  UniqueFd file(::openat(holder.Get(), name.c_str(), flags | O_NOFOLLOW));
  struct stat info;
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) return SystemFailure(errno);
  // Folders and devices are refused by the caller, which says what they are.
  if (!S_ISREG(info.st_mode)) return file;
  Result own = OthersCanChange(file.Get(), info, path, false, *route.accounts);
  if (own.failed()) return own.failure();
  return file;
}

int StatPath(const std::string& path, struct stat& info, bool follow) {
  Route route(path);
  if (!route.under) return follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  if (route.folder.Get() < 0) {
    errno = ENOENT;
    return -1;
  }
  return ::fstatat(route.folder.Get(), route.rest.c_str(), &info, follow ? 0 : AT_SYMLINK_NOFOLLOW);
}

DIR* OpenListing(const std::string& path) {
  Route route(path);
  if (!route.under) return ::opendir(path.c_str());
  if (route.folder.Get() < 0) {
    errno = ENOENT;
    return nullptr;
  }
  UniqueFd folder(
      ::openat(route.folder.Get(), route.rest.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  DIR* listing = folder.Get() < 0 ? nullptr : ::fdopendir(folder.Get());
  if (listing) folder.Release();
  return listing;
}

Expected<Place> PlaceToWrite(const std::string& path) {
  Route route(path);
  if (route.under && route.folder.Get() < 0) return SystemFailure(ENOENT);
  Expected<Place> place = Walk(route.under ? route.folder.Get() : AT_FDCWD, route.shown,
                               route.under ? route.rest : path, true, route.accounts.get());
  if (place.ok()) place.value().own = route.under;
  return place;
}

Result MakeFolders(const std::string& path) {
  Route route(path);
  return MakeFoldersOnTheWay(path, path, route.accounts.get());
}

Expected<mode_t> OwnMode(const std::string& path, int fd, mode_t wanted) {
  Route route(path);
  if (!route.under) return wanted;
  struct stat info;
  if (::fstat(fd, &info) != 0) return SystemFailure(errno);
  auto judge = [&](mode_t mode) {
    info.st_mode = (info.st_mode & S_IFMT) | mode;
    return OthersCanChange(fd, info, path, false, *route.accounts);
  };
  if (judge(wanted).ok()) return wanted;
  const mode_t narrowed = wanted & ~(S_IWGRP | S_IWOTH);
  if (Result own = judge(narrowed); own.failed()) return own.failure();
  return narrowed;
}

}  // namespace kovar

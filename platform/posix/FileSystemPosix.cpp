// The file operations on Linux and other POSIX systems.
#include "FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace kovar {

namespace {

void SetId(const struct stat& info, FileId& id) {
  id.device = static_cast<std::uint64_t>(info.st_dev);
  id.index = static_cast<std::uint64_t>(info.st_ino);
}

// Makes `folder` and, when they are missing, its parents, each one private to the user. Returns 0,
// or the errno value and in `failed` the folder that could not be made.
int MakeFolders(const std::string& folder, std::string& failed) {
  if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return 0;
  const std::size_t slash = folder.rfind('/');
  if (errno != ENOENT || slash == std::string::npos || slash == 0) {
    failed = folder;
    return errno;
  }
  if (const int error = MakeFolders(folder.substr(0, slash), failed)) return error;
  if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return 0;
  failed = folder;
  return errno;
}

// The file that `path` names once its symbolic links are followed, so that replacing it keeps a
// link (a dotfile manager's) a link. Returns 0, or the errno value.
int FollowLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
    std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
    if (length < 0) return errno;
    // Grown while it was read: look again.
    if (static_cast<std::size_t>(length) >= buffer.size()) continue;
    const std::string link(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t slash = target.rfind('/');
    target = (!link.empty() && link.front() == '/') || slash == std::string::npos
                 ? link
                 : target.substr(0, slash + 1) + link;
  }
  return ELOOP;
}

// Creates a new file beside `target` under a name nobody else has taken, with `mode` less the
// user's mask. Returns its descriptor and name, or -1 with errno set.
int CreateTemporary(const std::string& target, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    name = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(stamp % 1000000) +
           "-" + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// The name and primary group of `user`'s password entry; false when the system knows none.
bool Account(uid_t user, std::string& name, gid_t& group) {
  const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return false;
  name = entry.pw_name;
  group = entry.pw_gid;
  return true;
}

// The user's name, or the number when the system knows no name.
std::string UserName(uid_t user) {
  std::string name;
  gid_t group;
  return Account(user, name, group) ? name : std::to_string(user);
}

// True when `groupId` is the private group of `user` alone: the user's primary group, with the
// user's name and no other member.
bool IsPrivateGroup(gid_t groupId, uid_t user) {
  std::string name;
  gid_t primary;
  if (!Account(user, name, primary) || primary != groupId) return false;
  const long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  struct group entry {};
  struct group* found = nullptr;
  if (::getgrgid_r(groupId, &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      name != entry.gr_name) {
    return false;
  }
  for (char** member = entry.gr_mem; member && *member; ++member) {
    if (name != *member) return false;
  }
  return true;
}

}  // namespace

bool PathId(const std::string& path, FileId& id) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  SetId(info, id);
  return true;
}

namespace {

// Empty when `info` is an ordinary file, otherwise why it may not be read: a pipe or a device may
// never end or may wait forever, and merely opening some devices acts on them.
std::string NotOrdinary(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return {};
  return S_ISDIR(info.st_mode) ? SystemError(EISDIR) : "it is not an ordinary file";
}

}  // namespace

Result InputFile::OpenOrdinaryFile(const std::string& path) {
  // Looked at before it is opened, so that nothing but an ordinary file is ever opened.
  struct stat named;
  if (::stat(path.c_str(), &named) != 0) return Result::Failure(SystemError(errno));
  if (std::string why = NotOrdinary(named); !why.empty()) return Result::Failure(why);
  errno = 0;
  // Without blocking, so that a named pipe put there since cannot stall the launcher.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Result::Failure(SystemError(errno ? errno : ENOENT));
  struct stat info;
  std::string why;
  if (::fstat(fd, &info) != 0) {
    why = SystemError(errno);
  } else if (!S_ISREG(info.st_mode) || info.st_dev != named.st_dev || info.st_ino != named.st_ino) {
    // Something else was put in its place between the look and the open.
    why = "it was replaced while it was being opened";
  } else if (const int flags = ::fcntl(fd, F_GETFL);
             flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    why = SystemError(errno);
  }
  std::FILE* file = why.empty() ? ::fdopen(fd, "rb") : nullptr;
  if (!file) {
    if (why.empty()) why = SystemError(errno);
    ::close(fd);
    return Result::Failure(why);
  }
  file_ = file;
  return Result::Ok();
}

bool InputFile::Id(FileId& id) const {
  if (!file_) return false;
  struct stat info;
  if (::fstat(fileno(file_), &info) != 0) return false;
  SetId(info, id);
  return true;
}

Result WriteFileAtomically(const std::string& path, const std::string& contents, bool executable) {
  std::string target;
  if (const int error = FollowLinks(path, target)) return Result::Failure(SystemError(error));
  struct stat old;
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  // A new file is created with the widest permissions and left to the kernel to narrow by the
  // user's mask: reading the mask would mean changing it for every thread of the process.
  const mode_t fresh = executable ? 0777 : 0666;
  std::string temporary;
  const int fd = CreateTemporary(target, replacing ? 0600 : fresh, temporary);
  if (fd < 0) return Result::Failure(SystemError(errno));
  int error = 0;
  if (replacing) {
    mode_t mode = old.st_mode & 0777;
    // The launch script must stay runnable by whoever could read it.
    if (executable) mode |= (mode & 0444) >> 2;
    if (::fchmod(fd, mode) != 0) error = errno;
  }
  const char* data = contents.data();
  std::size_t left = contents.size();
  while (error == 0 && left > 0) {
    const ssize_t count = ::write(fd, data, left);
    if (count < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    data += count;
    left -= static_cast<std::size_t>(count);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return Result::Failure(SystemError(error));
  }
  return Result::Ok();
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> ListMapInfoFiles(const std::string& directory) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(directory.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::size_t length = std::strlen(entry->d_name);
    // A name starting with a dot is a hidden file, which a listing leaves out.
    if (length < 4 || entry->d_name[0] == '.' ||
        std::memcmp(entry->d_name + length - 4, ".kvx", 4) != 0) {
      continue;
    }
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      regular = IsRegularFile(directory + "/" + entry->d_name);
    }
    if (regular) names.emplace_back(entry->d_name, length);
  }
  ::closedir(dir);
  return names;
}

std::string FileNameKey(std::string name) { return name; }

bool CanCreateFilesIn(const std::string& directory) {
  std::string probe = directory + "/.kovar-launcher-probe-XXXXXX";
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

bool HasEntry(const std::string& path) {
  if (path.find('\0') != std::string::npos) return false;
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

Result MakePrivateFolders(const std::string& path) {
  std::string failed;
  const int error = MakeFolders(path, failed);
  if (error == 0) return Result::Ok();
  if (failed == path) {
    return Result::Failure("the folder \"" + path +
                           "\" could not be created: " + SystemError(error));
  }
  return Result::Failure("the folder \"" + path + "\" could not be created, since its parent \"" +
                         failed + "\" could not be made: " + SystemError(error));
}

Result CheckOwnFolder(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) {
    // Missing, it is made private to the user when first written to.
    if (errno == ENOENT) return Result::Ok();
    return Result::Failure("it cannot be looked at: " + SystemError(errno));
  }
  if (S_ISLNK(info.st_mode)) {
    return Result::Failure(
        "it is a symbolic link, which may lead anywhere; to fix it, replace the link by a folder "
        "of your own");
  }
  if (!S_ISDIR(info.st_mode)) {
    return Result::Failure("it is not a folder; to fix it, move that file away");
  }
  const uid_t user = ::geteuid();
  if (info.st_uid != user) {
    return Result::Failure("it belongs to the user " + UserName(info.st_uid) + ", not to " +
                           UserName(user) +
                           "; to fix it, remove it, or have its owner give it to you");
  }
  char mode[8];
  std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
  if (info.st_mode & S_IWOTH) {
    return Result::Failure(std::string("every user can write to it (mode ") + mode +
                           "); to fix it, take their write permission away (chmod go-w)");
  }
  if ((info.st_mode & S_IWGRP) && !IsPrivateGroup(info.st_gid, user)) {
    return Result::Failure(std::string("the members of its group can write to it (mode ") + mode +
                           "); to fix it, take their write permission away (chmod g-w)");
  }
  return Result::Ok();
}

}  // namespace kovar

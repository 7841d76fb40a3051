// The file operations on Linux and other POSIX systems.
#include "FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "OwnFolderPosix.h"

namespace kovar {

namespace {

FileId IdOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// Creates a new file in `folder` beside `target` under a name nobody else has taken, with `mode`
// less the user's mask. Returns its descriptor and name, or -1 with errno set.
int CreateTemporary(int folder, const std::string& target, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    name = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(stamp % 1000000) +
           "-" + std::to_string(counter++);
    const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the temporary file `fd`, written for `path`, the permissions of the file it replaces
// (`old`) or those it was created with, less what its own folder's check would refuse. Changed
// only when they differ, as some file systems refuse any change.
Result GiveMode(int fd, const std::string& path, const struct stat* old, bool executable) {
  struct stat created;
  if (::fstat(fd, &created) != 0) return SystemFailure(errno);
  mode_t mode = (old ? old : &created)->st_mode & 0777;
  // The launch script must stay runnable by whoever could read it.
  if (executable) mode |= (mode & 0444) >> 2;
  Expected<mode_t> allowed = OwnMode(path, fd, mode);
  if (allowed.failed()) return allowed.failure();
  if (allowed.value() != (created.st_mode & 07777) && ::fchmod(fd, allowed.value()) != 0) {
    return SystemFailure(errno);
  }
  return Result::Ok();
}

}  // namespace

std::optional<FileId> PathId(const std::string& path) {
  struct stat info;
  if (StatPath(path, info, true) != 0) return std::nullopt;
  return IdOf(info);
}

namespace {

// Succeeds when `info` is an ordinary file, otherwise says why it may not be read: a pipe or a
// device may never end or may wait forever, and merely opening some devices acts on them.
Result CheckOrdinary(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return Result::Ok();
  if (S_ISDIR(info.st_mode)) return SystemFailure(EISDIR);
  return Result::Failure(FailureKind::NotOrdinaryFile, "it is not an ordinary file");
}

}  // namespace

Result InputFile::OpenOrdinaryFile(const std::string& path) {
  // Looked at before it is opened, so that nothing but an ordinary file is ever opened.
  struct stat named;
  if (StatPath(path, named, true) != 0) return SystemFailure(errno);
  if (Result ordinary = CheckOrdinary(named); ordinary.failed()) return ordinary;
  errno = 0;
  // Without blocking, so that a named pipe cannot stall the launcher before it is refused.
  Expected<UniqueFd> opened = OpenToRead(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (opened.failed()) return opened.failure();
  const int fd = opened.value().Get();
  struct stat info;
  if (::fstat(fd, &info) != 0) return SystemFailure(errno);
  if (!S_ISREG(info.st_mode) || info.st_dev != named.st_dev || info.st_ino != named.st_ino) {
    // Something else was put in its place between the look and the open.
    return Result::Failure(FailureKind::Refused, "it was replaced while it was being opened");
  }
  if (const int flags = ::fcntl(fd, F_GETFL);
      flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return SystemFailure(errno);
  }
  file_ = ::fdopen(fd, "rb");
  if (!file_) return SystemFailure(errno);
  opened.value().Release();
  return Result::Ok();
}

std::optional<FileId> InputFile::Id() const {
  struct stat info;
  if (!file_ || ::fstat(fileno(file_), &info) != 0) return std::nullopt;
  return IdOf(info);
}

Result WriteFileAtomically(const std::string& path, const std::string& contents, bool executable) {
  // The links are kept: the file they lead to is replaced, in the folder that holds it.
  Expected<Place> place = PlaceToWrite(path);
  if (place.failed()) return place.failure();
  const auto& [folder, target, own] = place.value();
  struct stat old;
  const bool replacing = ::fstatat(folder.Get(), target.c_str(), &old, 0) == 0;
  // A new file is created with the widest permissions and left to the kernel to narrow by the
  // user's mask: reading the mask would mean changing it for every thread of the process. In an
  // own folder, nobody else is ever given write, so that nobody else can open it for writing
  // before its permissions are judged; a file replaced is created for the player alone until then.
  mode_t fresh = executable ? 0777 : 0666;
  if (own) fresh &= ~(S_IWGRP | S_IWOTH);
  std::string temporary;
  const int fd = CreateTemporary(folder.Get(), target, replacing ? 0600 : fresh, temporary);
  if (fd < 0) return SystemFailure(errno);
  Result written = GiveMode(fd, path, replacing ? &old : nullptr, executable);
  const char* data = contents.data();
  std::size_t left = contents.size();
  while (written.ok() && left > 0) {
    const ssize_t count = ::write(fd, data, left);
    if (count < 0) {
      if (errno != EINTR) written = SystemFailure(errno);
      continue;
    }
    data += count;
    left -= static_cast<std::size_t>(count);
  }
  if (written.ok() && ::fsync(fd) != 0) written = SystemFailure(errno);
  if (::close(fd) != 0 && written.ok()) written = SystemFailure(errno);
  if (written.ok() &&
      ::renameat(folder.Get(), temporary.c_str(), folder.Get(), target.c_str()) != 0) {
    written = SystemFailure(errno);
  }
  if (written.failed()) ::unlinkat(folder.Get(), temporary.c_str(), 0);
  return written;
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return StatPath(path, info, true) == 0 && S_ISREG(info.st_mode);
}

Expected<std::vector<std::string>> ListMapInfoFiles(const std::string& directory) {
  std::vector<std::string> names;
  DIR* dir = OpenListing(directory);
  if (!dir) {
    if (errno == ENOENT || errno == ENOTDIR) return names;
    return SystemFailure(errno);
  }
  while (true) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (!entry) break;
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
  const int error = errno;
  ::closedir(dir);
  if (error) return SystemFailure(error);
  return names;
}

char PathSeparator() { return '/'; }

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
  return StatPath(path, info, false) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

Result MakePrivateFolders(const std::string& path) { return MakeFolders(path); }

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "FileAt.h"
#include "Trust.h"
#include "Walk.h"

namespace kovar {

namespace {

FileId IdOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// `name` in the folder `shown` names, as a refusal shows it.
std::string Shown(const std::string& shown, const std::string& name) {
  return shown.empty() ? name : JoinPath(shown, name);
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

// The permissions for the file open as `fd`, just created for `shown`: `wanted`, less, with
// `trust`, the write permissions for its group and for others where its check would refuse them
// (an access control list inherited from the folder among them: the group's bits are its mask).
// Judged before they are given, so that nobody else could open the file for writing meanwhile.
Expected<mode_t> OwnMode(const std::string& shown, int fd, mode_t wanted, const Trust* trust) {
  if (!trust) return wanted;
  struct stat info;
  if (::fstat(fd, &info) != 0) return SystemFailure(errno);
  auto judge = [&](mode_t mode) {
    info.st_mode = (info.st_mode & S_IFMT) | mode;
    return trust->Judge(fd, info, shown, false);
  };
  if (judge(wanted).ok()) return wanted;
  const mode_t narrowed = wanted & ~(S_IWGRP | S_IWOTH);
  if (Result own = judge(narrowed); own.failed()) return own.failure();
  return narrowed;
}

// Gives the temporary file `fd`, written for `shown`, the permissions of the file it replaces
// (`old`) or those it was created with, less what its own folder's check would refuse. Changed
// only when they differ, as some file systems refuse any change.
Result GiveMode(int fd, const std::string& shown, const struct stat* old, bool executable,
                const Trust* trust) {
  struct stat created;
  if (::fstat(fd, &created) != 0) return SystemFailure(errno);
  mode_t mode = (old ? old : &created)->st_mode & 0777;
  // The launch script must stay runnable by whoever could read it.
  if (executable) mode |= (mode & 0444) >> 2;
  Expected<mode_t> allowed = OwnMode(shown, fd, mode, trust);
  if (allowed.failed()) return allowed.failure();
  if (allowed.value() != (created.st_mode & 07777) && ::fchmod(fd, allowed.value()) != 0) {
    return SystemFailure(errno);
  }
  return Result::Ok();
}

// Succeeds when `info` is an ordinary file, otherwise says why it may not be read: a pipe or a
// device may never end or may wait forever, and merely opening some devices acts on them.
Result CheckOrdinary(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return Result::Ok();
  if (S_ISDIR(info.st_mode)) return SystemFailure(EISDIR);
  return Result::Failure(FailureKind::NotOrdinaryFile, "it is not an ordinary file");
}

// `name` in `at` opened to read, without blocking, so that a named pipe cannot stall the launcher
// before it is refused.
Expected<UniqueFd> OpenToRead(int at, const std::string& shown, const std::string& name,
                              const Trust* trust) {
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
  errno = 0;
  if (!trust) {
    UniqueFd file(::openat(at, name.c_str(), flags));
    if (file.Get() < 0) return SystemFailure(errno ? errno : ENOENT);
    return file;
  }
  Expected<Place> walked = Walk(at, shown, name, true, trust);
  if (walked.failed()) return walked.failure();
  const auto& [holder, last] = walked.value();
  UniqueFd file(::openat(holder.Get(), last.c_str(), flags | O_NOFOLLOW));
  struct stat info;
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) return SystemFailure(errno);
  // Folders and devices are refused by the caller, which says what they are.
  if (!S_ISREG(info.st_mode)) return file;
  if (Result own = trust->Judge(file.Get(), info, Shown(shown, name), false); own.failed()) {
    return own.failure();
  }
  return file;
}

}  // namespace

Expected<std::FILE*> OpenOrdinaryAt(int at, const std::string& shown, const std::string& name,
                                    const Trust* trust) {
  // Looked at before it is opened, so that nothing but an ordinary file is ever opened.
  struct stat named;
  if (::fstatat(at, name.c_str(), &named, 0) != 0) return SystemFailure(errno);
  if (Result ordinary = CheckOrdinary(named); ordinary.failed()) return ordinary.failure();
  Expected<UniqueFd> opened = OpenToRead(at, shown, name, trust);
  if (opened.failed()) return opened.failure();
  const int fd = opened.value().Get();
  struct stat info;
  if (::fstat(fd, &info) != 0) return SystemFailure(errno);
  if (!S_ISREG(info.st_mode) || info.st_dev != named.st_dev || info.st_ino != named.st_ino) {
    // Something else was put in its place between the look and the open.
    return Failure(FailureKind::Refused, "it was replaced while it was being opened");
  }
  if (const int flags = ::fcntl(fd, F_GETFL);
      flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return SystemFailure(errno);
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) return SystemFailure(errno);
  opened.value().Release();
  return file;
}

Result WriteAtomicallyAt(int at, const std::string& shown, const std::string& name,
                         const std::string& contents, bool executable, const Trust* trust) {
  // The links are kept: the file they lead to is replaced, in the folder that holds it.
  Expected<Place> place = Walk(at, shown, name, true, trust);
  if (place.failed()) return place.failure();
  const auto& [folder, target] = place.value();
  struct stat old;
  const bool replacing = ::fstatat(folder.Get(), target.c_str(), &old, 0) == 0;
  // A new file is created with the widest permissions and left to the kernel to narrow by the
  // user's mask: reading the mask would mean changing it for every thread of the process. In an
  // own folder, nobody else is ever given write, so that nobody else can open it for writing
  // before its permissions are judged; a file replaced is created for the player alone until then.
  mode_t fresh = executable ? 0777 : 0666;
  if (trust) fresh &= ~(S_IWGRP | S_IWOTH);
  std::string temporary;
  const int fd = CreateTemporary(folder.Get(), target, replacing ? 0600 : fresh, temporary);
  if (fd < 0) return SystemFailure(errno);
  Result written = GiveMode(fd, Shown(shown, name), replacing ? &old : nullptr, executable, trust);
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

Expected<std::vector<std::string>> ListMapInfoFilesAt(int at, const std::string& name) {
  std::vector<std::string> names;
  UniqueFd folder(::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  DIR* dir = folder.Get() < 0 ? nullptr : ::fdopendir(folder.Get());
  if (!dir) {
    if (errno == ENOENT || errno == ENOTDIR) return names;
    return SystemFailure(errno);
  }
  folder.Release();
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
      struct stat info;
      regular = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    if (regular) names.emplace_back(entry->d_name, length);
  }
  const int error = errno;
  ::closedir(dir);
  if (error) return SystemFailure(error);
  return names;
}

bool HasEntryAt(int at, const std::string& name) {
  if (name.find('\0') != std::string::npos) return false;
  struct stat info;
  return ::fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ||
         (errno != ENOENT && errno != ENOTDIR);
}

std::optional<FileId> IdAt(int at, const std::string& name) {
  struct stat info;
  if (::fstatat(at, name.c_str(), &info, 0) != 0) return std::nullopt;
  return IdOf(info);
}

std::optional<FileId> PathId(const std::string& path) { return IdAt(AT_FDCWD, path); }

Result InputFile::OpenOrdinaryFile(const std::string& path) {
  Expected<std::FILE*> opened = OpenOrdinaryAt(AT_FDCWD, {}, path, nullptr);
  if (opened.failed()) return opened.failure();
  file_ = opened.value();
  return Result::Ok();
}

std::optional<FileId> InputFile::Id() const {
  struct stat info;
  if (!file_ || ::fstat(fileno(file_), &info) != 0) return std::nullopt;
  return IdOf(info);
}

Result WriteFileAtomically(const std::string& path, const std::string& contents, bool executable) {
  return WriteAtomicallyAt(AT_FDCWD, {}, path, contents, executable, nullptr);
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Expected<std::vector<std::string>> ListMapInfoFiles(const std::string& directory) {
  return ListMapInfoFilesAt(AT_FDCWD, directory);
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

bool HasEntry(const std::string& path) { return HasEntryAt(AT_FDCWD, path); }

Result MakePrivateFolders(const std::string& path) { return MakeFolders(path, nullptr); }

}  // namespace kovar

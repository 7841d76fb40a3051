// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and parsing a file's access control list.
#include "Acl.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>
#include <system_error>
#include <thread>

#include "FileSystem.h"
#include "Walk.h"

namespace kovar {

namespace {

constexpr const char* kAclName = "system.posix_acl_access";

// Reads a whole extended attribute into `bytes` with `get`, a call of the getxattr family given
// where to put it and its room: its size asked first, and again while it grows meanwhile. True
// when read, or when the file has none; otherwise false with errno set.
bool ReadAttribute(const std::function<ssize_t(void*, std::size_t)>& get, std::string& bytes) {
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

// The attribute of the open `fd` into `bytes`, empty when it has none.
Result ReadAclBytes(int fd, std::string& bytes) {
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

}  // namespace

Expected<std::vector<AclEntry>> ParseAcl(std::string_view bytes) {
  const std::size_t size = bytes.size();
  std::vector<AclEntry> entries;
  if (size == 0) return entries;
  auto at = [bytes](std::size_t offset, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
      value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
  };
  if (size < 4 || (size - 4) % 8 != 0 || at(0, 4) != 2) return SystemFailure(EINVAL);
  for (std::size_t offset = 4; offset < size; offset += 8) {
    entries.push_back({at(offset, 2), at(offset + 2, 2), at(offset + 4, 4)});
  }
  return entries;
}

Expected<std::vector<AclEntry>> ReadAcl(int fd) {
  std::string bytes;
  if (Result read = ReadAclBytes(fd, bytes); read.failed()) return read.failure();
  return ParseAcl(bytes);
}

}  // namespace kovar

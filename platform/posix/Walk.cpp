// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The walk from the root or an open folder, and the folders made on the way.
#include "Walk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "FileSystem.h"
#include "Trust.h"

namespace kovar {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (name == "..") {
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : folder.substr(0, slash);
  }
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
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

// Makes the last folder of `folder` in the open folder that holds it, reached as Walk reaches it.
Expected<Place> MakeFolder(const std::string& folder, const Trust* trust) {
  Expected<Place> walked = Walk(AT_FDCWD, {}, folder, false, trust);
  if (walked.failed()) return walked;
  const Place& place = walked.value();
  if (::mkdirat(place.folder.Get(), place.name.c_str(), 0700) != 0 && errno != EEXIST) {
    return SystemFailure(errno);
  }
  return walked;
}

// Makes `folder` and, when they are missing, its parents, for MakeFolders(path).
Result MakeFoldersOnTheWay(const std::string& folder, const std::string& path, const Trust* trust) {
  Expected<Place> made = MakeFolder(folder, trust);
  const std::size_t slash = folder.rfind('/');
  if (made.failed() && made.failure().code() == std::errc::no_such_file_or_directory &&
      slash != std::string::npos && slash != 0) {
    if (Result parents = MakeFoldersOnTheWay(folder.substr(0, slash), path, trust);
        parents.failed()) {
      return parents;
    }
    made = MakeFolder(folder, trust);
  }
  if (made.ok()) return Result::Ok();
  return made.failure().Reworded(
      "the folder \"" + path + "\" could not be created" +
      (folder == path ? "" : ", since its parent \"" + folder + "\" could not be made") + ": " +
      made.reason());
}

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

Expected<Place> Walk(int start, std::string shown, const std::string& path, bool followLast,
                     const Trust* trust) {
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
    if (judge && trust) {
      if (::fstat(here.Get(), &info) != 0) return SystemFailure(errno);
      if (Result own = trust->Judge(here.Get(), info, shown, true); own.failed()) {
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
      if (trust) {
        if (Result own = trust->Link(info, Join(shown, next)); own.failed()) return own.failure();
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

Result MakeFolders(const std::string& path, const Trust* trust) {
  return MakeFoldersOnTheWay(path, path, trust);
}

}  // namespace kovar

// The file operations on Linux and other POSIX systems.
#include "FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

bool PathId(const std::string& path, FileId& id) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  SetId(info, id);
  return true;
}

Result InputFile::OpenOrdinaryFile(const std::string& path) {
  errno = 0;
  // Without blocking, so that a named pipe cannot stall the launcher before it is refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Result::Failure(SystemError(errno ? errno : ENOENT));
  struct stat info;
  std::string why;
  if (::fstat(fd, &info) != 0) {
    why = SystemError(errno);
  } else if (S_ISDIR(info.st_mode)) {
    why = SystemError(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    // Pipes and devices may never end or may wait forever.
    why = "it is not an ordinary file";
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
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return Result::Failure(SystemError(errno));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const mode_t mode = (executable ? 0777 : 0666) & ~mask;
  const char* data = contents.data();
  std::size_t left = contents.size();
  int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
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
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
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
    if (length < 4 || std::memcmp(entry->d_name + length - 4, ".kvx", 4) != 0) continue;
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

}  // namespace kovar

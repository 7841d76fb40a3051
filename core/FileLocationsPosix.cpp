// The per-user folder's platform side on Linux: the environment, the probe and private folders.
#include "FileLocations.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "FileSystem.h"

namespace kovar {

namespace {

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

std::string NativeUserFolder(const UserEnvironment& environment) {
  return LinuxUserFolder(environment);
}

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment environment;
  if (const char* value = std::getenv("XDG_CONFIG_HOME")) environment.xdgConfigHome = value;
  if (const char* value = std::getenv("HOME")) environment.home = value;
  if (environment.home.empty()) {
    // The password database is asked only when it is needed: it may be a network service.
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
      environment.passwordHome = found->pw_dir;
    }
  }
  return environment;
}

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

std::string MakePrivateFolders(const std::string& path) {
  std::string failed;
  if (const int error = MakeFolders(path, failed)) {
    if (failed == path)
      return "the folder \"" + path + "\" could not be created: " + SystemError(error);
    return "the folder \"" + path + "\" could not be created, since its parent \"" + failed +
           "\" could not be made: " + SystemError(error);
  }
  return {};
}

std::string ExecutableDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      std::string executable(buffer.data(), static_cast<std::size_t>(length));
      const std::size_t slash = executable.rfind('/');
      if (slash == std::string::npos) return {};
      return slash == 0 ? "/" : executable.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kovar

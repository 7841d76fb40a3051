// File operations for Linux and Windows.
#include "FileSystem.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kovar {

std::string SystemError(int errnum) { return std::strerror(errnum); }

namespace {

#ifdef _WIN32
}  // namespace

std::string LastWindowsError() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

namespace {

bool HandleId(HANDLE handle, FileId& id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return false;
  id.device = info.dwVolumeSerialNumber;
  id.index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return true;
}

bool PathId(const std::string& path, FileId& id) {
  HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool ok = HandleId(handle, id);
  CloseHandle(handle);
  return ok;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#else
bool PathId(const std::string& path, FileId& id) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  id.device = static_cast<std::uint64_t>(info.st_dev);
  id.index = static_cast<std::uint64_t>(info.st_ino);
  return true;
}
#endif

}  // namespace

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

std::string InputFile::Open(const std::string& path) {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  // The system would read such a name only up to the NUL, which is another file than the one named.
  if (path.find('\0') != std::string::npos) return "the name holds a NUL byte";
  errno = 0;
#ifdef _WIN32
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return SystemError(IsDirectory(path) ? EISDIR : (errno ? errno : ENOENT));
  // A device name such as CON is valid in every directory; reading it would wait for the console.
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
    std::fclose(file);
    return "it is not an ordinary file";
  }
#else
  // Without blocking, so that a named pipe cannot stall the launcher before it is refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return SystemError(errno ? errno : ENOENT);
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
    return why;
  }
#endif
  file_ = file;
  return {};
}

bool InputFile::Id(FileId& id) const {
  if (!file_) return false;
#ifdef _WIN32
  return HandleId(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_))), id);
#else
  struct stat info;
  if (::fstat(fileno(file_), &info) != 0) return false;
  id.device = static_cast<std::uint64_t>(info.st_dev);
  id.index = static_cast<std::uint64_t>(info.st_ino);
  return true;
#endif
}

std::string ReadFile(const std::string& path, std::size_t limit, std::string& contents) {
  contents.clear();
  InputFile file;
  if (std::string why = file.Open(path); !why.empty()) return why;
  char chunk[64 * 1024];
  for (;;) {
    errno = 0;
    const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.Get());
    if (count == 0) break;
    if (contents.size() + count > limit) {
      contents.clear();
      return "the file is larger than " + std::to_string(limit / (1024 * 1024)) + " MiB";
    }
    contents.append(chunk, count);
  }
  if (std::ferror(file.Get())) {
    contents.clear();
    return SystemError(errno ? errno : EIO);
  }
  return {};
}

std::string WriteFileAtomically(const std::string& path, const std::string& contents,
                                bool executable) {
#ifdef _WIN32
  (void)executable;
  const std::string temporary = path + ".tmp" + std::to_string(GetCurrentProcessId());
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return SystemError(errno ? errno : EACCES);
  bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() &&
                 std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
  const int writeError = errno ? errno : EIO;
  if (std::fclose(file) != 0) written = false;
  if (!written) {
    std::remove(temporary.c_str());
    return SystemError(writeError);
  }
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    std::string why = LastWindowsError();
    std::remove(temporary.c_str());
    return why;
  }
  return {};
#else
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return SystemError(errno);
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
    return SystemError(error);
  }
  return {};
#endif
}

bool Exists(const std::string& path) {
#ifdef _WIN32
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
#endif
}

bool IsRegularFile(const std::string& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

bool SameFile(const std::string& a, const std::string& b) {
  // A name with a NUL byte names no file, whatever the system would make of its first part.
  if (a.find('\0') != std::string::npos || b.find('\0') != std::string::npos) return false;
  FileId first;
  FileId second;
  return PathId(a, first) && PathId(b, second) && first == second;
}

std::vector<std::string> ListMapInfoFiles(const std::string& directory) {
  std::vector<std::string> names;
#ifdef _WIN32
  // The system's own wildcard match, as the Windows file listing does it.
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((directory + "\\*.kvx").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    // The pattern also matches through a file's short 8.3 alias ("abcdefgh.kvxz" is ABCDEF~1.KVX);
    // such a name does not end in ".kvx", so it names no map that could ever load.
    const std::size_t length = std::strlen(entry.cFileName);
    if (!(entry.dwFileAttributes & skip) && length >= 4 &&
        _strnicmp(entry.cFileName + length - 4, ".kvx", 4) == 0) {
      names.emplace_back(entry.cFileName, length);
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
#else
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
#endif
  return names;
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations on Windows, through the ANSI functions of the Windows API.
#include "FileSystem.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "WindowsError.h"
#include "WindowsFacilities.h"

namespace kovar {

namespace {

std::optional<FileId> HandleId(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber,
                (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes `folder` and, when they are missing, its parents; they lie in the user's own profile,
// which only that user may enter. A failure names `path`, the folder asked for, and the one on the
// way to it that could not be made.
Result MakeFolders(const std::string& folder, const std::string& path) {
  auto made = [&folder] {
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
  };
  if (made()) return Result::Ok();
  const std::size_t slash = folder.find_last_of("\\/");
  if (GetLastError() == ERROR_PATH_NOT_FOUND && slash != std::string::npos && slash >= 3) {
    if (Result parents = MakeFolders(folder.substr(0, slash), path); parents.failed()) {
      return parents;
    }
    if (made()) return Result::Ok();
  }
  const Failure why = LastWindowsFailure();
  return why.Reworded(
      "the folder \"" + path + "\" could not be created" +
      (folder == path ? "" : ", since its parent \"" + folder + "\" could not be made") + ": " +
      why.reason());
}

// True when the last part of `path` is a name that Windows keeps for a device in every folder
// (CON, NUL, COM1 and the like, also with an extension, as in CON.kvx): opening it opens the
// device.
bool NamesDevice(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
  base.resize(std::min(base.find('.'), base.size()));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& letter : base) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  }
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
      base == "CONOUT$") {
    return true;
  }
  // COM1 to COM9 and LPT1 to LPT9, also with the superscript digits of the ANSI code page.
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         std::string_view("123456789\xB9\xB2\xB3").find(base[3]) != std::string_view::npos;
}

}  // namespace

std::optional<FileId> PathId(const std::string& path) {
  HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<FileId> id = HandleId(handle);
  CloseHandle(handle);
  return id;
}

Result InputFile::OpenOrdinaryFile(const std::string& path) {
  if (NamesDevice(path))
    return Result::Failure(FailureKind::NotOrdinaryFile,
                           "it is not an ordinary file (the name is a device's)");
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    return SystemFailure(IsDirectory(path) ? EISDIR : (errno ? errno : ENOENT));
  }
  // A device name such as CON is valid in every directory; reading it would wait for the console.
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
    std::fclose(file);
    return Result::Failure(FailureKind::NotOrdinaryFile, "it is not an ordinary file");
  }
  file_ = file;
  return Result::Ok();
}

std::optional<FileId> InputFile::Id() const {
  if (!file_) return std::nullopt;
  return HandleId(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_))));
}

Result WriteFileAtomically(const std::string& path, const std::string& contents, bool) {
  const std::string temporary = path + ".tmp" + std::to_string(GetCurrentProcessId());
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return SystemFailure(errno ? errno : EACCES);
  bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() &&
                 std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
  const int writeError = errno ? errno : EIO;
  if (std::fclose(file) != 0) written = false;
  if (!written) {
    std::remove(temporary.c_str());
    return SystemFailure(writeError);
  }
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const Failure why = LastWindowsFailure();
    std::remove(temporary.c_str());
    return why;
  }
  return Result::Ok();
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The system's own wildcard match, as the Windows file listing does it. From Windows 7 the short
// 8.3 names are not asked for (nothing here reads them) and the system reads the folder in large
// blocks; older systems refuse that form as an invalid parameter, and list in the standard one.
HANDLE FindFirstMatch(const std::string& pattern, WIN32_FIND_DATAA& entry) {
  if (MayUseFacility("FindExInfoBasic")) {
    HANDLE find = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) return find;
  }
  return FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &entry, FindExSearchNameMatch,
                          nullptr, 0);
}

}  // namespace

Expected<std::vector<std::string>> ListMapInfoFiles(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstMatch(directory + "\\*.kvx", entry);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // No file that matches, or no such folder: an empty catalogue, no failure.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return names;
    return LastWindowsFailure();
  }
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
  const bool whole = GetLastError() == ERROR_NO_MORE_FILES;
  const Failure why = LastWindowsFailure();
  FindClose(find);
  if (!whole) return why;
  return names;
}

char PathSeparator() { return '\\'; }

std::string FileNameKey(std::string name) {
  // What the file system folds goes beyond ASCII (e and E with an accent are one letter too).
  if (!name.empty()) CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

bool CanCreateFilesIn(const std::string& directory) {
  // Program Files refuses files to ordinary users whatever its attributes say: only trying tells.
  const std::string probe =
      directory + "\\.kovar-launcher-probe-" + std::to_string(GetCurrentProcessId());
  HANDLE handle = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

bool HasEntry(const std::string& path) {
  if (path.find('\0') != std::string::npos) return false;
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
         error != ERROR_INVALID_NAME;
}

Result MakePrivateFolders(const std::string& path) { return MakeFolders(path, path); }

}  // namespace kovar

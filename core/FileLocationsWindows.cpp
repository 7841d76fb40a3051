// The per-user folder's platform side on Windows: APPDATA, the probe and the folders.
#include "FileLocations.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "FileSystem.h"

namespace kovar {

namespace {

// Makes `folder` and, when they are missing, its parents; they lie in the user's own profile,
// which only that user may enter. On failure the last error is set and `failed` names the folder
// that could not be made.
bool MakeFolders(const std::string& folder, std::string& failed) {
  if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
    return true;
  }
  const std::size_t slash = folder.find_last_of("\\/");
  if (GetLastError() != ERROR_PATH_NOT_FOUND || slash == std::string::npos || slash < 3) {
    failed = folder;
    return false;
  }
  if (!MakeFolders(folder.substr(0, slash), failed)) return false;
  if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
    return true;
  }
  failed = folder;
  return false;
}

}  // namespace

std::string NativeUserFolder(const UserEnvironment& environment) {
  return WindowsUserFolder(environment);
}

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment environment;
  if (const char* value = std::getenv("APPDATA")) environment.appData = value;
  return environment;
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

std::string MakePrivateFolders(const std::string& path) {
  std::string failed;
  if (!MakeFolders(path, failed)) {
    const std::string why = LastWindowsError();
    if (failed == path) return "the folder \"" + path + "\" could not be created: " + why;
    return "the folder \"" + path + "\" could not be created, since its parent \"" + failed +
           "\" could not be made: " + why;
  }
  return {};
}

std::string ExecutableDirectory() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      const std::size_t slash = buffer.find_last_of("\\/");
      return slash == std::string::npos ? std::string() : buffer.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kovar

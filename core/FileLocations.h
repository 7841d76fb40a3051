// Where the launcher finds and keeps its files. A portable folder holds everything. When the
// application directory cannot be written (a system installation), the player's own files (the
// saved settings, the launch script, any command file of the same name, and maps of their own in
// its `data` folder) live in a per-user folder, while the start script's defaults and the
// installed map catalogue stay in the application directory.
#pragma once

#include <string>

#include "Environment.h"
#include "Result.h"

namespace kovar {

// The Linux per-user folder: $XDG_CONFIG_HOME/kovar-launcher when that is an absolute path,
// otherwise ~/.config/kovar-launcher, the home being HOME when absolute, else the password entry's.
// Empty when no home is known.
std::string LinuxUserFolder(const UserEnvironment& environment);

// The Windows per-user folder: %APPDATA%\Kovar Launcher; empty when APPDATA is not set.
std::string WindowsUserFolder(const UserEnvironment& environment);

// This system's per-user folder (LinuxUserFolder or WindowsUserFolder).
std::string NativeUserFolder(const UserEnvironment& environment);

class FileLocations {
 public:
  // A portable folder: every file in `appDir`. Implicit, since an application directory alone
  // means exactly that.
  FileLocations(std::string appDir);
  // The player's files in `userDir`, which is created when first written to. An empty `userDir`
  // means that none could be found: writing the player's files then fails with that reason.
  FileLocations(std::string appDir, std::string userDir);

  // Decides once, at start, by creating and removing a probe file: a writable `appDir` is a
  // portable folder; otherwise the player's files go to this system's per-user folder.
  static FileLocations Choose(std::string appDir, const UserEnvironment& environment);

  // The application directory: the executable's, with the start script and the map catalogue.
  const std::string& AppDir() const { return appDir_; }
  // True when the player's files live in a per-user folder.
  bool PerUser() const { return perUser_; }
  const std::string& UserDir() const { return userDir_; }

  // The command file an `exec` argument names: the per-user folder's when an entry of that name
  // exists there (so that a file there that cannot be read is reported, not replaced by the
  // other), otherwise the application directory's.
  std::string ExecPath(const std::string& argument) const;
  // The player's own map catalogue, `data` in the per-user folder; empty for a portable folder,
  // whose one catalogue is its own `data`.
  std::string OwnMapFolder() const;
  // Where a file of the player's own (a settings file, the launch script) is written.
  std::string OwnFile(const std::string& name) const;
  // Makes sure the folder of the player's own files exists, creating it and its missing parents
  // private to the user. A failure names the folder and why.
  Result PrepareOwnFolder() const;

 private:
  std::string appDir_;
  std::string userDir_;
  bool perUser_ = false;
};

}  // namespace kovar

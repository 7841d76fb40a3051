// Where the launcher finds and keeps its files. A portable folder holds everything. When the
// application directory cannot be written (a system installation), the player's own files (the
// saved settings, the launch script, and any command file of the same name) live in a per-user
// folder, while the start script's defaults and the map catalogue stay in the application
// directory.
#pragma once

#include <string>

namespace kovar {

// What the per-user folder is worked out from, read once at start.
struct UserEnvironment {
  std::string xdgConfigHome;  // XDG_CONFIG_HOME
  std::string home;           // HOME
  std::string passwordHome;   // the home directory of the user's password entry
  std::string appData;        // APPDATA
};

// The Linux per-user folder: $XDG_CONFIG_HOME/kovar-launcher when that is an absolute path,
// otherwise ~/.config/kovar-launcher, the home being HOME when absolute, else the password entry's.
// Empty when no home is known.
std::string LinuxUserFolder(const UserEnvironment& environment);

// The Windows per-user folder: %APPDATA%\Kovar Launcher; empty when APPDATA is not set.
std::string WindowsUserFolder(const UserEnvironment& environment);

class FileLocations {
 public:
  // A portable folder: every file in `appDir`. Implicit, since an application directory alone
  // means exactly that.
  FileLocations(std::string appDir);
  // The player's files in `userDir`, which is created when first written to. An empty `userDir`
  // means that none could be found: writing the player's files then fails with that reason.
  FileLocations(std::string appDir, std::string userDir);

  // Decides once, at start, by creating and removing a probe file: a writable `appDir` is a
  // portable folder; otherwise the player's files go to this platform's per-user folder.
  static FileLocations Choose(std::string appDir, const UserEnvironment& environment);

  const std::string& AppDir() const { return appDir_; }
  // True when the player's files live in a per-user folder.
  bool PerUser() const { return perUser_; }
  const std::string& UserDir() const { return userDir_; }

  // The command file an `exec` argument names: the per-user folder's when an entry of that name
  // exists there (so that a file there that cannot be read is reported, not replaced by the
  // other), otherwise the application directory's.
  std::string ExecPath(const std::string& argument) const;
  // Where a file of the player's own (a settings file, the launch script) is written.
  std::string OwnFile(const std::string& name) const;
  // Makes sure the folder of the player's own files exists, creating it and its missing parents
  // private to the user. Returns empty text on success, otherwise the reason, naming the folder.
  std::string PrepareOwnFolder() const;

 private:
  std::string appDir_;
  std::string userDir_;
  bool perUser_ = false;
};

// This platform's per-user folder (LinuxUserFolder or WindowsUserFolder).
std::string NativeUserFolder(const UserEnvironment& environment);
// The running user's environment, as the per-user folder needs it.
UserEnvironment CurrentUserEnvironment();
// True when a file can be created in `directory`: creates and removes a probe file, since
// permission bits do not tell (access checks on Windows ignore a folder's permissions).
bool CanCreateFilesIn(const std::string& directory);
// False only when nothing lies at `path`: an entry that exists, and one that cannot be looked at
// for another reason than its absence, count as there.
bool HasEntry(const std::string& path);
// Creates `path` and its missing parents, each one private to the user. Returns empty text on
// success, otherwise the reason, naming the folder that could not be made.
std::string MakePrivateFolders(const std::string& path);
// The directory of the running executable, followed through links; empty when it cannot be told.
std::string ExecutableDirectory();

}  // namespace kovar

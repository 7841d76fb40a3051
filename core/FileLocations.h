// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the launcher finds and keeps its files. A portable folder holds everything. Installed for
// the whole system, or where the application directory cannot be written, the player's own files
// (the saved settings, the launch script, any command file of the same name, and maps of their
// own in its `data` folder) live in a per-user folder, while the start script's defaults and the
// installed map catalogue stay in the application directory.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Environment.h"
#include "FileSystem.h"
#include "LocatedFile.h"
#include "OwnFolder.h"
#include "Result.h"

namespace kovar {

// The Linux per-user folder: $XDG_CONFIG_HOME/kovar-launcher when that is an absolute path,
// otherwise ~/.config/kovar-launcher, the home being HOME when absolute, else the password entry's.
// Empty when no home is known.
std::string LinuxUserFolder(const UserEnvironment& environment);

// The Windows per-user folder: %APPDATA%\Kovar Launcher; empty when APPDATA is not set.
std::string WindowsUserFolder(const UserEnvironment& environment);

// What the player is told of the own folder's verdict on it, a folder on the way to it or a file
// read from it, with how to fix it.
std::string DistrustWords(const Distrust& verdict);

// This system's per-user folder (LinuxUserFolder or WindowsUserFolder).
std::string NativeUserFolder(const UserEnvironment& environment);

// How the launcher was built to be installed.
enum class InstallLayout {
  Portable,  // one folder, the player's files in it when it can be written
  System,    // installed for every user: the player's files are always in a per-user folder
};

// `name` in the folder `folder`.
LocatedFile In(const LocatedFile& folder, const std::string& name);

class FileLocations {
 public:
  // A portable folder: every file in `appDir`. Implicit, since an application directory alone
  // means exactly that.
  FileLocations(std::string appDir);
  // The player's files in `userDir`, used only when it is the player's own (see OwnFolderCheck),
  // and then through the folder opened here; one that is missing is made, checked and opened when
  // first written to. An empty `userDir` means that none could be found: writing the player's
  // files then fails with that reason.
  FileLocations(std::string appDir, std::string userDir);

  // Decides once, at start. A portable layout whose `appDir` is writable (tried with a probe
  // file) keeps everything there; otherwise the player's files go to this system's per-user
  // folder.
  static FileLocations Choose(std::string appDir, const UserEnvironment& environment,
                              InstallLayout layout);

  // The application directory: the executable's, with the start script and the map catalogue.
  const std::string& AppDir() const { return appDir_; }
  // True when the player's files live in a per-user folder.
  bool PerUser() const { return perUser_; }
  const std::string& UserDir() const { return userDir_; }
  // The check of the per-user folder found at start. Its failure says why the folder is not used
  // (others could change what it holds, or a folder on the way to it) and how to fix it, for the
  // player to read; a refused folder is neither read nor written for the rest of the run.
  const Result& OwnFolderCheck() const { return checked_; }

  // The command file an `exec` argument names: the per-user folder's when an entry of that name
  // exists there (so that a file there that cannot be read is reported, not replaced by the
  // other), otherwise the application directory's.
  LocatedFile ExecFile(const std::string& argument) const;
  // The installed map catalogue, `data` in the application directory.
  LocatedFile InstalledMapFolder() const;
  // The player's own map catalogue, `data` in the per-user folder; none for a portable folder,
  // whose one catalogue is its own `data`, and for a refused per-user folder.
  std::optional<LocatedFile> OwnMapFolder() const;
  // Where a file of the player's own (a settings file, the launch script) is written.
  LocatedFile OwnFile(const std::string& name) const;
  // Makes sure the folder of the player's own files exists, is the player's own and is held open,
  // creating it and its missing parents private to the user. A failure names the folder and why.
  Result PrepareOwnFolder() const;

  // The file operations of FileSystem.h on a located file: one in the player's own folder through
  // that folder (OwnFolder.h), which must be the player's own too when read; until the folder is
  // open, nothing is found in it.
  Result Open(const LocatedFile& file, InputFile& into) const;
  Expected<std::string> Read(const LocatedFile& file, std::size_t limit) const;
  Result WriteAtomically(const LocatedFile& file, const std::string& contents,
                         bool executable = false) const;
  Expected<std::vector<std::string>> ListMapInfoFiles(const LocatedFile& folder) const;
  bool HasEntry(const LocatedFile& file) const;
  bool SameFile(const LocatedFile& a, const LocatedFile& b) const;

 private:
  std::string appDir_;
  std::string userDir_;
  bool perUser_ = false;
  Result checked_ = Result::Ok();
  // Shared by the copies, so that the folder stays open while any of them lives.
  std::shared_ptr<OwnFolder> own_;

  std::optional<FileId> Id(const LocatedFile& file) const;
};

}  // namespace kovar

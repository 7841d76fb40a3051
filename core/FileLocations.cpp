// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The choice between a portable folder and a per-user folder, and the file names it gives.
#include "FileLocations.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "FileSystem.h"

namespace kovar {

namespace {

// Without trailing separators, so that joining a name gives one separator (a lone root stays).
std::string Trimmed(std::string path, char separator) {
  while (path.size() > 1 && path.back() == separator) path.pop_back();
  return path;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The file an `exec` argument names in a folder. Elsewhere than on Windows a backslash is read as
// a folder separator, so that start scripts written on Windows keep working.
std::string CommandFileName(std::string argument) {
  if (PathSeparator() != '\\')
    std::replace(argument.begin(), argument.end(), '\\', PathSeparator());
  return argument;
}

// Why a group that can write is not the player's alone.
std::string SharedGroupWords(const Distrust& verdict) {
  switch (verdict.share) {
    case Distrust::Share::PrimaryOf:
      return "the account " + verdict.account + " has it as its primary group";
    case Distrust::Share::MemberOf:
      return verdict.account + " is a member of it";
    case Distrust::Share::NotOwn:
      break;
  }
  return "it is not your own group";
}

}  // namespace

std::string DistrustWords(const Distrust& verdict) {
  using Kind = Distrust::Kind;
  const std::string it =
      verdict.onTheWay ? "the folder " + Quoted(verdict.subject) + " on the way to it" : "it";
  const std::string shown = Quoted(verdict.subject);
  char mode[8];
  std::snprintf(mode, sizeof mode, "%04o", verdict.mode);
  switch (verdict.kind) {
    case Kind::Owner:
      return it + " belongs to the user " + verdict.who + ", not to " + verdict.player +
             " or root; to fix it, " +
             (verdict.onTheWay ? "have its owner give it to you"
                               : "remove it, or have its owner give it to you");
    case Kind::EveryUser:
      return "every user can write to " + it + " (mode " + mode +
             "); to fix it, take their write permission away (chmod go-w " + shown + ")";
    case Kind::AclUnreadable:
      return "the access control list of " + it + " cannot be read: " + verdict.detail;
    case Kind::AclUser:
      return "the user " + verdict.who + " can write to " + it +
             " by its access control list; to fix it, remove that entry (setfacl -x u:" +
             verdict.who + " " + shown + ")";
    case Kind::AclGroup:
      return "the group " + verdict.who + " can write to " + it + " by its access control list (" +
             SharedGroupWords(verdict) +
             "); to fix it, remove that entry (setfacl -x g:" + verdict.who + " " + shown + ")";
    case Kind::Group:
      return "the group " + verdict.who + " can write to " + it + " (mode " + mode + "), and " +
             SharedGroupWords(verdict) +
             "; to fix it, take the group's write permission away (chmod g-w " + shown + ")";
    case Kind::LinkOwner:
      return "the symbolic link " + shown + " on the way to it belongs to the user " + verdict.who +
             "; to fix it, replace it by a link of your own";
    case Kind::Link:
      return "it is a symbolic link, which may lead anywhere; to fix it, replace the link by a "
             "folder of your own";
    case Kind::NotFolder:
      return "it is not a folder; to fix it, move that file away";
    case Kind::Unreachable:
      break;
  }
  return "it cannot be looked at: " + verdict.detail;
}

namespace {

// Succeeds when `folder` may hold the player's files; otherwise says why not.
Result CheckOwnFolder(Result opened, const std::string& folder) {
  if (opened.ok()) return opened;
  return opened.failure().Reworded("the folder \"" + folder +
                                   "\" is not used for your files, since " + opened.reason());
}

}  // namespace

std::string LinuxUserFolder(const UserEnvironment& environment) {
  // A relative XDG_CONFIG_HOME is invalid and must be ignored; a relative HOME would put the
  // player's files wherever the launcher happened to be started.
  if (!environment.xdgConfigHome.empty() && environment.xdgConfigHome.front() == '/') {
    return Trimmed(environment.xdgConfigHome, '/') + "/kovar-launcher";
  }
  std::string home = environment.home;
  if (home.empty() || home.front() != '/') home = environment.passwordHome;
  if (home.empty() || home.front() != '/') return {};
  home = Trimmed(home, '/');
  return (home == "/" ? "" : home) + "/.config/kovar-launcher";
}

std::string WindowsUserFolder(const UserEnvironment& environment) {
  if (environment.appData.empty()) return {};
  return Trimmed(environment.appData, '\\') + "\\Kovar Launcher";
}

std::string NativeUserFolder(const UserEnvironment& environment) {
  return NativeSystem() == System::Windows ? WindowsUserFolder(environment)
                                           : LinuxUserFolder(environment);
}

LocatedFile In(const LocatedFile& folder, const std::string& name) {
  return {JoinPath(folder.path, name),
          folder.ownName.empty() ? std::string() : JoinPath(folder.ownName, name)};
}

FileLocations::FileLocations(std::string appDir) : appDir_(std::move(appDir)) {}

FileLocations::FileLocations(std::string appDir, std::string userDir)
    : appDir_(std::move(appDir)), userDir_(std::move(userDir)), perUser_(true) {
  if (userDir_.empty()) return;
  // Its files name the engine that Start runs.
  own_ = std::make_shared<OwnFolder>(userDir_, DistrustWords);
  checked_ = CheckOwnFolder(own_->Open(), userDir_);
}

FileLocations FileLocations::Choose(std::string appDir, const UserEnvironment& environment,
                                    InstallLayout layout) {
  // Root can write into an installed launcher's folder too; what it saved there would become
  // every other player's settings.
  if (layout == InstallLayout::Portable && CanCreateFilesIn(appDir)) {
    return FileLocations(std::move(appDir));
  }
  return FileLocations(std::move(appDir), NativeUserFolder(environment));
}

LocatedFile FileLocations::ExecFile(const std::string& argument) const {
  const std::string name = CommandFileName(argument);
  if (perUser_ && !userDir_.empty() && checked_.ok()) {
    LocatedFile own = OwnFile(name);
    if (HasEntry(own)) return own;
  }
  return {JoinPath(appDir_, name), {}};
}

LocatedFile FileLocations::InstalledMapFolder() const { return {JoinPath(appDir_, "data"), {}}; }

std::optional<LocatedFile> FileLocations::OwnMapFolder() const {
  if (!perUser_ || userDir_.empty() || checked_.failed()) return std::nullopt;
  return OwnFile("data");
}

LocatedFile FileLocations::OwnFile(const std::string& name) const {
  if (!own_) return {JoinPath(appDir_, name), {}};
  return {JoinPath(userDir_, name), name};
}

Result FileLocations::PrepareOwnFolder() const {
  if (!perUser_) return Result::Ok();
  if (userDir_.empty()) {
    return Result::Failure(
        FailureKind::NotFound,
        "the player's files are not kept in the launcher's folder \"" + appDir_ +
            "\", and no per-user folder is known (no home folder is set for this "
            "user)");
  }
  if (checked_.failed()) return checked_;
  // Held open, it is used even when its name now leads elsewhere.
  if (own_->IsOpen()) return Result::Ok();
  if (Result made = own_->Make(); made.failed()) return made;
  // Whoever could write a folder on the way may have put something of theirs in its place.
  return CheckOwnFolder(own_->Open(), userDir_);
}

Result FileLocations::Open(const LocatedFile& file, InputFile& into) const {
  if (file.ownName.empty()) return into.Open(file.path);
  return own_->OpenFile(file.ownName, into);
}

Expected<std::string> FileLocations::Read(const LocatedFile& file, std::size_t limit) const {
  if (file.ownName.empty()) return ReadFile(file.path, limit);
  return own_->Read(file.ownName, limit);
}

Result FileLocations::WriteAtomically(const LocatedFile& file, const std::string& contents,
                                      bool executable) const {
  if (file.ownName.empty()) return kovar::WriteFileAtomically(file.path, contents, executable);
  return own_->WriteAtomically(file.ownName, contents, executable);
}

Expected<std::vector<std::string>> FileLocations::ListMapInfoFiles(
    const LocatedFile& folder) const {
  if (folder.ownName.empty()) return kovar::ListMapInfoFiles(folder.path);
  return own_->ListMapInfoFiles(folder.ownName);
}

bool FileLocations::HasEntry(const LocatedFile& file) const {
  if (file.ownName.empty()) return kovar::HasEntry(file.path);
  return own_->HasEntry(file.ownName);
}

std::optional<FileId> FileLocations::Id(const LocatedFile& file) const {
  // A name with a NUL byte names no file, whatever the system would make of its first part.
  if (file.path.find('\0') != std::string::npos) return std::nullopt;
  if (file.ownName.empty()) return PathId(file.path);
  return own_->Id(file.ownName);
}

bool FileLocations::SameFile(const LocatedFile& a, const LocatedFile& b) const {
  const std::optional<FileId> first = Id(a);
  return first && first == Id(b);
}

}  // namespace kovar

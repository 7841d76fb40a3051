// The choice between a portable folder and a per-user folder, and the file names it gives.
#include "FileLocations.h"

#include <algorithm>
#include <utility>

#include "FileSystem.h"

namespace kovar {

namespace {

// Without trailing separators, so that joining a name gives one separator (a lone root stays).
std::string Trimmed(std::string path, char separator) {
  while (path.size() > 1 && path.back() == separator) path.pop_back();
  return path;
}

// The file an `exec` argument names in `folder`. Elsewhere than on Windows a backslash is read as
// a folder separator, so that start scripts written on Windows keep working.
std::string CommandFilePath(const std::string& folder, std::string argument) {
  if (PathSeparator() != '\\')
    std::replace(argument.begin(), argument.end(), '\\', PathSeparator());
  return JoinPath(folder, argument);
}

// Succeeds when `folder` may hold the player's files; otherwise says why not.
Result CheckOwnFolder(const std::string& folder, OwnFolder& own) {
  const Result opened = own.Open();
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

FileLocations::FileLocations(std::string appDir) : appDir_(std::move(appDir)) {}

FileLocations::FileLocations(std::string appDir, std::string userDir,
                             std::optional<AccountList> accounts)
    : appDir_(std::move(appDir)), userDir_(std::move(userDir)), perUser_(true) {
  if (userDir_.empty()) return;
  // Its files name the engine that Start runs.
  own_ = std::make_shared<OwnFolder>(userDir_, std::move(accounts));
  checked_ = CheckOwnFolder(userDir_, *own_);
}

FileLocations FileLocations::Choose(std::string appDir, const UserEnvironment& environment,
                                    InstallLayout layout, std::optional<AccountList> accounts) {
  // Root can write into an installed launcher's folder too; what it saved there would become
  // every other player's settings.
  if (layout == InstallLayout::Portable && CanCreateFilesIn(appDir)) {
    return FileLocations(std::move(appDir));
  }
  return FileLocations(std::move(appDir), NativeUserFolder(environment), std::move(accounts));
}

std::string FileLocations::ExecPath(const std::string& argument) const {
  if (perUser_ && !userDir_.empty() && checked_.ok()) {
    std::string own = CommandFilePath(userDir_, argument);
    if (HasEntry(own)) return own;
  }
  return CommandFilePath(appDir_, argument);
}

std::string FileLocations::OwnMapFolder() const {
  return perUser_ && !userDir_.empty() && checked_.ok() ? JoinPath(userDir_, "data")
                                                        : std::string();
}

std::string FileLocations::OwnFile(const std::string& name) const {
  return JoinPath(perUser_ && !userDir_.empty() ? userDir_ : appDir_, name);
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
  if (Result made = MakePrivateFolders(userDir_); made.failed()) return made;
  // Whoever could write a folder on the way may have put something of theirs in its place.
  return CheckOwnFolder(userDir_, *own_);
}

}  // namespace kovar

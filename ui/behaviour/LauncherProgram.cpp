// Start-up, its exit status, and the application folder.
#include "LauncherProgram.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "Desktop.h"
#include "Environment.h"

namespace kovar {

FileLocations ApplicationFiles(const std::string& toolkitFolder, bool systemLayout) {
  std::string folder = ExecutableDirectory();
  if (folder.empty()) folder = toolkitFolder;
  if (folder.empty()) {
    std::error_code error;
    folder = std::filesystem::current_path(error).string();
  }
  return FileLocations::Choose(std::move(folder), CurrentUserEnvironment(),
                               systemLayout ? InstallLayout::System : InstallLayout::Portable);
}

LauncherProgram::LauncherProgram(FileLocations files, Desktop& desktop, MapListing listing)
    : launcher_(std::move(files), desktop, listing),
      console_(launcher_),
      window_(launcher_, desktop) {
  window_.SetConsole(&console_);
}

int LauncherProgram::Run(const std::function<int()>& eventLoop) {
  if (const std::optional<int> status = window_.Start()) return *status;
  return eventLoop();
}

}  // namespace kovar

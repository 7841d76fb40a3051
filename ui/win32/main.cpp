// Kovar Launcher's entry point on Windows: the common controls, the application directory, and
// the run.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "LauncherApp.h"

namespace {

// The directory of the executable, as the system's ANSI bytes, without a final backslash.
std::string ApplicationDirectory() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      std::string file(path.data(), length);
      return file.substr(0, file.find_last_of("\\/"));
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  kovar::win32::LauncherApp app(ApplicationDirectory());
  return app.Run();
}

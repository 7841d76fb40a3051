// Kovar Launcher's entry point on Windows: the common controls, the application directory, and
// the run.
#include <windows.h>

#include <commctrl.h>

#include "Environment.h"
#include "FileLocations.h"
#include "LauncherApplication.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The launcher's files lie beside the executable, or, where that folder cannot be written (as
  // under Program Files), in the player's own folder.
  kovar::LauncherApplication app(kovar::FileLocations::Choose(
      kovar::ExecutableDirectory(), kovar::CurrentUserEnvironment(),
      KOVAR_SYSTEM_LAYOUT ? kovar::InstallLayout::System : kovar::InstallLayout::Portable));
  return app.Run();
}

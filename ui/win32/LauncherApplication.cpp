// Start-up, the message loop and the orderly end.
#include "LauncherApplication.h"

#include <windows.h>

#include <optional>
#include <utility>

namespace kovar {

LauncherApplication::LauncherApplication(FileLocations files)
    : launcher_(std::move(files), platform_, MapListing::Ahead),
      console_(launcher_),
      window_(launcher_, platform_) {
  platform_.SetMainWindow(&window_);
  window_.Behaviour().SetConsole(&console_.Behaviour());
}

int LauncherApplication::Run() {
  if (const std::optional<int> status = window_.Behaviour().Start()) return *status;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void LauncherApplication::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageA(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace kovar

// The message loop.
#include "LauncherApplication.h"

#include <windows.h>

#include <utility>

namespace kovar {

LauncherApplication::LauncherApplication(FileLocations files)
    : program_(std::move(files), platform_),
      console_(program_.Core()),
      window_(program_.Core(), platform_) {
  platform_.SetMainWindow(&window_);
  program_.Attach(window_.Behaviour(), console_.Behaviour());
}

int LauncherApplication::Run() {
  return program_.Run([] {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return 0;
  });
}

void LauncherApplication::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageA(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace kovar

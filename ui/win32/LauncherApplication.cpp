// The message loop.
#include "LauncherApplication.h"

#include <windows.h>

#include <utility>

namespace kovar {

LauncherApplication::LauncherApplication(FileLocations files)
    : program_(std::move(files), desktop_),
      console_(program_.Console()),
      window_(program_.Window()) {
  desktop_.SetMainWindow(&window_);
  window_.SetSessionEnder([this] { program_.SystemEnded(); });
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

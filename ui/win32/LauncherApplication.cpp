// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows skin in the program's shell: the message loop, and the session's end.
#include "LauncherApplication.h"

namespace kovar {

void Win32Skin::MeetTheSystem(LauncherProgram& program, frmMain& window) {
  window.SetSessionEnder([&program] { program.SystemEnded(); });
}

int Win32Skin::EventLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogMessageA(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace kovar

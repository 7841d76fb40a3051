// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A window's messages handed to the object that made it: the object comes as the creation
// parameter and is kept in the window's user data until the window is destroyed.
#pragma once

#include <windows.h>

namespace kovar {

// The window procedure of a window class whose windows each belong to one `Owner`, which has a
// member `window_` and a `Handle(message, wParam, lParam)`; `Owner` befriends this template.
template <typename Owner>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner =
        static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    owner->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && owner) {
    owner->window_ = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    owner = nullptr;
  }
  return owner ? owner->Handle(message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kovar

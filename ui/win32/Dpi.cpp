// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-monitor scale functions of user32, found by name, and what they give on older systems.
#include "Dpi.h"

#include <map>

#include "WindowsFacilities.h"

namespace kovar {

namespace {

// The per-monitor functions of user32 (Windows 10 from 1607), by their own types: linking them
// would stop the program from starting on older systems, whose declarations lack them.
using DpiForWindow = UINT WINAPI(HWND);
using AdjustForDpi = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
using ParametersForDpi = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);

template <typename Function>
Function* User32(const char* name) {
  return SystemFunction<Function>("user32.dll", name);
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static auto* const forWindow = User32<DpiForWindow>("GetDpiForWindow");
  const int dpi = forWindow ? static_cast<int>(forWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

SIZE FrameSize(HWND window, int width, int height, int dpi) {
  static auto* const adjustForDpi = User32<AdjustForDpi>("AdjustWindowRectExForDpi");
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  const BOOL menu = GetMenu(window) != nullptr;
  RECT frame{0, 0, width, height};
  if (!adjustForDpi || !adjustForDpi(&frame, style, menu, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, style, menu, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void FitClientArea(HWND window, int width, int height, int dpi) {
  SIZE frame = FrameSize(window, width, height, dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps, or that the system draws at another scale, takes another height: the
  // client area keeps its size.
  RECT client;
  GetClientRect(window, &client);
  if (client.bottom != height) {
    SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HFONT MessageFont(int dpi) {
  static std::map<int, HFONT> fonts;
  auto [found, added] = fonts.try_emplace(dpi, nullptr);
  if (added) {
    static auto* const forDpi = User32<ParametersForDpi>("SystemParametersInfoForDpi");
    // XP's size of the metrics, which every later system accepts too; the per-monitor call, new
    // in Windows 10, is given Vista's, with the padded border's width after them.
    struct {
      NONCLIENTMETRICSW metrics;
      int paddedBorderWidth;
    } vista{};
    NONCLIENTMETRICSW& metrics = vista.metrics;
    metrics.cbSize = sizeof vista;
    if (!forDpi ||
        !forDpi(SPI_GETNONCLIENTMETRICS, sizeof vista, &vista, 0, static_cast<UINT>(dpi))) {
      // The system's metrics are made for its own scale.
      metrics.cbSize = sizeof metrics;
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
      metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
    }
    found->second = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return found->second;
}

}  // namespace kovar

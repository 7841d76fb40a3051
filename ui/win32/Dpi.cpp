// The per-monitor scale functions of user32, found by name, and what they give on older systems.
#include "Dpi.h"

#include <map>

namespace kovar {

namespace {

// A function of user32 by name, or null where this Windows lacks it. Linking them would stop the
// program from starting on Windows before 10.
template <typename Function>
Function* User32(const char* name) {
  static const HMODULE user32 = GetModuleHandleA("user32.dll");
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static auto* const forWindow = User32<decltype(GetDpiForWindow)>("GetDpiForWindow");
  const int dpi = forWindow ? static_cast<int>(forWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

SIZE FrameSize(HWND window, int width, int height, int dpi) {
  static auto* const adjustForDpi =
      User32<decltype(AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
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
    static auto* const forDpi =
        User32<decltype(SystemParametersInfoForDpi)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!forDpi ||
        !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
      // The system's metrics are made for its own scale.
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
      metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
    }
    found->second = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return found->second;
}

}  // namespace kovar

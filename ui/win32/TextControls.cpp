// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes in and out of the controls, and the one-line edit fields' filter.
#include "TextControls.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

#include "OneLine.h"

namespace kovar {

namespace {

// The clipboard's text in the ANSI code page the fields use. Its CF_TEXT is made in the code page
// of the clipboard's locale, which need not be that one (a Greek input language turns "café"
// into "cafe"); its Unicode text is exact. Read no further than the clipboard's block, which
// need not end in a NUL.
std::string ClipboardText(HWND owner) {
  std::string text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::wstring_view block(wide, GlobalSize(data) / sizeof(wchar_t));
      const auto length = static_cast<int>(
          std::min<std::size_t>(std::min(block.find(L'\0'), block.size()), INT_MAX / 2));
      const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
      text.resize(static_cast<std::size_t>(std::max(bytes, 0)));
      WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), bytes, nullptr, nullptr);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

LRESULT CALLBACK OneLineProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  switch (message) {
    case WM_CHAR:
      if (IsLineBreak(static_cast<char32_t>(wParam))) return 0;
      break;
    case WM_PASTE: {
      const std::string text = OneLine(ClipboardText(edit));
      SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, OneLineProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int got = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<std::size_t>(std::max(got, 0)));
}

void DropLineBreaks(HWND edit) { SetWindowSubclass(edit, OneLineProc, 0, 0); }

HWND ComboField(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

HWND ComboList(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

}  // namespace kovar

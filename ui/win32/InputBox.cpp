// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The input box, built on a dialog template in memory so that Windows' dialog manager gives it
// the keyboard: Enter answers OK, Escape cancels, Tab moves between the field and the buttons.
#include "InputBox.h"

#include <string>

#include "Dpi.h"
#include "TextControls.h"
#include "Twips.h"
#include "WindowDescription.h"

namespace kovar {

namespace {

// Pixels at the standard scale: the prompt beside the buttons, the field along the bottom, as a
// Windows input box.
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 128;
constexpr RECT kPrompt{10, 10, 270, 88};
constexpr RECT kOk{280, 10, 350, 34};
constexpr RECT kCancel{280, 42, 350, 66};
constexpr RECT kField{10, 96, 350, 118};

// The longest path Windows' file functions take, less its NUL: a longer answer is refused.
constexpr std::size_t kLongestAnswer = MAX_PATH - 1;
// The field takes more than that, so that a longer answer is refused with its reason, not cut.
constexpr int kFieldLimit = 4 * MAX_PATH;
// What the dialog ends with when its field could not be made.
constexpr INT_PTR kNoField = 2'000;

struct Request {
  const std::string* prompt;
  const std::string* title;
  const std::string* defaultText;
  InputAnswer answer;
  DWORD failure = 0;
};

// Pixels at the standard scale to pixels at `dpi`.
int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, kStandardDpi); }

HWND AddControl(HWND dialog, const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                const RECT& place, int id) {
  const int dpi = WindowDpi(dialog);
  const int left = Scaled(place.left, dpi);
  const int top = Scaled(place.top, dpi);
  HWND control = CreateWindowExA(
      exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, left, top,
      Scaled(place.right, dpi) - left, Scaled(place.bottom, dpi) - top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(dpi)), FALSE);
  return control;
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* request = reinterpret_cast<Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      request = reinterpret_cast<Request*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextA(dialog, request->title->c_str());
      const int dpi = WindowDpi(dialog);
      FitClientArea(dialog, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi), dpi);
      // The prompt is text, never a list of access keys.
      AddControl(dialog, "STATIC", request->prompt->c_str(), SS_LEFT | SS_NOPREFIX, 0, kPrompt,
                 kInputPromptId);
      // The field comes first, so that the dialog manager gives it the focus.
      // Made empty and then given its text, which may be longer than its limit (a settings
      // file may hold anything).
      HWND field = AddControl(dialog, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                              kField, kInputFieldId);
      if (!field) {
        request->failure = GetLastError();
        EndDialog(dialog, kNoField);
        return FALSE;
      }
      SendMessageA(field, EM_LIMITTEXT, kFieldLimit, 0);
      SetWindowTextA(field, request->defaultText->c_str());
      request->answer.shown = WindowText(field);
      DropLineBreaks(field);
      AddControl(dialog, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, kOk, IDOK);
      AddControl(dialog, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, kCancel, IDCANCEL);
      SetFocus(field);
      SendMessageA(field, EM_SETSEL, 0, -1);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        request->answer.text = WindowText(GetDlgItem(dialog, kInputFieldId));
        if (request->answer.text.size() > kLongestAnswer) {
          const std::string why = "This answer is " + std::to_string(request->answer.text.size()) +
                                  " characters long, but Windows' file functions take a path of "
                                  "at most " +
                                  std::to_string(kLongestAnswer) +
                                  ". Shorten it, or choose Cancel to keep the one you had.";
          MessageBoxA(dialog, why.c_str(), kApplicationName, MB_OK | MB_ICONWARNING);
          return TRUE;
        }
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

InputAnswer ShowInputBox(HWND owner, const std::string& prompt, const std::string& title,
                         const std::string& defaultText) {
  // A template with no controls of its own: they are made when the dialog starts. Its size is
  // set then too, in pixels.
  struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
  } box{};
  box.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  box.dialog.cx = 240;
  box.dialog.cy = 80;
  Request request{&prompt, &title, &defaultText, {}};
  const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &box.dialog, owner,
                                                 InputBoxProc, reinterpret_cast<LPARAM>(&request));
  if (result == kNoField || result == -1) {
    const DWORD failure = result == kNoField ? request.failure : GetLastError();
    const std::string why = "The box \"" + title + "\" could not be made (Windows error " +
                            std::to_string(failure) + "), so nothing was changed.";
    MessageBoxA(owner, why.c_str(), kApplicationName, MB_OK | MB_ICONWARNING);
  }
  if (result != IDOK) return {};
  return request.answer;
}

}  // namespace kovar

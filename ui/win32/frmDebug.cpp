// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The debug console's controls, showing what its behaviour tells them.
#include "frmDebug.h"

#include "Accessibility.h"
#include "Dpi.h"
#include "OwnedWindowProc.h"
#include "TextControls.h"

namespace kovar {

namespace {

constexpr char kWindowClass[] = "KovarLauncherDebug";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
// Posted to the window for the next turn of the message loop.
constexpr UINT kNextTurnMessage = WM_APP + 1;

}  // namespace

frmDebug::frmDebug(DebugBehaviour& behaviour) : behaviour_(behaviour) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = OwnedWindowProc<frmDebug>;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // The toolkit's default colours: a dialog's face.
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExA(&windowClass);

  // Made first and sized after: the scale is that of the monitor where Windows puts it.
  CreateWindowExA(0, kWindowClass, kDebugWindowFrame.caption, kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  dpi_ = WindowDpi(window_);
  FitClientArea(window_, Pixels(kDebugWindowFrame.clientWidth, dpi_),
                Pixels(kDebugWindowFrame.clientHeight, dpi_), dpi_);

  // Created in focus order, each below the ones before it: the dialog manager's Tab follows the
  // stacking, and the three do not overlap.
  for (std::size_t row : TabOrderOf(kDebugWindowControls).rows) {
    controls_[row] = MakeControl(static_cast<DebugControl>(row));
    SetWindowPos(controls_[row], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  DropLineBreaks(Control(DebugControl::txtMain));
  RECT client;
  GetClientRect(window_, &client);
  behaviour_.ControlsMade(*this);
  behaviour_.Form_Resize(client.right, client.bottom, dpi_);
}

frmDebug::~frmDebug() {
  if (window_) DestroyWindow(window_);
}

HWND frmDebug::MakeControl(DebugControl control) {
  const ControlDescription& row = Describe(control);
  const PixelsRect place = Pixels(row.place, dpi_);
  const char* windowClass = "BUTTON";
  DWORD style = WS_TABSTOP;
  DWORD exStyle = 0;
  if (row.kind == ControlKind::TextBox) {
    windowClass = "EDIT";
    style |= ES_AUTOHSCROLL;
    exStyle = WS_EX_CLIENTEDGE;
  } else if (row.kind == ControlKind::List) {
    windowClass = "LISTBOX";
    // The resize rule sets the list's height exactly.
    style |= WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
    exStyle = WS_EX_CLIENTEDGE;
  } else {
    // No default button: Enter in the text box runs nothing.
    style |= BS_PUSHBUTTON;
  }
  HWND made =
      CreateWindowExA(exStyle, windowClass, row.text, WS_CHILD | WS_VISIBLE | style, place.left,
                      place.top, place.width, place.height, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(DebugControlId(control))),
                      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(dpi_)), FALSE);
  DescribeForScreenReaders(made, row);
  return made;
}

void frmDebug::ShowWindow() {
  ::ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
}

void frmDebug::ShowLog(const std::vector<std::string>& log, std::size_t first) {
  // Appended as the last entries, neither selected nor scrolled to.
  HWND list = Control(DebugControl::listDebug);
  for (std::size_t entry = first; entry < log.size(); ++entry) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(log[entry].c_str()));
  }
}

void frmDebug::CallAtNextTurn() { PostMessageA(window_, kNextTurnMessage, 0, 0); }

void frmDebug::ClearLine() { SetWindowTextA(Control(DebugControl::txtMain), ""); }

void frmDebug::Place(DebugControl control, const PixelsRect& place) {
  MoveWindow(Control(control), place.left, place.top, place.width, place.height, TRUE);
}

LRESULT frmDebug::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == DebugControlId(DebugControl::cmdSend) && HIWORD(wParam) == BN_CLICKED) {
        // The line goes as typed: leading and trailing spaces included, possibly empty.
        behaviour_.cmdSend_Click(WindowText(Control(DebugControl::txtMain)));
      }
      return 0;
    case WM_SIZE:
      if (Control(DebugControl::listDebug)) {
        behaviour_.Form_Resize(LOWORD(lParam), HIWORD(lParam), dpi_);
      }
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the text box and the button at the new scale, and
      // the window where and as large as Windows suggests, which places the list.
      dpi_ = HIWORD(wParam);
      for (DebugControl control : {DebugControl::cmdSend, DebugControl::txtMain}) {
        const PixelsRect place = Pixels(Describe(control).place, dpi_);
        SetWindowPos(Control(control), nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      for (HWND control : controls_) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(dpi_)), TRUE);
      }
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case kNextTurnMessage:
      behaviour_.ShowPendingLog();
      return 0;
    case WM_CLOSE:
      // Closing the console hides it; the log stays and keeps growing.
      ::ShowWindow(window_, SW_HIDE);
      return 0;
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

}  // namespace kovar

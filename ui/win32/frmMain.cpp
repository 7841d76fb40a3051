// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window built by walking the window description's tables, and its menus, showing what
// its behaviour tells it and reporting the player's actions to it.
#include "frmMain.h"

#include <optional>
#include <utility>
#include <vector>

#include "Accessibility.h"
#include "Dpi.h"
#include "MainMenu.h"
#include "OwnedWindowProc.h"
#include "TextControls.h"

namespace kovar {

namespace {

constexpr char kWindowClass[] = "KovarLauncherMain";

// The control that a control number names; none for any other number.
std::optional<MainControl> ControlOfId(int id) {
  if (id < kFirstControlId || id >= ControlId(MainControl::Count)) return std::nullopt;
  return static_cast<MainControl>(id - kFirstControlId);
}
// The name of the icon in the program's resources.
constexpr char kIconName[] = "IDI_ICON1";
// The engine box's drop-down list shows this many entries before it scrolls.
constexpr int kEngineListRows = 8;

// What the window draws lies behind its panels.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HFONT CreateTitleFont(int dpi) {
  // Points to pixels, rounded; a negative height asks for the character height without leading.
  const int height = -static_cast<int>(kTitleFont.points * dpi / 72.0 + 0.5);
  return CreateFontA(height, 0, 0, 0, kTitleFont.weight, kTitleFont.italic ? TRUE : FALSE, FALSE,
                     FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, kTitleFont.face);
}

// A drop-down combo box is created with the height of its open list; its own height is the
// field's, set by FitEngineField.
int CreationHeight(const ControlDescription& row, const PixelsRect& place) {
  return row.kind == ControlKind::EngineBox ? place.height * (kEngineListRows + 1) : place.height;
}

// The engine box's field height is the selection field's item height plus its frame.
void FitEngineField(HWND combo, int height) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT now;
    GetWindowRect(combo, &now);
    const int off = height - (now.bottom - now.top);
    if (off == 0) break;
    const LRESULT item = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item + off);
  }
}

}  // namespace

frmMain::frmMain(MainBehaviour& behaviour) : behaviour_(behaviour) {
  endProgram_ = [this] {
    ShowWindow(window_, SW_HIDE);
    PostQuitMessage(0);
  };
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = OwnedWindowProc<frmMain>;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, kIconName);
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, kIconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = SolidBrush(kWindowBackground);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExA(&windowClass);

  // Made first and sized after: the scale is that of the monitor where Windows puts it.
  CreateWindowExA(0, kWindowClass, kMainWindowFrame.caption, kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, 0, 0, nullptr, CreateMainMenu(), instance, this);
  dpi_ = WindowDpi(window_);
  FitClientArea(window_, Pixels(kMainWindowFrame.clientWidth, dpi_),
                Pixels(kMainWindowFrame.clientHeight, dpi_), dpi_);
  BuildControls();
  behaviour_.Form_Load(*this);
}

frmMain::~frmMain() {
  if (window_) DestroyWindow(window_);
  if (titleFont_) DeleteObject(titleFont_);
}

LRESULT frmMain::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT drawn = 0; drawn_.Handle(window_, message, wParam, lParam, drawn)) return drawn;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ToColorRef(kFieldText));
      SetBkColor(dc, ToColorRef(kFieldBackground));
      return reinterpret_cast<LRESULT>(SolidBrush(kFieldBackground));
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the place Windows suggests, and the layout again.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ScaleTo(HIWORD(wParam));
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        // Told before the focus leaves, as the dialog manager keeps it.
        HWND focus = GetFocus();
        if (focus == window_ || IsChild(window_, focus)) focusBeforeDeactivation_ = focus;
        return 0;
      }
      if (HIWORD(wParam) == 0 && focusBeforeDeactivation_) {
        RestoreFocus();
        return 0;
      }
      return DefWindowProcA(window_, message, wParam, lParam);
    case WM_CLOSE:
      behaviour_.Form_Unload();
      return 0;
    case kCanUseMessage: {
      const auto control = ControlOfId(static_cast<int>(wParam));
      return control && (behaviour_.CanPress(*control) || behaviour_.CanEdit(*control))
                 ? kUsable
                 : kNotUsable;
    }
    case kDescribeEntryMessage: {
      const auto found = entryDescriptions_.find(static_cast<std::size_t>(lParam));
      const bool mapList =
          reinterpret_cast<HWND>(wParam) == ComboList(Control(MainControl::listMap));
      return mapList && found != entryDescriptions_.end()
                 ? reinterpret_cast<LRESULT>(&found->second)
                 : 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends with or without the program's consent: save while there is time, and
      // never wait on a box that nobody may be there to close.
      if (wParam && sessionEnded_) sessionEnded_();
      return 0;
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void frmMain::BuildControls() {
  titleFont_ = CreateTitleFont(dpi_);
  // Each panel's row comes before the controls it holds, so that it exists when they are made.
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const auto control = static_cast<MainControl>(row);
    const ControlDescription& description = kMainWindowControls[row];
    HWND container = description.container == Container::Window
                         ? window_
                         : Control(PanelOf(description.container));
    if (description.kind == ControlKind::Panel) {
      controls_[row] = drawn_.MakePanel(control, container, dpi_);
    } else if (IsDrawn(description.kind)) {
      drawn_.Add(control, container, dpi_, FontFor(description));
    } else {
      controls_[row] = MakeField(control, container);
    }
  }

  // Stacking: under the dialog manager, Tab follows the stacking order, so the fields that take
  // the focus go first, in focus order, then the panels. The fields overlap none of the rows they
  // pass, so every overlap keeps the table's order; siblings clip one another, so the one in
  // front is the one painted there. What a container draws lies behind all its windows, as every
  // window comes before the drawn controls in the table.
  for (std::size_t row : TabOrderOf(kMainWindowControls).rows) {
    if (controls_[row]) {
      SetWindowPos(controls_[row], HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

HWND frmMain::MakeField(MainControl control, HWND container) {
  switch (Describe(control).kind) {
    case ControlKind::MapBox:
    case ControlKind::EngineBox:
      return MakeComboBox(control, container);
    case ControlKind::TextBox:
      return MakeTextBox(control, container);
    default:
      return nullptr;
  }
}

HWND frmMain::MakeChild(MainControl control, HWND container, const char* windowClass, DWORD style,
                        DWORD exStyle) {
  const ControlDescription& row = Describe(control);
  const PixelsRect place = Pixels(row.place, dpi_);
  const DWORD visible = row.visible ? WS_VISIBLE : 0;
  const DWORD tabStop = row.focusOrder > 0 ? WS_TABSTOP : 0;
  // Without WS_CLIPSIBLINGS, overlapping siblings paint over one another in whatever order they
  // are painted.
  HWND made = CreateWindowExA(exStyle, windowClass, row.text,
                              WS_CHILD | WS_CLIPSIBLINGS | visible | tabStop | style, place.left,
                              place.top, place.width, CreationHeight(row, place), container,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))),
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row)), FALSE);
  if (*row.accessibleName || row.accessibleRole != AccessibleRole::Standard) {
    DescribeForScreenReaders(made, row);
  }
  return made;
}

HWND frmMain::MakeComboBox(MainControl control, HWND container) {
  const bool engines = Describe(control).kind == ControlKind::EngineBox;
  // The map box shows its list always; the engine box drops it down.
  const DWORD style = engines ? CBS_DROPDOWN : CBS_SIMPLE | CBS_NOINTEGRALHEIGHT;
  HWND box = MakeChild(control, container, "COMBOBOX", style | CBS_AUTOHSCROLL | WS_VSCROLL, 0);
  DropLineBreaks(ComboField(box));
  if (engines) FitEngineField(box, Pixels(Describe(control).place, dpi_).height);
  return box;
}

HWND frmMain::MakeTextBox(MainControl control, HWND container) {
  HWND field = MakeChild(control, container, "EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  DropLineBreaks(field);
  return field;
}

HFONT frmMain::FontFor(const ControlDescription& row) const {
  return row.titleFont ? titleFont_ : MessageFont(dpi_);
}

void frmMain::ScaleTo(int dpi) {
  dpi_ = dpi;
  HFONT oldTitleFont = std::exchange(titleFont_, CreateTitleFont(dpi_));
  for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
    const ControlDescription& description = kMainWindowControls[row];
    HWND control = controls_[row];
    const PixelsRect place = Pixels(description.place, dpi_);
    if (IsDrawn(description.kind)) {
      drawn_.Place(static_cast<MainControl>(row), dpi_, FontFor(description));
      continue;
    }
    SetWindowPos(control, nullptr, place.left, place.top, place.width,
                 CreationHeight(description, place), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(description)), FALSE);
    if (description.kind == ControlKind::EngineBox) FitEngineField(control, place.height);
  }
  DeleteObject(oldTitleFont);
  FitClientArea(window_, Pixels(kMainWindowFrame.clientWidth, dpi_),
                Pixels(kMainWindowFrame.clientHeight, dpi_), dpi_);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmMain::OnCommand(int id, int code) {
  if (id >= kFirstMenuId && id < MenuId(kMainMenu.size())) {
    behaviour_.MenuChosen(kMainMenu[static_cast<std::size_t>(id - kFirstMenuId)].command);
    return;
  }
  const std::optional<MainControl> found = ControlOfId(id);
  if (!found) return;
  const MainControl control = *found;
  HWND handle = Control(control);
  switch (code) {
    case CBN_EDITCHANGE:
    case EN_CHANGE:
      behaviour_.PlayerEdited(control, WindowText(handle));
      break;
    case CBN_SELCHANGE: {
      // The field does not show the entry yet when this is told.
      const LRESULT index = SendMessageA(handle, CB_GETCURSEL, 0, 0);
      if (index >= 0) behaviour_.PlayerChose(control, static_cast<std::size_t>(index));
      break;
    }
    case STN_CLICKED:
      behaviour_.ImageClicked(control);
      break;
    case kPressNotification:
      behaviour_.ControlPressed(control);
      break;
    default:
      break;
  }
}

void frmMain::Show() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  SetFocus(Control(MainControl::comboEXE));
}

void frmMain::SetProgramEnder(std::function<void()> end) { endProgram_ = std::move(end); }

std::string frmMain::SetText(MainControl control, const std::string& bytes) {
  HWND handle = Control(control);
  if (!handle) {
    drawn_.SetText(control, bytes);
    return drawn_.Text(control);
  }
  if (WindowText(handle) != bytes) SetWindowTextA(handle, bytes.c_str());
  return WindowText(handle);
}

void frmMain::SetList(MainControl control, const std::vector<std::string>& entries) {
  HWND combo = Control(control);
  std::size_t bytes = 0;
  for (const std::string& entry : entries) bytes += entry.size() + 1;
  // Filling the list selects nothing and leaves the field's text as it was.
  const std::string text = WindowText(combo);
  SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  SendMessageA(combo, CB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
  // The entries go straight to the combo box's own list box: the combo box would only pass each
  // one on, and with 10,000 maps that second message per entry costs a third of the filling.
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  // They go in while the list is not described for screen readers: under Wine that would cost a
  // round trip to the server per entry, a second for 10,000 maps.
  ForgetForScreenReaders(parts.hwndList);
  for (const std::string& entry : entries) {
    SendMessageA(parts.hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  DescribeForScreenReaders(parts.hwndList, Describe(control));
  if (control == MainControl::listMap) entryDescriptions_.clear();
  SetWindowTextA(combo, text.c_str());
  SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmMain::SetVisible(MainControl control, bool visible) {
  HWND handle = Control(control);
  const bool wasVisible = ShowWindow(handle, visible ? SW_SHOW : SW_HIDE) != 0;
  if (wasVisible != visible && Describe(control).kind == ControlKind::Panel) {
    TellPanelShown(handle, visible);
  }
}

bool frmMain::Active() const {
  HWND focus = GetFocus();
  return focus == window_ || IsChild(window_, focus);
}

MainControl frmMain::Focused() const {
  // The window may be inactive (a box open): then the focus it will restore.
  HWND focus = Active() ? GetFocus() : focusBeforeDeactivation_;
  for (MainControl control : {MainControl::comboEXE, MainControl::txtCpar, MainControl::listMap}) {
    if (focus && (focus == Control(control) || IsChild(Control(control), focus))) return control;
  }
  return MainControl::Count;
}

void frmMain::Focus(MainControl control) {
  HWND to = control == MainControl::Count ? window_ : Control(control);
  if (Active()) {
    SetFocus(to);
  } else {
    focusBeforeDeactivation_ = to;
  }
}

void frmMain::Announce(MainControl panel) { AnnouncePanel(Control(panel)); }

void frmMain::DescribeEntry(MainControl list, std::size_t entry, const std::string& bytes) {
  entryDescriptions_[entry] = bytes;
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, ComboList(Control(list)), OBJID_CLIENT,
                 static_cast<LONG>(entry + 1));
}

void frmMain::RestoreFocus() {
  HWND had = std::exchange(focusBeforeDeactivation_, nullptr);
  SetFocus(IsWindowVisible(had) && IsWindowEnabled(had) ? had : window_);
}

Result frmMain::ShowPicture(MainControl control, const Bitmap& bitmap) {
  Picture picture;
  if (Result loaded = picture.Load(bitmap); loaded.failed()) return loaded;
  drawn_.SetPicture(control, std::move(picture));
  return Result::Ok();
}

void frmMain::SetAccessibleName(MainControl control, const std::string& bytes) {
  drawn_.SetAccessibleName(control, bytes);
}

void frmMain::Beep() { MessageBeep(MB_OK); }

void frmMain::ShowMessage(const std::string& text) {
  MessageBoxA(window_, text.c_str(), kApplicationName, MB_OK);
}

void frmMain::End() {
  if (endProgram_) endProgram_();
}

}  // namespace kovar

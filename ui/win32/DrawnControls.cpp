// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawn controls: painted back to front by their container, clicked through it, and told to
// screen readers as its children.
#include "DrawnControls.h"

#include <map>
#include <utility>

namespace kovar {

namespace {

DrawnControls* OwnerOf(HWND panel) {
  return reinterpret_cast<DrawnControls*>(GetWindowLongPtrA(panel, GWLP_USERDATA));
}

// Notifications from a panel's children go to the panel, their immediate parent: the window
// that handles them is the panel's own parent.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(
          panel, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetParent(panel), message, wParam, lParam);
    default:
      if (DrawnControls* owner = OwnerOf(panel)) {
        LRESULT result = 0;
        if (owner->Handle(panel, message, wParam, lParam, result)) return result;
      }
      break;
  }
  return DefWindowProcA(panel, message, wParam, lParam);
}

void RegisterPanelClass() {
  static const bool registered = [] {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PanelProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    // The panels' background is the window's: on their black, only the controls show.
    windowClass.hbrBackground = SolidBrush(kWindowBackground);
    windowClass.lpszClassName = kPanelClass;
    return RegisterClassExA(&windowClass) != 0;
  }();
  (void)registered;
}

RECT ToRect(const PixelsRect& place, int width, int height) {
  return {place.left, place.top, place.left + width, place.top + height};
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The panel that a window is, if it is one.
std::optional<MainControl> PanelOfWindow(HWND window) {
  const int id = GetDlgCtrlID(window) - kFirstControlId;
  if (id < 0 || id >= static_cast<int>(MainControl::Count) ||
      Describe(static_cast<MainControl>(id)).kind != ControlKind::Panel) {
    return std::nullopt;
  }
  return static_cast<MainControl>(id);
}

// What a window holds, as the description's containers go.
Container HeldIn(HWND container) {
  const std::optional<MainControl> panel = PanelOfWindow(container);
  if (!panel) return Container::Window;
  return panel == PanelOf(Container::StartPanel) ? Container::StartPanel : Container::MainPanel;
}

constexpr std::array<ReadingOrder<kMainWindowControls.size()>, 3> kReading = {
    ReadingOrderOf(kMainWindowControls, Container::Window),
    ReadingOrderOf(kMainWindowControls, Container::MainPanel),
    ReadingOrderOf(kMainWindowControls, Container::StartPanel)};

}  // namespace

HBRUSH SolidBrush(Colour colour) {
  static std::map<Colour, HBRUSH> brushes;
  auto [found, added] = brushes.try_emplace(colour, nullptr);
  if (added) found->second = CreateSolidBrush(ToColorRef(colour));
  return found->second;
}

DrawnControls::DrawnControls() { RegisterPanelClass(); }

HWND DrawnControls::MakePanel(MainControl panel, HWND parent, int dpi) {
  const ControlDescription& row = Describe(panel);
  const PixelsRect place = Pixels(row.place, dpi);
  // The dialog manager walks into the panels to find the fields for Tab; the fields lie in front
  // of what the panel draws.
  return CreateWindowExA(
      WS_EX_CONTROLPARENT, kPanelClass, row.text,
      WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (row.visible ? WS_VISIBLE : 0), place.left,
      place.top, place.width, place.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(panel))), GetModuleHandleA(nullptr),
      this);
}

void DrawnControls::Add(MainControl control, HWND container, int dpi, HFONT font) {
  Drawn& drawn = Of(control);
  const ControlDescription& row = Describe(control);
  drawn.container = container;
  drawn.text = row.text;
  drawn.accessibleName = row.accessibleName;
  if (const char* name = ArtworkName(row.picture)) (void)drawn.picture.LoadResource(name);
  Place(control, dpi, font);
}

void DrawnControls::Place(MainControl control, int dpi, HFONT font) {
  Drawn& drawn = Of(control);
  drawn.box = Pixels(Describe(control).place, dpi);
  drawn.dpi = dpi;
  drawn.font = font;
  Resize(control);
}

void DrawnControls::Resize(MainControl control) {
  Drawn& drawn = Of(control);
  const RECT before = drawn.place;
  drawn.place = drawn.picture.Empty()
                    ? ToRect(drawn.box, drawn.box.width, drawn.box.height)
                    : ToRect(drawn.box, PicturePixels(drawn.picture.Width(), drawn.dpi),
                             PicturePixels(drawn.picture.Height(), drawn.dpi));
  InvalidateRect(drawn.container, &before, TRUE);
  InvalidateRect(drawn.container, &drawn.place, TRUE);
}

LONG DrawnControls::ChildId(MainControl control) const {
  HWND container = Of(control).container;
  for (int index = 0; index < Count(container); ++index) {
    if (Indexed(container, index) == control) return index + 1;
  }
  return CHILDID_SELF;
}

void DrawnControls::SetText(MainControl control, const std::string& text) {
  Drawn& drawn = Of(control);
  if (drawn.text == text) return;
  drawn.text = text;
  // A label paints no background: what it showed before is cleared by its container.
  InvalidateRect(drawn.container, &drawn.place, TRUE);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, drawn.container, OBJID_CLIENT, ChildId(control));
}

void DrawnControls::SetPicture(MainControl control, Picture picture) {
  Of(control).picture = std::move(picture);
  Resize(control);
}

void DrawnControls::SetAccessibleName(MainControl control, std::string name) {
  Drawn& drawn = Of(control);
  if (drawn.accessibleName == name) return;
  drawn.accessibleName = std::move(name);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, drawn.container, OBJID_CLIENT, ChildId(control));
}

bool DrawnControls::Handle(HWND container, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      Paint(container);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return OnMouse(container, message, lParam);
    case WM_CAPTURECHANGED:
      pressed_.reset();
      return true;
    case WM_GETOBJECT:
      result = AnswerGetObject(container, wParam, lParam, GetDlgCtrlID(container),
                               PanelOfWindow(container) ? PanelName(*PanelOfWindow(container)) : "",
                               AccessibleRole::Standard, this);
      return result != 0;
    default:
      return false;
  }
}

void DrawnControls::Paint(HWND container) const {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(container, &paint);
  // Back to front: a control listed first lies in front.
  for (std::size_t row = drawn_.size(); row-- > 0;) {
    const auto control = static_cast<MainControl>(row);
    RECT overlap;
    if (Of(control).container == container &&
        IntersectRect(&overlap, &Of(control).place, &paint.rcPaint)) {
      Draw(dc, control);
    }
  }
  EndPaint(container, &paint);
}

void DrawnControls::Draw(HDC dc, MainControl control) const {
  const Drawn& drawn = Of(control);
  const RECT& place = drawn.place;
  switch (Describe(control).kind) {
    case ControlKind::Line:
      FillRect(dc, &place, SolidBrush(kLineColour));
      break;
    case ControlKind::Label: {
      // As a static control draws its text: map texts come from map packs, so an "&" in them is
      // shown, never taken for an access key; only the description wraps; nothing behind the
      // text is covered.
      HGDIOBJ old = SelectObject(dc, drawn.font);
      SetTextColor(dc, ToColorRef(kLabelText));
      SetBkMode(dc, TRANSPARENT);
      RECT room = place;
      DrawTextA(dc, drawn.text.c_str(), -1, &room,
                DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX | (WrapsText(control) ? DT_WORDBREAK : 0));
      SelectObject(dc, old);
      break;
    }
    default:
      if (drawn.picture.Empty()) {
        FillRect(dc, &place, SolidBrush(kWindowBackground));
      } else {
        drawn.picture.Draw(dc, place.left, place.top, place.right - place.left,
                           place.bottom - place.top);
      }
      break;
  }
}

std::optional<MainControl> DrawnControls::FrontAt(HWND container, POINT point) const {
  for (std::size_t row = 0; row < drawn_.size(); ++row) {
    if (drawn_[row].container == container && PtInRect(&drawn_[row].place, point)) {
      return static_cast<MainControl>(row);
    }
  }
  return std::nullopt;
}

bool DrawnControls::OnMouse(HWND container, UINT message, LPARAM lParam) {
  const std::optional<MainControl> front = FrontAt(container, PointOf(lParam));
  if (message == WM_LBUTTONDOWN) {
    // A click is a press and a release on the same control, as with a button.
    if (front && Describe(*front).kind == ControlKind::ClickableImage) {
      SetCapture(container);
      pressed_ = front;
    }
    return true;
  }
  const std::optional<MainControl> pressed = std::exchange(pressed_, std::nullopt);
  if (GetCapture() == container) ReleaseCapture();
  if (pressed && pressed == front) {
    SendMessageA(GetAncestor(container, GA_ROOT), WM_COMMAND,
                 MAKEWPARAM(ControlId(*pressed), STN_CLICKED), 0);
  }
  return true;
}

HWND DrawnControls::WindowOf(HWND container, MainControl control) {
  return IsDrawn(Describe(control).kind) ? nullptr : GetDlgItem(container, ControlId(control));
}

std::optional<MainControl> DrawnControls::Indexed(HWND container, int index) const {
  const auto& reading = kReading[static_cast<std::size_t>(HeldIn(container))];
  for (std::size_t i = 0; i < reading.count; ++i) {
    const auto control = static_cast<MainControl>(reading.rows[i]);
    // A hidden panel, with all it holds, is read only once it is shown.
    HWND window = WindowOf(container, control);
    if (window && Describe(control).kind == ControlKind::Panel && !IsWindowVisible(window)) {
      continue;
    }
    if (index-- == 0) return control;
  }
  return std::nullopt;
}

int DrawnControls::Count(HWND container) const {
  int count = 0;
  while (Indexed(container, count)) ++count;
  return count;
}

DrawnChild DrawnControls::Child(HWND container, int index) const {
  const std::optional<MainControl> control = Indexed(container, index);
  if (!control) return {};
  if (HWND window = WindowOf(container, *control)) {
    return {window, ControlId(*control), {}, AccessibleRole::Standard, false, {}};
  }
  const Drawn& drawn = Of(*control);
  const ControlDescription& row = Describe(*control);
  DrawnChild child{nullptr,
                   ControlId(*control),
                   row.kind == ControlKind::Label ? drawn.text : drawn.accessibleName,
                   row.accessibleRole,
                   row.kind == ControlKind::Label,
                   drawn.place};
  MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&child.place), 2);
  return child;
}

int DrawnControls::At(HWND container, POINT screen) const {
  ScreenToClient(container, &screen);
  // Decoration is not read: what lies behind it is found.
  for (std::size_t row = 0; row < drawn_.size(); ++row) {
    const auto control = static_cast<MainControl>(row);
    if (drawn_[row].container != container || !PtInRect(&drawn_[row].place, screen) ||
        Describe(control).accessibleRole == AccessibleRole::Decoration) {
      continue;
    }
    for (int index = 0; index < Count(container); ++index) {
      if (Indexed(container, index) == control) return index;
    }
  }
  return -1;
}

}  // namespace kovar

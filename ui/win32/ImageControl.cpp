// The launcher's own window classes.
#include "ImageControl.h"

#include <map>
#include <string>
#include <utility>

#include "Accessibility.h"

namespace kovar {

namespace {

struct ImageState {
  Picture picture;
  PixelsRect place;
  int dpi = kStandardDpi;
  bool clickable = false;
  bool pressed = false;
  std::string accessibleName;
  AccessibleRole accessibleRole = AccessibleRole::Graphic;
};

ImageState* StateOf(HWND image) {
  return reinterpret_cast<ImageState*>(GetWindowLongPtrA(image, GWLP_USERDATA));
}

// Notifications from a panel's children go to the panel, their immediate parent: the window
// that handles them is the panel's own parent.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetParent(panel), message, wParam, lParam);
    default:
      return DefWindowProcA(panel, message, wParam, lParam);
  }
}

void PaintImage(HWND image, const ImageState* state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(image, &paint);
  if (state && !state->picture.Empty()) {
    RECT client;
    GetClientRect(image, &client);
    state->picture.Draw(dc, 0, 0, client.right, client.bottom);
  } else {
    FillRect(dc, &paint.rcPaint, SolidBrush(kWindowBackground));
  }
  EndPaint(image, &paint);
}

// The button released, `lParam` where: a click is a press and a release on the image, as with a
// button.
void Release(HWND image, ImageState* state, LPARAM lParam) {
  state->pressed = false;
  ReleaseCapture();
  RECT client;
  GetClientRect(image, &client);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (PtInRect(&client, at)) {
    SendMessageA(GetParent(image), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(image), STN_CLICKED),
                 reinterpret_cast<LPARAM>(image));
  }
}

LRESULT CALLBACK ImageProc(HWND image, UINT message, WPARAM wParam, LPARAM lParam) {
  ImageState* state = StateOf(image);
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      auto* made = new ImageState;
      made->clickable = create->lpCreateParams != nullptr;
      SetWindowLongPtrA(image, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
      break;
    }
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(image, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintImage(image, state);
      return 0;
    case WM_LBUTTONDOWN:
      if (state && state->clickable) {
        state->pressed = true;
        SetCapture(image);
      }
      return 0;
    case WM_LBUTTONUP:
      if (state && state->pressed) Release(image, state, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (state) state->pressed = false;
      return 0;
    case WM_GETOBJECT:
      if (state) {
        const LRESULT object =
            AnswerGetObject(image, wParam, lParam, state->accessibleName, state->accessibleRole);
        if (object) return object;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(image, message, wParam, lParam);
}

void Register(const char* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}

}  // namespace

HBRUSH SolidBrush(Colour colour) {
  static std::map<Colour, HBRUSH> brushes;
  auto [found, added] = brushes.try_emplace(colour, nullptr);
  if (added) found->second = CreateSolidBrush(ToColorRef(colour));
  return found->second;
}

void RegisterControlClasses() {
  static const bool registered = [] {
    // The panels' background is the window's: on their black, only the controls show.
    Register(kPanelClass, PanelProc, SolidBrush(kWindowBackground));
    Register(kLineClass, DefWindowProcA, SolidBrush(kLineColour));
    Register(kImageClass, ImageProc, nullptr);
    return true;
  }();
  (void)registered;
}

HWND CreateImage(HWND parent, int id, const PixelsRect& place, bool clickable) {
  RegisterControlClasses();
  // The creation parameter tells the new image whether it is clickable.
  // Siblings clip one another: where images overlap, the one in front is the one painted.
  return CreateWindowExA(0, kImageClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, place.left,
                         place.top, place.width, place.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), clickable ? parent : nullptr);
}

namespace {

// Gives the image the size of its picture at its scale, or of its place without one.
void Resize(HWND image, const ImageState& state) {
  const PixelsRect& place = state.place;
  const bool empty = state.picture.Empty();
  const int width = empty ? place.width : PicturePixels(state.picture.Width(), state.dpi);
  const int height = empty ? place.height : PicturePixels(state.picture.Height(), state.dpi);
  // What the old picture covered is drawn again, and so is what lies in front of the new one
  // (a label draws over it, after it).
  auto PlaceInParent = [image] {
    RECT rect;
    GetWindowRect(image, &rect);
    MapWindowPoints(nullptr, GetParent(image), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  const RECT before = PlaceInParent();
  SetWindowPos(image, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT changed = PlaceInParent();
  UnionRect(&changed, &changed, &before);
  RedrawWindow(GetParent(image), &changed, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

void SetImagePicture(HWND image, Picture picture) {
  ImageState* state = StateOf(image);
  if (!state) return;
  state->picture = std::move(picture);
  Resize(image, *state);
}

void PlaceImage(HWND image, const PixelsRect& place, int dpi) {
  ImageState* state = StateOf(image);
  if (!state) return;
  state->place = place;
  state->dpi = dpi;
  Resize(image, *state);
}

void DescribeImage(HWND image, std::string name, AccessibleRole role) {
  ImageState* state = StateOf(image);
  if (!state) return;
  const bool renamed = state->accessibleName != name;
  state->accessibleName = std::move(name);
  state->accessibleRole = role;
  if (renamed) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, image, OBJID_CLIENT, CHILDID_SELF);
}

const Picture& ImagePicture(HWND image) {
  static const Picture none;
  ImageState* state = StateOf(image);
  return state ? state->picture : none;
}

}  // namespace kovar

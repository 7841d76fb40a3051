// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls that only show and take clicks (the images, the labels and the line):
// drawn by the window or panel that holds them rather than made windows of their own, which under
// Wine cost a round trip to the server each to make and to show. A panel is the one window class
// Windows lacks for them.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "Accessibility.h"
#include "Picture.h"
#include "WindowDescription.h"

namespace kovar {

// Control numbers: a row's number in the control table, from this. None is 1 or 2 (IDOK and
// IDCANCEL), which Enter and Escape would trigger.
inline constexpr int kFirstControlId = 1000;

constexpr int ControlId(MainControl control) { return kFirstControlId + static_cast<int>(control); }

// Windows' COLORREF for a colour given as 0xRRGGBB.
constexpr COLORREF ToColorRef(Colour colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// A brush of a colour, made once and kept for the program's life.
HBRUSH SolidBrush(Colour colour);

inline constexpr char kPanelClass[] = "KovarPanel";

// Whether the window draws `kind` itself.
constexpr bool IsDrawn(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Picture ||
         kind == ControlKind::ClickableImage || kind == ControlKind::Line;
}

class DrawnControls final : public DrawnChildren {
 public:
  DrawnControls();
  DrawnControls(const DrawnControls&) = delete;
  DrawnControls& operator=(const DrawnControls&) = delete;

  // A panel in `parent` whose drawn controls are these; it hands its windows' notifications on.
  HWND MakePanel(MainControl panel, HWND parent, int dpi);
  // Makes `control` one of `container`'s, with its row's text or artwork, laid out for `dpi`.
  void Add(MainControl control, HWND container, int dpi, HFONT font);
  // Lays the control out again for `dpi`, its text in `font`.
  void Place(MainControl control, int dpi, HFONT font);

  HWND ContainerOf(MainControl control) const { return Of(control).container; }
  // Its box in its container's client area: an image's is its picture's size at its scale.
  RECT PlaceOf(MainControl control) const { return Of(control).place; }
  const std::string& Text(MainControl control) const { return Of(control).text; }
  HFONT FontOf(MainControl control) const { return Of(control).font; }
  const Picture& PictureOf(MainControl control) const { return Of(control).picture; }
  // What a screen reader reaches the control by in its container's client object; none for
  // decoration, which it does not read.
  LONG ChildId(MainControl control) const;

  void SetText(MainControl control, const std::string& text);
  void SetPicture(MainControl control, Picture picture);
  void SetAccessibleName(MainControl control, std::string name);

  // A container's painting, clicks and screen reader object; false for the messages it leaves.
  bool Handle(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // DrawnChildren
  int Count(HWND container) const override;
  DrawnChild Child(HWND container, int index) const override;
  int At(HWND container, POINT screen) const override;

 private:
  struct Drawn {
    HWND container = nullptr;
    RECT place{};
    PixelsRect box{};
    int dpi = kStandardDpi;
    HFONT font = nullptr;
    std::string text;
    Picture picture;
    std::string accessibleName;
  };
  const Drawn& Of(MainControl control) const { return drawn_[static_cast<std::size_t>(control)]; }
  Drawn& Of(MainControl control) { return drawn_[static_cast<std::size_t>(control)]; }
  // The control in front at `point` of `container`'s client area.
  std::optional<MainControl> FrontAt(HWND container, POINT point) const;
  // The control that is the container's `index`th, in the order it is read.
  std::optional<MainControl> Indexed(HWND container, int index) const;
  // The window of a control that is one; none for a drawn control.
  static HWND WindowOf(HWND container, MainControl control);
  // Gives an image its picture's size, drawing again what it covered and covers.
  void Resize(MainControl control);
  void Paint(HWND container) const;
  void Draw(HDC dc, MainControl control) const;
  bool OnMouse(HWND container, UINT message, LPARAM lParam);

  std::array<Drawn, static_cast<std::size_t>(MainControl::Count)> drawn_{};
  // The clickable image that the button went down on, until it comes up.
  std::optional<MainControl> pressed_;
};

}  // namespace kovar

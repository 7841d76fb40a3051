// Which control of the main window the player sees at a pixel, worked out from the window
// description's stacking rule alone: within one container, an earlier row lies in front of a
// later one. Both skins' pixel tests compare their windows against this.
#pragma once

#include <optional>

#include "WindowDescription.h"

namespace kovar::test {

// A control's rectangle in the client area's pixels. The preview takes the picture's size when
// it has one (`previewWidth` > 0).
inline PixelsRect PlaceInClient(MainControl control, int previewWidth = 0, int previewHeight = 0) {
  const ControlDescription& row = Describe(control);
  PixelsRect place = Pixels(row.place);
  if (control == MainControl::imgLevel && previewWidth > 0) {
    place.width = previewWidth;
    place.height = previewHeight;
  }
  if (row.container != Container::Window) {
    const PixelsRect panel = Pixels(Describe(PanelOf(row.container)).place);
    place.left += panel.left;
    place.top += panel.top;
  }
  return place;
}

inline bool Contains(const PixelsRect& rect, int x, int y) {
  return x >= rect.left && y >= rect.top && x < rect.left + rect.width &&
         y < rect.top + rect.height;
}

// The front-most control at (x, y) of the client area, with `panels` showing; none where only
// the window's background shows.
inline std::optional<MainControl> FrontRowAt(int x, int y, PanelVisibility panels,
                                             int previewWidth = 0, int previewHeight = 0) {
  auto shown = [panels](MainControl control) {
    if (control == MainControl::picMain) return panels.mainPanel;
    if (control == MainControl::picSP) return panels.startPanel;
    return Describe(control).visible;
  };
  auto front = [&](Container container) -> std::optional<MainControl> {
    for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
      const auto control = static_cast<MainControl>(row);
      if (kMainWindowControls[row].container != container || !shown(control)) continue;
      if (Contains(PlaceInClient(control, previewWidth, previewHeight), x, y)) return control;
    }
    return std::nullopt;
  };
  const std::optional<MainControl> top = front(Container::Window);
  if (top == MainControl::picMain || top == MainControl::picSP) {
    const std::optional<MainControl> inside =
        front(top == MainControl::picMain ? Container::MainPanel : Container::StartPanel);
    if (inside) return inside;
  }
  return top;
}

}  // namespace kovar::test

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which control of the main window the player sees at a pixel, worked out from the window
// description's stacking rule alone: within one container, an earlier row lies in front of a
// later one. Both skins' pixel tests compare their windows against this.
#pragma once

#include <cstdint>
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

// What a pixel test of the main window found, with the main panel showing and a preview of the
// given size: how many pixels of the images in front were compared and how many differed from
// the image's own bitmap, how many of them lie where an earlier row covers the logo, and how many
// white (text) pixels the description shows over the preview.
struct PaintCheck {
  int compared = 0;
  int wrong = 0;
  int tileOverLogo = 0;
  int mainOverLogo = 0;
  int textOverPreview = 0;
};

// `shown(x, y)` is the client area's pixel and `bitmap(artwork, x, y)` the artwork's, as
// 0xRRGGBB.
template <typename Shown, typename Bitmap>
PaintCheck CheckPaint(Shown shown, Bitmap bitmap, int previewWidth, int previewHeight) {
  PaintCheck check;
  const PixelsRect client =
      Pixels(TwipsRect{0, 0, kMainWindowFrame.clientWidth, kMainWindowFrame.clientHeight});
  const PixelsRect logo = PlaceInClient(MainControl::imgLogo1);
  const PixelsRect preview = PlaceInClient(MainControl::imgLevel, previewWidth, previewHeight);
  for (int y = 0; y < client.height; ++y) {
    for (int x = 0; x < client.width; ++x) {
      const std::optional<MainControl> front =
          FrontRowAt(x, y, {true, false}, previewWidth, previewHeight);
      if (!front) continue;
      const std::uint32_t pixel = shown(x, y);
      if (front == MainControl::lblMapDes && Contains(preview, x, y) && pixel == 0xFFFFFF) {
        ++check.textOverPreview;
      }
      const Artwork artwork = Describe(*front).picture;
      if (artwork == Artwork::None) continue;
      const PixelsRect place = PlaceInClient(*front);
      ++check.compared;
      if (Contains(logo, x, y)) {
        check.tileOverLogo += front == MainControl::imgTile1;
        check.mainOverLogo += front == MainControl::imgMain;
      }
      if (pixel != bitmap(artwork, x - place.left, y - place.top)) ++check.wrong;
    }
  }
  return check;
}

// The counts of a window that paints what the table puts in front: the logo band, the four
// navigation images less imgMain's rows over the logo, tile and navigation image over the logo.
inline constexpr int kFrontPixels = 399 * 64 + 4 * 120 * 32 - 8 * 120;
inline constexpr int kTileOverLogo = 8 * 64;
inline constexpr int kMainOverLogo = 8 * 120;

}  // namespace kovar::test

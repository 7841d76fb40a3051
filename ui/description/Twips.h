// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows are laid out in twips; this is the one conversion to pixels, the same for every
// window and every skin: 1,440 twips to the inch at the screen's dots per inch (15 twips a pixel
// at 96, the standard scale).
#pragma once

#include <algorithm>

namespace kovar {

inline constexpr int kTwipsPerInch = 1440;
// The dots per inch of a screen at 100 % scale, where the window's pictures show pixel for pixel.
inline constexpr int kStandardDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kStandardDpi;

// A place and size in twips, from the top-left corner of the container's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  constexpr bool operator==(const TwipsRect&) const = default;
};

// The same in pixels.
struct PixelsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  constexpr bool operator==(const PixelsRect&) const = default;
};

// Whole pixels, rounded down.
constexpr int Pixels(int twips, int dpi = kStandardDpi) { return twips * dpi / kTwipsPerInch; }

// A rectangle in pixels. Its edges are converted, not its size, so that controls that meet in
// twips meet in pixels at every scale. A line is 0 twips high and is still as thick as a pixel
// at the standard scale.
constexpr PixelsRect Pixels(const TwipsRect& twips, int dpi = kStandardDpi) {
  const int left = Pixels(twips.left, dpi);
  const int top = Pixels(twips.top, dpi);
  return {left, top, Pixels(twips.left + twips.width, dpi) - left,
          std::max(Pixels(kTwipsPerPixel, dpi), Pixels(twips.top + twips.height, dpi) - top)};
}

// The size in pixels at which a picture of `pixels` shows: its pixels are 15 twips each.
constexpr int PicturePixels(int pixels, int dpi) { return Pixels(pixels * kTwipsPerPixel, dpi); }

}  // namespace kovar

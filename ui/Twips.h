// The windows are laid out in twips; this is the one conversion to pixels (15 twips a pixel).
#pragma once

#include <algorithm>

#include <QRect>

namespace kovar {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

// A rectangle given in twips, in pixels. A line is 0 twips high and still paints a pixel.
inline QRect PixelRect(int left, int top, int width, int height) {
  return QRect(Pixels(left), Pixels(top), Pixels(width), std::max(1, Pixels(height)));
}

}  // namespace kovar

// The windows are laid out in twips; this is the one conversion to pixels (15 twips a pixel), the
// same for every window and every skin.
#pragma once

#include <algorithm>

namespace kovar {

inline constexpr int kTwipsPerPixel = 15;

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

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

// A rectangle in pixels. A line is 0 twips high and still paints a pixel.
constexpr PixelsRect Pixels(const TwipsRect& twips) {
  return {Pixels(twips.left), Pixels(twips.top), Pixels(twips.width),
          std::max(1, Pixels(twips.height))};
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A decoded picture as a 32-bit DIB section, ready to be copied to the screen: the map preview
// from the launcher state, and the window's own pictures decoded by the core from the program's
// resources. No BMP file reaches GDI.
#pragma once

#include <windows.h>

#include <string>

#include "BmpDecoder.h"

namespace kovar {

class Picture {
 public:
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  ~Picture();

  // Copies the decoded `picture` into a DIB (an empty one leaves this picture empty); a failure
  // says why Windows could not.
  Result Load(const Bitmap& picture);
  // The same for a picture linked into the program (an RCDATA resource holding a BMP file, named
  // as in the window description).
  Result LoadResource(const char* name);

  bool Empty() const { return bitmap_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the picture, unscaled, with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const { Draw(dc, x, y, width_, height_); }
  // The same, scaled to `width` x `height`: each pixel a sharp block where the size is a whole
  // multiple of the picture's, smoothed otherwise.
  void Draw(HDC dc, int x, int y, int width, int height) const;

 private:
  HBITMAP bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kovar

// A picture drawn once from the bytes of a BMP file into a bitmap of the screen's format, so that
// every BMP that Windows can draw shows, run-length encoded ones included.
#pragma once

#include <windows.h>

#include <string>

namespace kovar::win32 {

class Picture {
 public:
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  ~Picture();

  // Draws the BMP file `bytes`. Returns empty text on success, otherwise why Windows could not.
  std::string Load(const std::string& bytes);
  // The same for a picture linked into the program (an RCDATA resource holding a BMP file).
  std::string LoadResource(int id);

  bool Empty() const { return bitmap_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the picture, unscaled, with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const;

 private:
  HBITMAP bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kovar::win32

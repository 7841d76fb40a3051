// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Decoded pixels into a 32-bit DIB section, once, so that painting is a plain copy.
#include "Picture.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace kovar {

Picture::Picture(Picture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

Picture::~Picture() {
  if (bitmap_) DeleteObject(bitmap_);
}

Result Picture::Load(const Bitmap& picture) {
  *this = Picture();
  if (picture.Empty()) return Result::Ok();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // the top row first, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return Result::Failure(FailureKind::System, "Windows has no memory left to draw it");
  }
  std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof picture.pixels[0]);
  bitmap_ = bitmap;
  width_ = picture.width;
  height_ = picture.height;
  return Result::Ok();
}

Result Picture::LoadResource(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, RT_RCDATA);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data)
    return Result::Failure(FailureKind::NotFound,
                           "the program holds no picture named " + std::string(name));
  const Expected<Bitmap> decoded =
      DecodeBmp(std::string_view(static_cast<const char*>(data), SizeofResource(module, found)));
  if (decoded.failed()) return decoded.failure();
  return Load(decoded.value());
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
  if (!bitmap_) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap_);
  if (width == width_ && height == height_) {
    BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
  } else {
    const bool whole = width % width_ == 0 && height % height_ == 0;
    const int mode = SetStretchBltMode(dc, whole ? COLORONCOLOR : HALFTONE);
    // Halftone needs the brush origin set again after the mode.
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, x, y, width, height, memory, 0, 0, width_, height_, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace kovar

// Decoding a BMP file with GDI: the header tells the size and where the pixels lie, and
// StretchDIBits, unlike a DIB section, takes every compression a BMP file may use.
#include "Picture.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace kovar::win32 {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t ReadU32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

std::uint16_t ReadU16(const std::string& bytes, std::size_t at) {
  std::uint16_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

}  // namespace

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

std::string Picture::Load(const std::string& bytes) {
  *this = Picture();
  if (bytes.size() < kFileHeaderSize + 12 || bytes.compare(0, 2, "BM") != 0) {
    return "it is not a BMP picture";
  }
  const std::uint32_t bitsOffset = ReadU32(bytes, 10);
  const std::uint32_t headerSize = ReadU32(bytes, kFileHeaderSize);
  if (bitsOffset >= bytes.size() || headerSize > bytes.size() - kFileHeaderSize) {
    return "its header is cut short";
  }
  long width = 0;
  long height = 0;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    width = ReadU16(bytes, kFileHeaderSize + 4);
    height = ReadU16(bytes, kFileHeaderSize + 6);
  } else if (headerSize >= sizeof(BITMAPINFOHEADER)) {
    width = static_cast<std::int32_t>(ReadU32(bytes, kFileHeaderSize + 4));
    height = std::labs(static_cast<std::int32_t>(ReadU32(bytes, kFileHeaderSize + 8)));
  } else {
    return "its header is of an unknown kind";
  }
  if (width <= 0 || height <= 0) return "it has no pixels";

  // The info header and its colour table are copied to memory of their own: inside the file they
  // lie 2 bytes off the alignment that GDI expects.
  const std::string info = bytes.substr(kFileHeaderSize, bitsOffset - kFileHeaderSize);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap =
      CreateCompatibleBitmap(screen, static_cast<int>(width), static_cast<int>(height));
  ReleaseDC(nullptr, screen);
  if (!memory || !bitmap) {
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    return "Windows has no memory left to draw it";
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  const int lines =
      StretchDIBits(memory, 0, 0, static_cast<int>(width), static_cast<int>(height), 0, 0,
                    static_cast<int>(width), static_cast<int>(height), bytes.data() + bitsOffset,
                    reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) {
    DeleteObject(bitmap);
    return "Windows could not draw it";
  }
  bitmap_ = bitmap;
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  return {};
}

std::string Picture::LoadResource(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return "the program holds no picture number " + std::to_string(id);
  return Load(std::string(static_cast<const char*>(data), SizeofResource(module, found)));
}

void Picture::Draw(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap_);
  BitBlt(dc, x, y, width_, height_, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace kovar::win32

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes BMP pictures, from map packs and the window's own artwork alike, into opaque 32-bit
// pixels, reading nothing outside the file: the one place a BMP is parsed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Result.h"

namespace kovar {

inline constexpr std::size_t kMaxPreviewBytes = 16 * 1024 * 1024;
inline constexpr long kMaxPreviewSide = 4096;
// The most of a preview the main window can ever show: its client area, in pixels. A preview is
// drawn unscaled from its top left corner and the window cuts it, so nothing beyond is decoded.
inline constexpr int kPreviewShownWidth = 399;
inline constexpr int kPreviewShownHeight = 291;

// A decoded picture: `width` x `height` pixels, the top row first, each 0xFFRRGGBB. In memory
// that is the byte order B, G, R, 255 which Qt's RGB32 images and Windows' 32-bit DIBs share.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool Empty() const { return pixels.empty(); }
  bool operator==(const Bitmap&) const = default;
};

// The start of a BMP file that holds all its headers and colour masks (not its palette).
inline constexpr std::size_t kBmpHeaderBytes = 14 + 124;

// What DecodeBmp would refuse of a file of `size` bytes, told from its first kBmpHeaderBytes bytes
// `head` (all of them for a shorter file) without its pixels: the same reasons, in the same order.
Result CheckBmpHeader(std::string_view head, std::uint64_t size);

// Decodes `bytes`, a BMP of at most 4096 x 4096 pixels and under 16 MiB: its top left part of at
// most `maxWidth` x `maxHeight` pixels, the whole picture by default; otherwise says why the
// picture is refused. A run-length stream that ends early is drawn as far as it goes; pixels it
// never reaches are black.
Expected<Bitmap> DecodeBmp(std::string_view bytes, int maxWidth = kMaxPreviewSide,
                           int maxHeight = kMaxPreviewSide);

}  // namespace kovar

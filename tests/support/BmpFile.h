// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// BMP files for tests and benchmarks, written field by field, so that a test can make a sound
// picture or one that is wrong in exactly one field. Standard library only: the Windows
// benchmarks use it too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kovar::test {

// Writes `value` into `bytes` bytes of `bmp` at `at`, least significant byte first, as BMP does.
inline void PutLittleEndian(std::string& bmp, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A table of 4-byte colours (0xRRGGBB) or masks.
inline std::string ColourTable(const std::vector<std::uint32_t>& entries) {
  std::string table(4 * entries.size(), '\0');
  for (std::size_t i = 0; i < entries.size(); ++i) PutLittleEndian(table, 4 * i, entries[i], 4);
  return table;
}

// What a BMP file with a 40-byte info header says; `offset` 0 puts the pixels right after the
// table.
struct BmpFields {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t used = 0;
  std::string table{};
  std::string pixels{};
  std::uint32_t offset = 0;
  std::uint32_t imageSize = 0;
};

// The file: the headers, then the table, then the pixels.
inline std::string BmpFile(const BmpFields& s) {
  std::string bmp = "BM" + std::string(52, '\0') + s.table + s.pixels;
  const auto put = [&bmp](std::size_t at, auto value) {
    PutLittleEndian(bmp, at, static_cast<std::uint32_t>(value), 4);
  };
  put(2, bmp.size());
  put(10, s.offset ? s.offset : 54 + s.table.size());
  put(14, 40);
  put(18, s.width);
  put(22, s.height);
  put(26, 1 | s.bits << 16);  // one plane
  put(30, s.compression);
  put(34, s.imageSize);
  put(46, s.used);
  return bmp;
}

// A sound 24-bit BMP of the given size, all black.
inline std::string MakeBmp(int width, int height) {
  const int stride = (width * 3 + 3) / 4 * 4;
  return BmpFile({.width = width,
                  .height = height,
                  .pixels = std::string(static_cast<std::size_t>(stride * height), '\0')});
}

}  // namespace kovar::test

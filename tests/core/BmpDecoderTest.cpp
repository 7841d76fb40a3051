// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP decoder on the pictures that try to make it read outside the file, and on run-length
// streams, whose pixels Qt's reader (the comparison over the saved corpus) does not settle.
#include <gtest/gtest.h>

#include <vector>

#include "BmpDecoder.h"
#include "BmpFile.h"

namespace kovar::test {
namespace {

using Pixels = std::vector<std::uint32_t>;

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0x000000, Grey = 0x808080;

struct Case {
  const char* name;
  std::string bytes;
  Pixels pixels;  // 0xRRGGBB, top row first; none for a refused picture
  FailureKind refusal = FailureKind::Malformed;
};

// Decodes from a buffer of exactly the file's size, so that a sanitizer sees any read past it.
void ExpectDecoded(const Case& c, int width, int height) {
  SCOPED_TRACE(c.name);
  const std::vector<char> file(c.bytes.begin(), c.bytes.end());
  const Expected<Bitmap> decoded = DecodeBmp(std::string_view(file.data(), file.size()));
  if (c.pixels.empty()) {
    ASSERT_TRUE(decoded.failed());
    EXPECT_EQ(decoded.failure().kind(), c.refusal) << decoded.reason();
    return;
  }
  ASSERT_TRUE(decoded.ok()) << decoded.reason();
  const Bitmap& picture = decoded.value();
  Pixels opaque;
  for (std::uint32_t colour : c.pixels) opaque.push_back(0xFF000000u | colour);
  EXPECT_EQ(std::pair(picture.width, picture.height), std::pair(width, height));
  EXPECT_EQ(picture.pixels, opaque);
}

// clang-format off
TEST(DecodeBmp, HostileHeadersAreRefusedOrReadWithinTheFile) {
  // A full 8-bit table read from where the one pixel, index 2, starts.
  std::string overlapping = BmpFile({.bits = 8, .offset = 54});
  overlapping.resize(54 + 1024, '\x02');
  // Masks that are also the first pixel's bytes: red is its low byte.
  const std::string masksAsPixels =
      BmpFile({.bits = 32, .compression = 3, .table = ColourTable({0xFF, 0xFF00, 0xFF0000}), .offset = 54});
  const std::string pixel{"\3\2\1\0", 4};
  for (const Case& c : {
           Case{"a colour table past the pixel offset", overlapping, {0x020202}},
           Case{"that table cut off by the end of the file",
                overlapping.substr(0, overlapping.size() - 1), {}, FailureKind::Malformed},
           Case{"masks past the pixel offset", masksAsPixels, {R}},
           Case{"masks cut off by the end of the file", masksAsPixels.substr(0, 65), {},
                FailureKind::Malformed},
           Case{"65536 colours for 24 bits, no table", BmpFile({.used = 65536, .pixels = pixel}),
                {0x010203}},
           Case{"a table above 65536 colours", BmpFile({.used = 65537, .pixels = pixel}), {},
                FailureKind::TooLarge},
           Case{"the pixels inside the header", BmpFile({.pixels = pixel, .offset = 40}), {},
                FailureKind::Malformed},
       }) {
    ExpectDecoded(c, 1, 1);
  }
}

TEST(DecodeBmp, RunLengthsAreDrawnAsFarAsTheFileGoesAndTheRestIsBlack) {
  const auto rle8 = [](std::string stream, std::uint32_t imageSize = 0) {
    // Colour 0 is grey, so that a pixel left black is told apart from one of colour 0.
    return BmpFile({.width = 4, .height = 3, .bits = 8, .compression = 1, .used = 4,
                  .table = ColourTable({Grey, R, G, B}), .pixels = std::move(stream),
                  .imageSize = imageSize});
  };
  for (const Case& c : {
           Case{"a run, a clipped literal run, end of line, a move, end of picture",
                rle8({"\x02\x01\0\x05\x02\x03\x02\x01\x01\0\0\0\0\x02\x01\x01\x01\x03\0\x01"
                      "\x04\x01", 22}),
                {K, B, K, K, K, K, K, K, R, R, G, B}},
           Case{"a run past the row's end does not wrap", rle8("\x06\x01"),
                {K, K, K, K, K, K, K, K, R, R, R, R}},
           Case{"an image size beyond the file", rle8("\x02\x01", 1 << 20),
                {K, K, K, K, K, K, K, K, R, R, K, K}},
           Case{"a literal run the file cuts short", rle8({"\0\xC8\x01\x02\x03", 5}),
                {K, K, K, K, K, K, K, K, R, G, B, K}},
           Case{"a move the file cuts short", rle8({"\x01\x01\0\x02\x01", 5}),
                {K, K, K, K, K, K, K, K, R, K, K, K}},
           Case{"top-down", BmpFile({.height = -3, .bits = 8, .compression = 1}), {}, FailureKind::Malformed},
       }) {
    ExpectDecoded(c, 4, 3);
  }
}
// clang-format on

}  // namespace
}  // namespace kovar::test

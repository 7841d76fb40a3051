// The BMP decoder: the colours each kind of picture shows, and pictures that try to make it read
// outside the file.
#include <gtest/gtest.h>

#include <vector>

#include "BmpDecoder.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Pixels = std::vector<std::uint32_t>;

void Put(std::string& bmp, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

std::string Le(std::uint32_t value, int bytes) {
  std::string out(static_cast<std::size_t>(bytes), '\0');
  Put(out, 0, value, bytes);
  return out;
}

// A colour table of 4-byte entries.
std::string Table(const Pixels& colours) {
  std::string table{};
  for (std::uint32_t colour : colours) table += Le(colour, 4);
  return table;
}

// A BMP file. `table` (colour table or masks) starts right after the first 40 bytes of the info
// header, so inside the later headers; the pixels follow both, and `offset` may say otherwise.
struct Spec {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t used = 0;
  std::string table{};
  std::string pixels{};
  std::uint32_t headerSize = 40;
  std::uint32_t offset = 0;
  std::uint32_t imageSize = 0;
};

std::string Build(const Spec& s) {
  const std::size_t tableAt = 14 + std::min<std::uint32_t>(s.headerSize, 40);
  std::string bmp(std::max<std::size_t>(14 + s.headerSize, tableAt + s.table.size()), '\0');
  bmp.replace(tableAt, s.table.size(), s.table);
  const auto offset = static_cast<std::uint32_t>(s.offset ? s.offset : bmp.size());
  bmp += s.pixels;
  bmp.replace(0, 2, "BM");
  Put(bmp, 10, offset, 4);
  Put(bmp, 14, s.headerSize, 4);
  if (s.headerSize == 12) {
    Put(bmp, 18, static_cast<std::uint32_t>(s.width), 2);
    Put(bmp, 20, static_cast<std::uint32_t>(s.height), 2);
    Put(bmp, 22, 1, 2);
    Put(bmp, 24, s.bits, 2);
    return bmp;
  }
  Put(bmp, 18, static_cast<std::uint32_t>(s.width), 4);
  Put(bmp, 22, static_cast<std::uint32_t>(s.height), 4);
  Put(bmp, 26, 1, 2);
  Put(bmp, 28, s.bits, 2);
  Put(bmp, 30, s.compression, 4);
  Put(bmp, 34, s.imageSize, 4);
  Put(bmp, 46, s.used, 4);
  return bmp;
}

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0x000000, Grey = 0x808080;
// Index 0 is grey, so that a pixel left black is told apart from one drawn with colour 0.
const std::string kRgbTable = Table({Grey, R, G, B});

struct Case {
  const char* name;
  std::string bytes;
  int width;
  int height;
  Pixels pixels;  // 0xRRGGBB, top row first; none for a refused picture
  const char* refusal = "";
};

// Decodes from a buffer of exactly the file's size, so that a sanitizer sees any read past it.
void ExpectDecoded(const Case& c) {
  SCOPED_TRACE(c.name);
  const std::vector<char> file(c.bytes.begin(), c.bytes.end());
  Bitmap picture;
  const Result decoded = DecodeBmp(std::string_view(file.data(), file.size()), picture);
  if (c.pixels.empty()) {
    ASSERT_TRUE(decoded.failed());
    EXPECT_NE(decoded.reason().find(c.refusal), std::string::npos) << decoded.reason();
    EXPECT_TRUE(picture.Empty());
    return;
  }
  ASSERT_TRUE(decoded.ok()) << decoded.reason();
  EXPECT_EQ(picture.width, c.width);
  EXPECT_EQ(picture.height, c.height);
  Pixels opaque;
  for (std::uint32_t colour : c.pixels) opaque.push_back(0xFF000000u | colour);
  EXPECT_EQ(picture.pixels, opaque);
}

// Each table keeps a case to a line or two.
// clang-format off
TEST(DecodeBmp, EachDepthAndLayoutShowsItsColours) {
  std::string grey;
  for (std::uint32_t i = 0; i < 256; ++i) grey += Le(i * 0x010101, 3);
  const Spec v5{.bits = 32, .compression = 3, .table = Table({0xFF, 0xFF00, 0xFF0000}),
                .pixels = "\x01\x02\x03\x80", .headerSize = 124};
  for (const Case& c : {
           Case{"1 bit, rows across a byte",
                Build({.width = 9, .height = 2, .bits = 1, .table = Table({B, R | G}),
                       .pixels = std::string("\x80\x80\0\0\x7F\0\0\0", 8)}),
                9, 2, {B, R | G, R | G, R | G, R | G, R | G, R | G, R | G, B,
                       R | G, B, B, B, B, B, B, B, R | G}},
           Case{"4 bits, an index past the colours used is black",
                Build({.width = 3, .bits = 4, .used = 3, .table = Table({0x102030, 0x405060, 1}),
                       .pixels = std::string("\x01\x50\0\0", 4)}),
                3, 1, {0x102030, 0x405060, K}},
           Case{"8 bits, core header with 3-byte colours",
                Build({.width = 2, .bits = 8, .table = grey,
                       .pixels = std::string("\x07\xC8\0\0", 4), .headerSize = 12}),
                2, 1, {0x070707, 0xC8C8C8}},
           Case{"16 bits, 5-5-5: full channels are 255",
                Build({.width = 2, .bits = 16, .pixels = {"\xFF\x7F\x00\x7C", 4}}),
                2, 1, {0xFFFFFF, R}},
           Case{"16 bits, 5-6-5 masks",
                Build({.width = 2, .bits = 16, .compression = 3,
                       .table = Table({0xF800, 0x07E0, 0x1F}), .pixels = {"\xE0\x07\x10\x00", 4}}),
                2, 1, {G, 0x000084}},
           Case{"24 bits, top-down",
                Build({.width = 2, .height = -2,
                       .pixels = {"\x33\x22\x11\x66\x55\x44\0\0\xFF\0\0\0\xFF\0\0\0", 16}}),
                2, 2, {0x112233, 0x445566, B, G}},
           Case{"32 bits, the fourth byte ignored", Build({.bits = 32, .pixels = {"\3\2\1\0", 4}}),
                1, 1, {0x010203}},
           Case{"32 bits, masks inside a later header", Build(v5), 1, 1, {0x010203}},
       }) {
    ExpectDecoded(c);
  }
}

TEST(DecodeBmp, RunLengthsDrawRunsLiteralsMovesAndStopAtTheEnd) {
  const auto rle8 = [](int width, int height, std::string stream, std::uint32_t imageSize = 0) {
    return Build({.width = width, .height = height, .bits = 8, .compression = 1, .used = 4,
                  .table = kRgbTable, .pixels = std::move(stream), .imageSize = imageSize});
  };
  for (const Case& c : {
           Case{"8 bits: a run, a clipped literal run, end of line, a move, end of picture",
                rle8(4, 3, std::string("\x02\x01\0\x05\x02\x03\x02\x01\x01\0\0\0\0\x02\x01\x01"
                                       "\x01\x03\0\x01", 20)),
                4, 3, {K, B, K, K, K, K, K, K, R, R, G, B}},
           Case{"4 bits: alternating runs and an odd literal run, no end marker",
                Build({.width = 4, .height = 2, .bits = 4, .compression = 2, .used = 4,
                       .table = kRgbTable, .pixels = std::string("\x03\x12\0\0\0\x03\x31\x20", 8)}),
                4, 2, {B, R, G, K, R, G, R, K}},
           Case{"a run past the row's end does not wrap", rle8(4, 2, "\x06\x01"), 4, 2,
                {K, K, K, K, R, R, R, R}},
           Case{"an image size beyond the file", rle8(4, 1, "\x02\x01", 1 << 20),
                4, 1, {R, R, K, K}},
           Case{"a literal run the file cuts short", rle8(4, 1, {"\0\xC8\x01\x02\x03", 5}),
                4, 1, {R, G, B, K}},
           Case{"a move the file cuts short", rle8(4, 1, std::string("\x01\x01\0\x02\x01", 5)),
                4, 1, {R, K, K, K}},
           Case{"top-down", Build({.height = -1, .bits = 8, .compression = 1, .table = kRgbTable}),
                0, 0, {}, "top-down"},
       }) {
    ExpectDecoded(c);
  }
}

TEST(DecodeBmp, HostileHeadersAreRefusedOrReadWithinTheFile) {
  // A full 8-bit table read from where the pixels start: the one pixel is index 2.
  std::string overlapping = Build({.bits = 8, .offset = 54});
  overlapping.resize(54 + 1024, '\x02');
  std::string masksAsPixels = Build({.bits = 32, .compression = 3, .offset = 54});
  masksAsPixels += Table({0xFF, 0xFF00, 0xFF0000});
  const std::string pixel{"\3\2\1\0", 4};
  for (const Case& c : {
           Case{"a colour table past the pixel offset", overlapping, 1, 1, {0x020202}},
           Case{"that table cut off by the end of the file",
                overlapping.substr(0, overlapping.size() - 1), 0, 0, {}, "palette is cut off"},
           Case{"masks past the pixel offset", masksAsPixels, 1, 1, {R}},
           Case{"masks cut off by the end of the file",
                masksAsPixels.substr(0, masksAsPixels.size() - 1), 0, 0, {}, "masks are cut off"},
           Case{"65536 colours for 24 bits, no table", Build({.used = 65536, .pixels = pixel}),
                1, 1, {0x010203}},
           Case{"a table above 65536 colours", Build({.used = 65537, .pixels = pixel}),
                0, 0, {}, "palette is too large"},
           Case{"the pixels before the end of the header", Build({.pixels = pixel, .offset = 40}),
                0, 0, {}, "outside the file"},
           Case{"the pixels past the end", Build({.offset = 1000}), 0, 0, {}, "outside the file"},
           Case{"the rows cut off", Build({.width = 2, .pixels = "\1\2\3\4\5\6"}),
                0, 0, {}, "pixels are cut off"},
       }) {
    ExpectDecoded(c);
  }
}
// clang-format on

TEST(DecodeBmp, RefusesWhatADecoderCouldTripOn) {
  const std::string good = MakeBmp(16, 16);
  Bitmap picture;
  const auto refused = [&picture](const std::string& bytes) {
    return DecodeBmp(bytes, picture).failed() && picture.Empty();
  };
  EXPECT_TRUE(refused(""));
  EXPECT_TRUE(refused("GIF89a"));
  EXPECT_TRUE(refused(good.substr(0, 20)));               // header cut off
  EXPECT_TRUE(refused(good.substr(0, good.size() - 1)));  // pixels cut off

  auto with = [&good](std::size_t at, std::uint32_t value, int bytes) {
    std::string bmp = good;
    Put(bmp, at, value, bytes);
    return bmp;
  };
  EXPECT_TRUE(refused(with(14, 41, 4)));                                 // unknown header size
  EXPECT_TRUE(refused(with(18, 5000, 4)));                               // too wide
  EXPECT_TRUE(refused(with(22, static_cast<std::uint32_t>(-5000), 4)));  // too tall, top-down
  EXPECT_TRUE(refused(with(18, static_cast<std::uint32_t>(-16), 4)));    // negative width
  EXPECT_TRUE(refused(with(18, 0, 4)));                                  // no pixels
  EXPECT_TRUE(refused(with(26, 2, 2)));                                  // two planes
  EXPECT_TRUE(refused(with(28, 7, 2)));                                  // odd depth
  EXPECT_TRUE(refused(with(30, 4, 4)));                                  // JPEG inside
  EXPECT_TRUE(refused(with(10, 1u << 30, 4)));                           // pixel data past the end
  EXPECT_TRUE(refused(good + std::string(16 * 1024 * 1024, '\0')));
  EXPECT_TRUE(DecodeBmp(good, picture).ok());
  EXPECT_EQ(picture.pixels.size(), 16u * 16u);
}

}  // namespace
}  // namespace kovar::test

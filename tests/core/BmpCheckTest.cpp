// The checks a preview picture must pass before it is decoded.
#include <gtest/gtest.h>

#include "BmpCheck.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

void Put(std::string& bmp, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    bmp[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

TEST(CheckBmp, AcceptsWellFormedPictures) {
  EXPECT_EQ(CheckBmp(MakeBmp(160, 120)), "");
  EXPECT_EQ(CheckBmp(MakeBmp(1, 1)), "");
  std::string topDown = MakeBmp(3, 2);
  Put(topDown, 22, static_cast<std::uint32_t>(-2), 4);
  EXPECT_EQ(CheckBmp(topDown), "");
}

TEST(CheckBmp, RefusesWhatADecoderCouldTripOn) {
  const std::string good = MakeBmp(16, 16);
  EXPECT_NE(CheckBmp(""), "");
  EXPECT_NE(CheckBmp("GIF89a"), "");
  EXPECT_NE(CheckBmp(good.substr(0, 20)), "");               // header cut off
  EXPECT_NE(CheckBmp(good.substr(0, good.size() - 1)), "");  // pixels cut off

  auto with = [&good](std::size_t at, std::uint32_t value, int bytes) {
    std::string bmp = good;
    Put(bmp, at, value, bytes);
    return CheckBmp(bmp);
  };
  EXPECT_NE(with(14, 41, 4), "");                                 // unknown header size
  EXPECT_NE(with(18, 5000, 4), "");                               // too wide
  EXPECT_NE(with(22, static_cast<std::uint32_t>(-5000), 4), "");  // too tall, top-down
  EXPECT_NE(with(18, static_cast<std::uint32_t>(-16), 4), "");    // negative width
  EXPECT_NE(with(18, 0, 4), "");                                  // no pixels
  EXPECT_NE(with(26, 2, 2), "");                                  // two planes
  EXPECT_NE(with(28, 7, 2), "");                                  // odd depth
  EXPECT_NE(with(30, 4, 4), "");                                  // JPEG inside
  EXPECT_NE(with(10, 1u << 30, 4), "");                           // pixel data past the end
  EXPECT_NE(CheckBmp(good + std::string(16 * 1024 * 1024, '\0')), "");
}

TEST(CheckBmp, ChecksThePaletteAgainstTheDepth) {
  // An 8-bit picture whose header claims more colours than 8 bits can index.
  std::string bmp = MakeBmp(4, 4);
  Put(bmp, 28, 8, 2);
  Put(bmp, 46, 300, 4);
  EXPECT_NE(CheckBmp(bmp), "");
  // An 8-bit picture whose full palette of 256 entries is missing from the file.
  Put(bmp, 46, 0, 4);
  EXPECT_NE(CheckBmp(bmp), "");
}

}  // namespace
}  // namespace kovar::test

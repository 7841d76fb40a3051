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
  EXPECT_TRUE(CheckBmp(MakeBmp(160, 120)).ok());
  EXPECT_TRUE(CheckBmp(MakeBmp(1, 1)).ok());
  std::string topDown = MakeBmp(3, 2);
  Put(topDown, 22, static_cast<std::uint32_t>(-2), 4);
  EXPECT_TRUE(CheckBmp(topDown).ok());
}

TEST(CheckBmp, RefusesWhatADecoderCouldTripOn) {
  const std::string good = MakeBmp(16, 16);
  EXPECT_TRUE(CheckBmp("").failed());
  EXPECT_TRUE(CheckBmp("GIF89a").failed());
  EXPECT_TRUE(CheckBmp(good.substr(0, 20)).failed());               // header cut off
  EXPECT_TRUE(CheckBmp(good.substr(0, good.size() - 1)).failed());  // pixels cut off

  auto with = [&good](std::size_t at, std::uint32_t value, int bytes) {
    std::string bmp = good;
    Put(bmp, at, value, bytes);
    return CheckBmp(bmp);
  };
  EXPECT_TRUE(with(14, 41, 4).failed());                                 // unknown header size
  EXPECT_TRUE(with(18, 5000, 4).failed());                               // too wide
  EXPECT_TRUE(with(22, static_cast<std::uint32_t>(-5000), 4).failed());  // too tall, top-down
  EXPECT_TRUE(with(18, static_cast<std::uint32_t>(-16), 4).failed());    // negative width
  EXPECT_TRUE(with(18, 0, 4).failed());                                  // no pixels
  EXPECT_TRUE(with(26, 2, 2).failed());                                  // two planes
  EXPECT_TRUE(with(28, 7, 2).failed());                                  // odd depth
  EXPECT_TRUE(with(30, 4, 4).failed());                                  // JPEG inside
  EXPECT_TRUE(with(10, 1u << 30, 4).failed());                           // pixel data past the end
  EXPECT_TRUE(CheckBmp(good + std::string(16 * 1024 * 1024, '\0')).failed());
}

TEST(CheckBmp, ChecksThePaletteAgainstTheDepth) {
  // An 8-bit picture whose header claims more colours than 8 bits can index.
  std::string bmp = MakeBmp(4, 4);
  Put(bmp, 28, 8, 2);
  Put(bmp, 46, 300, 4);
  EXPECT_TRUE(CheckBmp(bmp).failed());
  // An 8-bit picture whose full palette of 256 entries is missing from the file.
  Put(bmp, 46, 0, 4);
  EXPECT_TRUE(CheckBmp(bmp).failed());
}

}  // namespace
}  // namespace kovar::test

// Fuzzes the preview checks: whatever CheckBmp accepts, a decoder that trusts the header it
// checked must find every byte it reads inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BmpCheck.h"

namespace {

// Reads the file as a plain decoder would, stopping the program at the first byte it would
// have to read from beyond the end.
class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}

  std::uint32_t Get(std::uint64_t offset, int width) const {
    if (offset + static_cast<std::uint64_t>(width) > bytes_.size()) {
      std::fprintf(stderr, "an accepted picture is read at %llu, past its %zu bytes\n",
                   static_cast<unsigned long long>(offset), bytes_.size());
      std::abort();
    }
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
      value = (value << 8) | static_cast<unsigned char>(bytes_[offset + static_cast<unsigned>(i)]);
    }
    return value;
  }

 private:
  const std::string& bytes_;
};

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "an accepted picture has %s\n", what);
  std::abort();
}

// Walks the headers, the palette and every pixel row of a picture CheckBmp accepted.
std::uint64_t Decode(const std::string& bytes) {
  const Reader in(bytes);
  Require(in.Get(0, 1) == 'B' && in.Get(1, 1) == 'M', "no BMP signature");
  const std::uint64_t dataOffset = in.Get(10, 4);
  const std::uint32_t headerSize = in.Get(14, 4);
  const bool os2 = headerSize == 12;
  // Signed in the Windows header, unsigned in the OS/2 one.
  const auto Signed = [&in](std::uint64_t at) -> std::int64_t {
    return static_cast<std::int32_t>(in.Get(at, 4));
  };
  const std::int64_t width = os2 ? std::int64_t{in.Get(18, 2)} : Signed(18);
  const std::int64_t height = os2 ? std::int64_t{in.Get(20, 2)} : Signed(22);
  const std::uint32_t bits = os2 ? in.Get(24, 2) : in.Get(28, 2);
  const std::uint32_t compression = os2 ? 0 : in.Get(30, 4);
  const std::uint32_t used = os2 ? 0 : in.Get(46, 4);
  const std::int64_t rows = height < 0 ? -height : height;
  Require(width >= 1 && width <= kovar::kMaxPreviewSide, "a width out of range");
  Require(rows >= 1 && rows <= kovar::kMaxPreviewSide, "a height out of range");
  Require(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32,
          "an odd depth");

  std::uint64_t sum = 0;
  std::uint64_t at = 14 + headerSize;
  for (std::uint64_t i = 14; i < at; ++i) sum += in.Get(i, 1);
  if (compression == 3 && headerSize == 40) {
    for (int mask = 0; mask < 3; ++mask, at += 4) sum += in.Get(at, 4);
  }
  if (bits <= 8) {
    const std::uint64_t colours = used ? used : std::uint64_t{1} << bits;
    Require(colours <= (std::uint64_t{1} << bits), "more colours than its depth can index");
    const int entry = os2 ? 3 : 4;
    for (std::uint64_t i = 0; i < colours; ++i, at += static_cast<unsigned>(entry)) {
      sum += in.Get(at, entry == 4 ? 4 : 3);
    }
  }
  Require(dataOffset <= bytes.size(), "its pixel data past the end");
  // Run lengths are the decoder's to bound; unpacked rows must all lie inside the file.
  if (compression == 0 || compression == 3) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    for (std::int64_t row = 0; row < rows; ++row) {
      const std::uint64_t start = dataOffset + static_cast<std::uint64_t>(row) * stride;
      sum += in.Get(start, 1) + in.Get(start + stride - 1, 1);
    }
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (kovar::CheckBmp(bytes).ok()) {
    volatile std::uint64_t sink = Decode(bytes);
    (void)sink;
  }
  return 0;
}

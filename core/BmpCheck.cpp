// The BMP checks: every header field a decoder trusts is verified against the file's own size.
#include "BmpCheck.h"

#include <cstdint>
#include <cstdlib>

namespace kovar {

namespace {

std::uint32_t Read(const std::string& bytes, std::size_t offset, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

Result CheckBmp(const std::string& bytes) {
  constexpr std::size_t kFileHeader = 14;
  if (bytes.size() >= kMaxPreviewBytes) return Result::Failure("the picture is larger than 16 MiB");
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
    return Result::Failure("it is not a BMP picture");
  if (bytes.size() < kFileHeader + 12) return Result::Failure("the BMP picture is truncated");

  const std::uint64_t dataOffset = Read(bytes, 10, 4);
  const std::uint32_t headerSize = Read(bytes, 14, 4);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint64_t coloursUsed = 0;
  std::uint64_t paletteEntrySize = 4;
  if (headerSize == 12) {
    width = Read(bytes, 18, 2);
    height = Read(bytes, 20, 2);
    planes = Read(bytes, 22, 2);
    bitCount = Read(bytes, 24, 2);
    paletteEntrySize = 3;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
             headerSize == 124) {
    if (bytes.size() < kFileHeader + headerSize)
      return Result::Failure("the BMP picture is truncated");
    width = static_cast<std::int32_t>(Read(bytes, 18, 4));
    height = static_cast<std::int32_t>(Read(bytes, 22, 4));
    planes = Read(bytes, 26, 2);
    bitCount = Read(bytes, 28, 2);
    compression = Read(bytes, 30, 4);
    coloursUsed = Read(bytes, 46, 4);
  } else {
    return Result::Failure("the BMP header has an unknown size (" + std::to_string(headerSize) +
                           " bytes)");
  }

  const bool topDown = height < 0;
  const std::int64_t rows = std::llabs(height);
  if (width <= 0 || rows == 0) return Result::Failure("the BMP picture has no pixels");
  if (width > kMaxPreviewSide || rows > kMaxPreviewSide) {
    return Result::Failure("the BMP picture is larger than 4096 x 4096 pixels (" +
                           std::to_string(width) + " x " + std::to_string(rows) + ")");
  }
  if (planes != 1) return Result::Failure("the BMP picture has a bad plane count");
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return Result::Failure("the BMP picture has an unsupported depth of " +
                             std::to_string(bitCount) + " bits");
  }

  // Compression: none, run lengths for 8 and 4 bits, or bit fields for 16 and 32 bits.
  const bool runLength = (compression == 1 && bitCount == 8) || (compression == 2 && bitCount == 4);
  const bool bitFields = compression == 3 && (bitCount == 16 || bitCount == 32);
  if (compression != 0 && !runLength && !bitFields)
    return Result::Failure("the BMP picture has an unsupported compression");
  if (runLength && topDown)
    return Result::Failure("the BMP picture is compressed and stored top-down");

  std::uint64_t headersEnd = kFileHeader + headerSize;
  if (bitFields && headerSize == 40) headersEnd += 12;  // the three masks follow the header
  if (bitCount <= 8) {
    const std::uint64_t maxColours = std::uint64_t{1} << bitCount;
    if (coloursUsed > maxColours)
      return Result::Failure("the BMP palette is larger than its depth allows");
    const std::uint64_t colours = coloursUsed ? coloursUsed : maxColours;
    headersEnd += colours * paletteEntrySize;
  } else if (coloursUsed > 256 * 256) {
    return Result::Failure("the BMP palette is too large");
  }
  if (headersEnd > bytes.size())
    return Result::Failure("the BMP picture is truncated (its palette is cut off)");
  if (dataOffset < kFileHeader + headerSize || dataOffset > bytes.size()) {
    return Result::Failure("the BMP pixel data lies outside the file");
  }
  if (!runLength) {
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    if (dataOffset + stride * static_cast<std::uint64_t>(rows) > bytes.size()) {
      return Result::Failure("the BMP picture is truncated (its pixels are cut off)");
    }
  }
  return Result::Ok();
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP decoder: every header field it trusts is checked against the file's own size first,
// and the run-length decoder bounds each read by the end of the file, not by any size field.
#include "BmpDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <string>

namespace kovar {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kBlack = 0xFF000000u;

std::uint32_t Read(std::string_view bytes, std::size_t offset, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  }
  return value;
}

std::uint8_t Byte(std::string_view bytes, std::size_t offset) {
  return static_cast<unsigned char>(bytes[offset]);
}

// What the headers say, each field already checked against the file.
struct Layout {
  std::size_t dataOffset = 0;
  int width = 0;
  int rows = 0;
  bool topDown = false;
  std::uint32_t bitCount = 0;
  bool runLength = false;
  std::size_t stride = 0;
  // The colour table, for 8 bits and fewer.
  std::size_t paletteAt = 0;
  std::size_t colours = 0;
  std::size_t paletteEntrySize = 4;
  // Red, green and blue, for 16 and 32 bits.
  std::array<std::uint32_t, 3> masks{};
};

// The info header's fields that the decoder uses, in whichever of its sizes it comes.
struct Header {
  std::uint64_t dataOffset = 0;
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint64_t coloursUsed = 0;
};

Expected<Header> ReadHeader(std::string_view head, std::uint64_t size) {
  if (size >= kMaxPreviewBytes)
    return Failure(FailureKind::TooLarge, "the picture is larger than 16 MiB");
  if (size < 2 || head[0] != 'B' || head[1] != 'M')
    return Failure(FailureKind::Malformed, "it is not a BMP picture");
  if (size < kFileHeader + 12)
    return Failure(FailureKind::Malformed, "the BMP picture is truncated");

  Header header;
  header.dataOffset = Read(head, 10, 4);
  header.size = Read(head, 14, 4);
  if (header.size == 12) {
    header.width = Read(head, 18, 2);
    header.height = Read(head, 20, 2);
    header.planes = Read(head, 22, 2);
    header.bitCount = Read(head, 24, 2);
  } else if (header.size == 40 || header.size == 52 || header.size == 56 || header.size == 108 ||
             header.size == 124) {
    if (size < kFileHeader + header.size)
      return Failure(FailureKind::Malformed, "the BMP picture is truncated");
    header.width = static_cast<std::int32_t>(Read(head, 18, 4));
    header.height = static_cast<std::int32_t>(Read(head, 22, 4));
    header.planes = Read(head, 26, 2);
    header.bitCount = Read(head, 28, 2);
    header.compression = Read(head, 30, 4);
    header.coloursUsed = Read(head, 46, 4);
  } else {
    return Failure(FailureKind::Malformed, "the BMP header has an unknown size (" +
                                               std::to_string(header.size) + " bytes)");
  }
  return header;
}

// The picture's size, planes and depth are ones the decoder takes.
Result CheckSizeAndDepth(const Header& header) {
  const std::int64_t rows = std::llabs(header.height);
  if (header.width <= 0 || rows == 0)
    return Failure(FailureKind::Malformed, "the BMP picture has no pixels");
  if (header.width > kMaxPreviewSide || rows > kMaxPreviewSide) {
    return Failure(FailureKind::TooLarge, "the BMP picture is larger than 4096 x 4096 pixels (" +
                                              std::to_string(header.width) + " x " +
                                              std::to_string(rows) + ")");
  }
  if (header.planes != 1)
    return Failure(FailureKind::Malformed, "the BMP picture has a bad plane count");
  switch (header.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return Result::Ok();
    default:
      return Failure(FailureKind::Refused, "the BMP picture has an unsupported depth of " +
                                               std::to_string(header.bitCount) + " bits");
  }
}

// The colour table or the masks follow the header, wherever the pixels start: they are read
// from there, so they need only lie inside the file.
Result ReadColours(std::string_view head, std::uint64_t size, const Header& header, bool bitFields,
                   Layout& layout) {
  const std::uint64_t headerEnd = kFileHeader + header.size;
  const std::uint32_t bitCount = header.bitCount;
  const std::uint64_t coloursUsed = header.coloursUsed;
  if (bitCount <= 8) {
    const std::uint64_t maxColours = std::uint64_t{1} << bitCount;
    if (coloursUsed > maxColours)
      return Failure(FailureKind::Malformed, "the BMP palette is larger than its depth allows");
    layout.colours = static_cast<std::size_t>(coloursUsed ? coloursUsed : maxColours);
    layout.paletteAt = static_cast<std::size_t>(headerEnd);
    if (headerEnd + layout.colours * layout.paletteEntrySize > size)
      return Failure(FailureKind::Malformed,
                     "the BMP picture is truncated (its palette is cut off)");
  } else if (coloursUsed > 256 * 256) {
    // A table that only suggests colours for a display; it is never read.
    return Failure(FailureKind::TooLarge, "the BMP palette is too large");
  }
  if (bitFields) {
    // Inside the later headers, or in the 12 bytes after the first one.
    if (kFileHeader + 40 + 12 > size)
      return Failure(FailureKind::Malformed,
                     "the BMP picture is truncated (its colour masks are cut off)");
    layout.masks = {Read(head, 54, 4), Read(head, 58, 4), Read(head, 62, 4)};
  } else if (bitCount == 16) {
    layout.masks = {0x7C00, 0x03E0, 0x001F};
  } else {
    layout.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  return Result::Ok();
}

// `head` is the start of a file of `size` bytes: at least kBmpHeaderBytes of it, or all of it.
Expected<Layout> ReadLayout(std::string_view head, std::uint64_t size) {
  const Expected<Header> read = ReadHeader(head, size);
  if (read.failed()) return read.failure();
  const Header& header = read.value();
  if (const Result checked = CheckSizeAndDepth(header); checked.failed()) return checked.failure();
  const std::int64_t width = header.width;
  const std::int64_t height = header.height;
  const std::int64_t rows = std::llabs(height);
  const std::uint32_t bitCount = header.bitCount;
  const std::uint32_t compression = header.compression;
  const std::uint64_t dataOffset = header.dataOffset;
  Layout layout;
  if (header.size == 12) layout.paletteEntrySize = 3;

  // Compression: none, run lengths for 8 and 4 bits, or bit fields for 16 and 32 bits.
  const bool runLength = (compression == 1 && bitCount == 8) || (compression == 2 && bitCount == 4);
  const bool bitFields = compression == 3 && (bitCount == 16 || bitCount == 32);
  if (compression != 0 && !runLength && !bitFields)
    return Failure(FailureKind::Refused, "the BMP picture has an unsupported compression");
  if (runLength && height < 0)
    return Failure(FailureKind::Malformed, "the BMP picture is compressed and stored top-down");

  if (const Result colours = ReadColours(head, size, header, bitFields, layout); colours.failed())
    return colours.failure();

  const std::uint64_t headerEnd = kFileHeader + header.size;
  if (dataOffset < headerEnd || dataOffset > size) {
    return Failure(FailureKind::Malformed, "the BMP pixel data lies outside the file");
  }
  layout.stride = static_cast<std::size_t>(((width * bitCount + 31) / 32) * 4);
  if (!runLength && dataOffset + layout.stride * static_cast<std::uint64_t>(rows) > size)
    return Failure(FailureKind::Malformed, "the BMP picture is truncated (its pixels are cut off)");

  layout.dataOffset = static_cast<std::size_t>(dataOffset);
  layout.width = static_cast<int>(width);
  layout.rows = static_cast<int>(rows);
  layout.topDown = height < 0;
  layout.bitCount = bitCount;
  layout.runLength = runLength;
  return layout;
}

// The colours of the table; an index past its end is black.
std::array<std::uint32_t, 256> ReadPalette(std::string_view bytes, const Layout& layout) {
  std::array<std::uint32_t, 256> palette;
  palette.fill(kBlack);
  for (std::size_t i = 0; i < layout.colours; ++i) {
    palette[i] = kBlack | Read(bytes, layout.paletteAt + i * layout.paletteEntrySize, 3);
  }
  return palette;
}

// One colour channel of a 16 or 32-bit pixel, scaled to 8 bits so that a full channel is 255.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}
  std::uint32_t Level(std::uint32_t pixel) const {
    if (max_ == 0) return 0;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint32_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint32_t max_;
};

void DecodeRows(std::string_view bytes, const Layout& layout, Bitmap& picture) {
  const auto palette = ReadPalette(bytes, layout);
  const Channel red(layout.masks[0]);
  const Channel green(layout.masks[1]);
  const Channel blue(layout.masks[2]);
  const std::uint32_t bits = layout.bitCount;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  // One loop for each depth, straight from the row's bytes: a preview is decoded at every click.
  const auto eachRow = [&](auto pixel) {
    for (int y = 0; y < picture.height; ++y) {
      const int stored = layout.topDown ? y : layout.rows - 1 - y;
      const unsigned char* in =
          data + layout.dataOffset + static_cast<std::size_t>(stored) * layout.stride;
      std::uint32_t* out = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
      for (std::size_t x = 0; x < static_cast<std::size_t>(picture.width); ++x) {
        out[x] = pixel(in, x);
      }
    }
  };
  switch (bits) {
    case 24:
      eachRow([](const unsigned char* in, std::size_t x) {
        return kBlack | std::uint32_t{in[3 * x + 2]} << 16 | in[3 * x + 1] << 8 | in[3 * x];
      });
      break;
    case 8:
      eachRow([&palette](const unsigned char* in, std::size_t x) { return palette[in[x]]; });
      break;
    case 1:
    case 4:
      eachRow([&palette, bits](const unsigned char* in, std::size_t x) {
        const std::size_t bit = x * bits;
        const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
        return palette[(in[bit / 8] >> shift) & ((1u << bits) - 1)];
      });
      break;
    default:  // 16 and 32, through the masks
      eachRow([&, bytesPerPixel = bits / 8](const unsigned char* in, std::size_t x) {
        std::uint32_t value = 0;
        for (std::uint32_t i = bytesPerPixel; i-- > 0;)
          value = value << 8 | in[x * bytesPerPixel + i];
        return kBlack | red.Level(value) << 16 | green.Level(value) << 8 | blue.Level(value);
      });
      break;
  }
}

// The i-th pixel of a run of `byte`: the byte itself at 8 bits, its high then low half at 4.
std::uint8_t PixelOf(std::uint8_t byte, std::int64_t i, bool four) {
  return four ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
}

// Run-length 8 and 4: pairs of a count and a colour, or an escape (end of line, end of picture,
// a move, or a run of literal pixels). Rows are stored bottom first.
void DecodeRunLengths(std::string_view bytes, const Layout& layout, Bitmap& picture) {
  const auto palette = ReadPalette(bytes, layout);
  const bool four = layout.bitCount == 4;
  // Rows below the part kept are walked through but not drawn.
  const std::int64_t width = picture.width;
  const std::int64_t hidden = layout.rows - picture.height;
  std::int64_t x = 0;
  std::int64_t row = 0;
  // Sets `count` pixels from x on, the i-th of them to colour(i), clipped to the part kept.
  const auto draw = [&](std::int64_t count, auto colour) {
    if (row >= hidden && row < layout.rows && x < width) {
      std::uint32_t* out =
          picture.pixels.data() + static_cast<std::size_t>(layout.rows - 1 - row) * picture.width;
      const std::int64_t end = std::min(width, x + count);
      for (std::int64_t i = 0; x + i < end; ++i) out[x + i] = palette[colour(i)];
    }
    x += count;
  };
  std::size_t at = layout.dataOffset;
  const std::size_t end = bytes.size();
  while (row < layout.rows && end - at >= 2) {
    const std::uint8_t count = Byte(bytes, at);
    const std::uint8_t value = Byte(bytes, at + 1);
    at += 2;
    if (count > 0) {
      draw(count, [value, four](std::int64_t i) { return PixelOf(value, i, four); });
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++row;
        break;
      case 1:  // end of picture
        return;
      case 2:  // move right and up
        if (end - at < 2) return;
        x += Byte(bytes, at);
        row += Byte(bytes, at + 1);
        at += 2;
        break;
      default: {
        // `value` literal pixels, padded to a whole number of 16-bit words; a run the file cuts
        // short is drawn as far as it goes.
        const std::size_t length = four ? (value + 1u) / 2 : value;
        const std::size_t present = std::min(length, end - at);
        const std::int64_t pixels = four ? std::min<std::int64_t>(value, 2 * present) : present;
        const std::size_t from = at;
        draw(pixels, [&bytes, from, four](std::int64_t i) {
          const auto index = static_cast<std::size_t>(i);
          return PixelOf(Byte(bytes, from + (four ? index / 2 : index)), i, four);
        });
        if (present < length) return;
        at += std::min(end - at, (length + 1) / 2 * 2);
        break;
      }
    }
  }
}

}  // namespace

Result CheckBmpHeader(std::string_view head, std::uint64_t size) {
  const Expected<Layout> read = ReadLayout(head, size);
  return read.ok() ? Result::Ok() : read.failure();
}

Expected<Bitmap> DecodeBmp(std::string_view bytes, int maxWidth, int maxHeight) {
  const Expected<Layout> read = ReadLayout(bytes, bytes.size());
  if (read.failed()) return read.failure();
  const Layout& layout = read.value();
  Bitmap picture;
  picture.width = std::clamp(maxWidth, 1, layout.width);
  picture.height = std::clamp(maxHeight, 1, layout.rows);
  picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, kBlack);
  if (layout.runLength) {
    DecodeRunLengths(bytes, layout, picture);
  } else {
    DecodeRows(bytes, layout, picture);
  }
  return picture;
}

}  // namespace kovar

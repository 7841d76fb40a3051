// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the BMP decoder on arbitrary bytes: under the sanitizers any read outside the input
// stops the run, every decoded picture must have exactly width x height opaque pixels, and the
// check of the headers alone refuses exactly what decoding refuses, for the same reason.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BmpDecoder.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "a decoded picture has %s\n", what);
  std::abort();
}

void RequireSameVerdict(const kovar::Result& checked,
                        const kovar::Expected<kovar::Bitmap>& decoded) {
  if (checked.failed() == decoded.failed() &&
      (checked.ok() || checked.reason() == decoded.reason())) {
    return;
  }
  std::fprintf(stderr, "the header check says \"%s\", decoding \"%s\"\n",
               checked.ok() ? "ok" : checked.reason().c_str(),
               decoded.ok() ? "ok" : decoded.reason().c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A view of the fuzzer's own buffer, which ends where the input ends.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kovar::Expected<kovar::Bitmap> decoded = kovar::DecodeBmp(bytes);
  // A copy of its own, so that the sanitizers stop a read past the head.
  const std::string head(bytes.substr(0, kovar::kBmpHeaderBytes));
  RequireSameVerdict(kovar::CheckBmpHeader(head, size), decoded);
  if (decoded.failed()) {
    Require(!decoded.reason().empty(), "no reason for the refusal");
    return 0;
  }
  const kovar::Bitmap& picture = decoded.value();
  Require(picture.width >= 1 && picture.width <= kovar::kMaxPreviewSide, "a width out of range");
  Require(picture.height >= 1 && picture.height <= kovar::kMaxPreviewSide, "a height out of range");
  Require(picture.pixels.size() ==
              static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height),
          "a pixel count other than width x height");
  for (std::uint32_t pixel : picture.pixels) Require(pixel >> 24 == 0xFF, "a pixel not opaque");
  return 0;
}

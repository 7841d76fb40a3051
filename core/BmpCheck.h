// Decides whether bytes from a map pack are a BMP picture sane enough to hand to a decoder.
#pragma once

#include <cstddef>
#include <string>

#include "Result.h"

namespace kovar {

inline constexpr std::size_t kMaxPreviewBytes = 16 * 1024 * 1024;
inline constexpr long kMaxPreviewSide = 4096;

// Succeeds when `bytes` are a well-formed BMP of at most 4096 x 4096 pixels and under 16 MiB;
// otherwise says why the picture is refused.
Result CheckBmp(const std::string& bytes);

}  // namespace kovar

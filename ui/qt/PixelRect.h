// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window description's places as Qt rectangles: the description converts twips to pixels,
// this only changes the type.
#pragma once

#include <QRect>

#include "Twips.h"

namespace kovar {

inline QRect ToQRect(const PixelsRect& pixels) {
  return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

inline QRect PixelRect(const TwipsRect& twips) { return ToQRect(Pixels(twips)); }

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A field's text as the launcher takes it: one line, since a setting is one line of a command
// file and a line break in it would read back as a second command. The one rule for every field
// and every skin.
#pragma once

#include <string>

namespace kovar {

constexpr bool IsLineBreak(char32_t c) { return c == U'\r' || c == U'\n'; }

inline std::string OneLine(std::string text) {
  std::erase_if(text, [](char c) { return IsLineBreak(static_cast<unsigned char>(c)); });
  return text;
}

}  // namespace kovar

// The one place where the core's text bytes meet Qt's strings: decoded with the local 8-bit
// encoding for display, encoded back only for what the player typed.
#pragma once

#include <string>

#include <QString>

namespace kovar {

QString ToDisplay(const std::string& bytes);
std::string ToBytes(const QString& text);

}  // namespace kovar

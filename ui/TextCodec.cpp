// Conversions between the core's bytes and displayed text.
#include "TextCodec.h"

#include <QByteArray>

namespace kovar {

QString ToDisplay(const std::string& bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace kovar

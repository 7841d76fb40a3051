// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes in and out of the controls, and the one-line fields' filter.
#include "TextControls.h"

#include <algorithm>

#include <QByteArray>

#include "OneLine.h"

namespace kovar {

QString ToDisplay(const std::string& bytes) {
  // Plain ASCII reads the same in every local 8-bit encoding the launcher runs under, and is by
  // far the most common text: it skips the general decoder, which costs most when a catalogue of
  // thousands of names is shown.
  if (std::all_of(bytes.begin(), bytes.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

LineBreakStripper::LineBreakStripper(QObject* parent) : QValidator(parent) {}

QValidator::State LineBreakStripper::validate(QString& input, int& pos) const {
  QString kept;
  kept.reserve(input.size());
  int newPos = pos;
  for (qsizetype i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    if (IsLineBreak(c.unicode())) {
      if (i < pos) --newPos;
      continue;
    }
    kept.append(c);
  }
  if (kept.size() != input.size()) {
    input = kept;
    pos = newPos;
  }
  return Acceptable;
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text in Qt's controls as the core keeps it: the one place where the core's text bytes meet Qt's
// strings, decoded with the local 8-bit encoding for display, encoded back only for what the
// player typed; and the one-line fields' filter.
#pragma once

#include <string>

#include <QString>
#include <QValidator>

namespace kovar {

QString ToDisplay(const std::string& bytes);
std::string ToBytes(const QString& text);

// Keeps line breaks out of a one-line field: a settings file holds one value a line, so a pasted
// CR or LF would split the value into a second, unintended command when it is read back.
class LineBreakStripper : public QValidator {
  Q_OBJECT

 public:
  explicit LineBreakStripper(QObject* parent);

  // Removes every CR and LF from `input`, keeping the cursor on the same character.
  State validate(QString& input, int& pos) const override;
};

}  // namespace kovar

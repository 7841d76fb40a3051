// Keeps line breaks out of a one-line field: a settings file holds one value a line, so a pasted
// CR or LF would split the value into a second, unintended command when it is read back.
#pragma once

#include <QValidator>

namespace kovar {

class LineBreakStripper : public QValidator {
  Q_OBJECT

 public:
  explicit LineBreakStripper(QObject* parent);

  // Removes every CR and LF from `input`, keeping the cursor on the same character.
  State validate(QString& input, int& pos) const override;
};

}  // namespace kovar

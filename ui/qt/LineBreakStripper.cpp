// Removal of line breaks from typed and pasted text.
#include "LineBreakStripper.h"

namespace kovar {

LineBreakStripper::LineBreakStripper(QObject* parent) : QValidator(parent) {}

QValidator::State LineBreakStripper::validate(QString& input, int& pos) const {
  QString kept;
  kept.reserve(input.size());
  int newPos = pos;
  for (qsizetype i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    if (c == u'\r' || c == u'\n') {
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

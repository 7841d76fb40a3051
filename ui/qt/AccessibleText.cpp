// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One-line fields as screen readers read and edit them.
#include "AccessibleText.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QTextBoundaryFinder>

namespace kovar {

namespace {

struct Span {
  int start = 0;
  int end = 0;
};

enum class Item { Before, At, After };

// Where each item of `type` begins in `text`, closed by the text's length (only 0 for no text).
// A character is what the player sees as one; a word runs from its first letter to the next
// word's, the spaces and signs after it included, as the field's Ctrl+arrow moves; a line, a
// paragraph or no boundary at all is the whole text.
QList<int> ItemStarts(const QString& text, QAccessible::TextBoundaryType type) {
  const int length = static_cast<int>(text.size());
  QList<int> starts{0};
  if (length == 0) return starts;
  QTextBoundaryFinder::BoundaryType kind = QTextBoundaryFinder::Grapheme;
  switch (type) {
    case QAccessible::CharBoundary:
      break;
    case QAccessible::WordBoundary:
      kind = QTextBoundaryFinder::Word;
      break;
    case QAccessible::SentenceBoundary:
      kind = QTextBoundaryFinder::Sentence;
      break;
    default:
      starts.append(length);
      return starts;
  }
  QTextBoundaryFinder finder(kind, text);
  // The walk ends where the finder finds no next boundary, which Qt's own walk never checks.
  for (qsizetype at = finder.toNextBoundary(); at > 0 && at < length;
       at = finder.toNextBoundary()) {
    if (kind != QTextBoundaryFinder::Word ||
        finder.boundaryReasons().testFlag(QTextBoundaryFinder::StartOfItem)) {
      starts.append(static_cast<int>(at));
    }
  }
  starts.append(length);
  return starts;
}

// The item that holds `offset`; at the text's end, the last one.
Span ItemHolding(const QList<int>& starts, int offset) {
  if (starts.size() < 2) return {};
  const auto next = std::upper_bound(starts.begin(), starts.end() - 1, offset);
  return {*(next - 1), *next};
}

// The item at `offset`, or the one just before or after it. At the text's end there is no
// character, and before the first item or after the last there is nothing: an empty span there.
Span ItemOf(const QString& text, QAccessible::TextBoundaryType type, int offset, Item which) {
  const int length = static_cast<int>(text.size());
  if (offset < 0 || offset > length) {
    const int edge = std::clamp(offset, 0, length);
    return {edge, edge};
  }
  const QList<int> starts = ItemStarts(text, type);
  const Span at = type == QAccessible::CharBoundary && offset == length
                      ? Span{length, length}
                      : ItemHolding(starts, offset);
  switch (which) {
    case Item::Before:
      return at.start > 0 ? ItemHolding(starts, at.start - 1) : Span{};
    case Item::After:
      return at.end < length ? ItemHolding(starts, at.end) : Span{length, length};
    case Item::At:
      break;
  }
  return at;
}

// Qt tells of a field's selection and caret as the field takes the focus, before it tells of the
// focus itself; a screen reader then moves to the field silently, taking it for the one it was on,
// and an empty field goes unnamed. With a screen reader listening, the field handles its focus
// just after Qt has told of it, so that the field is presented, named, as any other control. Keys
// already queued behind the Tab (type-ahead, a password manager's typing) reach the field before
// that: once its text or caret has moved, the focus-in no longer selects the text, which the next
// key would replace.
class FocusToldFirst : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusIn || replaying_ || !QAccessible::isActive()) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    QPointer<QLineEdit> field = static_cast<QLineEdit*>(watched);
    const QString text = field->text();
    const int caret = field->cursorPosition();
    QMetaObject::invokeMethod(
        this,
        [this, field, reason, text, caret] {
          // Gone on already: the focus-out was handled, so the focus-in is not owed.
          if (!field || !field->hasFocus()) return;
          const bool untouched = field->text() == text && field->cursorPosition() == caret;
          QFocusEvent again(QEvent::FocusIn, untouched ? reason : Qt::OtherFocusReason);
          replaying_ = true;
          QCoreApplication::sendEvent(field, &again);
          replaying_ = false;
        },
        Qt::QueuedConnection);
    return true;
  }

 private:
  bool replaying_ = false;
};

class AccessibleText : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
 public:
  explicit AccessibleText(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText) {
    static FocusToldFirst focusToldFirst;
    field->installEventFilter(&focusToldFirst);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) {
      return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Value ? Shown() : QAccessibleWidget::text(kind);
  }

  void setText(QAccessible::Text kind, const QString& text) override {
    if (kind == QAccessible::Value) {
      replaceText(0, characterCount(), text);
    } else {
      QAccessibleWidget::setText(kind, text);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = Field()->isReadOnly();
    state.selectableText = true;
    return state;
  }

  void selection(int index, int* start, int* end) const override {
    const bool any = index == 0 && Field()->hasSelectedText();
    *start = any ? Field()->selectionStart() : 0;
    *end = any ? Field()->selectionEnd() : 0;
  }
  int selectionCount() const override { return Field()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) Field()->deselect();
  }
  void setSelection(int index, int start, int end) override {
    if (index != 0) return;
    const Span span = Within(start, end);
    Field()->setSelection(span.start, span.end - span.start);
  }

  int cursorPosition() const override { return Field()->cursorPosition(); }
  void setCursorPosition(int position) override { Field()->setCursorPosition(position); }

  QString text(int start, int end) const override {
    const Span span = Within(start, end);
    return Shown().mid(span.start, span.end - span.start);
  }
  int characterCount() const override { return static_cast<int>(Shown().size()); }

  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                           int* end) const override {
    return Piece(offset, type, Item::Before, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                       int* end) const override {
    return Piece(offset, type, Item::At, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                          int* end) const override {
    return Piece(offset, type, Item::After, start, end);
  }

  // One run over the whole text, with no attributes of its own: a screen reader reads a line up
  // to where its last run ends.
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  // Measured from the caret, which Qt places with the field's scrolling taken into account.
  QRect characterRect(int offset) const override {
    const QString shown = Shown();
    if (offset < 0 || offset >= shown.size()) return {};
    QLineEdit* field = Field();
    const QFontMetrics metrics(field->font());
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.x() + caret.width() / 2 + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(field->cursorPosition()));
    return {field->mapToGlobal(QPoint(x, caret.y())),
            QSize(metrics.horizontalAdvance(shown.at(offset)), caret.height())};
  }
  // The field finds the caret place nearest the point; the character there lies after or
  // before it.
  int offsetAtPoint(const QPoint& point) const override {
    const int nearest = Field()->cursorPositionAt(Field()->mapFromGlobal(point));
    for (const int offset : {nearest, nearest - 1}) {
      if (characterRect(offset).contains(point)) return offset;
    }
    return -1;
  }
  void scrollToSubstring(int start, int end) override {
    Field()->setCursorPosition(end);
    Field()->setCursorPosition(start);
  }

  // Edits go the way of the player's typing: through the field's filter, reported as the
  // player's own edits, and only where the player could type: the field shown and enabled, and
  // no box open in front of its window.
  void deleteText(int start, int end) override { replaceText(start, end, {}); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    QLineEdit* field = Field();
    const QWidget* box = QApplication::activeModalWidget();
    if (field->isReadOnly() || !field->isVisible() || !field->isEnabled() ||
        (box && box != field->window())) {
      return;
    }
    const Span span = Within(start, end);
    field->setCursorPosition(span.start);
    if (span.end > span.start) field->setSelection(span.start, span.end - span.start);
    field->insert(text);
  }

 private:
  QLineEdit* Field() const { return static_cast<QLineEdit*>(widget()); }
  QString Shown() const { return Field()->displayText(); }

  // The range from `start` to `end` kept within the text; an end of -1 is the text's end.
  Span Within(int start, int end) const {
    const int length = characterCount();
    if (end < 0 || end > length) end = length;
    start = std::clamp(start, 0, end);
    return {start, end};
  }

  QString Piece(int offset, QAccessible::TextBoundaryType type, Item which, int* start,
                int* end) const {
    // Qt's own callers use -2 for the caret.
    if (offset == -2) offset = cursorPosition();
    const QString shown = Shown();
    const Span span = ItemOf(shown, type, offset, which);
    *start = span.start;
    *end = span.end;
    return shown.mid(span.start, span.end - span.start);
  }
};

}  // namespace

QAccessibleInterface* MakeAccessibleText(QLineEdit* field) { return new AccessibleText(field); }

}  // namespace kovar

// Where the keyboard focus goes when what held it is hidden or covered: never to a control that is
// not shown, so that no key acts out of sight, and screen readers told where it went.
#pragma once

#include <QPointer>
#include <QWidget>

namespace kovar {

// Kept over a modal box: once the box has closed, the control of `window` that had the focus
// before it gets it back if it is still shown, otherwise the window itself does.
class FocusAcrossBox {
 public:
  explicit FocusAcrossBox(QWidget* window);
  ~FocusAcrossBox();
  FocusAcrossBox(const FocusAcrossBox&) = delete;
  FocusAcrossBox& operator=(const FocusAcrossBox&) = delete;

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};

// Gives `widget` the focus, and tells screen readers so even when it had it already: after a box,
// the reader's place is the box that went.
void FocusAndTell(QWidget* widget);

}  // namespace kovar

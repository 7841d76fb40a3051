// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus as Qt moves it: a window given back its activation after a box, and a focus
// that screen readers are told of. Where the focus goes is the behaviour's to say.
#pragma once

#include <QPointer>
#include <QWidget>

namespace kovar {

// Kept over a modal box: once the box has closed, `window` is active again if it is shown.
class ActivatedAfterBox {
 public:
  explicit ActivatedAfterBox(QWidget* window) : window_(window) {}
  ~ActivatedAfterBox();
  ActivatedAfterBox(const ActivatedAfterBox&) = delete;
  ActivatedAfterBox& operator=(const ActivatedAfterBox&) = delete;

 private:
  QPointer<QWidget> window_;
};

// Gives `widget` the focus, and tells screen readers so even when it had it already: after a box,
// the reader's place is the box that went.
void FocusAndTell(QWidget* widget);

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's activation after a box, and the focus told to screen readers.
#include "KeyboardFocus.h"

#include <QAccessible>

namespace kovar {

ActivatedAfterBox::~ActivatedAfterBox() {
  // Without a window manager nothing gives the window back its activation, and with one the
  // window asked for is the one it would choose.
  if (window_ && window_->isVisible()) window_->activateWindow();
}

void FocusAndTell(QWidget* widget) {
  // As when the window is left and come back to: a field keeps its selection, and shows what it
  // showed before.
  widget->setFocus(Qt::ActiveWindowFocusReason);
  // An inactive window gets its focus when it is activated, and Qt tells of it then.
  if (!QAccessible::isActive() || !widget->isActiveWindow()) return;
  QAccessibleEvent focused(widget, QAccessible::Focus);
  QAccessible::updateAccessibility(&focused);
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The debug console window built from the description, showing what its behaviour tells it.
#include "frmDebug.h"

#include <string>

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QResizeEvent>

#include "Accessibility.h"
#include "DebugLogModel.h"
#include "PixelRect.h"
#include "TextControls.h"

namespace kovar {

frmDebug::frmDebug(DebugBehaviour& behaviour)
    : QWidget(nullptr, Qt::Window), log_(new DebugLogModel(this)), behaviour_(behaviour) {
  setObjectName(QStringLiteral("frmDebug"));
  setWindowTitle(ToDisplay(kDebugWindowFrame.caption));
  // The console is a side window: closing it must never end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(Pixels(kDebugWindowFrame.clientWidth), Pixels(kDebugWindowFrame.clientHeight));
  InstallAccessibleInterfaces();

  // Made from the last row up: Qt stacks a later sibling in front, so the first row ends there.
  for (std::size_t i = kDebugWindowControls.size(); i-- > 0;) {
    const ControlDescription& row = kDebugWindowControls[i];
    QWidget* widget = MakeControl(static_cast<DebugControl>(i));
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(PixelRect(row.place));
    controls_[i] = widget;
  }
  constexpr auto kTabOrder = TabOrderOf(kDebugWindowControls);
  for (std::size_t i = 1; i < kTabOrder.focusable; ++i) {
    setTabOrder(controls_[kTabOrder.rows[i - 1]], controls_[kTabOrder.rows[i]]);
  }

  MakeAccessible(controls_);
  connect(cmdSend(), &QPushButton::clicked, this, [this] {
    // Only what the player typed is converted back to bytes.
    behaviour_.cmdSend_Click(ToBytes(txtMain()->text()));
  });
  behaviour_.ControlsMade(*this);
}

frmDebug::~frmDebug() = default;

QWidget* frmDebug::MakeControl(DebugControl control) {
  const ControlDescription& row = Describe(control);
  switch (row.kind) {
    case ControlKind::List: {
      auto* list = new QListView(this);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setEditTriggers(QAbstractItemView::NoEditTriggers);
      // Every row is one line of text, so the view need not measure a long log row by row.
      list->setUniformItemSizes(true);
      list->setModel(log_);
      return list;
    }
    case ControlKind::TextBox:
      return new QLineEdit(ToDisplay(row.text), this);
    case ControlKind::Button: {
      auto* button = new QPushButton(ToDisplay(row.text), this);
      // Enter in the text box must not run the line: no button answers it.
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
    default:
      return new QWidget(this);
  }
}

QListView* frmDebug::listDebug() const {
  return static_cast<QListView*>(Control(DebugControl::listDebug));
}
QLineEdit* frmDebug::txtMain() const {
  return static_cast<QLineEdit*>(Control(DebugControl::txtMain));
}
QPushButton* frmDebug::cmdSend() const {
  return static_cast<QPushButton*>(Control(DebugControl::cmdSend));
}

void frmDebug::ShowWindow() {
  if (isMinimized()) {
    showNormal();
  } else {
    show();
  }
  raise();
  activateWindow();
}

void frmDebug::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  behaviour_.Form_Resize(width(), height());
}

void frmDebug::keyPressEvent(QKeyEvent* event) {
  // The text box passes Enter and Escape on to its window; here they mean nothing.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->accept();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void frmDebug::ShowLog(const std::vector<std::string>& log, std::size_t first) {
  log_->Append(log, first);
}

void frmDebug::CallAtNextTurn() {
  QMetaObject::invokeMethod(
      this, [this] { behaviour_.ShowPendingLog(); }, Qt::QueuedConnection);
}

void frmDebug::ClearLine() { txtMain()->clear(); }

void frmDebug::Place(DebugControl control, const PixelsRect& place) {
  Control(control)->setGeometry(ToQRect(place));
}

}  // namespace kovar

// The debug console window built from the description: its controls, the send action and the
// resize rule.
#include "frmDebug.h"

#include <string>

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QResizeEvent>

#include "DebugLogModel.h"
#include "PixelRect.h"
#include "TextCodec.h"
#include "WindowDescription.h"

namespace kovar {

namespace {

template <typename T>
T* Make(DebugControl control, QWidget* parent) {
  auto* widget = new T(parent);
  const ControlDescription& row = Describe(control);
  widget->setObjectName(QString::fromLatin1(row.name));
  widget->setGeometry(PixelRect(row.place));
  return widget;
}

}  // namespace

frmDebug::frmDebug(Launcher& launcher)
    : QWidget(nullptr, Qt::Window),
      launcher_(launcher),
      log_(new DebugLogModel(launcher.State(), this)),
      // Created back to front, which is also the focus order: list, text box, button.
      listDebug_(Make<QListView>(DebugControl::listDebug, this)),
      txtMain_(Make<QLineEdit>(DebugControl::txtMain, this)),
      cmdSend_(Make<QPushButton>(DebugControl::cmdSend, this)) {
  setObjectName(QStringLiteral("frmDebug"));
  setWindowTitle(ToDisplay(kDebugWindowFrame.caption));
  // The console is a side window: closing it must never end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(Pixels(kDebugWindowFrame.clientWidth), Pixels(kDebugWindowFrame.clientHeight));

  listDebug_->setSelectionMode(QAbstractItemView::SingleSelection);
  listDebug_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Every row is one line of text, so the view need not measure a long log row by row.
  listDebug_->setUniformItemSizes(true);
  listDebug_->setModel(log_);
  // Enter in the text box must not run the line: no button answers it.
  cmdSend_->setAutoDefault(false);
  cmdSend_->setDefault(false);

  // Made back to front, the button ends in front as the description stacks it.
  setTabOrder(listDebug_, txtMain_);
  setTabOrder(txtMain_, cmdSend_);

  connect(cmdSend_, &QPushButton::clicked, this, &frmDebug::cmdSend_Click);
}

frmDebug::~frmDebug() = default;

void frmDebug::ShowWindow() {
  log_->Flush();
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
  Form_Resize();
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

void frmDebug::cmdSend_Click() {
  // Only what the player typed is converted back to bytes.
  const Result ran = launcher_.RunCommand(ToBytes(txtMain_->text()));
  log_->Flush();
  // The core has shown what failed; the line stays so that the player can correct it.
  if (ran.ok()) txtMain_->clear();
}

void frmDebug::Form_Resize() {
  listDebug_->setGeometry(ToQRect(DebugListPlace(width(), height())));
}

}  // namespace kovar

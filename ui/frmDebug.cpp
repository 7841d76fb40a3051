// The debug console window: its controls, the send action and the resize rule.
#include "frmDebug.h"

#include <algorithm>
#include <string>

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QResizeEvent>

#include "DebugLogModel.h"
#include "Twips.h"

namespace kovar {

namespace {

struct Place {
  int left;
  int top;
  int width;
  int height;
};

QRect Pixels(const Place& place) {
  return PixelRect(place.left, place.top, place.width, place.height);
}

constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 3195;

// Front-most first. The list's size is only a start: the resize rule replaces it.
constexpr Place kCmdSend{4320, 0, 255, 255};
constexpr Place kTxtMain{0, 0, 4215, 285};
constexpr Place kListDebug{0, 360, 1575, 840};

}  // namespace

frmDebug::frmDebug(Launcher& launcher)
    : QWidget(nullptr, Qt::Window),
      launcher_(launcher),
      log_(new DebugLogModel(launcher.State(), this)) {
  setObjectName(QStringLiteral("frmDebug"));
  setWindowTitle(QStringLiteral("Debug"));
  // The console is a side window: closing it must never end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(Pixels(kClientWidth), Pixels(kClientHeight));

  // Created back to front, which is also the focus order: list, text box, button.
  listDebug = new QListView(this);
  listDebug->setObjectName(QStringLiteral("listDebug"));
  listDebug->setGeometry(Pixels(kListDebug));
  listDebug->setSelectionMode(QAbstractItemView::SingleSelection);
  listDebug->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Every row is one line of text, so the view need not measure a long log row by row.
  listDebug->setUniformItemSizes(true);
  listDebug->setModel(log_);

  txtMain = new QLineEdit(this);
  txtMain->setObjectName(QStringLiteral("txtMain"));
  txtMain->setGeometry(Pixels(kTxtMain));

  cmdSend = new QPushButton(this);
  cmdSend->setObjectName(QStringLiteral("cmdSend"));
  cmdSend->setGeometry(Pixels(kCmdSend));
  // Enter in the text box must not run the line: no button answers it.
  cmdSend->setAutoDefault(false);
  cmdSend->setDefault(false);

  listDebug->lower();
  cmdSend->raise();
  setTabOrder(listDebug, txtMain);
  setTabOrder(txtMain, cmdSend);

  connect(cmdSend, &QPushButton::clicked, this, &frmDebug::cmdSend_Click);
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
  const QByteArray typed = txtMain->text().toLocal8Bit();
  const bool failed =
      launcher_.RunCommand(std::string(typed.constData(), static_cast<std::size_t>(typed.size())));
  log_->Flush();
  // The core has shown what failed; the line stays so that the player can correct it.
  if (!failed) txtMain->clear();
}

void frmDebug::Form_Resize() {
  const QRect start = Pixels(kListDebug);
  listDebug->setGeometry(start.left(), start.top(), width(), std::max(0, height() - start.top()));
}

}  // namespace kovar

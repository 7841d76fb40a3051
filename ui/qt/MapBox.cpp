// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map box's field and list, and what counts as the player choosing an entry.
#include "MapBox.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace kovar {

MapBox::MapBox(QAbstractItemModel* entries, QWidget* parent)
    : QWidget(parent), field_(new QLineEdit(this)), list_(new QListView(this)) {
  list_->setModel(entries);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setTextElideMode(Qt::ElideNone);
  // Every entry is one line of text: the list need not measure each of a large catalogue's
  // entries before it can show the first.
  list_->setUniformItemSizes(true);
  // The field holds the focus for the whole box; the arrow keys in it move the list's selection.
  list_->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(field_);
  field_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
}

void MapBox::ClearChoice() {
  const QSignalBlocker blocker(list_);
  list_->setCurrentIndex(QModelIndex());
  list_->clearSelection();
}

void MapBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int fieldHeight = std::min(field_->sizeHint().height(), height());
  field_->setGeometry(0, 0, width(), fieldHeight);
  list_->setGeometry(0, fieldHeight, width(), height() - fieldHeight);
}

bool MapBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    return FieldKey(static_cast<QKeyEvent*>(event)->key());
  }
  if (watched != list_->viewport()) return false;
  // The list's own mouse handling selects on press and while dragging; here an entry is chosen
  // only by a whole click, so that every change of the selection loads the map it names.
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return true;
      pressed_ = true;
      field_->setFocus(Qt::MouseFocusReason);
      return true;
    }
    case QEvent::MouseMove:
      return true;
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton || !pressed_) return true;
      pressed_ = false;
      const QModelIndex index = list_->indexAt(mouse->position().toPoint());
      if (index.isValid()) Choose(index.row());
      return true;
    }
    default:
      return false;
  }
}

bool MapBox::FieldKey(int key) {
  const int count = list_->model()->rowCount();
  const int current = list_->currentIndex().row();
  const int page = std::max(1, list_->viewport()->height() / std::max(1, list_->sizeHintForRow(0)));
  int row = current;
  switch (key) {
    case Qt::Key_Down:
      row = current + 1;
      break;
    case Qt::Key_Up:
      row = current - 1;
      break;
    case Qt::Key_PageDown:
      row = current + page;
      break;
    case Qt::Key_PageUp:
      row = current - page;
      break;
    default:
      return false;
  }
  if (count == 0) return true;
  row = std::clamp(row, 0, count - 1);
  if (row != current) Choose(row);
  return true;
}

void MapBox::Choose(int row) {
  list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect);
  emit entryChosen(row);
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map box: a one-line editable field with its list always open below it, as one control.
// Qt's combo box only drops its list down, so the field and the list are composed here.
#pragma once

#include <QWidget>

class QLineEdit;
class QAbstractItemModel;
class QListView;

namespace kovar {

class MapBox : public QWidget {
  Q_OBJECT

 public:
  // The list shows `entries`, one line of text each.
  MapBox(QAbstractItemModel* entries, QWidget* parent);

  QLineEdit* Field() const { return field_; }
  QListView* List() const { return list_; }

  // After the entries were replaced: no entry is current or selected. The field's text stays.
  void ClearChoice();

 signals:
  // The player chose the entry `row`: by a click on it (the current one included) or by moving
  // the selection with the keyboard.
  void entryChosen(int row);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool FieldKey(int key);
  void Choose(int row);

  QLineEdit* field_;
  QListView* list_;
  bool pressed_ = false;
};

}  // namespace kovar

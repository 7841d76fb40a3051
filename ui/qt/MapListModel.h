// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map catalogue as a list model over the core's own list of names.
#pragma once

#include <string>
#include <vector>

#include <QAbstractListModel>
#include <QHash>
#include <QString>

namespace kovar {

// Names are decoded for display only when a view asks for them, so a catalogue of thousands of
// maps costs no copy and no conversion up front.
class MapListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit MapListModel(QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The list is now `names`, the core's map list, which must outlive the model or the next
  // reset: the views read it again.
  void Reset(const std::vector<std::string>& names);

  // What a screen reader hears of the entry `row` besides its name (its accessible description):
  // the map's title and description once that map was shown. Forgotten on a reset.
  void SetDescription(int row, const QString& description);

 private:
  const std::vector<std::string>* names_ = nullptr;
  // The rows the views know of.
  int rows_ = 0;
  QHash<int, QString> descriptions_;
};

}  // namespace kovar

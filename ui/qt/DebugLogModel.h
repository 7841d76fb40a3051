// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's log as a list model: rows are read from the core's log when a view asks for them.
#pragma once

#include <cstddef>

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace kovar {

// Each batch of lines is announced to the views in one insertion. Entries are never changed or
// removed.
class DebugLogModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit DebugLogModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The log is now `log`, the core's own, which must outlive the model; its rows from `first`
  // on are new.
  void Append(const std::vector<std::string>& log, std::size_t first);

 private:
  const std::vector<std::string>* log_ = nullptr;
  // The rows the views know of.
  std::size_t announced_ = 0;
};

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map list model: rows read from the core's list, decoded when shown.
#include "MapListModel.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "TextControls.h"

namespace kovar {

namespace {

int RowsOf(const std::vector<std::string>& names) {
  // A view counts rows in int.
  return static_cast<int>(
      std::min(names.size(), static_cast<std::size_t>(std::numeric_limits<int>::max())));
}

}  // namespace

MapListModel::MapListModel(QObject* parent) : QAbstractListModel(parent) {}

int MapListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant MapListModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::AccessibleDescriptionRole) return descriptions_.value(index.row());
  if (role != Qt::DisplayRole || !index.isValid() || index.column() != 0 || index.row() < 0 ||
      index.row() >= rows_ || !names_ || static_cast<std::size_t>(index.row()) >= names_->size()) {
    return {};
  }
  return ToDisplay((*names_)[static_cast<std::size_t>(index.row())]);
}

Qt::ItemFlags MapListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

void MapListModel::Reset(const std::vector<std::string>& names) {
  beginResetModel();
  names_ = &names;
  rows_ = RowsOf(names);
  descriptions_.clear();
  endResetModel();
}

void MapListModel::SetDescription(int row, const QString& description) {
  if (row < 0 || row >= rows_ || descriptions_.value(row) == description) return;
  descriptions_.insert(row, description);
  emit dataChanged(index(row), index(row), {Qt::AccessibleDescriptionRole});
}

}  // namespace kovar

// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's log as a list model, its batches of lines announced as one insertion each.
#include "DebugLogModel.h"

#include <algorithm>
#include <limits>
#include <string>

#include "TextControls.h"

namespace kovar {

namespace {

// A view counts rows in int; lines beyond that stay in the core's log but cannot be listed.
constexpr std::size_t kMaxRows = static_cast<std::size_t>(std::numeric_limits<int>::max());

}  // namespace

DebugLogModel::DebugLogModel(QObject* parent) : QAbstractListModel(parent) {}

int DebugLogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(announced_);
}

QVariant DebugLogModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.column() != 0 || index.row() < 0 ||
      static_cast<std::size_t>(index.row()) >= announced_) {
    return {};
  }
  // The log keeps the bytes as executed; they are decoded here for display only.
  const std::string& line = (*log_)[static_cast<std::size_t>(index.row())];
  return ToDisplay(line);
}

Qt::ItemFlags DebugLogModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

void DebugLogModel::Append(const std::vector<std::string>& log, std::size_t first) {
  log_ = &log;
  const std::size_t logged = std::min(log.size(), kMaxRows);
  if (first != announced_ || logged <= announced_) return;
  beginInsertRows(QModelIndex(), static_cast<int>(announced_), static_cast<int>(logged - 1));
  announced_ = logged;
  endInsertRows();
}

}  // namespace kovar

// The launcher's log as a list model: rows are read from the core's log when a view asks for them.
#pragma once

#include <cstddef>

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace kovar {

// Command files can run a hundred thousand lines inside one call, while no event is handled, so
// an appended line only counts as pending; the rows are announced to the views in one insertion
// when the event loop next runs, or when Flush is called. Entries are never changed or removed.
class DebugLogModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit DebugLogModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The log is now `log`, the core's own, which must outlive the model: its new lines are
  // announced when the event loop next runs.
  void Grew(const std::vector<std::string>& log);
  // Announces every line logged since the last announcement.
  void Flush();

 private:
  const std::vector<std::string>* log_ = nullptr;
  // The rows the views know of; the log may already hold more.
  std::size_t announced_ = 0;
  bool flushQueued_ = false;
};

}  // namespace kovar

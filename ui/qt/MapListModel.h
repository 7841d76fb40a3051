// The map catalogue as a list model over the core's own list of names.
#pragma once

#include <string>
#include <vector>

#include <QAbstractListModel>

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

 private:
  const std::vector<std::string>* names_ = nullptr;
  // The rows the views know of.
  int rows_ = 0;
};

}  // namespace kovar

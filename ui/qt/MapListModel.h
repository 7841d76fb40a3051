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
  // `names` is the core's map list; it must outlive the model.
  MapListModel(const std::vector<std::string>& names, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The core replaced the list: the views read it again.
  void Reset();

 private:
  const std::vector<std::string>& names_;
  // The rows the views know of.
  int rows_ = 0;
};

}  // namespace kovar

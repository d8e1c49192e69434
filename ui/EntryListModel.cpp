#include "ui/EntryListModel.h"

#include "ui/TextCodec.h"

namespace quorvel::ui {

int EntryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count();
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count()) return {};
  if (role == Qt::DisplayRole) return ToQString(text(index.row()));
  return {};
}

void EntryListModel::Append(const std::string& text, int slot) {
  const int row = count();
  beginInsertRows(QModelIndex(), row, row);
  texts_.push_back(text);
  ListSlots.push_back(slot);
  endInsertRows();
}

void EntryListModel::Remove(int row) {
  if (row < 0 || row >= count()) return;
  beginRemoveRows(QModelIndex(), row, row);
  texts_.erase(texts_.begin() + row);
  ListSlots.erase(ListSlots.begin() + row);
  endRemoveRows();
}

void EntryListModel::Clear() {
  if (texts_.empty()) return;
  beginResetModel();
  texts_.clear();
  ListSlots.clear();
  endResetModel();
}

}  // namespace quorvel::ui

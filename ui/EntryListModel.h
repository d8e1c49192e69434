// The items of the entry list: each item's text (code page 1253, as the search wrote it) and
// its ListSlots value, the EnglishIndex slot of the item's entry. Texts are converted for
// display only when the view asks for them.
#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace quorvel::ui {

class EntryListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void Append(const std::string& text, int slot);
  void Remove(int row);
  void Clear();

  int count() const { return static_cast<int>(texts_.size()); }
  // REQUIRES: 0 <= row < count().
  const std::string& text(int row) const { return texts_[static_cast<size_t>(row)]; }
  int slot(int row) const { return ListSlots[static_cast<size_t>(row)]; }
  void setSlot(int row, int slot) { ListSlots[static_cast<size_t>(row)] = slot; }

 private:
  std::vector<std::string> texts_;
  std::vector<int> ListSlots;
};

}  // namespace quorvel::ui

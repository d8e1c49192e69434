#include "core/MemoryEntryList.h"

namespace quorvel {

void MemoryEntryList::SetSearchText(const std::string& text) {
  if (text == searchText_) return;
  searchText_ = text;
  if (!navigating && onSearchTextChanged) onSearchTextChanged();
}

void MemoryEntryList::ClearView() {
  items_.clear();
  selected_ = -1;
  shownSlot = 0;
  editCommandsEnabled = false;
  ++clearViewCount;
}

void MemoryEntryList::RemoveItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  items_.erase(items_.begin() + index);
  if (selected_ == index) selected_ = -1;
  else if (selected_ > index) --selected_;
}

void MemoryEntryList::ShowSelectedEntry() {
  if (selected_ < 0 || selected_ >= ItemCount()) return;
  shownSlot = ItemSlot(selected_);
  editCommandsEnabled = true;
  if (onShowEntry) onShowEntry(shownSlot);
}

}  // namespace quorvel

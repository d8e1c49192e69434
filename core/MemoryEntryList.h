// An EntryListWindow held in memory: the list, its slots, the selection and the search text,
// with optional hooks for the search box's change behaviour and the entry view. The tools use
// it as their "window"; the tests use it to watch what the search and the store do.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/EntryListWindow.h"

namespace quorvel {

class MemoryEntryList : public EntryListWindow {
 public:
  struct Item {
    std::string text;
    int slot = 0;
  };

  // Called after the search text changed, unless `navigating` is set.
  std::function<void()> onSearchTextChanged;
  // Called by ShowSelectedEntry with the selected item's slot.
  std::function<void(int slot)> onShowEntry;

  bool navigating = false;
  bool editCommandsEnabled = false;
  int clearViewCount = 0;
  int busyDepth = 0;
  int shownSlot = 0;  // the slot last shown; 0 after ClearView
  bool greekMode = false;

  const std::vector<Item>& items() const { return items_; }

  std::string SearchText() const override { return searchText_; }
  void SetSearchText(const std::string& text) override;
  void ClearView() override;
  void ClearEntryText() override {}
  void AppendItem(const std::string& text, int slot) override { items_.push_back({text, slot}); }
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  std::string ItemText(int index) const override { return items_.at(static_cast<size_t>(index)).text; }
  int ItemSlot(int index) const override { return items_.at(static_cast<size_t>(index)).slot; }
  void SetItemSlot(int index, int slot) override { items_.at(static_cast<size_t>(index)).slot = slot; }
  void RemoveItem(int index) override;
  int SelectedIndex() const override { return selected_; }
  void SelectItem(int index) override { selected_ = index; }
  void ShowSelectedEntry() override;
  bool GreekMode() const override { return greekMode; }
  void SetLanguage(bool greek) override { greekMode = greek; }
  void BeginBusy() override { ++busyDepth; }
  void EndBusy() override { --busyDepth; }
  void DisableEditCommands() override { editCommandsEnabled = false; }

 private:
  std::string searchText_;
  std::vector<Item> items_;
  int selected_ = -1;
};

}  // namespace quorvel

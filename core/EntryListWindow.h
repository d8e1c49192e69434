// What the list search and the user entry store need from the window that shows the entry
// list: the search text, the list items with their slots (the parallel ListSlots), the
// selection, the entry view, the busy cursor and the edit commands' enabled state.
// The main window implements it; MemoryEntryList is the plain implementation that the tools
// and the tests use.
#pragma once

#include <string>

namespace quorvel {

class EntryListWindow {
 public:
  virtual ~EntryListWindow() = default;

  virtual std::string SearchText() const = 0;
  // Writing a different text raises the search box's change behaviour (a nested search) unless
  // the window is navigating; writing the same text does nothing.
  virtual void SetSearchText(const std::string& text) = 0;

  // Empties both heading labels, the list with its slots and the description, disables the
  // modify and delete commands and shows the title picture.
  virtual void ClearView() = 0;
  // Empties the rendering label and the description (after a deletion).
  virtual void ClearEntryText() = 0;

  // Appends an item and its EnglishIndex slot.
  virtual void AppendItem(const std::string& text, int slot) = 0;
  virtual int ItemCount() const = 0;
  virtual std::string ItemText(int index) const = 0;
  virtual int ItemSlot(int index) const = 0;
  virtual void SetItemSlot(int index, int slot) = 0;
  virtual void RemoveItem(int index) = 0;

  // -1 when nothing is selected.
  virtual int SelectedIndex() const = 0;
  virtual void SelectItem(int index) = 0;
  // Shows the entry of the selected item (the list's click).
  virtual void ShowSelectedEntry() = 0;

  // The list language: false English headwords, true Greek terms.
  virtual bool GreekMode() const = 0;
  // Switches the list language (with its button glyph and keyboard layout).
  virtual void SetLanguage(bool greek) = 0;

  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
  virtual void DisableEditCommands() = 0;
};

// Shows the busy cursor for its lifetime.
class BusyScope {
 public:
  explicit BusyScope(EntryListWindow& window) : window_(window) { window_.BeginBusy(); }
  ~BusyScope() { window_.EndBusy(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  EntryListWindow& window_;
};

}  // namespace quorvel

// The browsing history: the back list (most recent first, at most 15 entries) and the forward
// list (nearest first) of the entries already shown, the entry shown now, and the four history
// commands. The window shows the two lists as its history menus.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/EntryIndex.h"

namespace quorvel {

struct HistoryItem {
  std::string caption;  // the entry's list text when it was shown (" *" included)
  int slot = 0;         // its EnglishIndex slot
  uint16_t number = 0;  // its entry number, to find it again after the index is rebuilt
  uint64_t id = 0;      // identity of this menu item
};

// The four history commands: a step back or forward, or an item chosen from a list.
enum class HistoryMove { kStepBack, kStepForward, kChooseBack, kChooseForward };

class BrowsingHistory {
 public:
  static constexpr int kCapacity = 15;

  const std::vector<HistoryItem>& back() const { return back_; }
  const std::vector<HistoryItem>& forward() const { return forward_; }
  const std::string& currentCaption() const { return currentCaption_; }
  int currentSlot() const { return currentSlot_; }

  // An entry is being shown: the entry shown until now goes onto the back list (once, on top),
  // then this one becomes the current entry.
  void EntryShown(const std::string& caption, int slot, uint16_t number);
  void ClearForward() { forward_.clear(); }

  // A command in two steps. First the item it goes to (the item `id` for a choice); nothing
  // when its list, or the item, is missing. Then, once the entry is listed (and, when it could
  // be, shown: `shown`, its list text and slot), the move: the lists change as the command says
  // and a shown entry becomes the current one.
  std::optional<HistoryItem> Target(HistoryMove move, uint64_t id = 0) const;
  void Moved(HistoryMove move, const HistoryItem& target, const std::optional<HistoryItem>& shown);

  // After the index is rebuilt: every item and the current entry take the slot that now holds
  // their entry number; items whose entry is gone are dropped.
  void Remap(const Dictionary& dictionary);

 private:
  void PushBackHistory();
  HistoryItem NewItem(const std::string& caption, int slot, uint16_t number);
  static void RemoveId(std::vector<HistoryItem>& list, uint64_t id);
  void MakeCurrent(const HistoryItem& item);

  std::vector<HistoryItem> back_;
  std::vector<HistoryItem> forward_;
  std::string currentCaption_;
  int currentSlot_ = 0;
  uint16_t currentNumber_ = 0;
  uint64_t nextId_ = 1;
};

}  // namespace quorvel

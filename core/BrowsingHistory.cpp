#include "core/BrowsingHistory.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {

HistoryItem BrowsingHistory::NewItem(const std::string& caption, int slot, uint16_t number) {
  return HistoryItem{caption, slot, number, nextId_++};
}

void BrowsingHistory::RemoveId(std::vector<HistoryItem>& list, uint64_t id) {
  const auto it = std::find_if(list.begin(), list.end(), [id](const HistoryItem& i) { return i.id == id; });
  if (it != list.end()) list.erase(it);
}

void BrowsingHistory::PushBackHistory() {
  if (currentCaption_.empty()) return;
  const auto same = std::find_if(back_.begin(), back_.end(),
                                 [this](const HistoryItem& i) { return i.slot == currentSlot_; });
  if (same != back_.end()) back_.erase(same);
  back_.insert(back_.begin(), NewItem(currentCaption_, currentSlot_, currentNumber_));
  if (static_cast<int>(back_.size()) > kCapacity) back_.erase(back_.begin() + kCapacity);
}

void BrowsingHistory::EntryShown(const std::string& caption, int slot, uint16_t number) {
  PushBackHistory();
  currentCaption_ = caption;
  currentSlot_ = slot;
  currentNumber_ = number;
}

void BrowsingHistory::MakeCurrent(const HistoryItem& item) {
  currentCaption_ = item.caption;
  currentSlot_ = item.slot;
  currentNumber_ = item.number;
}

std::optional<HistoryItem> BrowsingHistory::Target(HistoryMove move, uint64_t id) const {
  const std::vector<HistoryItem>& list =
      move == HistoryMove::kStepBack || move == HistoryMove::kChooseBack ? back_ : forward_;
  if (move == HistoryMove::kStepBack || move == HistoryMove::kStepForward) {
    if (list.empty()) return std::nullopt;
    return list.front();
  }
  const auto it = std::find_if(list.begin(), list.end(), [id](const HistoryItem& i) { return i.id == id; });
  if (it == list.end()) return std::nullopt;
  return *it;
}

void BrowsingHistory::Moved(HistoryMove move, const HistoryItem& target, const std::optional<HistoryItem>& shown) {
  switch (move) {
    case HistoryMove::kStepBack: {
      // The entry left goes in front of the forward list, not onto the back list; showing the
      // target still trims the back list as showing any entry does.
      const HistoryItem left = NewItem(currentCaption_, currentSlot_, currentNumber_);
      if (shown) {
        const bool pushed = !currentCaption_.empty();
        PushBackHistory();
        if (pushed) back_.erase(back_.begin());
        MakeCurrent(*shown);
      }
      forward_.insert(forward_.begin(), left);
      RemoveId(back_, target.id);
      return;
    }
    case HistoryMove::kStepForward:
      if (shown) EntryShown(shown->caption, shown->slot, shown->number);
      RemoveId(forward_, target.id);
      return;
    case HistoryMove::kChooseBack:
      if (shown) EntryShown(shown->caption, shown->slot, shown->number);
      RemoveId(back_, target.id);
      forward_.clear();
      return;
    case HistoryMove::kChooseForward:
      if (shown) EntryShown(shown->caption, shown->slot, shown->number);
      forward_.clear();
      return;
  }
}

void BrowsingHistory::Remap(const Dictionary& d) {
  if (back_.empty() && forward_.empty() && currentCaption_.empty() && currentSlot_ == 0) return;
  // The first slot of each entry number; 0 for a number no entry has.
  std::vector<int> slotOf(size_t{UINT16_MAX} + 1, 0);
  for (int slot = d.englishCount; slot >= 1; --slot) slotOf[d.EnglishIndex[slot].Number] = slot;
  auto remap = [&](std::vector<HistoryItem>& list) {
    std::vector<HistoryItem> kept;
    for (HistoryItem item : list) {
      if (slotOf[item.number] == 0) continue;
      item.slot = slotOf[item.number];
      kept.push_back(item);
    }
    list = std::move(kept);
  };
  remap(back_);
  remap(forward_);
  if (slotOf[currentNumber_] != 0) {
    currentSlot_ = slotOf[currentNumber_];
  } else {
    currentCaption_.clear();
    currentSlot_ = 0;
  }
}

}  // namespace quorvel

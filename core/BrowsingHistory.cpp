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
  lastPushedId_ = back_.front().id;
  if (static_cast<int>(back_.size()) > kCapacity) back_.erase(back_.begin() + kCapacity);
}

void BrowsingHistory::EntryShown(const std::string& caption, int slot, uint16_t number) {
  PushBackHistory();
  currentCaption_ = caption;
  currentSlot_ = slot;
  currentNumber_ = number;
}

void BrowsingHistory::StepBack(const GoTo& goTo) {
  if (back_.empty()) return;
  const HistoryItem target = back_.front();
  const HistoryItem left = NewItem(currentCaption_, currentSlot_, currentNumber_);
  lastPushedId_ = 0;
  goTo(target);
  const uint64_t pushed = lastPushedId_;
  forward_.insert(forward_.begin(), left);
  if (pushed != 0) RemoveId(back_, pushed);
  RemoveId(back_, target.id);
}

void BrowsingHistory::StepForward(const GoTo& goTo) {
  if (forward_.empty()) return;
  const HistoryItem target = forward_.front();
  goTo(target);
  RemoveId(forward_, target.id);
}

void BrowsingHistory::ChooseBack(uint64_t id, const GoTo& goTo) {
  const auto it = std::find_if(back_.begin(), back_.end(), [id](const HistoryItem& i) { return i.id == id; });
  if (it == back_.end()) return;
  const HistoryItem target = *it;
  goTo(target);
  RemoveId(back_, target.id);
  forward_.clear();
}

void BrowsingHistory::ChooseForward(uint64_t id, const GoTo& goTo) {
  const auto it = std::find_if(forward_.begin(), forward_.end(), [id](const HistoryItem& i) { return i.id == id; });
  if (it == forward_.end()) return;
  const HistoryItem target = *it;
  goTo(target);
  forward_.clear();
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

// The search candidates of an index: for every used slot (1..count) the entry's text folded
// into a search key, for every other slot an empty text. A block of slots is folded the first
// time one of its slots is read, so the memory and time spent follow what the searches read: a
// prefix search folds the slots from its letter on, a search in the other language none.
//
// Reading through a const reference may fold a block; the folded texts are kept, and the
// references given stay valid, until the next Reset. The dictionary is used from one thread.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <memory>

#include "core/SlotArray.h"

namespace quorvel {

template <typename Entry, size_t Slots>
class FoldedSlots {
 public:
  using Fold = std::string (*)(const Entry& entry);

  // `index` must outlive this object; its used slots must not change between Reset calls.
  FoldedSlots(const SlotArray<Entry, Slots>& index, Fold fold) : index_(index), fold_(fold) {}
  FoldedSlots(const FoldedSlots&) = delete;
  FoldedSlots& operator=(const FoldedSlots&) = delete;

  static constexpr size_t size() { return Slots; }

  // fold(index[slot]) for a used slot, an empty text for any other.
  const std::string& operator[](size_t slot) const {
    if (slot == 0 || slot > count_) return Empty();
    const size_t block = slot / kBlockSlots;
    if (!blocks_[block]) FoldBlock(block);
    return (*blocks_[block])[slot % kBlockSlots];
  }

  // Forgets what was folded: from now on slots 1..count are the used ones.
  void Reset(int count) {
    for (auto& block : blocks_) block.reset();
    count_ = std::min(static_cast<size_t>(std::max(count, 0)), Slots - 1);
  }

 private:
  static constexpr size_t kBlockSlots = SlotArray<std::string, Slots>::kBlockSlots;
  static constexpr size_t kBlocks = SlotArray<std::string, Slots>::kBlocks;
  using Block = std::array<std::string, kBlockSlots>;

  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  void FoldBlock(size_t block) const {
    blocks_[block] = std::make_unique<Block>();
    const size_t first = std::max<size_t>(block * kBlockSlots, 1);
    const size_t end = std::min((block + 1) * kBlockSlots, count_ + 1);
    for (size_t slot = first; slot < end; ++slot) (*blocks_[block])[slot % kBlockSlots] = fold_(index_[slot]);
  }

  const SlotArray<Entry, Slots>& index_;
  Fold fold_;
  size_t count_ = 0;
  // The folded blocks; a block is made, whole, the first time one of its slots is read.
  mutable std::array<std::unique_ptr<Block>, kBlocks> blocks_;
};

}  // namespace quorvel

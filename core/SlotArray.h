// A fixed number of slots whose memory follows what is stored: the slots are held in blocks,
// made when a slot of theirs is first written, so an index of 30002 slots that holds five
// entries costs one block, and one that holds none costs nothing.
//
// Reading any slot works: a slot never written reads as a value-initialised T (for the index
// entries: Number 0, an empty slot). Writing a slot makes its block; the references a SlotArray
// gives stay valid until clear() or its destruction, however many blocks are made after them.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <memory>

namespace quorvel {

template <typename T, size_t Slots>
class SlotArray {
 public:
  static constexpr size_t kBlockSlots = 256;
  static constexpr size_t kBlocks = (Slots + kBlockSlots - 1) / kBlockSlots;

  // Always Slots: every slot can be read, whatever is stored.
  static constexpr size_t size() { return Slots; }

  // The slot's value; a shared empty T for a slot never written (or one past the end).
  const T& operator[](size_t slot) const {
    const size_t block = slot / kBlockSlots;
    if (block < kBlocks && blocks_[block]) return (*blocks_[block])[slot % kBlockSlots];
    return Empty();
  }

  // The slot, to write; makes its block when it has none. REQUIRES: slot < Slots.
  T& operator[](size_t slot) {
    assert(slot < Slots);
    std::unique_ptr<Block>& block = blocks_[slot / kBlockSlots];
    if (!block) {
      block = std::make_unique<Block>();
      storedEnd_ = std::max(storedEnd_, std::min(Slots, (slot / kBlockSlots + 1) * kBlockSlots));
    }
    return (*block)[slot % kBlockSlots];
  }

  // Every slot empty again, and the memory given back.
  void clear() {
    for (std::unique_ptr<Block>& block : blocks_) block.reset();
    storedEnd_ = 0;
  }

  // Every slot from this one on reads as empty: the end of the last block that has memory (at
  // most Slots; 0 when no block has). Scans can stop here.
  size_t storedEnd() const { return storedEnd_; }

 private:
  using Block = std::array<T, kBlockSlots>;

  static const T& Empty() {
    static const T empty{};
    return empty;
  }

  std::array<std::unique_ptr<Block>, kBlocks> blocks_{};
  size_t storedEnd_ = 0;
};

}  // namespace quorvel

#include "core/BrowsingHistory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// Drives the history as the session does: showing an entry reports it to the history, and a
// command goes to its target and then tells the history it moved.
class BrowsingHistoryTest : public ::testing::Test {
 protected:
  void Show(const std::string& caption) { history_.EntryShown(caption, SlotOf(caption), Number(caption)); }

  // A command as the session runs it: its target's entry is listed and shown, then the
  // history moves.
  void Go(HistoryMove move, uint64_t id = 0) {
    const std::optional<HistoryItem> target = history_.Target(move, id);
    if (!target) return;
    history_.Moved(move, *target, HistoryItem{target->caption, SlotOf(target->caption), Number(target->caption), 0});
  }

  static int SlotOf(const std::string& caption) { return caption[0] - 'A' + 1; }
  static uint16_t Number(const std::string& caption) { return static_cast<uint16_t>(SlotOf(caption)); }

  static std::string Captions(const std::vector<HistoryItem>& items) {
    std::string text;
    for (const auto& item : items) text += item.caption;
    return text;
  }
  std::string Back() const { return Captions(history_.back()); }
  std::string Forward() const { return Captions(history_.forward()); }

  BrowsingHistory history_;
};

TEST_F(BrowsingHistoryTest, BackAndForwardWalkThroughTheShownEntries) {
  Go(HistoryMove::kStepBack);
  Go(HistoryMove::kStepForward);
  EXPECT_EQ(history_.currentCaption(), "");

  Show("A");
  Show("B");
  Show("C");
  Go(HistoryMove::kStepBack);
  EXPECT_EQ(history_.currentCaption(), "B");
  EXPECT_EQ(Back(), "A");
  EXPECT_EQ(Forward(), "C");
  Go(HistoryMove::kStepBack);
  EXPECT_EQ(history_.currentCaption(), "A");
  EXPECT_EQ(Back(), "");
  EXPECT_EQ(Forward(), "BC");
  Go(HistoryMove::kStepForward);
  EXPECT_EQ(history_.currentCaption(), "B");
  EXPECT_EQ(Back(), "A");
  EXPECT_EQ(Forward(), "C");
}

TEST_F(BrowsingHistoryTest, TheSameEntryTwiceInARow) {
  Show("A");
  Show("A");
  EXPECT_EQ(Back(), "A");
  Go(HistoryMove::kStepBack);
  EXPECT_EQ(history_.currentCaption(), "A");
  EXPECT_EQ(Forward(), "A");
  EXPECT_EQ(Back(), "");
}

TEST_F(BrowsingHistoryTest, TheBackListKeepsTheFifteenMostRecent) {
  for (char c = 'A'; c < 'A' + 17; ++c) Show(std::string(1, c));
  EXPECT_EQ(history_.back().size(), 15u);
  EXPECT_EQ(Back(), "PONMLKJIHGFEDCB");
  // Leaving an entry that is already in the list moves it to the top instead of doubling it.
  Show("C");
  EXPECT_EQ(Back(), "QPONMLKJIHGFEDC");
  Show("D");
  EXPECT_EQ(Back(), "CQPONMLKJIHGFED");
}

TEST_F(BrowsingHistoryTest, ChoosingFromTheBackMenuKeepsNewerEntriesAndEmptiesForward) {
  Show("A");
  Show("B");
  Show("C");
  Show("D");
  Go(HistoryMove::kStepBack);  // C, back BA, forward D
  const uint64_t a = history_.back()[1].id;
  Go(HistoryMove::kChooseBack, a);
  EXPECT_EQ(history_.currentCaption(), "A");
  EXPECT_EQ(Back(), "CB");
  EXPECT_EQ(Forward(), "");
}

TEST_F(BrowsingHistoryTest, ChoosingFromTheForwardMenuEmptiesIt) {
  Show("A");
  Show("B");
  Show("C");
  Go(HistoryMove::kStepBack);
  Go(HistoryMove::kStepBack);  // A, forward BC
  Go(HistoryMove::kChooseForward, history_.forward()[1].id);
  EXPECT_EQ(history_.currentCaption(), "C");
  EXPECT_EQ(Back(), "A");
  EXPECT_EQ(Forward(), "");
  Go(HistoryMove::kChooseForward, 12345);  // gone: nothing happens
  EXPECT_EQ(history_.currentCaption(), "C");
}

TEST_F(BrowsingHistoryTest, AFullBackListLosesItsOldestOnABackStep) {
  for (char c = 'A'; c < 'A' + 16; ++c) Show(std::string(1, c));  // back: O..A (15)
  Go(HistoryMove::kStepBack);
  EXPECT_EQ(history_.currentCaption(), "O");
  EXPECT_EQ(Back(), "NMLKJIHGFEDCB");
  EXPECT_EQ(Forward(), "P");
}

TEST_F(BrowsingHistoryTest, RemapFollowsEntryNumbersAfterARebuild) {
  auto dictionary = std::make_unique<Dictionary>();
  Show("A");
  Show("B");
  Show("C");
  // After the rebuild entry 1 ("A") sits in slot 2 and entry 2 ("B") is gone.
  dictionary->EnglishIndex[1].Number = 9;
  dictionary->EnglishIndex[2].Number = 1;
  dictionary->EnglishIndex[3].Number = 3;
  dictionary->englishCount = 3;
  history_.Remap(*dictionary);
  EXPECT_EQ(Back(), "A");
  EXPECT_EQ(history_.back()[0].slot, 2);
  EXPECT_EQ(history_.currentSlot(), 3);
}

}  // namespace
}  // namespace quorvel

#include "core/Session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Cp1253.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

// A small dictionary opened as the window opens it, driven through the session only.
class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx_.WritePublished({{"anchor", "{Anchor.}"}, {"bow", "{Bow.}"}, {"ship", "{Ship.}"},
                        {"shipyard", "{Yard.}"}},
                       {{3, G("πλοίο")}, {1, G("άγκυρα")}});
    fx_.WriteUserEntries({{2, 10, "boat", "{Boat.}"}});
    session_.Reload();
  }

  std::string Shown(const std::optional<ListOutcome>& outcome) const {
    return outcome && outcome->shown ? outcome->shown->heading : std::string("-");
  }

  DictionaryFixture fx_;
  PosixFileSystem fs_;
  Session session_{fx_.locations(), fs_, [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); }};
};

TEST_F(SessionTest, TypingShowsTheFirstItemOnlyWhenItIsNamedExactly) {
  ListOutcome typed = session_.SearchAsTyped("shi", false);
  ASSERT_EQ(typed.list.items.size(), 2u);
  EXPECT_EQ(typed.list.selected, 0);
  EXPECT_FALSE(typed.shown);

  typed = session_.SearchAsTyped("  SHIP", false);
  EXPECT_EQ(typed.list.searchText, "SHIP");
  ASSERT_TRUE(typed.shown);
  EXPECT_EQ(typed.shown->heading, "ship");
  EXPECT_EQ(typed.shown->rendering, G("πλοίο"));
  EXPECT_EQ(typed.shown->deletable, false);
  ASSERT_TRUE(typed.shown->document);
  EXPECT_NE(typed.shown->document->find("{Ship.}"), std::string::npos);
  EXPECT_EQ(session_.history().currentCaption(), "ship");

  // In Greek the heading is the term; a user entry shows without its mark.
  typed = session_.SearchAsTyped(G("ΠΛΟΙΟ"), true);
  ASSERT_TRUE(typed.shown);
  EXPECT_EQ(typed.shown->heading, G("πλοίο"));
  EXPECT_EQ(typed.shown->rendering, "ship");
  const auto boat = session_.ShowEntry(3, "boat *", true);
  ASSERT_TRUE(boat);
  EXPECT_EQ(boat->heading, "boat");
  EXPECT_EQ(boat->deletable, true);
  EXPECT_FALSE(session_.ShowEntry(0, "", false));
}

// An entry opened from a description search's list has the word marked where it stands, in
// the plain text the view shows; opened from any other list, nothing is marked.
TEST_F(SessionTest, EntriesOpenedFromADescriptionSearchMarkTheWord) {
  EntryList found;
  ASSERT_TRUE(session_.SearchDescriptions("ship", found).ok());
  ASSERT_EQ(found.items.size(), 1u);
  const auto ship = session_.ShowEntry(found.items[0].slot, found.items[0].text, false);
  ASSERT_TRUE(ship && ship->document);
  const std::string plain = *richtext::RtfToPlainText(*ship->document);
  ASSERT_EQ(ship->marks.size(), 1u);
  EXPECT_EQ(plain.substr(ship->marks[0].start, ship->marks[0].length), "Ship");
  session_.SearchAsTyped("ship", false);
  EXPECT_TRUE(session_.ShowEntry(found.items[0].slot, "ship", false)->marks.empty());
}

TEST_F(SessionTest, HistoryStepsListTheEntryInTheLanguageOfItsText) {
  EXPECT_FALSE(session_.GoThroughHistory(HistoryMove::kStepBack, false));
  session_.ShowEntry(1, "anchor", false);
  session_.ShowEntry(4, G("πλοίο"), true);
  session_.ShowEntry(5, "shipyard", false);

  std::optional<ListOutcome> back = session_.GoThroughHistory(HistoryMove::kStepBack, false);
  EXPECT_EQ(Shown(back), G("πλοίο"));
  EXPECT_EQ(back->list.greek, true);
  EXPECT_EQ(back->list.searchText, G("πλοίο"));
  ASSERT_EQ(back->list.items.size(), 1u);
  EXPECT_EQ(back->list.items[0].slot, 4);

  back = session_.GoThroughHistory(HistoryMove::kStepBack, true);
  EXPECT_EQ(Shown(back), "anchor");
  EXPECT_EQ(back->list.greek, false);
  EXPECT_EQ(Shown(session_.GoThroughHistory(HistoryMove::kStepForward, false)), G("πλοίο"));
  EXPECT_EQ(session_.history().forward().size(), 1u);
  // A new search the user starts empties the forward list.
  session_.Search(SearchRequest{});
  EXPECT_TRUE(session_.history().forward().empty());
}

TEST_F(SessionTest, EditsReloadAndTheHistoryFollowsItsEntries) {
  session_.ShowEntry(4, "ship", false);
  session_.ShowEntry(1, "anchor", false);
  ASSERT_TRUE(session_.InsertEntry({"bilge", "", "{x}"}).status.ok());
  EXPECT_EQ(session_.dictionary().englishCount, 6);
  EXPECT_EQ(session_.dictionary().EnglishIndex[2].Headword, "bilge");
  // "ship" moved one slot up; the back list goes where it went.
  ASSERT_EQ(session_.history().back().size(), 1u);
  EXPECT_EQ(session_.history().back()[0].slot, 5);

  const Status refused = session_.DeleteEntry(session_.RefOf(1), {}).status;
  EXPECT_EQ(refused.code(), StatusCode::kRefused);
  EXPECT_EQ(session_.dictionary().englishCount, 6);
  ASSERT_TRUE(session_.DeleteEntry(session_.RefOf(4), {}).status.ok());  // "boat"
  EXPECT_EQ(session_.dictionary().EnglishIndex[4].Headword, "ship");
}

// User files that cannot be read whole at load are held: no edit writes over them (an insert
// would otherwise write user files holding only the new entry) until a load reads them whole.
TEST_F(SessionTest, UserFilesThatCannotBeReadAreNeverWrittenOver) {
  const std::string index = fx_.locations().UserIndexFile;
  std::filesystem::rename(index, index + ".away");
  std::filesystem::create_directory(index);
  session_.Reload();
  EXPECT_TRUE(session_.userFilesHeld());
  EXPECT_EQ(session_.InsertEntry({"bilge", "", "{x}"}).status.code(), StatusCode::kIoError);
  EXPECT_FALSE(session_.DeleteEntry(session_.RefOf(2), {}).status.ok());
  EXPECT_TRUE(std::filesystem::is_directory(index));

  std::filesystem::remove(index);
  std::filesystem::rename(index + ".away", index);
  session_.Reload();
  EXPECT_FALSE(session_.userFilesHeld());
  ASSERT_TRUE(session_.InsertEntry({"bilge", "", "{x}"}).status.ok());
  EXPECT_EQ(session_.dictionary().englishCount, 6);  // "boat" kept beside the new entry
  EXPECT_EQ(fx_.UserIndexLines().size(), 2u);
}

}  // namespace
}  // namespace quorvel

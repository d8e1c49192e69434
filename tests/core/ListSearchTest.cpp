#include "core/ListSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Cp1253.h"

namespace quorvel {
namespace {

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

// A dictionary built in memory: English entries in list order, Greek terms in term order.
class ListSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { dictionary_ = std::make_unique<Dictionary>(); }

  int AddEnglish(const std::string& headword, char origin = kOriginPublished, int keyStart = 1) {
    const int slot = ++english_;
    TEnglishEntry& e = dictionary_->EnglishIndex[slot];
    e.Number = static_cast<uint16_t>(origin == kOriginUser ? 1000 + slot : slot);
    e.Headword = headword;
    e.Origin = origin;
    e.KeyStart = static_cast<uint8_t>(keyStart);
    return slot;
  }

  int AddGreek(const std::string& term, int englishSlot, bool userLine = false) {
    const int slot = ++greek_;
    TGreekEntry& g = dictionary_->GreekIndex[slot];
    g.Number = dictionary_->EnglishIndex[englishSlot].Number;
    g.Term = term;
    g.EnglishSlot = static_cast<uint16_t>(englishSlot);
    dictionary_->EnglishIndex[englishSlot].GreekSlot = static_cast<uint16_t>(slot);
    userGreek_.resize(static_cast<size_t>(slot) + 1, false);
    userGreek_[static_cast<size_t>(slot)] = userLine;
    return slot;
  }

  // Runs a search of `text` and returns the item texts.
  std::vector<std::string> Search(SearchMode mode, const std::string& text, bool greek = false,
                                  bool userOnly = false, const SearchCriteria& criteria = {}) {
    PrepareSearchData(*dictionary_, userGreek_);
    SearchRequest request;
    request.mode = mode;
    request.text = text;
    request.greek = greek;
    request.userOnly = userOnly;
    request.criteria = criteria;
    last_ = FillEntryList(*dictionary_, request);
    std::vector<std::string> texts;
    for (const auto& item : last_.items) texts.push_back(item.text);
    return texts;
  }

  std::unique_ptr<Dictionary> dictionary_;
  EntryList last_;
  int english_ = 0;
  int greek_ = 0;
  std::vector<bool> userGreek_{false};
};

using Items = std::vector<std::string>;

TEST_F(ListSearchTest, StartFallsBackToTheLongestSharedPrefix) {
  AddEnglish("Abaft");
  AddEnglish("abcd");
  AddEnglish("Abcx");
  AddEnglish("boat");
  EXPECT_EQ(Search(SearchMode::Start, "abcq"), (Items{"abcd", "Abcx"}));
  EXPECT_EQ(Search(SearchMode::Start, "ABC"), (Items{"abcd", "Abcx"}));
  EXPECT_EQ(Search(SearchMode::Start, "zz"), Items{});
  EXPECT_EQ(last_.selected, -1);
  EXPECT_FALSE(last_.searchText);
  EXPECT_FALSE(last_.greek);
}

TEST_F(ListSearchTest, StartComparesFromKeyStartWhileContainAndEndSeeTheWholeHeadword) {
  AddEnglish("(the) anchor", kOriginPublished, 7);
  AddEnglish("anchorage");
  AddEnglish("the end");
  EXPECT_EQ(Search(SearchMode::Start, "anch"), (Items{"(the) anchor", "anchorage"}));
  EXPECT_EQ(Search(SearchMode::Start, "(the"), Items{});  // falls back to "(" and finds nothing
  EXPECT_EQ(Search(SearchMode::Contain, "the"), (Items{"(the) anchor", "the end"}));
  EXPECT_EQ(Search(SearchMode::End, "chor"), (Items{"(the) anchor"}));
  EXPECT_EQ(Search(SearchMode::End, "longer than any headword"), Items{});
}

TEST_F(ListSearchTest, StartScansFromTheLettersFirstPublishedLine) {
  AddEnglish("aft");
  AddEnglish("boat");
  AddEnglish("bow");
  dictionary_->englishFirstSlot.fill(1);
  EXPECT_EQ(Search(SearchMode::Start, "bo"), (Items{"boat", "bow"}));
  EXPECT_EQ(dictionary_->englishFirstSlot['b' - 'a'], 2);
  EXPECT_EQ(dictionary_->englishFirstSlot['z' - 'a'], 1);
  // A key outside a-z starts at slot 1.
  AddEnglish("3-way valve");
  EXPECT_EQ(Search(SearchMode::Start, "3-w"), (Items{"3-way valve"}));
}

TEST_F(ListSearchTest, EnglishKeysLowerOnlyAsciiLetters) {
  AddEnglish(G("ΑΒΓ code"));
  AddEnglish(G("αβγ code"));
  EXPECT_EQ(Search(SearchMode::Contain, G("ΑΒΓ")), (Items{G("ΑΒΓ code")}));
}

TEST_F(ListSearchTest, UserEntriesCarryTheMarkAndCanBeListedAlone) {
  const int hull = AddEnglish("hull");
  const int mine = AddEnglish("hull plate", kOriginUser);
  const int noted = AddEnglish("hull speed", kOriginAddition);
  AddGreek(G("γάστρα"), hull);
  AddGreek(G("έλασμα γάστρας"), mine, true);
  AddGreek(G("ταχύτητα γάστρας"), noted);
  EXPECT_EQ(Search(SearchMode::Start, "hull"), (Items{"hull", "hull plate *", "hull speed"}));
  EXPECT_EQ(Search(SearchMode::Start, "hull", false, true), (Items{"hull plate *", "hull speed"}));
  EXPECT_EQ(Search(SearchMode::None, "", false, true), (Items{"hull plate *", "hull speed"}));
  EXPECT_EQ(Search(SearchMode::None, "", true, true), (Items{G("έλασμα γάστρας *"), G("ταχύτητα γάστρας")}));
  EXPECT_EQ(last_.items[0].slot, mine);
  EXPECT_EQ(Search(SearchMode::None, ""), Items{});
}

TEST_F(ListSearchTest, GreekFoldsCapitalsAndAccentsOnBothSides) {
  const int ship = AddEnglish("ship");
  const int hull = AddEnglish("hull");
  AddGreek(G("σκάφος"), ship);
  AddGreek(G("Σκαφοπλάστης"), hull);
  AddGreek(G("στεγανό"), hull);
  EXPECT_EQ(Search(SearchMode::Start, G("ΣΚΑΦ"), true), (Items{G("σκάφος"), G("Σκαφοπλάστης")}));
  EXPECT_EQ(last_.items[0].slot, ship);
  EXPECT_EQ(Search(SearchMode::Contain, G("ΦΟ"), true), (Items{G("σκάφος"), G("Σκαφοπλάστης")}));
  // A capital sigma folds to a small sigma, never to the final one.
  EXPECT_EQ(Search(SearchMode::Contain, G("ΦΟΣ"), true), Items{});
  EXPECT_EQ(Search(SearchMode::End, G("νό"), true), (Items{G("στεγανό")}));
}

TEST_F(ListSearchTest, GreekTextOfLatinLettersHasAnEmptyKey) {
  const int ship = AddEnglish("ship");
  AddGreek(G("σκάφος"), ship);
  AddGreek(G("πλοίο"), ship);
  EXPECT_EQ(Search(SearchMode::Start, "abc", true), Items{});
  EXPECT_EQ(Search(SearchMode::Contain, "abc", true), Items{});
  EXPECT_EQ(Search(SearchMode::End, "abc", true), (Items{G("σκάφος"), G("πλοίο")}));
}

TEST_F(ListSearchTest, ACandidateHoldingTheMarkerMatchesEveryContainSearch) {
  AddEnglish("e@mail buoy");
  AddEnglish("bitt");
  EXPECT_EQ(Search(SearchMode::Contain, "zzz"), (Items{"e@mail buoy"}));
}

TEST_F(ListSearchTest, MultiChoosesTheLanguageFromTheFirstCriterion) {
  const int keel = AddEnglish("keel");
  const int ship = AddEnglish("ship");
  AddGreek(G("σκάφος"), ship);
  AddGreek(G("σκελετός"), keel);
  AddGreek(G("τρόπιδα"), keel);
  EXPECT_EQ(Search(SearchMode::Multi, "", false, false, {G("σκ"), "", G("ος")}), (Items{G("σκάφος"), G("σκελετός")}));
  EXPECT_EQ(last_.greek, true);
  EXPECT_EQ(Search(SearchMode::Multi, "", true, false, {G("ΣΚ"), "", G("ος")}), Items{});
  // An English start criterion chooses English, where no headword ends in Greek letters.
  EXPECT_EQ(Search(SearchMode::Multi, "", true, false, {"s", "", G("ος")}), Items{});
  EXPECT_EQ(last_.greek, false);
  EXPECT_EQ(Search(SearchMode::Multi, "", false, false, {"k", "e", "l"}), (Items{"keel"}));
  // With a search text, MULTI lists nothing.
  EXPECT_EQ(Search(SearchMode::Multi, "keel", false, false, {"k", "e", ""}), Items{});
}

TEST_F(ListSearchTest, SpecificListsOneEntryAndSelectsIt) {
  AddEnglish("anchor");
  const int mine = AddEnglish("anchor ball", kOriginUser);
  AddGreek(G("σφαίρα αγκυροβολίας"), mine, true);
  PrepareSearchData(*dictionary_, userGreek_);
  SearchRequest request;
  request.mode = SearchMode::Specific;
  request.text = "anchor ball *";
  request.slot = mine;
  EntryList list = FillEntryList(*dictionary_, request);
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(list.items[0].text, "anchor ball *");
  EXPECT_EQ(list.items[0].slot, mine);
  EXPECT_EQ(list.searchText, "anchor ball");
  EXPECT_EQ(list.selected, 0);

  request.greek = true;
  request.text = "anchor";
  request.slot = 1;
  list = FillEntryList(*dictionary_, request);
  EXPECT_EQ(list.items[0].text, "");  // no Greek term
  EXPECT_EQ(list.searchText, "");
}

TEST_F(ListSearchTest, LeadingBlanksAreRemovedFromTheSearchText) {
  AddEnglish("anchor");
  EXPECT_EQ(Search(SearchMode::Start, "  anc"), (Items{"anchor"}));
  EXPECT_EQ(last_.searchText, "anc");
  EXPECT_EQ(Search(SearchMode::Start, "anc"), (Items{"anchor"}));
  EXPECT_FALSE(last_.searchText);
}

TEST_F(ListSearchTest, TypedTextNamesAnEntryByItsFoldedKey) {
  const int ship = AddEnglish("Ship");
  const int frame = AddEnglish("a-frame");
  AddGreek(G("πλοίο"), ship);
  PrepareSearchData(*dictionary_, userGreek_);
  EXPECT_TRUE(TypedTextNamesEntry(*dictionary_, " ship ", false, ship));
  EXPECT_FALSE(TypedTextNamesEntry(*dictionary_, "shi", false, ship));
  // The typed side keeps its punctuation while the headword's key loses it.
  EXPECT_FALSE(TypedTextNamesEntry(*dictionary_, "a-frame", false, frame));
  EXPECT_TRUE(TypedTextNamesEntry(*dictionary_, G("ΠΛΟΙΟ"), true, ship));
  EXPECT_TRUE(TypedTextNamesEntry(*dictionary_, G("πλοίο"), true, ship));
  EXPECT_FALSE(TypedTextNamesEntry(*dictionary_, "ship", false, 0));
}

TEST_F(ListSearchTest, AFullIndexIsListedToItsLastSlot) {
  while (english_ < kLastSlot) AddEnglish("a" + std::to_string(english_));
  EXPECT_EQ(Search(SearchMode::Start, "a").size(), static_cast<size_t>(kLastSlot));
  EXPECT_EQ(Search(SearchMode::End, "").size(), 0u);
  EXPECT_EQ(ListAllEntries(*dictionary_).items.size(), static_cast<size_t>(kLastSlot));
}

TEST(ListSearchModes, ParseTheModeTexts) {
  EXPECT_EQ(ParseSearchMode("START"), SearchMode::Start);
  EXPECT_EQ(ParseSearchMode("MULTI"), SearchMode::Multi);
  EXPECT_EQ(ParseSearchMode("start"), std::nullopt);
}

}  // namespace
}  // namespace quorvel

#include "core/DescriptionSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <random>

#include "core/Cp1253.h"
#include "core/DescriptionFile.h"
#include "core/SearchKey.h"
#include "core/Session.h"
#include "core/TextOps.h"
#include "core/WordIndexCache.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;
using test::RtfText;

class DescriptionSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture_.WritePublished({
        {"boat", "{" + RtfText("Το \\b πλοίο\\b0  σε λιμάνι.") + "}"},
        {"port", "{" + RtfText("Του πλοίου το λιμάνι, port side.") + "}"},
        {"shipping", "{The shipping of a ship.}"},
        {"stern", "{a ship, a stern " + RtfText("πρύμνη") + "}"},
    });
    fixture_.WriteUserEntries({{1, 1, "", "{\\f60\\fs22 " + RtfText("της σημείωσης: δική μου σημείωση") + "}"},
                               {4, 90, "stern light", "{" + RtfText("φανός πρύμνης") + "}"}});
    LoadEntryIndex(*dictionary_, fixture_.locations(), fs_);
    header_ = ReadRtfHeader(fs_, fixture_.locations().DescriptionFile());
  }

  std::vector<std::string> Find(const std::string& word) {
    EXPECT_TRUE(search_.Search(fs_, *dictionary_, fixture_.locations(), header_, word, list_).ok()) << word;
    std::vector<std::string> found;
    for (const auto& item : list_.items) found.push_back(item.text);
    return found;
  }

  DictionaryFixture fixture_;
  PosixFileSystem fs_;
  std::unique_ptr<Dictionary> dictionary_ = std::make_unique<Dictionary>();
  std::string header_;
  EntryList list_;
  DescriptionSearch search_{[](std::string_view rtf) { return richtext::RtfToPlainText(rtf); }};
};

using Found = std::vector<std::string>;

TEST_F(DescriptionSearchTest, GreekWordsAreFoldedAndWhole) {
  EXPECT_EQ(Find(Utf8ToCp1253(" ΠΛΟΙΟ")), (Found{"boat"}));
  EXPECT_EQ(list_.greek, true);
  EXPECT_EQ(list_.searchText, Utf8ToCp1253("ΠΛΟΙΟ"));
  EXPECT_EQ(Find(Utf8ToCp1253("πλοίου")), (Found{"port"}));
  EXPECT_EQ(Find(Utf8ToCp1253("πρύμνης")), (Found{"stern light *"}));
  // A Latin letter in a Greek word never matches: the texts lose theirs.
  EXPECT_EQ(Find(Utf8ToCp1253("λιμάνιx")), Found{});
}

TEST_F(DescriptionSearchTest, EnglishWordsCountWhereverTheyStandWhole) {
  EXPECT_EQ(Find("SHIP"), (Found{"shipping", "stern"}));  // "shipping" comes first in entry 3
  // "a" stands alone in two descriptions; inside "The" and "shipping" it is no word.
  EXPECT_EQ(Find("a"), (Found{"shipping", "stern"}));
  EXPECT_EQ(list_.greek, false);
  EXPECT_EQ(Find("port"), (Found{"port"}));
  EXPECT_EQ(Find("port "), Found{});  // the space is followed by a letter
  EXPECT_EQ(Find(""), Found{});
  EXPECT_FALSE(list_.greek);  // an empty word leaves the language
}

TEST_F(DescriptionSearchTest, AdditionsAreSearchedWithTheirEntry) {
  // The addition's first "σημείωση" is part of "σημείωσης"; the later one counts.
  EXPECT_EQ(Find(Utf8ToCp1253("σημείωση")), (Found{"boat"}));
  EXPECT_EQ(Find(Utf8ToCp1253("λιμάνι")), (Found{"boat", "port"}));
}

// The marks of a found entry: every whole occurrence, folded as the search folds it, given as
// spans of the text the view shows (accents, capitals and punctuation included).
TEST(WordHits, MarkWhatTheSearchFoundInTheShownText) {
  const std::string shown = Utf8ToCp1253("Το ΠΛΟΊΟ, (πλοίο) και πλοίου· Ship-shape ships, a ship.");
  const auto texts = [&shown](const std::vector<TextSpan>& hits) {
    std::vector<std::string> marked;
    for (const TextSpan& hit : hits) marked.push_back(Cp1253ToUtf8(shown.substr(hit.start, hit.length)));
    return marked;
  };
  EXPECT_EQ(texts(WordHits(shown, Utf8ToCp1253("πλοίο"))), (std::vector<std::string>{"ΠΛΟΊΟ", "πλοίο"}));
  // Key punctuation is dropped before words are told apart: "Ship-shape" is one word.
  EXPECT_EQ(texts(WordHits(shown, "  SHIP")), std::vector<std::string>{"ship"});
  EXPECT_EQ(texts(WordHits(shown, "shipshape")), std::vector<std::string>{"Ship-shape"});
  EXPECT_TRUE(WordHits(shown, "").empty());
  EXPECT_TRUE(WordHits(shown, "hull").empty());
}

TEST_F(DescriptionSearchTest, KeptTextsGiveTheSameResultAsAFreshSearch) {
  const Found first = Find(Utf8ToCp1253("λιμάνι"));
  DescriptionSearch fresh{[](std::string_view rtf) { return richtext::RtfToPlainText(rtf); }};
  EntryList other;
  ASSERT_TRUE(fresh.Search(fs_, *dictionary_, fixture_.locations(), header_, Utf8ToCp1253("λιμάνι"), other).ok());
  ASSERT_EQ(other.items.size(), first.size());
  // A reload drops the kept texts: a user entry deleted from the files disappears.
  fixture_.WriteUserEntries({{1, 1, "", "{\\f60\\fs22 " + RtfText("δική μου σημείωση") + "}"}});
  LoadEntryIndex(*dictionary_, fixture_.locations(), fs_);
  EXPECT_EQ(Find(Utf8ToCp1253("πρύμνης")), Found{});
}

TEST_F(DescriptionSearchTest, MissingFilesEndOrNarrowTheSearch) {
  std::filesystem::remove(fixture_.locations().UserDescrFile);
  LoadEntryIndex(*dictionary_, fixture_.locations(), fs_);
  EXPECT_EQ(Find(Utf8ToCp1253("σημείωση")), Found{});
  EXPECT_EQ(Find(Utf8ToCp1253("λιμάνι")), (Found{"boat", "port"}));
  std::filesystem::remove(fixture_.locations().DescriptionFile());
  EXPECT_FALSE(search_.Search(fs_, *dictionary_, fixture_.locations(), header_, "ship", list_).ok());
  EXPECT_EQ(list_.items.size(), 0u);
  EXPECT_FALSE(list_.greek);
}

// A dictionary of several hundred entries whose descriptions mix English and Greek words from
// a small pool, with user entries and additions, searched on one thread and on several. Both
// must list exactly what a plain scan lists: each entry read on its own (as the entry view
// reads it), turned into text, folded and tested, in slot order, ending at a description that
// lies outside its file.
class DescriptionSearchScan : public ::testing::Test {
 protected:
  static constexpr int kEntries = 700;
  static constexpr int kDamaged = 530;

  void SetUp() override {
    std::mt19937 random(7);
    std::vector<std::string> bodies;
    for (int i = 1; i <= kEntries; ++i) {
      std::string body = "{";
      const int words = 3 + static_cast<int>(random() % 12);
      for (int w = 0; w < words; ++w) body += RtfText(kPool[random() % std::size(kPool)]) + (w % 4 == 3 ? "\\par " : " ");
      bodies.push_back(body + "}");
    }
    const std::vector<int64_t> offsets = fixture_.WritePublishedDescriptions(test::kFixtureRtfHeader, bodies);
    std::vector<std::string> lines;
    for (int i = 1; i <= kEntries; ++i) {
      const auto& body = bodies[static_cast<size_t>(i - 1)];
      const int64_t offset = i == kDamaged ? 90000000 : offsets[static_cast<size_t>(i - 1)];
      lines.push_back(DictionaryFixture::EnglishLine(i, "entry " + std::to_string(i), offset,
                                                     static_cast<int>(body.size())));
    }
    fixture_.WritePublishedEnglishLines(lines);
    fixture_.WritePublishedGreekLines({});
    std::vector<test::UserLine> user;
    for (int i = 10; i < kEntries; i += 37) user.push_back({i, i, "", "{" + RtfText("δική μου άγκυρα") + " own}"});
    for (int i = 20; i < kEntries; i += 41) user.push_back({i, 900 + i, "mine " + std::to_string(i), "{" + RtfText("πλοίο") + " hull}"});
    std::sort(user.begin(), user.end(), [](const auto& a, const auto& b) { return a.attach < b.attach; });
    fixture_.WriteUserEntries(user);
    user_ = user;
    LoadEntryIndex(*dictionary_, fixture_.locations(), fs_);
    header_ = ReadRtfHeader(fs_, fixture_.locations().DescriptionFile());
  }

  // The scan slot by slot, through the entry view's own reads.
  std::vector<int> PlainScan(const std::string& word) {
    const Locations locations = fixture_.locations();
    const bool greek = IsGreekInitial(static_cast<unsigned char>(word[0]));
    const std::string key = greek ? FoldGreekText(word) : AsciiLower(word);
    std::vector<int> slots;
    for (int slot = 1; slot <= dictionary_->englishCount; ++slot) {
      std::string body;
      DescriptionPlace place;
      if (EntryDescriptionPlace(*dictionary_, locations, slot, place)) {
        const auto coding = place.file == locations.UserDescrFile ? DescriptionCoding::Shift : DescriptionCoding::Position;
        const auto text = ReadDescriptionText(fs_, place.file, place.position, place.length, coding);
        if (!text) break;
        body = *text + " ";
        if (EntryAdditionPlace(*dictionary_, locations, slot, place)) {
          if (const auto more = ReadDescriptionText(fs_, place.file, place.position, place.length, DescriptionCoding::Shift)) {
            body += *more + " ";
          }
        }
      }
      const auto plain = richtext::RtfToPlainText(header_ + "\r\n" + body + "}\r\n");
      const std::string folded = greek ? GreekSearchKey(*plain, false) : EnglishSearchKey(*plain, false);
      if (ContainsWholeWord(folded, key)) slots.push_back(slot);
    }
    return slots;
  }

  std::vector<int> Slots(DescriptionSearch& search, const std::string& word, Status* status = nullptr) {
    EntryList list;
    const Status result = search.Search(fs_, *dictionary_, fixture_.locations(), header_, word, list);
    if (status) *status = result;
    std::vector<int> slots;
    for (const auto& item : list.items) slots.push_back(item.slot);
    return slots;
  }

  static constexpr const char* kPool[] = {"anchor", "hull", "Ship", "shipping", "port-side", "keel",
                                          "πλοίο", "ΠΛΟΊΟΥ", "άγκυρα", "τρόπιδα", "λιμάνι", "(ship)"};
  DictionaryFixture fixture_;
  PosixFileSystem fs_;
  std::unique_ptr<Dictionary> dictionary_ = std::make_unique<Dictionary>();
  std::string header_;
  std::vector<test::UserLine> user_;
};

TEST_F(DescriptionSearchScan, EveryThreadCountListsWhatThePlainScanLists) {
  const auto convert = [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); };
  // Texts kept in full, kept for none of the chunks, and dropped part way through the scan.
  for (const size_t keepLimit : {kMaxKeptTextBytes, size_t{0}, size_t{20000}}) {
    for (const int threads : {1, 2, 5}) {
      DescriptionSearch search(convert, threads, keepLimit);
      // English first, then Greek from the kept texts; and Greek first on a fresh search.
      for (const char* word : {"ship", "anchor", "keel", "πλοίο", "ΑΓΚΥΡΑ", "λιμάνι", "own"}) {
        const std::string w = Utf8ToCp1253(word);
        Status status = Status::Ok();
        EXPECT_EQ(Slots(search, w, &status), PlainScan(w)) << word << " on " << threads << " threads";
        EXPECT_FALSE(status.ok());  // the damaged entry ends the texts
      }
      EXPECT_EQ(search.KeptBytes() > 0, keepLimit == kMaxKeptTextBytes);
      DescriptionSearch greekFirst(convert, threads, keepLimit);
      EXPECT_EQ(Slots(greekFirst, Utf8ToCp1253("τρόπιδα")), PlainScan(Utf8ToCp1253("τρόπιδα")));
      EXPECT_EQ(Slots(greekFirst, "hull"), PlainScan("hull"));
    }
  }
  // The scan did reach past the first chunks, and stopped at the damaged entry.
  const std::vector<int> own = PlainScan("own");
  ASSERT_FALSE(own.empty());
  EXPECT_GT(own.back(), 300);
  EXPECT_LT(own.back(), kDamaged + 40);
}

// With a word index, a session lists for every word of the pool what the plain scan lists and
// ends at the damaged entry as the scan does (also when the user added to that entry), converting
// only the user's additions and entries; a word that is not one run of letters goes to the scan.
// The second session, on changed user files, finds the cache the first one built.
TEST_F(DescriptionSearchScan, TheWordIndexListsWhatThePlainScanLists) {
  std::atomic<int> conversions{0};
  const PlainTextConverter counting = [&conversions](std::string_view rtf) {
    ++conversions;
    return richtext::RtfToPlainText(rtf);
  };
  const std::string cache = fixture_.programDir() + "cache/orvanta";
  for (const bool addedToDamaged : {false, true}) {
    if (addedToDamaged) {
      user_.push_back({kDamaged, kDamaged, "", "{" + RtfText("πλοίο") + " hull}"});
      std::sort(user_.begin(), user_.end(), [](const auto& a, const auto& b) { return a.attach < b.attach; });
      fixture_.WriteUserEntries(user_);
      LoadEntryIndex(*dictionary_, fixture_.locations(), fs_);
    }
    Session session(fixture_.locations(), fs_, counting);
    session.Reload();
    const std::optional<WordIndexInputs> inputs = session.WordIndexInputsFor(cache);
    ASSERT_TRUE(inputs);
    const WordIndexOutcome outcome = OpenWordIndex(*inputs, fs_);
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.message();
    ASSERT_TRUE(outcome.index);
    EXPECT_EQ(outcome.built, !addedToDamaged);  // the user's files are not in the index
    EXPECT_EQ(outcome.index->failedLine(), kDamaged);
    ASSERT_TRUE(session.AdoptWordIndex(outcome.index));

    int live = 0;  // the additions and user entries before the damaged one
    for (int slot = 1; dictionary_->EnglishIndex[slot].Number != kDamaged; ++slot) {
      live += dictionary_->EnglishIndex[slot].Origin != kOriginPublished;
    }
    for (const char* word : {"ship", "SHIP", "anchor", "hull", "keel", "own", "mine", "port", "side", "πλοίο",
                             "ΠΛΟΙΟΥ", "άγκυρα", "λιμάνι", "τρόπιδα", "shipping", "absent", "port-side", "ship "}) {
      const std::string w = Utf8ToCp1253(word);
      conversions = 0;
      EntryList list;
      const Status status = session.SearchDescriptions(w, list);
      std::vector<int> slots;
      for (const auto& item : list.items) slots.push_back(item.slot);
      EXPECT_EQ(slots, PlainScan(w)) << word;
      EXPECT_FALSE(status.ok()) << word;
      if (IsOneWord(AsciiLower(w))) {
        EXPECT_EQ(conversions, live) << word;
      }
    }
  }
}

}  // namespace
}  // namespace quorvel

#include "core/DescriptionSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/Cp1253.h"
#include "core/DescriptionFile.h"
#include "core/FileWriter.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;

// Greek text as the descriptions store it: every byte above 127 as \'hh.
std::string Rtf(const char* utf8) {
  std::string out;
  for (char c : Utf8ToCp1253(utf8)) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 128) {
      out += c;
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += "\\'";
      out += hex[b >> 4];
      out += hex[b & 15];
    }
  }
  return out;
}

class DescriptionSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture_.WritePublished({
        {"boat", "{" + Rtf("Το \\b πλοίο\\b0  σε λιμάνι.") + "}"},
        {"port", "{" + Rtf("Του πλοίου το λιμάνι, port side.") + "}"},
        {"shipping", "{The shipping of a ship.}"},
        {"stern", "{a ship, a stern " + Rtf("πρύμνη") + "}"},
    });
    fixture_.WriteUserEntries({{1, 1, "", "{\\f60\\fs22 " + Rtf("δική μου σημείωση") + "}"},
                               {4, 90, "stern light", "{" + Rtf("φανός πρύμνης") + "}"}});
    LoadEntryIndex(*dictionary_, fixture_.locations(), writer_);
    header_ = ReadRtfHeader(fixture_.locations().DescriptionFile());
  }

  std::vector<std::string> Find(const std::string& word) {
    search_.Search(*dictionary_, fixture_.locations(), header_, word, list_);
    std::vector<std::string> found;
    for (const auto& item : list_.items) found.push_back(item.text);
    return found;
  }

  DictionaryFixture fixture_;
  StdFileWriter writer_;
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

TEST_F(DescriptionSearchTest, EnglishWordsCountOnlyTheirFirstOccurrence) {
  EXPECT_EQ(Find("SHIP"), (Found{"stern"}));  // "shipping" comes first in entry 3
  // "a" stands alone in two descriptions; inside "The" and "shipping" it is no word.
  EXPECT_EQ(Find("a"), (Found{"shipping", "stern"}));
  EXPECT_EQ(list_.greek, false);
  EXPECT_EQ(Find("port"), (Found{"port"}));
  EXPECT_EQ(Find("port "), Found{});  // the space is followed by a letter
  EXPECT_EQ(Find(""), Found{});
  EXPECT_FALSE(list_.greek);  // an empty word leaves the language
}

TEST_F(DescriptionSearchTest, AdditionsAreSearchedWithTheirEntry) {
  EXPECT_EQ(Find(Utf8ToCp1253("σημείωση")), (Found{"boat"}));
  EXPECT_EQ(Find(Utf8ToCp1253("λιμάνι")), (Found{"boat", "port"}));
}

TEST_F(DescriptionSearchTest, KeptTextsGiveTheSameResultAsAFreshSearch) {
  const Found first = Find(Utf8ToCp1253("λιμάνι"));
  DescriptionSearch fresh{[](std::string_view rtf) { return richtext::RtfToPlainText(rtf); }};
  EntryList other;
  fresh.Search(*dictionary_, fixture_.locations(), header_, Utf8ToCp1253("λιμάνι"), other);
  ASSERT_EQ(other.items.size(), first.size());
  // A reload drops the kept texts: a user entry deleted from the files disappears.
  fixture_.WriteUserEntries({{1, 1, "", "{\\f60\\fs22 " + Rtf("δική μου σημείωση") + "}"}});
  LoadEntryIndex(*dictionary_, fixture_.locations(), writer_);
  EXPECT_EQ(Find(Utf8ToCp1253("πρύμνης")), Found{});
}

TEST_F(DescriptionSearchTest, MissingFilesEndOrNarrowTheSearch) {
  std::filesystem::remove(fixture_.locations().UserDescrFile);
  LoadEntryIndex(*dictionary_, fixture_.locations(), writer_);
  EXPECT_EQ(Find(Utf8ToCp1253("σημείωση")), Found{});
  EXPECT_EQ(Find(Utf8ToCp1253("λιμάνι")), (Found{"boat", "port"}));
  std::filesystem::remove(fixture_.locations().DescriptionFile());
  EXPECT_FALSE(search_.Search(*dictionary_, fixture_.locations(), header_, "ship", list_).ok());
  EXPECT_EQ(list_.items.size(), 0u);
  EXPECT_FALSE(list_.greek);
}

}  // namespace
}  // namespace quorvel

#include "core/SearchKey.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string_view>

#include "core/Cp1253.h"
#include "core/TextOps.h"

namespace quorvel {
namespace {

// Tests write Greek in UTF-8; the functions work on code page 1253.
std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

TEST(GreekSearchKey, WorkedExamples) {
  EXPECT_EQ(GreekSearchKey(G("Ά-Βάρος (2)"), true), G("αβαρος 2"));
  EXPECT_EQ(GreekSearchKey(G("Ά-Βάρος (2)"), false), G("αβαρος 2"));
  EXPECT_EQ(GreekSearchKey(G("12 ship σκάφος"), true), G("σκαφος"));
  EXPECT_EQ(GreekSearchKey(G("12 ship σκάφος"), false), G("12  σκαφος"));
}

TEST(GreekSearchKey, DropsWhatIsNotGreek) {
  EXPECT_EQ(GreekSearchKey("ship", true), "");
  EXPECT_EQ(GreekSearchKey("123", true), "");
  EXPECT_EQ(GreekSearchKey("(-.)", true), "");
  EXPECT_EQ(GreekSearchKey("", true), "");
  EXPECT_EQ(GreekSearchKey(G("α.β"), true), G("αβ"));
  EXPECT_EQ(GreekSearchKey(G("α . β"), true), G("α  β"));
}

TEST(GreekSearchKey, FinalSigmaAndCapitalDieresisAreKept) {
  EXPECT_EQ(GreekSearchKey(G("ΣΚΑΦΟΣ"), true), G("σκαφοσ"));
  EXPECT_EQ(GreekSearchKey(G("σκάφος"), true), G("σκαφος"));
  EXPECT_EQ(GreekSearchKey(G("Ϋ"), true), G("Ϋ"));
  EXPECT_EQ(FoldGreekText(G("Ϋ")), G("Ϋ"));
  EXPECT_EQ(GreekSearchKey(std::string("\xE1\0\xE2", 3), true), "\xE1");
}

TEST(EnglishSearchKey, WorkedExamples) {
  EXPECT_EQ(EnglishSearchKey(" 3-Way Valve", true), "way valve");
  EXPECT_EQ(EnglishSearchKey(" 3-Way Valve", false), "3way valve");
  EXPECT_EQ(EnglishSearchKey(G("ΑΒΓ"), true), G("ΑΒΓ"));
  EXPECT_EQ(EnglishSearchKey(std::string("Ship\0Yard", 9), true), "ship");
  EXPECT_EQ(EnglishSearchKey("ship's (bow)", true), "ships bow");
}

// The description search makes a text's Greek key from its English key, and the load takes a
// key's initial without building the key; both must agree with the Greek key of the text
// itself, whatever bytes the text holds.
TEST(GreekSearchKey, OfTheEnglishKeyIsOfTheText) {
  std::mt19937 random(1253);
  const std::string pool = " \t\r\nAaZz09.-(),'\"+*/`" + G("ΑάΣσςΪϊΐΰΌώ«»΄") + std::string("\0\x01\x7F\xA0\xFF", 5);
  for (int round = 0; round < 5000; ++round) {
    std::string text(random() % 24, ' ');
    for (char& c : text) c = pool[random() % pool.size()];
    EXPECT_EQ(GreekSearchKey(EnglishSearchKey(text, false), false), GreekSearchKey(text, false)) << text;
    const std::string key = GreekSearchKey(text, true);
    EXPECT_EQ(GreekSearchKeyInitial(text), key.empty() ? 0 : static_cast<unsigned char>(key[0])) << text;
  }
}

TEST(FoldGreekText, FoldsLettersButKeepsPunctuationAndLatin) {
  EXPECT_EQ(FoldGreekText(G("  ΠΛΟΊΟ-Ship. ")), G("πλοιο-ship."));
  EXPECT_EQ(FoldGreekText(""), "");
}

TEST(ContainsWholeWord, EveryOccurrenceCounts) {
  EXPECT_TRUE(ContainsWholeWord("shipping ship", "ship"));
  EXPECT_TRUE(ContainsWholeWord("shipping, shipper and ship.", "ship"));
  EXPECT_FALSE(ContainsWholeWord("shipping shipper", "ship"));
  EXPECT_FALSE(ContainsWholeWord("aaa", "aa"));  // overlapping occurrences, none whole
  EXPECT_TRUE(ContainsWholeWord("ship-to-shore", "ship"));
  EXPECT_TRUE(ContainsWholeWord("12ship", "ship"));
  EXPECT_FALSE(ContainsWholeWord(G("πλοίο"), G("πλοι")));
  EXPECT_TRUE(ContainsWholeWord(G("το πλοίου, το πλοίο"), G("πλοίο")));
  EXPECT_FALSE(ContainsWholeWord("", "ship"));
  EXPECT_FALSE(ContainsWholeWord("ship", ""));
  // Final sigma is a word letter.
  EXPECT_FALSE(ContainsWholeWord(G("ναυς"), G("ναυ")));
}

// A word of letters only stands whole in a text exactly when it is one of the text's whole
// words, over texts of letters, digits, blanks and punctuation.
TEST(ContainsWholeWord, AgreesWithTheWholeWordsOfTheText) {
  const std::string alphabet = G("ab άσς1 -.");
  std::mt19937 random(3);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) text += alphabet[random() % alphabet.size()];
    std::set<std::string> words;
    ForEachWholeWord(text, [&](std::string_view w) { words.emplace(w); });
    for (const std::string& word : {std::string("a"), std::string("ab"), std::string("ba"), G("άσ"), G("σς"), G("aς")}) {
      ASSERT_TRUE(IsOneWord(word));
      EXPECT_EQ(ContainsWholeWord(text, word), words.count(word) == 1) << text << " / " << word;
    }
  }
  EXPECT_FALSE(IsOneWord("ship "));
  EXPECT_FALSE(IsOneWord(""));
}

// The folding that marks hits is the search's own, byte for byte, and says where each folded
// byte came from; the marked spans are exactly the occurrences the search counts.
TEST(FoldForSearch, IsTheSearchFoldingWithWhereEachByteCameFrom) {
  const std::string alphabet = G(" aBΣσς-.'ά1Ά(");
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int i = static_cast<int>(random() % 14); i > 0; --i) text += alphabet[random() % alphabet.size()];
    for (const bool greek : {false, true}) {
      const FoldedText folded = FoldForSearch(text, greek);
      const std::string english = EnglishSearchKey(text, false);
      ASSERT_EQ(folded.text, greek ? GreekSearchKey(english, false) : english) << text;
      ASSERT_EQ(folded.from.size(), folded.text.size());
      for (size_t i = 0; i < folded.from.size(); ++i) {
        ASSERT_LT(folded.from[i], text.size());
        if (i > 0) {
          ASSERT_LT(folded.from[i - 1], folded.from[i]) << text;
        }
      }
    }
  }
}

TEST(IsGreekInitial, GreekLettersOnly) {
  for (const char* letter : {"α", "ω", "ς", "Α", "Ω", "ά", "ώ", "ϊ", "ϋ", "Ά", "Ώ", "Ϊ", "Ϋ"}) {
    EXPECT_TRUE(IsGreekInitial(static_cast<unsigned char>(G(letter)[0]))) << letter;
  }
  for (const char* other : {"ΐ", "ΰ", "a", "Z", "1", " ", "\xCE\x84"}) {
    EXPECT_FALSE(IsGreekInitial(static_cast<unsigned char>(G(other)[0]))) << other;
  }
}

TEST(TextOps, LowerCasings) {
  EXPECT_EQ(AsciiLower(G("AbΣ")), G("abΣ"));
  EXPECT_EQ(SystemLower(G("ABΣΆΏΪΫ")), G("abσάώϊϋ"));
  EXPECT_EQ(SystemLower(G("ς")), G("ς"));
  EXPECT_EQ(Trim(std::string("\t a b \r\n")), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
}

TEST(Cp1253, RoundTripsEveryDefinedByte) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = Cp1253ToUtf8(one);
    if (Cp1253ToUnicode(static_cast<unsigned char>(b)) == 0xFFFD) {
      EXPECT_EQ(Utf8ToCp1253(utf8), "?") << b;
    } else {
      EXPECT_EQ(Utf8ToCp1253(utf8), one) << b;
    }
  }
  EXPECT_EQ(Utf8ToCp1253("é€"), "?\x80");
  EXPECT_EQ(Utf8ToCp1253("\xC3"), "?");
}

}  // namespace
}  // namespace quorvel

#include "core/PrintDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Cp1253.h"

namespace quorvel {
namespace {

std::string Cp(const char* utf8) { return Utf8ToCp1253(utf8); }

std::string Escaped(std::string_view text) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    out += "\\'";
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// The RTF the description view saves for a one-paragraph description in a Greek Arial.
constexpr std::string_view kViewRtf =
    "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs24 Text\\par\r\n"
    "}\r\n";

TEST(PrintDocument, UsualDocumentIsSplitAfterTheFontTable) {
  const std::string document = BuildPrintDocument(kViewRtf, {"ship", Cp("πλοίο")});
  const std::string expected =
      "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}}"
      " \\ql {\\b\\ul\\f0\\fs24\\cf0 " + Escaped(kPrintTitle) + "} \\par \\par \\par \\ql "
      "{\\i\\ul\\f0\\cellx1200\\cellx8414\\pard\\intbl\\fs24\\cf0 \\'CB\\'DE\\'EC\\'EC\\'E1:\\ul0\\cell}"
      "{\\b\\f0\\fs22\\cf0     \\'73\\'68\\'69\\'70\\cell\\row\\trowd} \\par"
      "{\\i\\ul\\f0\\cellx1200\\cellx8414\\pard\\intbl\\fs22\\cf0 "
      "\\'C1\\'F0\\'FC\\'E4\\'EF\\'F3\\'E7:\\ul0\\cell}"
      "{\\b\\f0\\fs22\\cf0 \\'F0\\'EB\\'EF\\'DF\\'EF} \\par \\par"
      "{\\i\\ul\\f0\\cellx1200\\cellx8414\\pard\\intbl\\fs22\\cf0 "
      "\\'D0\\'E5\\'F1\\'E9\\'E3\\'F1\\'E1\\'F6\\'DE:\\ul0\\cell}"
      "{\\f0\\fs22\\cf0 \r\n"
      "}\r\n\\viewkind4\\uc1\\pard\\f0\\fs24 Text\\par\r\n}\r\n"
      "\r\n}}}\r\n";
  EXPECT_EQ(document, expected);
  EXPECT_EQ(Cp1253ToUtf8(kPrintTitle),
            "Orvanta - Αγγλοελληνικό Ναυτικό Λεξικό - © Εκδόσεις Quenborath, με την επιφύλαξη "
            "παντός δικαιώματος");
}

TEST(PrintDocument, GreekFontOneGoesIntoEveryGroup) {
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier;}{\\f1\\fnil\\fcharset161 Arial;}}\n"
      "\\pard\\f1\\fs22 x\\par\n}";
  EXPECT_EQ(GreekFontNumber(rtf), '1');
  const std::string document = BuildPrintDocument(rtf, {"a", "b"});
  for (const char* group : {"{\\b\\ul\\f1\\fs24", "{\\i\\ul\\f1\\cellx1200", "{\\b\\f1\\fs22\\cf0     ",
                            "{\\b\\f1\\fs22\\cf0 \\'62", "{\\f1\\fs22\\cf0 \r\n"}) {
    EXPECT_NE(document.find(group), std::string::npos) << group;
  }
  EXPECT_EQ(document.find("\\f0", document.find(" \\ql ")), std::string::npos);
  // Line feeds of the saved RTF come back as CR LF.
  EXPECT_NE(document.find("\\cf0 \r\n}\r\n\\pard\\f1\\fs22 x\\par\r\n}\r\n\r\n}}}\r\n"),
            std::string::npos);
}

TEST(PrintDocument, GreekFontNumberQuirks) {
  EXPECT_EQ(GreekFontNumber("{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}}"), '0');
  EXPECT_EQ(GreekFontNumber("{\\rtf1{\\fonttbl{\\f3\\froman\\fcharset161 Times;}}}"), '3');
  // Only one-digit numbers are seen: font 10 is taken for the font entry before it.
  EXPECT_EQ(GreekFontNumber("{\\fonttbl{\\f9\\fnil\\fcharset0 A;}{\\f10\\fnil\\fcharset161 B;}}"), '9');
  EXPECT_EQ(GreekFontNumber("\\fcharset161"), '0');
}

TEST(PrintDocument, LongDescriptionIsCutAfterTheSplit) {
  const std::string body(30000, 'x');
  const std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}}\r\n\\pard\\f0\\fs20 " + body + "}\r\n";
  const std::string document = BuildPrintDocument(rtf, {"a", "b"});
  const std::string opening = "{\\f0\\fs22\\cf0 \r\n";
  const size_t tail = document.find(opening) + opening.size();
  const std::string expectedTail = rtf.substr(rtf.find("}\r\n\\pard"), kPrintedRtfLimit);
  EXPECT_EQ(document.substr(tail), expectedTail + "\r\n}}}\r\n");
  EXPECT_EQ(expectedTail.size(), kPrintedRtfLimit);
}

TEST(PrintDocument, SizeWordsAreFoundPastFontFamiliesAndOneDigitSizes) {
  // "\fswiss" and the one-digit "\fs8" are passed over; "\fs36" is the first size.
  const std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}}\r\n{\\fs8 a}\\fs36 b}\r\n";
  const std::string document = BuildPrintDocument(rtf, {"a", "b"});
  // The split point is the nearest "}" before "\fs36": the one closing the "\fs8" group.
  EXPECT_EQ(document.substr(0, document.find(" \\ql ")), "{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}}\r\n{\\fs8 a}");
  EXPECT_NE(document.find("\r\n}\\fs36 b}\r\n\r\n}}}\r\n"), std::string::npos);
}

TEST(PrintDocument, WithoutSizeWordTheWorkingCopyIsPrintedWhole) {
  // No size control word: no head, and the tail is the working copy, in which the font family
  // word was blotted out.
  const std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}}\r\nplain}\r\n";
  const std::string document = BuildPrintDocument(rtf, {"a", "b"});
  EXPECT_EQ(document.substr(0, 5), " \\ql ");
  EXPECT_NE(document.find("{\\f0\\fs22\\cf0 \r\n{\\rtf1{\\fonttbl{\\f0\\aawiss\\fcharset161 Arial;}}\r\nplain}\r\n\r\n}}}\r\n"),
            std::string::npos);
  // A size word with neither space nor "}" before it: no split point either.
  const std::string bare = BuildPrintDocument("\\fs24 x", {"a", "b"});
  EXPECT_EQ(bare.substr(0, 5), " \\ql ");
  EXPECT_NE(bare.find("\\cf0 \r\n\\fs24 x\r\n\r\n}}}\r\n"), std::string::npos);
}

TEST(PrintDocument, EntryWithoutGreekTermInBothLanguages) {
  auto dictionary = std::make_unique<Dictionary>();
  dictionary->EnglishIndex[1] = {1, "hawser", 0, 0, 'L', 1, -1, 0, 0};
  dictionary->EnglishIndex[2] = {2, "bow", 0, 0, 'L', 1, -1, 1, 0};
  dictionary->GreekIndex[1] = {2, Cp("πλώρη"), 2};
  const PrintRows english = PrintRowsOfEntry(*dictionary, 1, false);
  const PrintRows greek = PrintRowsOfEntry(*dictionary, 1, true);
  EXPECT_EQ(english.entry, "hawser");
  EXPECT_EQ(english.rendering, "");
  EXPECT_EQ(greek.entry, "");
  EXPECT_EQ(greek.rendering, "hawser");
  EXPECT_EQ(PrintRowsOfEntry(*dictionary, 2, true).entry, Cp("πλώρη"));
  // The empty row leaves its group with the control words alone.
  EXPECT_NE(BuildPrintDocument(kViewRtf, greek).find("{\\b\\f0\\fs22\\cf0     \\cell\\row\\trowd}"),
            std::string::npos);
  EXPECT_NE(BuildPrintDocument(kViewRtf, english).find("{\\b\\f0\\fs22\\cf0 } \\par \\par"),
            std::string::npos);
}

TEST(PrintDocument, LinesAreJoinedWithCrLf) {
  EXPECT_EQ(JoinLinesWithCrLf(""), "");
  EXPECT_EQ(JoinLinesWithCrLf("a"), "a\r\n");
  EXPECT_EQ(JoinLinesWithCrLf("a\nb\rc\r\nd\r\n"), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(JoinLinesWithCrLf("\n\n"), "\r\n\r\n");
}

TEST(PrintDocument, JobNameIsCutTo124Characters) {
  EXPECT_EQ(PrintJobName("anchor"), "Zoriruv: anchor");
  const std::string name = PrintJobName(std::string(200, 'h'));
  EXPECT_EQ(name.size(), 124u);
  EXPECT_EQ(name, "Zoriruv: " + std::string(115, 'h'));
}

}  // namespace
}  // namespace quorvel

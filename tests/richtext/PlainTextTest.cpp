#include "richtext/PlainText.h"

#include <gtest/gtest.h>

#include <string>

#include "richtext/RtfReader.h"

namespace quorvel::richtext {
namespace {

// The opening every description document starts with: a Greek font 0 and 60, colours.
const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1253\\deff0\\deflang1032{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset161 Arial;}"
    "{\\f60\\froman\\fprq2\\fcharset161 Times New Roman Greek;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}"
    "\\viewkind4\\uc1\\pard\\f0\\fs22";

std::string Plain(const std::string& rtf) { return PlainText(ReadRtf(rtf).document); }

std::u32string Display(const std::string& rtf) { return DisplayText(ReadRtf(rtf).document); }

TEST(PlainText, ParagraphMarksGiveCrLf) {
  EXPECT_EQ(Plain("{\\rtf1 one\\par two\\par}"), "one\r\ntwo\r\n");
  EXPECT_EQ(Plain("{\\rtf1 one\\par\\par two}"), "one\r\n\r\ntwo");
  EXPECT_EQ(Plain("{\\rtf1 one\\sect two\\page three}"), "one\r\ntwo\r\nthree");
}

TEST(PlainText, NoParagraphMarkTheDocumentDoesNotHave) {
  EXPECT_EQ(Plain("{\\rtf1 last}"), "last");
  EXPECT_EQ(Plain("{\\rtf1 last\\par}"), "last\r\n");
  EXPECT_EQ(Plain("{\\rtf1 last\\par{\\b}}"), "last\r\n");
  EXPECT_EQ(Plain("{\\rtf1}"), "");
  // The entry view's document: the body ends in "\par \par}".
  EXPECT_EQ(Plain(kHeader + "\r\n\\'f0\\'eb\\'ef\\'df\\'ef\\par \\par}\r\n"), "\xF0\xEB\xEF\xDF\xEF\r\n\r\n");
}

TEST(PlainText, LineBreaksAndTabs) {
  const std::string rtf = "{\\rtf1 a\\line b\\tab c}";
  EXPECT_EQ(Display(rtf), U"a\u2028b\tc");
  EXPECT_EQ(Plain(rtf), "a\r\nb\tc");
}

TEST(PlainText, TableCellsEndInTabAndRowsInAParagraphMark) {
  const std::string rtf =
      "{\\rtf1\\trowd\\cellx100\\cellx200\\intbl A\\cell\\cell\\row\\intbl C\\cell D\\par E\\cell\\row}";
  EXPECT_EQ(Display(rtf), U"A\t\t\u2029C\tD\u2029E\t\u2029");
  EXPECT_EQ(Plain(rtf), "A\t\t\r\nC\tD\r\nE\t\r\n");
}

TEST(PlainText, DisplayTextHasOneUnitPerShownCharacter) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0\\fcharset161 Arial;}}"
      "a\\par{\\v hidden}{\\pict\\pngblip 00}\\u963?\\'f7\\line x\\par y}";
  const std::u32string display = Display(rtf);
  EXPECT_EQ(display, U"a\u2029\uFFFCσχ\u2028x\u2029y");
  const std::string plain = Plain(rtf);
  EXPECT_EQ(plain, "a\r\n\xF3\xF7\r\nx\r\ny");
  // Display positions map to byte positions through the prefix.
  EXPECT_EQ(DisplayToPlainText(display.substr(0, 4)), "a\r\n\xF3");
  EXPECT_EQ(DisplayToPlainText(display).size(), plain.size());
}

TEST(PlainText, FigureReferenceReadsFromDisplayPositions) {
  // A reference "{Σχήμα 2}" in the middle of a second paragraph; the figure lookup adds four
  // characters from the last selected one.
  const std::string rtf = kHeader +
                           " first\\par \\{\\'d3\\'f7\\'de\\'ec\\'e1 2\\} \\par}";
  const std::u32string display = Display(rtf);
  const std::size_t word = display.find(U"Σχήμα");
  ASSERT_NE(word, std::u32string::npos);
  EXPECT_EQ(display.substr(word - 1, 1), U"{");
  const std::u32string added = display.substr(word + 4, 4);
  EXPECT_EQ(added, U"α 2}");
}

TEST(PlainText, CharactersCodePage1253LacksBecomeQuestionMarks) {
  EXPECT_EQ(DisplayToPlainText(U"aé€ωЖ\uFFFD"), "a?\x80\xF9??");
  std::string out;
  AppendPlainText(out, kParagraphMark);
  AppendPlainText(out, kPictureMark);
  AppendPlainText(out, U'\t');
  EXPECT_EQ(out, "\r\n\t");
}

// Fixtures covering every construct; the fast path must give what the model gives.
const char* const kFixtures[] = {
    "{\\rtf1 plain\\par}",
    "{\\rtf1{\\fonttbl{\\f0\\fcharset161 A;}{\\f1\\fcharset0 B;}{\\f2\\fcharset2 Symbol;}}"
    "\\f0\\'e1\\f1\\'e9\\f2 a\\'b3\\u8364?\\u-10179?\\u-8576?}",
    "{\\rtf1{\\b bold{\\i it}}{\\v hidden\\par}\\par x}",
    "{\\rtf1 a\\line b\\tab c\\~\\-\\_\\emdash\\'0d\\'09}",
    "{\\rtf1\\trowd\\cellx1\\intbl A\\cell B\\row\\intbl C\\par\\row\\intbl\\row\\row}",
    "{\\rtf1\\intbl A\\cell\\pard B\\par\\intbl C\\par\\pard D}",
    "{\\rtf1\\intbl A\\cell{\\v h}\\row}",
    "{\\rtf1 a{\\pict\\pngblip 00}{\\pict\\emfblip 00}\\intbl{\\pict\\jpegblip 00}\\row}",
    "{\\rtf1{\\*\\x y}{\\info z}{\\field{\\*\\fldinst f}{\\fldrslt r}}}",
    "{\\rtf1 open{\\b group\\intbl cell",
};

TEST(PlainText, FastPathGivesTheModelsPlainText) {
  for (const char* fixture : kFixtures) {
    EXPECT_EQ(RtfToPlainText(fixture), Plain(fixture)) << fixture;
  }
  const std::string description =
      kHeader + "\r\n\\b Anchor\\b0  [\\'e1\\'e3\\'ea\\'f5\\'f1\\'e1] \\i see\\i0\\par \\par}\r\n";
  EXPECT_EQ(RtfToPlainText(description), Plain(description));
  EXPECT_EQ(Plain(description), "Anchor [\xE1\xE3\xEA\xF5\xF1\xE1] see\r\n\r\n");
}

}  // namespace
}  // namespace quorvel::richtext

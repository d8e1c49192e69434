#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "richtext/PlainText.h"
#include "richtext/RtfWriter.h"

namespace quorvel::richtext {
namespace {

// A document with a Greek font 0 and a Western font 1, as description documents have.
std::string Doc(const std::string& body) {
  return "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}"
         "{\\f1\\froman\\fcharset0 Times New Roman;}}"
         "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}" +
         body + "}";
}

// Plain text of a document; also checks that the fast path agrees with the model and that
// the model survives the writer.
std::string Plain(const std::string& rtf) {
  const std::optional<std::string> fast = RtfToPlainText(rtf);
  const ReadResult read = ReadRtf(rtf);
  EXPECT_TRUE(fast.has_value());
  EXPECT_TRUE(read.isRtf);
  const std::string fromModel = PlainText(read.document);
  EXPECT_EQ(fast.value_or(""), fromModel);
  EXPECT_EQ(ReadRtf(WriteRtf(read.document)).document, read.document) << rtf;
  return fromModel;
}

std::u32string Display(const std::string& rtf) { return DisplayText(ReadRtf(rtf).document); }

const Paragraph& ParagraphAt(const Document& document, std::size_t index) {
  return std::get<Paragraph>(document.blocks.at(index));
}

const Run& RunAt(const Paragraph& paragraph, std::size_t index) {
  return std::get<Run>(paragraph.items.at(index));
}

TEST(RtfReader, BytesNotStartingWithRtfAreNotRtf) {
  for (const std::string bytes : {"", "hello", " {\\rtf1 x}", "{\\rt", "{rtf1 x}", "\\rtf1"}) {
    const ReadResult read = ReadRtf(bytes);
    EXPECT_FALSE(read.isRtf) << bytes;
    EXPECT_TRUE(read.document.blocks.empty());
    EXPECT_FALSE(RtfToPlainText(bytes).has_value()) << bytes;
  }
  EXPECT_TRUE(ReadRtf("{\\rtf1}").isRtf);
  EXPECT_EQ(RtfToPlainText("{\\rtf1}"), "");
}

TEST(RtfReader, GreekFontEscapesGiveGreekLetters) {
  const std::string rtf = Doc("\\f0 \\'e1\\'e2\\'c3 \\'dc");
  EXPECT_EQ(Display(rtf), U"αβΓ ά");
  EXPECT_EQ(Plain(rtf), "\xE1\xE2\xC3 \xDC");
}

TEST(RtfReader, WesternFontEscapesUseCodePage1252) {
  const std::string rtf = Doc("\\f1 caf\\'e9 \\'80");
  EXPECT_EQ(Display(rtf), U"café €");
  // Code page 1253 has no é; it has the euro sign.
  EXPECT_EQ(Plain(rtf), "caf? \x80");
}

TEST(RtfReader, EscapesFollowTheCodePageOfEachCharset) {
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset238 B;}"
      "{\\f2\\fcharset162 C;}{\\f3\\fcharset186 D;}{\\f4\\fcharset177 E;}{\\f5\\fcharset178 F;}"
      "{\\f6\\fcharset161 G;}}"
      "\\f0\\'e4\\f1\\'b9\\f2\\'fd\\f3\\'e0\\f4\\'e0\\f5\\'c7\\f6\\'e4}";
  EXPECT_EQ(Display(rtf), U"дąıąאاδ");
}

TEST(RtfReader, DefaultCharsetUsesTheDocumentCodePage) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset1 X;}}"
      "\\'e4\\f1\\'e4\\f7\\'e4}";
  EXPECT_EQ(Display(rtf), U"ддд");
  const Document document = ReadRtf(rtf).document;
  ASSERT_EQ(document.fonts.size(), 3u);
  EXPECT_EQ(document.fonts[0], (Font{"Arial", 204}));
  EXPECT_EQ(document.fonts[2], (Font{"", 204}));  // \f7 is not in the table
}

TEST(RtfReader, RawHighBytesAreTextOfTheCurrentFont) {
  EXPECT_EQ(Display(Doc("\\f0 \xE1\\f1 \xE9")), U"αé");
}

TEST(RtfReader, SymbolFontGivesTheCharactersItDraws) {
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\ftech\\fcharset2 Symbol;}}"
      "{\\f1 abW\\'b3} x}";
  EXPECT_EQ(Display(rtf), U"αβΩ≥ x");
  EXPECT_EQ(Plain(rtf), "\xE1\xE2\xD9? x");
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallback) {
  EXPECT_EQ(Display(Doc("\\u945?\\u946?x")), U"αβx");
  EXPECT_EQ(Display(Doc("\\uc2\\u945ab c")), U"α c");
  EXPECT_EQ(Display(Doc("\\uc0\\u945a")), U"αa");
  // A fallback written as an escape counts as one character.
  EXPECT_EQ(Display(Doc("\\u945\\'e1x")), U"αx");
  // \uc belongs to its group.
  EXPECT_EQ(Display(Doc("{\\uc2\\u945ab}\\u946?c")), U"αβc");
  // A group boundary ends the skipping.
  EXPECT_EQ(Display(Doc("\\uc3\\u945a{b}")), U"αb");
  // Negative values are UTF-16 units above 32767; pairs make one character.
  EXPECT_EQ(Display(Doc("\\u-3?\\u-10179?\\u-8576?")), U"\uFFFD\U0001F680");
  EXPECT_EQ(Plain(Doc("\\u-10179?\\u-8576?")), "?");
  EXPECT_EQ(Display(Doc("\\u-10179?x")), U"x");
  EXPECT_EQ(Display(Doc("\\u-10179?\\u945?")), U"\uFFFDα");
}

TEST(RtfReader, GroupsRestoreCharacterFormatting) {
  const Document document =
      ReadRtf(Doc("{\\b bold {\\i both\\ul u} bold}plain\\b b\\b0 n\\i i\\i0\\ul u\\ulnone n")).document;
  const Paragraph& p = ParagraphAt(document, 0);
  ASSERT_EQ(p.items.size(), 10u);
  EXPECT_EQ(RunAt(p, 0).text, U"bold ");
  EXPECT_TRUE(RunAt(p, 0).format.bold);
  EXPECT_FALSE(RunAt(p, 0).format.italic);
  EXPECT_TRUE(RunAt(p, 1).format.bold && RunAt(p, 1).format.italic && !RunAt(p, 1).format.underline);
  EXPECT_TRUE(RunAt(p, 2).format.bold && RunAt(p, 2).format.italic && RunAt(p, 2).format.underline);
  EXPECT_EQ(RunAt(p, 3).text, U" bold");
  EXPECT_TRUE(RunAt(p, 3).format.bold && !RunAt(p, 3).format.italic);
  EXPECT_EQ(RunAt(p, 4).text, U"plain");
  EXPECT_EQ(RunAt(p, 4).format, CharFormat{});
  EXPECT_TRUE(RunAt(p, 5).format.bold);
  EXPECT_EQ(RunAt(p, 6).format, CharFormat{});
  EXPECT_TRUE(RunAt(p, 7).format.italic);
  EXPECT_TRUE(RunAt(p, 8).format.underline);
  EXPECT_EQ(RunAt(p, 9).format, CharFormat{});
}

TEST(RtfReader, PlainResetsCharacterFormattingToTheDefaultFont) {
  const Document document = ReadRtf(Doc("\\f1\\fs30\\b\\i\\cf1 x\\plain y")).document;
  const Paragraph& p = ParagraphAt(document, 0);
  ASSERT_EQ(p.items.size(), 2u);
  EXPECT_EQ(document.fonts[static_cast<std::size_t>(RunAt(p, 0).format.font)].name, "Times New Roman");
  const CharFormat& plain = RunAt(p, 1).format;
  EXPECT_EQ(document.fonts[static_cast<std::size_t>(plain.font)].name, "Arial");
  EXPECT_EQ(plain.size, 24);
  EXPECT_FALSE(plain.bold || plain.italic);
  EXPECT_FALSE(plain.foreground.has_value());
}

TEST(RtfReader, CharacterFormattingControlWords) {
  const Document document = ReadRtf(Doc(
      "\\fs28\\cf1\\highlight2 a\\cf0\\highlight0\\super b\\sub c\\nosupersub\\strike d\\strike0"
      "\\v e\\v0\\uld f\\ulc1 g\\ulnone\\b1 h\\b0\\fs0 i")).document;
  const Paragraph& p = ParagraphAt(document, 0);
  ASSERT_EQ(p.items.size(), 8u);
  EXPECT_EQ(RunAt(p, 0).format.size, 28);
  EXPECT_EQ(RunAt(p, 0).format.foreground, (Rgb{255, 0, 0}));
  EXPECT_EQ(RunAt(p, 0).format.background, (Rgb{0, 0, 128}));
  EXPECT_FALSE(RunAt(p, 1).format.foreground.has_value());
  EXPECT_EQ(RunAt(p, 1).format.vertical, VerticalPosition::Superscript);
  EXPECT_EQ(RunAt(p, 2).format.vertical, VerticalPosition::Subscript);
  EXPECT_TRUE(RunAt(p, 3).format.strike);
  EXPECT_TRUE(RunAt(p, 4).format.hidden);
  EXPECT_TRUE(RunAt(p, 5).format.underline);  // \uld; \ulc is a colour, not an underline
  EXPECT_EQ(RunAt(p, 5).text, U"fg");
  EXPECT_TRUE(RunAt(p, 6).format.bold);
  EXPECT_EQ(RunAt(p, 7).text, U"i");
  EXPECT_EQ(RunAt(p, 7).format.size, 24);  // \fs0 is no size
}

TEST(RtfReader, ParagraphFormattingAndPard) {
  const Document document =
      ReadRtf(Doc("\\qc\\li720\\ri360\\fi-360\\sb120\\sa240 one\\par two\\par\\pard\\qr three\\par"
                  "{\\qj four}\\par")).document;
  ASSERT_EQ(document.blocks.size(), 4u);
  const ParagraphFormat expected{Alignment::Centre, 720, 360, -360, 120, 240};
  EXPECT_EQ(ParagraphAt(document, 0).format, expected);
  EXPECT_EQ(ParagraphAt(document, 1).format, expected);  // kept until \pard
  EXPECT_EQ(ParagraphAt(document, 2).format, (ParagraphFormat{Alignment::Right}));
  // The paragraph takes the format in force at its mark; the group closed before it.
  EXPECT_EQ(ParagraphAt(document, 3).format, (ParagraphFormat{Alignment::Right}));
}

TEST(RtfReader, HiddenTextStaysInTheModelButIsNotShown) {
  const std::string rtf = Doc("seen{\\v hidden}\\v  too\\v0  again");
  const Document document = ReadRtf(rtf).document;
  EXPECT_TRUE(RunAt(ParagraphAt(document, 0), 1).format.hidden);
  EXPECT_EQ(Plain(rtf), "seen again");
}

TEST(RtfReader, DestinationsADisplayDoesNotShowAreSkipped) {
  const std::string rtf = Doc(
      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}{\\*\\generator G;}"
      "{\\*\\unknowndest xx}{\\header H}{\\footer F}{\\pntext 1.}{\\listtext 2.}"
      "a{\\footnote note}b{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}"
      "{\\field{\\fldinst PAGE}{\\fldrslt 3}}{\\*\\bkmkstart m}{\\xe index}{\\pn\\pnlvlblt{\\pntxtb .}}c");
  EXPECT_EQ(Plain(rtf), "abshown3c");
}

TEST(RtfReader, ControlSymbolsGiveTheirCharacters) {
  EXPECT_EQ(Display(Doc("a\\~b\\-c\\_d\\\\\\{\\}\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote"
                        "\\bullet\\|\\:x")),
            U"a\u00A0b\u00ADc\u2011d\\{}\u2014\u2013\u2018\u2019\u201C\u201D\u2022x");
  EXPECT_EQ(Plain(Doc("\\emdash\\endash\\~")), "\x97\x96\xA0");
}

TEST(RtfReader, SourceLineEndsAreNotText) {
  EXPECT_EQ(Plain(Doc("one\r\ntwo\ntwo\\par\r\nthree")), "onetwotwo\r\nthree");
  // A backslash before a line end is a paragraph mark.
  EXPECT_EQ(Plain(Doc("one\\\r\ntwo\\\nthree")), "one\r\ntwo\r\nthree");
  // A literal tab counts as \tab; other control bytes are not text.
  EXPECT_EQ(Plain(Doc("a\tb\x01\x1F" "c")), "a\tbc");
}

TEST(RtfReader, ControlWordDelimiters) {
  // One space after a control word belongs to it; further spaces are text.
  EXPECT_EQ(Plain(Doc("\\b  x\\b0\\i y\\i0;z")), " xy;z");
  // A hyphen followed by a digit is a negative parameter, otherwise text.
  EXPECT_EQ(Plain(Doc("\\fi-20x\\b-y")), "x-y");
}

TEST(RtfReader, TablesAreRowsOfCells) {
  const std::string rtf = Doc(
      "before\\par\\trowd\\cellx1200\\cellx8414\\pard\\intbl A\\cell B1\\par B2\\cell\\row"
      "\\trowd\\cellx3000\\pard\\intbl C\\cell\\row\\pard after\\par");
  const Document document = ReadRtf(rtf).document;
  ASSERT_EQ(document.blocks.size(), 3u);
  const Table& table = std::get<Table>(document.blocks[1]);
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0].cellRightEdges, (std::vector<int>{1200, 8414}));
  ASSERT_EQ(table.rows[0].cells.size(), 2u);
  ASSERT_EQ(table.rows[0].cells[1].paragraphs.size(), 2u);
  EXPECT_TRUE(table.rows[0].cells[1].paragraphs[0].ended);
  EXPECT_FALSE(table.rows[0].cells[1].paragraphs[1].ended);
  EXPECT_EQ(table.rows[1].cellRightEdges, (std::vector<int>{3000}));
  EXPECT_EQ(Plain(rtf), "before\r\nA\tB1\r\nB2\t\r\nC\t\r\nafter\r\n");
}

TEST(RtfReader, TableRowsWrittenInScatteredGroups) {
  // Cell edges given before \trowd, \intbl lost with its group, text left before \row:
  // the form the entry print assembles.
  const std::string rtf = Doc(
      "{\\i\\ul\\f0\\cellx1200\\cellx8414\\pard\\intbl\\fs24\\cf0 \\'cb:\\ul0\\cell}"
      "{\\b\\f0\\fs22\\cf0     one\\cell\\row\\trowd} \\par"
      "{\\intbl X\\cell tail\\row}");
  const Document document = ReadRtf(rtf).document;
  ASSERT_EQ(document.blocks.size(), 3u);
  const Table& first = std::get<Table>(document.blocks[0]);
  ASSERT_EQ(first.rows.size(), 1u);
  EXPECT_EQ(first.rows[0].cellRightEdges, (std::vector<int>{1200, 8414}));
  EXPECT_EQ(first.rows[0].cells.size(), 2u);
  EXPECT_EQ(Plain(rtf), "\xCB:\t    one\t\r\n \r\nX\ttail\t\r\n");
}

TEST(RtfReader, RowLeftOpenByTextOutsideTheTable) {
  const std::string rtf = Doc("\\intbl A\\cell\\pard B\\par C");
  const Document document = ReadRtf(rtf).document;
  ASSERT_EQ(document.blocks.size(), 3u);
  EXPECT_FALSE(std::get<Table>(document.blocks[0]).rows.at(0).ended);
  EXPECT_EQ(Plain(rtf), "A\tB\r\nC");
}

TEST(RtfReader, PngAndJpegPicturesKeepTheirBytes) {
  const std::string rtf = Doc(
      "a{\\pict\\pngblip\\picw10\\pich10\\picwgoal100\\pichgoal200\\picscalex50\r\n8950 4e\r\n47}b"
      "{\\pict\\wmetafile8 0102}c{\\*\\shppict{\\pict\\jpegblip\\bin3 \xFF\xD8}}}d"
      "{\\nonshppict{\\pict\\pngblip 00}}e");
  const Document document = ReadRtf(rtf).document;
  const Paragraph& p = ParagraphAt(document, 0);
  ASSERT_EQ(p.items.size(), 5u);
  const Picture& png = std::get<Picture>(p.items[1]);
  EXPECT_EQ(png.format, PictureFormat::Png);
  EXPECT_EQ(png.data, "\x89PNG");
  EXPECT_EQ(png.widthGoal, 100);
  EXPECT_EQ(png.heightGoal, 200);
  EXPECT_EQ(png.scaleX, 50);
  EXPECT_EQ(png.scaleY, 100);
  const Picture& jpeg = std::get<Picture>(p.items[3]);
  EXPECT_EQ(jpeg.format, PictureFormat::Jpeg);
  EXPECT_EQ(jpeg.data, "\xFF\xD8}");  // \bin bytes are data, braces included
  EXPECT_EQ(DisplayText(document), U"a\uFFFCbc\uFFFCde");
  EXPECT_EQ(Plain(rtf), "abcde");
}

TEST(RtfReader, TextAfterTheDocumentGroupIsIgnored) {
  EXPECT_EQ(Plain("{\\rtf1 a\\par}\r\nafter {\\b x}"), "a\r\n");
}

TEST(RtfReader, GroupsLeftOpenCloseAtTheEnd) {
  EXPECT_EQ(Plain("{\\rtf1 a{\\b b{\\i c"), "abc");
  EXPECT_EQ(Plain("{\\rtf1\\intbl A\\cell B"), "A\tB");
  EXPECT_EQ(Plain("{\\rtf1 x{\\pict\\pngblip 89"), "x");
  EXPECT_EQ(Display("{\\rtf1 x{\\pict\\pngblip 89"), U"x\uFFFC");
}

TEST(RtfReaderHostile, DeepNestingEndsCleanly) {
  const std::string open(10000, '{');
  const std::string close(10000, '}');
  EXPECT_EQ(Plain("{\\rtf1 a" + open + "deep" + close + "b}"), "ab");
  EXPECT_EQ(Plain("{\\rtf1 a" + open + "deep"), "a");
  // Within the depth bound groups show their text.
  EXPECT_EQ(Plain("{\\rtf1 a" + std::string(500, '{') + "x" + std::string(500, '}') + "b}"), "axb");
}

TEST(RtfReaderHostile, BinaryLengthBeyondTheInput) {
  EXPECT_EQ(Plain("{\\rtf1 a\\bin999999999 xyz}"), "a");
  EXPECT_EQ(Plain("{\\rtf1 a\\bin-5 xyz}"), "axyz");
  EXPECT_EQ(Plain("{\\rtf1 a{\\pict\\pngblip\\bin99999999999999999999 }b"), "a");
  // Binary data may hold braces and backslashes without ending the group.
  EXPECT_EQ(Plain("{\\rtf1 a{\\*\\x\\bin4 }}\\{}b}"), "ab");
}

TEST(RtfReaderHostile, OverlongControlWordsAndNumbers) {
  EXPECT_EQ(Plain("{\\rtf1 a\\" + std::string(1000, 'b') + " x}"), "ax");
  EXPECT_EQ(Plain("{\\rtf1 a{\\*\\" + std::string(1000, 'b') + " x}y}"), "ay");
  const Document document =
      ReadRtf("{\\rtf1\\fs99999999999999999999999 a\\li-99999999999999999999 b\\u99999999?c}").document;
  const Paragraph& p = ParagraphAt(document, 0);
  EXPECT_EQ(RunAt(p, 0).format.size, 3276);
  EXPECT_EQ(p.format.leftIndent, -2147483647);
  EXPECT_EQ(DisplayText(document), U"ab\uFFFDc");
}

TEST(RtfReaderHostile, ManyFontsAndColours) {
  std::string fonts = "{\\rtf1\\ansi{\\fonttbl";
  for (int i = 0; i < 40000; ++i) fonts += "{\\f" + std::to_string(i) + "\\fcharset161 F" + std::to_string(i) + ";}";
  fonts += "}{\\colortbl;";
  for (int i = 0; i < 40000; ++i) fonts += "\\red1\\green2\\blue3;";
  fonts += "}\\f32767\\'e1\\f39999\\'e1\\f-5\\'e1\\cf30000 x\\cf1023 y}";
  const ReadResult read = ReadRtf(fonts);
  EXPECT_EQ(DisplayText(read.document), U"αááxy");
  // Numbers beyond the font bound share one undefined font; colours beyond the bound are
  // the automatic colour.
  ASSERT_EQ(read.document.fonts.size(), 2u);
  EXPECT_EQ(read.document.fonts[0].name, "F32767");
  const Paragraph& p = ParagraphAt(read.document, 0);
  ASSERT_EQ(p.items.size(), 3u);
  EXPECT_EQ(RunAt(p, 1).text, U"ááx");
  EXPECT_FALSE(RunAt(p, 1).format.foreground.has_value());
  EXPECT_EQ(RunAt(p, 2).format.foreground, (Rgb{1, 2, 3}));
}

TEST(RtfReaderHostile, TruncatedInput) {
  for (const std::string rtf : {"{\\rtf", "{\\rtf1 \\", "{\\rtf1 \\'", "{\\rtf1 \\'e", "{\\rtf1 \\u",
                                "{\\rtf1 \\u-", "{\\rtf1 \\bin", "{\\rtf1 {\\fonttbl{\\f0\\fcharset",
                                "{\\rtf1 {\\colortbl\\red", "{\\rtf1 \\*", "{\\rtf1 }}}}"}) {
    EXPECT_TRUE(RtfToPlainText(rtf).has_value()) << rtf;
    EXPECT_TRUE(ReadRtf(rtf).isRtf) << rtf;
  }
}

TEST(RtfReaderHostile, BadHexEscapes) {
  // An escape without hex digits gives nothing; one digit is taken as the value.
  EXPECT_EQ(Display("{\\rtf1 a\\'zzb\\'41\\'4z\\'e}"), U"azzbAz");
}

}  // namespace
}  // namespace quorvel::richtext

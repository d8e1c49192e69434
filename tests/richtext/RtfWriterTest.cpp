#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"

namespace quorvel::richtext {
namespace {

const std::string kDescriptionHeader =
    "{\\rtf1\\ansi\\ansicpg1253\\deff0\\deflang1032{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset161 Arial;}"
    "{\\f60\\froman\\fprq2\\fcharset161 Times New Roman Greek;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}"
    "\\viewkind4\\uc1\\pard\\f0\\fs22";

Document Read(const std::string& rtf) { return ReadRtf(rtf).document; }

// Documents covering every construct of the model.
const std::vector<std::string> kFixtures = {
    "{\\rtf1 plain\\par}",
    "{\\rtf1 no mark at the end}",
    "{\\rtf1\\par\\par}",
    kDescriptionHeader + "\r\n\\b Anchor\\b0  [\\'e1\\'e3\\'ea\\'f5\\'f1\\'e1] {\\f60\\i see} \\par \\par}\r\n",
    "{\\rtf1{\\fonttbl{\\f0\\fcharset161 Greek;}{\\f1\\fcharset0 West;}{\\f2\\fcharset2 Symbol;}"
    "{\\f3\\fcharset204 Cyr;}{\\f4\\fcharset128 Far East;}{\\f5 Default;}}"
    "\\f0\\'e1\\'e9\\u233?\\f1 caf\\'e9\\u945?\\f2 abW\\'b3\\u945?\\f3\\'e4\\f4 x\\u12354?\\f5\\'e1\\u-10179?\\u-8576?}",
    "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Na\\'3bme \\'5c\\{\\}\\'e9\\u8364?;}}x}",
    "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;\\red0\\green0\\blue0;}"
    "\\fs28\\cf1 a\\highlight2 b\\cf3\\highlight0 c\\b\\i\\ul\\strike d\\super e\\sub f\\nosupersub\\v g"
    "\\plain h}",
    "{\\rtf1\\qc\\li720\\ri360\\fi-360\\sb120\\sa240 one\\par two\\par\\pard\\qr three\\par\\qj four}",
    "{\\rtf1 a\\line b\\tab c\\~\\-\\_\\emdash\\\\\\{\\} d\\par}",
    "{\\rtf1 before\\par\\trowd\\cellx1200\\cellx8414\\pard\\intbl\\qc A\\cell B1\\par B2\\cell\\row"
    "\\trowd\\cellx3000\\intbl\\cell\\row\\pard after\\par}",
    "{\\rtf1\\intbl A\\cell\\pard B\\par C}",
    "{\\rtf1\\intbl A\\cell B}",
    "{\\rtf1\\intbl A\\par\\cell\\row}",
    "{\\rtf1 a{\\pict\\pngblip\\picwgoal100\\pichgoal200\\picscalex50 89504e47}b"
    "{\\pict\\jpegblip\\picscaley300 ffd8}\\par{\\pict\\pngblip}}",
    "{\\rtf1 a{\\v hidden\\par}b}",
    "{\\rtf1 " + std::string(2000, '{') + "deep" + std::string(2000, '}') + "x}",
};

TEST(RtfWriter, ReadingTheOutputGivesTheSameModel) {
  for (const std::string& fixture : kFixtures) {
    const Document document = Read(fixture);
    const std::string written = WriteRtf(document);
    EXPECT_EQ(Read(written), document) << fixture << "\n" << written;
    EXPECT_EQ(WriteRtf(Read(written)), written);
  }
}

// The save that reads the document twice instead of holding it writes what the model gives,
// also when colours and fonts are first used late, tables follow one another and text is
// interleaved with them.
TEST(RtfWriter, ResavingWithoutTheModelWritesWhatTheModelGives) {
  std::vector<std::string> documents = kFixtures;
  documents.push_back("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset161 B;}}{\\colortbl;\\red1\\green2\\blue3;"
                      "\\red9\\green9\\blue9;}\\trowd\\cellx100\\intbl\\cell\\row\\trowd\\cellx200\\intbl x\\cell\\row"
                      "\\pard\\par\\par\\intbl open\\par\\f1\\cf2 late\\cell\\pard\\cf1\\fs30 y\\par\\f0 z}");
  for (const std::string& fixture : documents) {
    std::ostringstream saved;
    ASSERT_TRUE(ResaveRtf(fixture, saved)) << fixture;
    EXPECT_EQ(saved.str(), WriteRtf(Read(fixture))) << fixture;
  }
  std::ostringstream none;
  EXPECT_FALSE(ResaveRtf("{\\rt plain", none));
  EXPECT_EQ(none.str(), "");
}

TEST(RtfWriter, WritesTheFormOfARichTextControl) {
  const std::string written = WriteRtf(Read(kFixtures[3]));
  const std::string opening =
      "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}"
      "{\\f1\\fnil\\fcharset161 Times New Roman Greek;}}\r\n";
  EXPECT_EQ(written.substr(0, opening.size()), opening);
  EXPECT_NE(written.find("}\r\n\\viewkind4\\uc1\\pard\\f0\\fs22\\b Anchor\\b0  [\\'e1\\'e3"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("\\f1\\i see\\f0\\i0  \\par\r\n\\par\r\n}\r\n"), std::string::npos) << written;
  // No colour is used, so there is no colour table.
  EXPECT_EQ(written.find("colortbl"), std::string::npos);
}

TEST(RtfWriter, FontsAreNumberedInTheOrderTheTextUsesThem) {
  const std::string written = WriteRtf(Read(
      "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Unused;}{\\f5\\fcharset0 West;}{\\f60\\fcharset161 Greek;}}"
      "\\f60 a\\f5 b}"));
  EXPECT_NE(written.find("{\\fonttbl{\\f0\\fnil\\fcharset161 Greek;}{\\f1\\fnil\\fcharset0 West;}}"),
            std::string::npos)
      << written;
  EXPECT_EQ(written.find("Unused"), std::string::npos);
}

TEST(RtfWriter, ColourTableHoldsTheColoursUsed) {
  const std::string written = WriteRtf(Read(kFixtures[6]));
  EXPECT_NE(written.find("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;\\red0\\green0\\blue0;}\r\n"),
            std::string::npos)
      << written;
}

TEST(RtfWriter, TextIsSevenBitWithEscapes) {
  for (const std::string& fixture : kFixtures) {
    for (const char c : WriteRtf(Read(fixture))) {
      ASSERT_LT(static_cast<unsigned char>(c), 0x80) << fixture;
    }
  }
  Document document;
  document.fonts = {Font{"Arial", 161}, Font{"Times", 0}};
  Paragraph paragraph;
  paragraph.ended = false;
  paragraph.items.push_back(richtext::Run{CharFormat{}, U"αé{Ж"});
  CharFormat western;
  western.font = 1;
  paragraph.items.push_back(richtext::Run{western, U"éα\U0001F680"});
  document.blocks.push_back(paragraph);
  const std::string written = WriteRtf(document);
  EXPECT_NE(written.find("\\f0\\fs24 \\'e1\\u233?\\{\\u1046?\\f1 \\'e9\\u945?\\u-10179?\\u-8576?}"),
            std::string::npos)
      << written;
  EXPECT_EQ(Read(written), document);
}

// The printing of an entry takes the description view's RTF apart as text: it finds the
// Greek font number and splits the document after its tables. These are its steps, with
// one-based positions as it counts them.
struct PrintSplit {
  char font = '0';
  std::size_t split = 0;  // j; 0 when no split point is found
  std::string head;
  std::string tail;
};

PrintSplit RunPrintSteps(const std::string& saved) {
  // The source text: lines joined again with CR LF after every line, the last included.
  std::string r;
  std::size_t start = 0;
  while (start < saved.size()) {
    std::size_t end = saved.find_first_of("\r\n", start);
    if (end == std::string::npos) end = saved.size();
    r += saved.substr(start, end - start) + "\r\n";
    start = end;
    if (start < saved.size() && saved[start] == '\r') ++start;
    if (start < saved.size() && saved[start] == '\n') ++start;
  }
  const auto at = [](const std::string& s, std::size_t k) { return k >= 1 && k <= s.size() ? s[k - 1] : '\0'; };
  const auto firstFs = [](const std::string& s) {
    const std::size_t found = s.find("\\fs");
    return found == std::string::npos ? std::size_t{0} : found + 1;
  };
  PrintSplit result;
  if (const std::size_t found = r.find("\\fcharset161"); found != std::string::npos) {
    std::size_t k = found;  // the position just before the occurrence
    while (k > 0 && !(at(r, k) == '\\' && at(r, k + 1) == 'f' && at(r, k + 3) == '\\')) --k;
    if (k > 0) result.font = at(r, k + 2);
  }
  std::string w = r;
  std::size_t p = firstFs(w);
  while (p > 0) {
    if (at(w, p + 3) == '1' || at(w, p + 3) == '2') break;
    const char after = at(w, p + 5);
    if (after == '\\' || after == ' ' || after == '}' || after == '{') break;
    w.replace(p - 1, 3, "\\aa");
    p = firstFs(w);
  }
  std::size_t j = p;
  while (j > 0 && at(r, j) != ' ' && at(r, j) != '}') --j;
  if (p > 0 && j > 0) {
    result.split = j;
    result.head = r.substr(0, j);
    result.tail = r.substr(j - 1, 20000);
  } else {
    result.tail = w;
  }
  return result;
}

std::string Esc(const std::string& cp1253) {
  std::string out;
  for (const char c : cp1253) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\'";
    out += kDigits[static_cast<unsigned char>(c) >> 4];
    out += kDigits[static_cast<unsigned char>(c) & 0x0F];
  }
  return out;
}

// The print document assembled from the pieces.
std::string PrintDocument(const PrintSplit& split, const std::string& row1, const std::string& row2) {
  const std::string f(1, split.font);
  return split.head + " \\ql {\\b\\ul\\f" + f + "\\fs24\\cf0 " + Esc("Orvanta") + "} \\par \\par \\par \\ql " +
         "{\\i\\ul\\f" + f + "\\cellx1200\\cellx8414\\pard\\intbl\\fs24\\cf0 " + Esc("\xCB\xDE\xEC\xEC\xE1") +
         ":\\ul0\\cell}" + "{\\b\\f" + f + "\\fs22\\cf0     " + Esc(row1) + "\\cell\\row\\trowd} \\par" +
         "{\\i\\ul\\f" + f + "\\cellx1200\\cellx8414\\pard\\intbl\\fs22\\cf0 " +
         Esc("\xC1\xF0\xFC\xE4\xEF\xF3\xE7") + ":\\ul0\\cell}" + "{\\b\\f" + f + "\\fs22\\cf0 " + Esc(row2) +
         "} \\par \\par" + "{\\i\\ul\\f" + f + "\\cellx1200\\cellx8414\\pard\\intbl\\fs22\\cf0 " +
         Esc("\xD0\xE5\xF1\xE9\xE3\xF1\xE1\xF6\xDE") + ":\\ul0\\cell}" + "{\\f" + f + "\\fs22\\cf0 " + "\r\n" +
         split.tail + "\r\n}}}\r\n";
}

TEST(RtfWriter, PrintingFindsTheGreekFontAndSplitsAfterTheFontTable) {
  const std::string written = WriteRtf(Read(kFixtures[3]));
  const PrintSplit split = RunPrintSteps(written);
  EXPECT_EQ(split.font, '0');
  const std::size_t tableEnd = written.find("}}\r\n") + 2;  // just after the font table's "}"
  EXPECT_EQ(split.split, tableEnd);
  EXPECT_EQ(split.head, written.substr(0, tableEnd));
  EXPECT_EQ(split.tail.substr(0, 20), "}\r\n\\viewkind4\\uc1\\pa");

  const std::string print = PrintDocument(split, "anchor", "\xE1\xE3\xEA\xF5\xF1\xE1");
  const std::optional<std::string> text = RtfToPlainText(print);
  ASSERT_TRUE(text.has_value());
  // Spaces after closing braces are text, as everywhere in RTF.
  EXPECT_EQ(*text,
            " Orvanta \r\n\r\n\r\n\xCB\xDE\xEC\xEC\xE1:\t    anchor\t\r\n \r\n\xC1\xF0\xFC\xE4\xEF\xF3\xE7:\t"
            "\xE1\xE3\xEA\xF5\xF1\xE1 \r\n\r\n\xD0\xE5\xF1\xE9\xE3\xF1\xE1\xF6\xDE:\t"
            "Anchor [\xE1\xE3\xEA\xF5\xF1\xE1] see \r\n\r\n");
}

TEST(RtfWriter, PrintingFindsAGreekFontThatIsNotTheFirst) {
  const std::string written = WriteRtf(Read(
      "{\\rtf1{\\fonttbl{\\f0\\fcharset0 West;}{\\f1\\fcharset161 Greek;}}{\\colortbl;\\red0\\green0\\blue255;}"
      "\\f0\\fs20\\cf1 ship \\f1\\cf0\\'f0\\'eb\\'ef\\'df\\'ef\\par}"));
  const PrintSplit split = RunPrintSteps(written);
  EXPECT_EQ(split.font, '1');
  // With a colour in use, the colour table follows the font table and the split comes
  // after it.
  const std::size_t colourEnd = written.find(";}\r\n\\viewkind4") + 2;
  EXPECT_EQ(split.split, colourEnd);
  const std::optional<std::string> text = RtfToPlainText(PrintDocument(split, "ship", "\xF0\xEB\xEF\xDF\xEF"));
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("\xD0\xE5\xF1\xE9\xE3\xF1\xE1\xF6\xDE:\tship \xF0\xEB\xEF\xDF\xEF\r\n"), std::string::npos)
      << *text;
}

TEST(RtfWriter, PrintingOfAnEmptyView) {
  const std::string written = WriteRtf(Document{});
  EXPECT_EQ(written, "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl}\r\n\\viewkind4\\uc1\\pard\\f0\\fs24}\r\n");
  EXPECT_EQ(Read(written), Document{});
  const PrintSplit split = RunPrintSteps(written);
  EXPECT_EQ(split.font, '0');
  EXPECT_EQ(split.head, "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl}");
}

}  // namespace
}  // namespace quorvel::richtext

// Tests of the sample dictionary compiler: the record parser, the RTF of the entry document,
// the order and layout of the outputs, the messages for malformed sources, and the real
// dictionary/ sources run through quorvel-dictc.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "richtext/RtfReader.h"
#include "tools/sample/dictc/DictCompile.h"
#include "tools/sample/dictc/DictSource.h"
#include "tools/sample/dictc/EntryRtf.h"

namespace quorvel::dictc {
namespace {

std::vector<SourceRecord> Records(const std::string& text) {
  LoadedSource loaded = ParseSourceText(text, "test.txt");
  EXPECT_EQ(loaded.error, "");
  return loaded.records;
}

std::string ParseError(const std::string& line) {
  const ParsedRecord parsed = ParseRecordLine(line);
  EXPECT_FALSE(parsed.record.has_value()) << line;
  return parsed.error;
}

std::string CompileError(const std::string& text) {
  const CompiledDictionary compiled = Compile(Records(text));
  EXPECT_NE(compiled.error, "") << text;
  return compiled.error;
}

// Depth never below zero and back to zero at the end; \{ \} and \\ are text.
bool BracesBalance(std::string_view rtf) {
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}' && --depth < 0) {
      return false;
    }
  }
  return depth == 0;
}

bool SevenBit(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Lines of a CR LF file; every line must end in CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "line without CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class TempDir {
 public:
  TempDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("dictc_test_" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "_" +
             std::to_string(std::rand()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// ---------------------------------------------------------------------------------------------

TEST(DictSource, ParsesAllFields) {
  const ParsedRecord parsed = ParseRecordLine(
      "  ship's articles |ναυτολόγιο , σύμβαση ναυτολόγησης| Το **έγγραφο**. | 2=bowline, anchor ");
  ASSERT_TRUE(parsed.record.has_value()) << parsed.error;
  const SourceRecord& record = *parsed.record;
  EXPECT_EQ(record.headword, "ship's articles");
  EXPECT_EQ(record.greek, (std::vector<std::string>{"ναυτολόγιο", "σύμβαση ναυτολόγησης"}));
  EXPECT_EQ(record.description, "Το **έγγραφο**.");
  ASSERT_EQ(record.figures.size(), 2u);
  EXPECT_EQ(record.figures[0].digit, 2);
  EXPECT_EQ(record.figures[0].drawing, "bowline");
  EXPECT_EQ(record.figures[1].digit, 0);
  EXPECT_EQ(record.figures[1].drawing, "anchor");
}

TEST(DictSource, EmptyGreekFieldMeansNoRendering) {
  const ParsedRecord parsed = ParseRecordLine("ahoy |  | Επιφώνημα.");
  ASSERT_TRUE(parsed.record.has_value());
  EXPECT_TRUE(parsed.record->greek.empty());
  EXPECT_TRUE(parsed.record->figures.empty());
}

TEST(DictSource, RejectsMalformedRecords) {
  EXPECT_NE(ParseError("anchor | άγκυρα").find("3 or 4 fields"), std::string::npos);
  EXPECT_NE(ParseError("a | b | c | d | e").find("found 5"), std::string::npos);
  EXPECT_NE(ParseError(" | άγκυρα | Κείμενο.").find("empty headword"), std::string::npos);
  EXPECT_NE(ParseError("άγκυρα | άγκυρα | Κείμενο.").find("ASCII"), std::string::npos);
  EXPECT_NE(ParseError("anchor [x] | άγκυρα | Κείμενο.").find("'['"), std::string::npos);
  EXPECT_NE(ParseError("a = b | άγκυρα | Κείμενο.").find("'='"), std::string::npos);
  EXPECT_NE(ParseError("anchor | α, , β | Κείμενο.").find("empty Greek"), std::string::npos);
  EXPECT_NE(ParseError("anchor | α=β | Κείμενο.").find("must not contain"), std::string::npos);
  EXPECT_NE(ParseError("anchor | α, β, γ, δ, ε, ζ | Κείμενο.").find("more than 5"),
            std::string::npos);
  EXPECT_NE(ParseError("anchor | άγκυρα → | Κείμενο.").find("U+2192"), std::string::npos);
  EXPECT_NE(ParseError("anchor | άγκυρα | ").find("empty description"), std::string::npos);
  EXPECT_NE(ParseError("anchor | άγκυρα | Κείμενο. | kedge").find("unknown drawing \"kedge\""),
            std::string::npos);
  EXPECT_NE(ParseError("anchor | άγκυρα | Κείμενο. | 0=anchor").find("one digit 1-9"),
            std::string::npos);
  EXPECT_NE(ParseError("anchor | άγκυρα | Κείμενο. | 12=anchor").find("one digit 1-9"),
            std::string::npos);
  EXPECT_NE(ParseError("anchor | άγκυρα | Κείμενο. | 1=anchor, 1=bowline").find("twice"),
            std::string::npos);
}

TEST(DictSource, LimitsFollowTheBuildFields) {
  EXPECT_TRUE(ParseRecordLine(std::string(115, 'a') + " | | Κείμενο.").record.has_value());
  EXPECT_NE(ParseError(std::string(116, 'a') + " | | Κείμενο.").find("longer than 115"),
            std::string::npos);
  // 114 code page 1253 bytes in all, the ", " between renderings included.
  std::string half;
  for (int i = 0; i < 56; ++i) half += "α";
  EXPECT_TRUE(ParseRecordLine("anchor | " + half + ", " + half + " | Κείμενο.").record.has_value());
  EXPECT_NE(ParseError("anchor | " + half + "α, " + half + " | Κείμενο.").find("longer than 114"),
            std::string::npos);
}

TEST(DictSource, SourceTextSkipsCommentsAndNamesTheBadLine) {
  const std::string text =
      "\xEF\xBB\xBF# comment\r\n"
      "\r\n"
      "anchor | άγκυρα | Κείμενο.\r\n"
      "   # indented comment\n"
      "bow | πλώρη | Κείμενο.";
  const LoadedSource loaded = ParseSourceText(text, "letters.txt");
  ASSERT_EQ(loaded.error, "");
  ASSERT_EQ(loaded.records.size(), 2u);
  EXPECT_EQ(loaded.records[0].line, 3);
  EXPECT_EQ(loaded.records[0].description, "Κείμενο.");
  EXPECT_EQ(loaded.records[1].line, 5);
  EXPECT_EQ(loaded.records[1].file, "letters.txt");

  const LoadedSource bad = ParseSourceText("anchor | άγκυρα | Κείμενο.\n\nbow | πλώρη\n", "x.txt");
  EXPECT_EQ(bad.error, "x.txt:3: expected 3 or 4 fields separated by '|', found 2");
  EXPECT_EQ(ParseSourceText("anchor | \xCE | Κείμενο.\n", "y.txt").error.rfind("y.txt:1: ", 0), 0u);
}

TEST(DictSource, FolderReadsTxtFilesInNameOrder) {
  TempDir dir;
  std::ofstream(dir.path() / "b.txt") << "bow | πλώρη | Κείμενο.\n";
  std::ofstream(dir.path() / "a.txt") << "anchor | άγκυρα | Κείμενο.\n";
  std::ofstream(dir.path() / "README.md") << "not | a | record | at all | here\n";
  const LoadedSource loaded = LoadSourceFolder(dir.path());
  ASSERT_EQ(loaded.error, "");
  ASSERT_EQ(loaded.records.size(), 2u);
  EXPECT_EQ(loaded.records[0].headword, "anchor");
  EXPECT_EQ(loaded.records[1].headword, "bow");

  TempDir empty;
  EXPECT_NE(LoadSourceFolder(empty.path()).error.find("no .txt source files"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------

TEST(EntryRtf, HeaderIsExactly511SevenBitCharacters) {
  const std::string header = RtfHeader();
  EXPECT_EQ(header.size(), kRtfHeaderLength);
  EXPECT_TRUE(SevenBit(header));
  EXPECT_EQ(header.rfind("\\rtf1\\ansi\\ansicpg1253\\deff0", 0), 0u);
  EXPECT_NE(header.find("{\\f0\\fswiss\\fcharset161 "), std::string::npos);
  EXPECT_NE(header.find("{\\f60\\froman\\fcharset161 "), std::string::npos);
  EXPECT_NE(header.find("{\\colortbl"), std::string::npos);
  EXPECT_NE(header.find("\\viewkind4\\uc1\\pard"), std::string::npos);
  EXPECT_EQ(header.find('\r'), std::string::npos);
  EXPECT_EQ(header.find('\n'), std::string::npos);
  // Opened by the "{" that the program puts in front and closed by the entry's own "}".
  EXPECT_TRUE(BracesBalance("{" + header + "}"));
  // The padding sits inside the ignorable destination, which closes the header.
  EXPECT_EQ(header.back(), '}');
  EXPECT_NE(header.find("{\\*\\generator"), std::string::npos);
}

TEST(EntryRtf, EscapesSpecialsAndEightBitBytes) {
  EXPECT_EQ(EscapeRtfText("a{b}\\c"), "a\\{b\\}\\\\c");
  EXPECT_EQ(EscapeRtfText("\xE1\xDC z"), "\\'e1\\'dc z");
  EXPECT_EQ(EscapeRtfText(std::string("\x00\x0A\x7F", 3)), "\\'00\\'0a\\'7f");
}

TEST(EntryRtf, ConvertsTheLightMarkup) {
  const DescriptionRtf rtf = DescriptionToRtf("**Άγκυρα** και *kedge*.¶Βλ. →[anchor (sea)].");
  ASSERT_EQ(rtf.error, "");
  EXPECT_EQ(rtf.rtf,
            "\\b \\'a2\\'e3\\'ea\\'f5\\'f1\\'e1\\b0  \\'ea\\'e1\\'e9 \\i kedge\\i0 ."
            "\\par \\'c2\\'eb. \\i anchor (sea)\\i0 .");
  EXPECT_EQ(rtf.crossRefs, (std::vector<std::string>{"anchor (sea)"}));
  EXPECT_TRUE(SevenBit(rtf.rtf));

  // A reference inside italics keeps the surrounding type instead of closing it early.
  EXPECT_EQ(DescriptionToRtf("*a →[b] c*").rtf, "\\i a b c\\i0 ");
}

TEST(EntryRtf, FigureReferencesBecomeEscapedBraces) {
  const DescriptionRtf rtf = DescriptionToRtf("Δες {Σχήμα} και {Σχήμα 2}.");
  ASSERT_EQ(rtf.error, "");
  const std::string word = "\\'d3\\'f7\\'de\\'ec\\'e1";
  EXPECT_EQ(rtf.rtf, "\\'c4\\'e5\\'f2 \\{" + word + "\\} \\'ea\\'e1\\'e9 \\{" + word + " 2\\}.");
  EXPECT_EQ(rtf.figureDigits, (std::vector<int>{0, 2}));
  EXPECT_TRUE(BracesBalance("{" + rtf.rtf + "}"));
}

TEST(EntryRtf, RejectsMalformedMarkup) {
  EXPECT_NE(DescriptionToRtf("α {β} γ").error.find("figure reference"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α {Σχήμα 0} γ").error.find("figure reference"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α {Σχήμα").error.find("figure reference"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α } γ").error.find("'}'"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α \\par γ").error.find("backslash"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("**α").error.find("bold"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("*α").error.find("italic"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α → β").error.find("cross reference"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α →[b").error.find("cross reference"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α →[] β").error.find("empty cross reference"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α \t β").error.find("control character U+0009"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α ≈ β").error.find("U+2248"), std::string::npos);
  EXPECT_NE(DescriptionToRtf("α \xFF β").error.find("malformed UTF-8"), std::string::npos);
  EXPECT_EQ(DescriptionToRtf("**α").rtf, "");
}

// ---------------------------------------------------------------------------------------------

TEST(DictCompile, NormalisesKeysAsTheBuildCompares) {
  EXPECT_EQ(NormaliseEnglishKey("Able-Bodied Seaman"), "ablebodied seaman");
  EXPECT_EQ(NormaliseEnglishKey("Ship's Articles"), "ships articles");
  EXPECT_EQ(NormaliseEnglishKey("anchor (sea)"), "anchor, sea");
  EXPECT_EQ(NormaliseEnglishKey("roll-on / roll-off"), "rollon/rolloff");
  EXPECT_EQ(NormaliseGreekKey(Utf8ToCp1253("Άγκυρα (πλωτή)")), Utf8ToCp1253("αγκυρα, πλωτη"));
  EXPECT_EQ(SwapAtComma("gear, steering"), "steering, gear");
  EXPECT_EQ(SwapAtComma("anchor"), "anchor");
}

TEST(DictCompile, SortsByEnglishKeyAndNumbersTheLines) {
  const CompiledDictionary compiled = Compile(Records(
      "Zulu time | ώρα Ζουλού | Κείμενο.\n"
      "anchorage | αγκυροβόλιο | Κείμενο.\n"
      "'tween deck | ενδιάμεσο κατάστρωμα | Κείμενο.\n"
      "anchor, light | φανός αγκυροβολίας | Κείμενο.\n"
      "anchor ball | σφαίρα | Κείμενο.\n"
      "3-way valve | τρίοδη βαλβίδα | Κείμενο.\n"
      "Anchor | άγκυρα | Κείμενο.\n"));
  ASSERT_EQ(compiled.error, "");
  std::vector<std::string> order;
  for (const CompiledEntry& entry : compiled.entries) order.push_back(entry.headword);
  // Punctuation and leading digits take no part; capitals sort as small letters.
  EXPECT_EQ(order, (std::vector<std::string>{"Anchor", "anchor ball", "anchor, light", "anchorage",
                                             "'tween deck", "3-way valve", "Zulu time"}));
  for (size_t i = 0; i < compiled.entries.size(); ++i) {
    EXPECT_EQ(compiled.entries[i].number, static_cast<int>(i) + 1);
  }
}

TEST(DictCompile, EntryLineHasHeadwordRenderingsAndBody) {
  const CompiledDictionary compiled =
      Compile(Records("bow | πλώρη, πρώρα | Το *μπροστινό* μέρος.\nahoy | | Επιφώνημα.\n"));
  ASSERT_EQ(compiled.error, "");
  ASSERT_EQ(compiled.entries.size(), 2u);
  EXPECT_EQ(compiled.entries[0].line, "ahoy []. \\'c5\\'f0\\'e9\\'f6\\'fe\\'ed\\'e7\\'ec\\'e1.");
  const std::string& bow = compiled.entries[1].line;
  EXPECT_EQ(bow.rfind("bow [\\'f0\\'eb\\'fe\\'f1\\'e7, \\'f0\\'f1\\'fe\\'f1\\'e1]. \\'d4\\'ef \\i ", 0), 0u);
  EXPECT_TRUE(SevenBit(bow));
  EXPECT_EQ(compiled.header, RtfHeader());
}

TEST(DictCompile, GreekLinesOnePerRenderingInGreekKeyOrder) {
  const CompiledDictionary compiled = Compile(Records(
      "boat | βάρκα, λέμβος | Κείμενο.\n"
      "anchor | Άγκυρα | Κείμενο.\n"
      "fender | μπαλόνι | Κείμενο.\n"
      "spinnaker | μπαλόνι | Κείμενο.\n"
      "ahoy | | Κείμενο.\n"));
  ASSERT_EQ(compiled.error, "");
  // Accents and capitals are folded: "Ά" (0xA2) sorts as "α", before "β".
  const std::vector<std::string> expected = {
      Utf8ToCp1253("Άγκυρα = anchor"), Utf8ToCp1253("βάρκα = boat"),
      Utf8ToCp1253("λέμβος = boat"), Utf8ToCp1253("μπαλόνι = fender"),
      Utf8ToCp1253("μπαλόνι = spinnaker")};
  EXPECT_EQ(compiled.greekLines, expected);
}

TEST(DictCompile, InvertedHeadwordsShareOneGreekLine) {
  const CompiledDictionary compiled = Compile(Records(
      "steering, gear | μηχανισμός πηδαλίου | Βλ. →[gear, steering].\n"
      "gear, steering | μηχανισμός πηδαλίου, πηδαλιουχία | Κείμενο.\n"
      "light, anchor | φανός αγκυροβολίας | Κείμενο.\n"
      "anchor, light | φανός αγκυροβολίας | Κείμενο.\n"
      "watch, anchor | βάρδια | Κείμενο.\n"
      "anchor, watch | φυλακή | Κείμενο.\n"));
  ASSERT_EQ(compiled.error, "");
  const std::vector<std::string> expected = {
      Utf8ToCp1253("βάρδια = watch, anchor"),
      // The entry with two renderings carries the shared term; the build's pass over the
      // inverted English links it to "steering, gear" too.
      Utf8ToCp1253("μηχανισμός πηδαλίου = gear, steering"),
      Utf8ToCp1253("πηδαλιουχία = gear, steering"),
      // Of two single-rendering partners the one listed first carries it.
      Utf8ToCp1253("φανός αγκυροβολίας = anchor, light"),
      // Different renderings: each keeps its own line.
      Utf8ToCp1253("φυλακή = anchor, watch")};
  EXPECT_EQ(compiled.greekLines, expected);
}

TEST(DictCompile, ManifestNumbersAreEntryOrdinals) {
  const CompiledDictionary compiled = Compile(Records(
      "knot (rope) | κόμπος | {Σχήμα 2} και {Σχήμα 1}. | 2=reef-knot, 1=bowline\n"
      "anchor | άγκυρα | Βλ. {Σχήμα}. | anchor\n"
      "bow | πλώρη | Κείμενο.\n"));
  ASSERT_EQ(compiled.error, "");
  EXPECT_EQ(compiled.figureLines,
            (std::vector<std::string>{"1\tanchor", "31\tbowline", "32\treef-knot"}));
}

TEST(DictCompile, RejectsFigureFilesThatTwoEntriesWouldShare) {
  // Entry 1's drawing 1 and entry 11's unnumbered drawing both name fig11.bmp.
  std::string text = "term aa | α | {Σχήμα 1}. | 1=bowline\n";
  for (char c = 'b'; c <= 'j'; ++c) text += std::string("term a") + c + " | α | Α.\n";
  text += "term ak | α | {Σχήμα}. | anchor\n";
  EXPECT_EQ(CompileError(text),
            "test.txt:11: figure file fig11.bmp of entry 11 is also a figure of entry 1 "
            "\"term aa\"; give one of them another figure digit");
  // With digit 2 the names differ: fig12.bmp and fig11.bmp.
  const std::string first = "{Σχήμα 1}. | 1=";
  text.replace(text.find(first), first.size(), "{Σχήμα 2}. | 2=");
  EXPECT_EQ(Compile(Records(text)).figureLines,
            (std::vector<std::string>{"12\tbowline", "11\tanchor"}));
}

TEST(DictCompile, RejectsInconsistentRecordsWithTheirLocation) {
  EXPECT_EQ(CompileError("anchor | άγκυρα | Α.\nbow | πλώρη | Βλ. →[stern].\n"),
            "test.txt:2: cross reference \u2192[stern]: no such headword");
  EXPECT_EQ(CompileError("ship's log | α | Α.\nships log | β | Β.\n"),
            "test.txt:2: headword \"ships log\" is the same as \"ship's log\" (test.txt:1)");
  EXPECT_NE(CompileError("Anchor | α | Α.\nanchor | β | Β.\n").find("test.txt:2: "),
            std::string::npos);
  EXPECT_EQ(CompileError("anchor | α | Δες {Σχήμα 3}. | anchor\n"),
            "test.txt:1: {Σχήμα 3} refers to no drawing in the figures field");
  EXPECT_EQ(CompileError("anchor | α | Κείμενο. | anchor\n"),
            "test.txt:1: drawing \"anchor\" is not referred to in the description");
  EXPECT_EQ(CompileError("bow | α | Α.\nanchor | α | **Κείμενο.\n"),
            "test.txt:2: ** (bold) opened but not closed");
  EXPECT_NE(CompileError("12345 x | α | Α.\n").find("first five characters"), std::string::npos);
  EXPECT_NE(CompileError("anchor, 12345 | α | Α.\n").find("after the first comma"),
            std::string::npos);
}

TEST(DictCompile, WritesCrLfFiles) {
  TempDir dir;
  const CompiledDictionary compiled =
      Compile(Records("anchor | άγκυρα | Δες {Σχήμα}. | anchor\nbow | πλώρη | Κείμενο.\n"));
  ASSERT_EQ(compiled.error, "");
  const std::filesystem::path out = dir.path() / "utils" / "Docs";
  ASSERT_TRUE(WriteOutputs(compiled, out).ok());
  const std::vector<std::string> document = CrLfLines(ReadFile(out / "OLO2.tbo"));
  ASSERT_EQ(document.size(), 3u);
  EXPECT_EQ(document[0].size(), kRtfHeaderLength);
  EXPECT_EQ(document[1], compiled.entries[0].line);
  EXPECT_EQ(CrLfLines(ReadFile(out / "Greek.txt")),
            (std::vector<std::string>{Utf8ToCp1253("άγκυρα = anchor"), Utf8ToCp1253("πλώρη = bow")}));
  EXPECT_EQ(CrLfLines(ReadFile(out / "figures.lst")), (std::vector<std::string>{"1\tanchor"}));

  std::ofstream(dir.path() / "file") << "x";
  EXPECT_FALSE(WriteOutputs(compiled, dir.path() / "file" / "sub").ok());
}

// ---------------------------------------------------------------------------------------------
// The real sample dictionary, compiled by the program itself.

struct BuiltEntry {
  std::string english;  // code page 1253
  std::string greek;
  std::string description;
  std::string plainText;
  int links = 0;
};

// Runs quorvel-dictc with stderr sent to `errors`; the exit status.
int RunCompiler(const std::string& args, const std::filesystem::path& errors) {
  const std::string command = std::string("\"") + QUORVEL_DICTC_PROGRAM + "\" " + args + " 2>\"" +
                              errors.string() + "\"";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DictcProgram, MalformedSourceExitsWithOneAndNamesTheLine) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "src");
  std::ofstream(dir.path() / "src" / "bad.txt") << "anchor | άγκυρα | Κείμενο.\nbow | πλώρη |\n";
  const std::string source = (dir.path() / "src").string();
  const std::string out = (dir.path() / "out").string();
  EXPECT_EQ(RunCompiler("\"" + source + "\" \"" + out + "\"", dir.path() / "err"), 1);
  EXPECT_EQ(ReadFile(dir.path() / "err"), source + "/bad.txt:2: empty description\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out" / "OLO2.tbo"));
  EXPECT_EQ(RunCompiler("\"" + source + "\"", dir.path() / "err"), 2);
  EXPECT_NE(ReadFile(dir.path() / "err").find("usage: quorvel-dictc SOURCE_DIR OUT_DOCS_DIR"),
            std::string::npos);
}

TEST(SampleDictionary, CompilesIntoAUsableDictionary) {
  TempDir dir;
  const std::string command = std::string("\"") + QUORVEL_DICTC_PROGRAM + "\" \"" +
                              QUORVEL_DICTIONARY_DIR + "\" \"" + dir.path().string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::vector<std::string> document = CrLfLines(ReadFile(dir.path() / "OLO2.tbo"));
  ASSERT_GE(document.size(), 421u);
  EXPECT_EQ(document[0].size(), kRtfHeaderLength);

  std::vector<BuiltEntry> entries;
  std::map<std::string, size_t> byKey;
  std::string previousKey;
  for (size_t i = 1; i < document.size(); ++i) {
    const std::string& line = document[i];
    ASSERT_TRUE(SevenBit(line)) << "line " << i + 1;
    // The build: English and Greek from the plain text of header and line, the description
    // from the ". " after the first "]".
    const std::optional<std::string> plain =
        richtext::RtfToPlainText("{" + document[0] + "\r\n" + line + "}");
    ASSERT_TRUE(plain.has_value()) << line;
    const size_t open = plain->find('[');
    const size_t close = plain->find(']');
    ASSERT_TRUE(open != std::string::npos && close != std::string::npos && open < close) << line;
    BuiltEntry entry;
    entry.english = Trim(plain->substr(0, open));
    entry.greek = Trim(plain->substr(open + 1, close - open - 1));
    EXPECT_EQ(entry.english, line.substr(0, line.find(" [")));
    EXPECT_EQ(Cp1253ToUtf8(entry.greek).find('?'), std::string::npos) << entry.english;
    const size_t bracket = line.find(']');
    ASSERT_EQ(line.substr(bracket, 3), "]. ") << line;
    entry.description = line.substr(bracket + 3);
    entry.plainText = *plain;
    EXPECT_TRUE(BracesBalance(entry.description)) << entry.english;
    // As the check tool loads it.
    EXPECT_TRUE(
        richtext::RtfToPlainText("{" + document[0] + "\r\n" + entry.description + " \\par \\par}")
            .has_value());
    const std::string key = EnglishSearchKey(entry.english, true);
    EXPECT_LE(previousKey, key) << entry.english;
    previousKey = key;
    byKey[NormaliseEnglishKey(entry.english)] = entries.size();
    entries.push_back(std::move(entry));
  }

  // At least 420 entries, every letter, Greek for nine in ten.
  EXPECT_GE(entries.size(), 420u);
  std::map<char, int> perLetter;
  size_t withGreek = 0;
  for (const BuiltEntry& entry : entries) {
    ++perLetter[EnglishSearchKey(entry.english, true)[0]];
    if (!entry.greek.empty()) ++withGreek;
  }
  for (char letter = 'a'; letter <= 'z'; ++letter) EXPECT_GT(perLetter[letter], 0) << letter;
  EXPECT_GE(withGreek * 10, entries.size() * 9);

  // At least ten figures, each a known drawing referred to in its entry's description.
  const std::vector<std::string> figures = CrLfLines(ReadFile(dir.path() / "figures.lst"));
  EXPECT_GE(figures.size(), 10u);
  const std::string word = Utf8ToCp1253("Σχήμα");
  for (const std::string& figure : figures) {
    const size_t tab = figure.find('\t');
    ASSERT_NE(tab, std::string::npos) << figure;
    EXPECT_TRUE(IsKnownDrawing(figure.substr(tab + 1))) << figure;
    const std::string name = figure.substr(0, tab);
    bool found = false;
    // The name is the entry number, optionally followed by the figure digit.
    for (size_t digits : {name.size(), name.size() - 1}) {
      if (digits == 0) continue;
      const size_t number = std::stoul(name.substr(0, digits));
      if (number < 1 || number > entries.size()) continue;
      const std::string ref = digits == name.size() ? "{" + word + "}"
                                                    : "{" + word + " " + name.back() + "}";
      if (entries[number - 1].plainText.find(ref) != std::string::npos) found = true;
    }
    EXPECT_TRUE(found) << figure;
  }

  // The Greek list links as the data build links it: every line to an entry (pass 1 on equal
  // English, pass 2 on the inverted English), every rendered entry linked, none over five.
  const std::vector<std::string> greek = CrLfLines(ReadFile(dir.path() / "Greek.txt"));
  std::string previousGreek;
  for (const std::string& line : greek) {
    const size_t equals = line.find(" = ");
    ASSERT_NE(equals, std::string::npos) << line;
    const std::string term = line.substr(0, equals);
    const std::string english = line.substr(equals + 3);
    EXPECT_LE(previousGreek, GreekSearchKey(term, true)) << line;
    previousGreek = GreekSearchKey(term, true);
    const std::string gk = NormaliseGreekKey(term);
    const std::string ek = NormaliseEnglishKey(english);
    bool matched = false;
    if (const auto j = byKey.find(ek); j != byKey.end()) {
      const std::string ge = NormaliseGreekKey(entries[j->second].greek);
      if (gk == ge || (ge.find(',') != std::string::npos && ge.find(gk) != std::string::npos)) {
        ++entries[j->second].links;
        matched = true;
      }
    }
    if (ek.find(',') != std::string::npos) {
      if (const auto j = byKey.find(SwapAtComma(ek)); j != byKey.end()) {
        if (NormaliseGreekKey(entries[j->second].greek) == gk) {
          ++entries[j->second].links;
          matched = true;
        }
      }
    }
    EXPECT_TRUE(matched) << line;
  }
  for (const BuiltEntry& entry : entries) {
    if (!entry.greek.empty()) {
      EXPECT_GE(entry.links, 1) << entry.english;
    }
    EXPECT_LE(entry.links, 5) << entry.english;
  }
}

}  // namespace
}  // namespace quorvel::dictc

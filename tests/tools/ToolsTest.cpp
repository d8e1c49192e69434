#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Codec.h"
#include "core/Cp1253.h"
#include "core/EntryDocument.h"
#include "core/LineReader.h"
#include "core/TextOps.h"
#include "platform/PosixFileSystem.h"
#include "tools/Commands.h"
#include "tests/support/WholeFile.h"

namespace quorvel::tools {
namespace {

namespace fs = std::filesystem;

// Code page 1253 bytes of UTF-8 text written in this file.
std::string G(std::string_view utf8) { return Utf8ToCp1253(utf8); }

std::string Pad(std::string_view text, size_t width) {
  std::string out(text);
  out.resize(width, ' ');
  return out;
}

std::string EnglishLine(int number, std::string_view headword, size_t offset, size_t length,
                        int keyStart = 1, std::string_view translation = "") {
  return ZeroPad(static_cast<uint64_t>(number), 5) + Pad(headword, 123) + ZeroPad(offset, 8) + ZeroPad(length, 5) +
         "L" + ZeroPad(static_cast<uint64_t>(keyStart), 2) + "00000" + std::string(translation);
}

std::string GreekLine(int first, int second, std::string_view term) {
  return ZeroPad(static_cast<uint64_t>(first), 5) + ZeroPad(static_cast<uint64_t>(second), 5) + Pad(term, 132);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& path) { return test::ReadWholeFile(path.string()).value_or(""); }

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// A fresh program folder as the current directory, with HOME and XDG_CONFIG_HOME inside it so
// that no settings file of the machine is found.
class ToolsFolder : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() /
           ("quorvel-tools-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "data");
    fs::create_directories(dir_ / "home");
    setenv("HOME", (dir_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ / "home").c_str(), 1);
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }

  ToolRun Run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    PosixFileSystem fileSystem;
    ToolRun run;
    run.status = RunTools(args, out, err, fileSystem);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // Runs and expects success; gives standard output.
  std::string Out(std::vector<std::string> args) {
    const ToolRun run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  }

  fs::path dir_;

 private:
  fs::path previous_;
};

// A small dictionary of six entries and five Greek terms, coded by the tools themselves.
class SmallDictionary : public ToolsFolder {
 protected:
  void SetUp() override {
    ToolsFolder::SetUp();
    header_ = Pad(
        "\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}{\\f60\\fnil\\fcharset161 Tahoma;}}"
        "{\\colortbl ;\\red0\\green0\\blue0;}\\pard\\f0\\fs20 ",
        511);
    descriptions_ = {
        "{A heavy {\\b device} \\'e1\\'e3\\'ea\\'fd\\'f1\\'e1 \\par that holds.}",
        "{The chain of the anchor.}",
        "{Weight carried low.}",
        "{\\i To bring a ship} alongside.}",
        "{The fore end.}",
        "{The after end.}",
    };
    std::vector<std::string> english;
    size_t offset = 513;
    const std::vector<std::string> headwords = {"anchor", "anchor chain", "ballast", "to berth", "bow", "stern"};
    for (size_t i = 0; i < headwords.size(); ++i) {
      const int keyStart = headwords[i] == "to berth" ? 4 : 1;
      const std::string translation = headwords[i] == "bow" ? G("πλώρη, πρώρα") : "";
      english.push_back(EnglishLine(static_cast<int>(i) + 1, headwords[i], offset, descriptions_[i].size(), keyStart,
                                    translation));
      offset += descriptions_[i].size() + 2;
    }
    englishLines_ = english;
    greekLines_ = {
        GreekLine(1, 0, G("άγκυρα")),     GreekLine(2, 0, G("αλυσίδα άγκυρας")), GreekLine(3, 0, G("έρμα")),
        GreekLine(4, 0, G("πλευρίζω")), GreekLine(6, 0, G("πρύμνη")),
    };
    WriteBytes("plain-index.txt", JoinLines(englishLines_));
    WriteBytes("plain-greek.txt", JoinLines(greekLines_));
    std::vector<std::string> descriptionLines = {header_};
    descriptionLines.insert(descriptionLines.end(), descriptions_.begin(), descriptions_.end());
    WriteBytes("plain-descriptions.txt", JoinLines(descriptionLines));
    ASSERT_EQ(Run({"encode-index", "plain-index.txt", "data/QuorvelI.tbo"}).status, 0);
    ASSERT_EQ(Run({"encode-index", "plain-greek.txt", "data/QuorvelHI.tbo"}).status, 0);
    ASSERT_EQ(Run({"encode-descriptions", "plain-descriptions.txt", "data/Quorvel.tbo"}).status, 0);
    fs::create_directories("user");
  }

  std::string header_;
  std::vector<std::string> descriptions_;
  std::vector<std::string> englishLines_;
  std::vector<std::string> greekLines_;
};

std::string DumpOf(const std::vector<std::string>& lines, bool utf8 = true) {
  std::string text;
  for (const std::string& line : lines) text += (utf8 ? Cp1253ToUtf8(line) : line) + "\n";
  return text;
}

TEST_F(SmallDictionary, EncodedFilesDumpAsTheirPlainLines) {
  EXPECT_EQ(Out({"dump", "published-index"}), DumpOf(englishLines_));
  EXPECT_EQ(Out({"dump", "published-greek"}), DumpOf(greekLines_));
  EXPECT_EQ(Out({"--cp1253", "dump", "published-greek"}), DumpOf(greekLines_, false));
  std::vector<std::string> descriptionLines = {header_};
  descriptionLines.insert(descriptionLines.end(), descriptions_.begin(), descriptions_.end());
  EXPECT_EQ(Out({"dump", "published-descriptions"}), DumpOf(descriptionLines));
  // The coded files really are coded.
  EXPECT_EQ(ReadBytes("data/QuorvelI.tbo").find("anchor"), std::string::npos);
  EXPECT_EQ(ReadBytes("data/Quorvel.tbo").find("anchor"), std::string::npos);
}

TEST_F(SmallDictionary, EncodeIndexCodesEachLineWithItsOrdinal) {
  const std::string coded = ReadBytes("data/QuorvelHI.tbo");
  LineReader lines(coded);
  for (size_t i = 0; i < greekLines_.size(); ++i) {
    ASSERT_FALSE(lines.AtEnd());
    EXPECT_EQ(lines.Next(), MirrorEncode(static_cast<int64_t>(i) + 1, greekLines_[i]));
  }
  EXPECT_TRUE(lines.AtEnd());
  EXPECT_EQ(coded.substr(coded.size() - 2), "\r\n");
}

TEST_F(SmallDictionary, ListStartPrintsSlotTabHeadword) {
  EXPECT_EQ(Out({"list", "START", "anc"}), "1\tanchor\n2\tanchor chain\n");
  // No headword goes on with "q": the longest shared prefix lists.
  EXPECT_EQ(Out({"list", "START", "anchq"}), "1\tanchor\n2\tanchor chain\n");
  // The prefix of "to berth" starts at its key start.
  EXPECT_EQ(Out({"list", "START", "bert"}), "4\tto berth\n");
  EXPECT_EQ(Out({"list", "START", "  Ball"}), "3\tballast\n");
  EXPECT_EQ(Out({"list", "START", ""}), "");
  // After "--" a text that looks like an option is the search text.
  EXPECT_EQ(Out({"list", "CONTAIN", "--", "--greek"}), "");
  EXPECT_EQ(Out({"list", "END", "--", "rn"}), "6\tstern\n");
}

TEST_F(SmallDictionary, ListContainEndAndMultiInEnglish) {
  EXPECT_EQ(Out({"list", "CONTAIN", "chor"}), "1\tanchor\n2\tanchor chain\n");
  EXPECT_EQ(Out({"list", "END", "rn"}), "6\tstern\n");
  EXPECT_EQ(Out({"list", "MULTI", "--start", "anc", "--end", "ain"}), "2\tanchor chain\n");
  // MULTI lists nothing while the search text is not empty.
  EXPECT_EQ(Out({"list", "MULTI", "anc", "--start", "anc"}), "");
}

TEST_F(SmallDictionary, ListsGreekTermsWithTheirEnglishSlots) {
  EXPECT_EQ(Out({"list", "START", "ΑΓΚ", "--greek"}), "1\tάγκυρα\n");
  EXPECT_EQ(Out({"list", "CONTAIN", "κυρ", "--greek"}), "1\tάγκυρα\n2\tαλυσίδα άγκυρας\n");
  EXPECT_EQ(Out({"list", "END", "μνη", "--greek"}), "6\tπρύμνη\n");
  // A Greek start criterion makes MULTI list Greek terms.
  EXPECT_EQ(Out({"list", "MULTI", "--start", "π"}), "4\tπλευρίζω\n6\tπρύμνη\n");
  EXPECT_EQ(Out({"--cp1253", "list", "START", G("έρ"), "--greek"}), "3\t" + G("έρμα") + "\n");
}

TEST_F(SmallDictionary, SpecificAllAndEntry) {
  EXPECT_EQ(Out({"specific", "5"}), "5\tbow\n");
  EXPECT_EQ(Out({"specific", "1", "--greek"}), "1\tάγκυρα\n");
  // "bow" has no Greek term: its Greek caption is empty, so the history lists nothing.
  EXPECT_EQ(Out({"specific", "5", "--greek"}), "");
  EXPECT_EQ(Out({"all"}), "1\tanchor\n2\tanchor chain\n3\tballast\n4\tto berth\n5\tbow\n6\tstern\n");
  EXPECT_EQ(Out({"entry", "1"}), "1\tL\tanchor\tάγκυρα\n");
  // The long translation wins over the Greek index.
  EXPECT_EQ(Out({"entry", "5"}), "5\tL\tbow\tπλώρη, πρώρα\n");
  EXPECT_EQ(Out({"entry", "6"}), "6\tL\tstern\tπρύμνη\n");
  EXPECT_EQ(Out({"--cp1253", "entry", "6"}), "6\tL\tstern\t" + G("πρύμνη") + "\n");
}

TEST_F(SmallDictionary, DocumentIsTheExactBytesTheEntryViewLoads) {
  const std::string expected = "{" + header_ + "\r\n" + descriptions_[0] + "\\par \\par}\r\n";
  EXPECT_EQ(Out({"document", "1"}), expected);
  EXPECT_EQ(Out({"--cp1253", "document", "1"}), expected);
}

TEST_F(SmallDictionary, PrintDocumentPutsTheEntryBlockBeforeTheSavedDescription) {
  const std::string printed = Out({"print-document", "1"});
  EXPECT_EQ(printed, Out({"--cp1253", "print-document", "1"}));
  // The saved description's font table, the title, the rows, then the description from the
  // split point after the font table on.
  EXPECT_EQ(printed.substr(0, printed.find(" \\ql ")),
            "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}}");
  const size_t title = printed.find("{\\b\\ul\\f0\\fs24\\cf0 \\'4F\\'72\\'76");
  const size_t entry = printed.find("\\cf0     \\'61\\'6E\\'63\\'68\\'6F\\'72\\cell\\row");
  const size_t rendering = printed.find("\\cf0 \\'DC\\'E3\\'EA\\'F5\\'F1\\'E1} \\par \\par");
  const size_t description = printed.find("{\\f0\\fs22\\cf0 \r\n}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ");
  EXPECT_LT(title, entry);
  EXPECT_LT(entry, rendering);
  EXPECT_LT(rendering, description);
  EXPECT_NE(printed.find("A heavy \\b device", description), std::string::npos);
  EXPECT_EQ(printed.substr(printed.size() - 7), "\r\n}}}\r\n");

  // In Greek the rows change places. "bow" shows a long translation but has no Greek term, and
  // the print takes the Greek index term.
  const std::string greek = Out({"print-document", "1", "--greek"});
  EXPECT_LT(greek.find("\\cf0     \\'DC\\'E3"), greek.find("\\cf0 \\'61\\'6E\\'63\\'68\\'6F\\'72} \\par"));
  EXPECT_NE(Out({"print-document", "5"}).find("{\\b\\f0\\fs22\\cf0 } \\par \\par"), std::string::npos);
  EXPECT_NE(Out({"print-document", "5", "--greek"}).find("\\cf0     \\cell\\row"), std::string::npos);

  EXPECT_EQ(Run({"print-document"}).status, 2);
  EXPECT_EQ(Run({"print-document", "1", "--bogus"}).status, 2);
  EXPECT_EQ(Run({"print-document", "9"}).status, 1);
}

TEST_F(SmallDictionary, UsageErrorsExitWithTwoAndFailuresWithOne) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"--cp1253"},
           {"no-such-command"},
           {"--user-dir"},
           {"list"},
           {"list", "SPECIFIC", "a"},
           {"list", "START", "a", "b"},
           {"list", "START", "a", "--bogus"},
           {"list", "MULTI", "--start"},
           {"entry"},
           {"entry", "x1"},
           {"document", "1", "2"},
           {"dump", "everything"},
           {"synth"},
           {"synth", "out", "--entries", "many"},
           {"synth", "out", "--entries", "30000", "--user", "500"},
       }) {
    const ToolRun run = Run(args);
    EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
    EXPECT_NE(run.err.find("usage: quorvel-tools"), std::string::npos) << testing::PrintToString(args);
    EXPECT_EQ(run.out, "") << testing::PrintToString(args);
  }
  const ToolRun missing = Run({"entry", "7"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no entry at slot 7"), std::string::npos);
  EXPECT_EQ(Run({"encode-index", "no-such-file", "out"}).status, 1);
  EXPECT_EQ(Run({"dump", "user-index"}).status, 1);  // no user-entry folder is known
  EXPECT_EQ(Out({"--help"}).find("usage: quorvel-tools"), 0u);
}

TEST_F(SmallDictionary, DumpsTheUserFilesDecoded) {
  const std::string entry = "0000200007" + Pad("anchor bolt", 80) + "00000001" + "00014";
  const std::string addition = "0000500005" + Pad("", 80) + "00000015" + "00014";
  const std::string entryText = "{\\'61\\'62\\'63}";
  const std::string additionText = "{\\f60\\fs22 x}";
  ASSERT_EQ(entryText.size(), 14u);
  WriteBytes("user/QuorvelIC.tbo", ShiftEncode(entry) + "\r\n" + ShiftEncode(addition) + "\r\n");
  WriteBytes("user/QuorvelC.tbo", ShiftEncode(entryText) + ShiftEncode(additionText + "!"));
  WriteBytes("user/QuorvelHIC.tbo", ShiftEncode("0000300007" + G("μπουλόνι")) + "\r\n");
  EXPECT_EQ(Out({"--user-dir", "user", "dump", "user-index"}), entry + "\n" + addition + "\n");
  EXPECT_EQ(Out({"--user-dir", "user/", "dump", "user-greek"}), "0000300007μπουλόνι\n");
  EXPECT_EQ(Out({"--user-dir", "user", "dump", "user-descriptions"}), entryText + "\n" + additionText + "!\n");
  // Entries from the user files are listed and marked.
  EXPECT_EQ(Out({"--user-dir", "user", "list", "START", "", "--user-only"}), "3\tanchor bolt *\n6\tbow\n");
  EXPECT_EQ(Out({"--user-dir", "user", "list", "START", "", "--user-only", "--greek"}), "3\tμπουλόνι *\n");
  EXPECT_EQ(Out({"--user-dir", "user", "specific", "3", "--greek"}), "3\tμπουλόνι *\n");
  EXPECT_EQ(Out({"--user-dir", "user", "entry", "3"}), "7\tC\tanchor bolt\tμπουλόνι\n");
  EXPECT_EQ(Out({"--user-dir", "user", "entry", "6"}), "5\tA\tbow\tπλώρη, πρώρα\n");
}

// The stored form of typed text: upper-case escapes, CR LF as " \par ".
std::string Escapes(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\r\n") {
      out += " \\par ";
      ++i;
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto b = static_cast<unsigned char>(text[i]);
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

TEST_F(SmallDictionary, InsertModifyAndDeleteRewriteTheUserFiles) {
  const std::vector<std::string> user = {"--user-dir", "user"};
  auto with = [&](std::vector<std::string> args) {
    args.insert(args.begin(), user.begin(), user.end());
    return args;
  };
  // A new entry sorts after "anchor" and gets the number after the largest (6).
  EXPECT_EQ(Out(with({"insert", "anchor bolt", "μπουλόνι", "line one\nline two"})), "");
  const std::string stored = "{" + Escapes("line one\r\nline two") + "}";
  EXPECT_EQ(Out(with({"dump", "user-index"})),
            "0000100007" + Pad("anchor bolt", 80) + "00000001" + ZeroPad(stored.size(), 5) + "\n");
  EXPECT_EQ(Out(with({"dump", "user-descriptions"})), stored + "\n");
  EXPECT_EQ(Out(with({"dump", "user-greek"})), "0000300007μπουλόνι\n");
  EXPECT_EQ(Out(with({"list", "START", "anchor"})), "1\tanchor\n2\tanchor bolt *\n3\tanchor chain\n");
  EXPECT_EQ(Out(with({"document", "2"})), "{" + header_ + "\r\n" + stored + "\\par \\par}\r\n");

  // Modifying a user entry stores it as deleting and inserting it would: the number after the
  // largest one left, which is its own number again when it had the largest.
  EXPECT_EQ(Out(with({"modify", "2", "anchor bolts", "μπουλόνια", ""})), "");
  EXPECT_EQ(Out(with({"dump", "user-index"})), "0000100007" + Pad("anchor bolts", 80) + "00000001" + "00000\n");
  EXPECT_EQ(Out(with({"dump", "user-greek"})), "0000300007μπουλόνια\n");

  // Modifying a published entry adds the user's addition to it.
  EXPECT_EQ(Out(with({"modify", "4", "ballast", "", "dry\nweight"})), "");
  const std::string addition = "{\\f60\\fs22 " + Escapes("dry\r\nweight") + "}";
  EXPECT_EQ(Out(with({"dump", "user-index"})),
            "0000100007" + Pad("anchor bolts", 80) + "00000001" + "00000\n" + "0000300003" + Pad("", 80) +
                "00000001" + ZeroPad(addition.size(), 5) + "\n");
  EXPECT_EQ(Out(with({"entry", "4"})), "3\tA\tballast\tέρμα\n");
  EXPECT_EQ(Out(with({"document", "4"})),
            "{" + header_ + "\r\n" + descriptions_[2] + std::string(kAdditionCaption) + addition + " \\par \\par}\r\n");

  // Only user entries can be deleted; deleting one leaves no line with its number.
  const ToolRun published = Run(with({"delete", "4"}));
  EXPECT_EQ(published.status, 1);
  EXPECT_NE(published.err.find("only user entries"), std::string::npos);
  EXPECT_EQ(Out(with({"delete", "2"})), "");
  EXPECT_EQ(Out(with({"dump", "user-index"})), "0000300003" + Pad("", 80) + "00000001" + ZeroPad(addition.size(), 5) + "\n");
  EXPECT_EQ(Out(with({"dump", "user-greek"})), "");
  EXPECT_EQ(Out(with({"list", "START", "anchor"})), "1\tanchor\n2\tanchor chain\n");
  EXPECT_FALSE(fs::exists("user/tempi.tbo"));
}

TEST_F(SmallDictionary, EditsTakeTextsInEitherEncoding) {
  EXPECT_EQ(Out({"--user-dir", "user", "--cp1253", "insert", G("Σκάφος"), G("σκάφος"), G("α\nβ")}), "");
  EXPECT_EQ(Out({"--user-dir", "user", "--cp1253", "dump", "user-index"}).substr(10, 6), G("Σκάφος"));
  EXPECT_EQ(Out({"--user-dir", "user", "dump", "user-descriptions"}), "{\\'E1 \\par \\'E2}\n");
  EXPECT_EQ(Out({"--user-dir", "user", "list", "START", "ΣΚΑΦ", "--greek"}), "7\tσκάφος *\n");
  // A character the code page lacks becomes "?".
  EXPECT_EQ(Out({"--user-dir", "user", "insert", "zeta ☃", "", ""}), "");
  EXPECT_EQ(Out({"--user-dir", "user", "list", "START", "zeta"}), "7\tzeta ? *\n");
  // Without a Greek term the Greek list text of a user entry is the mark alone; as the history
  // takes the language from that text, the entry comes back in English.
  EXPECT_EQ(Out({"--user-dir", "user", "specific", "7", "--greek"}), "7\tzeta ? *\n");
}

TEST_F(SmallDictionary, EditsNeedAUserFolderAndValidTexts) {
  const ToolRun noFolder = Run({"insert", "anchor bolt", "", ""});
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_NE(noFolder.err.find("--user-dir"), std::string::npos);
  EXPECT_EQ(Run({"--user-dir", "user", "insert", "   ", "", ""}).status, 1);
  EXPECT_EQ(Run({"--user-dir", "user", "modify", "1", "", "", ""}).status, 1);
  EXPECT_EQ(Run({"--user-dir", "user", "modify", "1", "anchor"}).status, 2);
  EXPECT_EQ(Run({"--user-dir", "user", "delete", "99"}).status, 1);
  EXPECT_FALSE(fs::exists("user/QuorvelIC.tbo"));
}

// Damaged files give what can be read, or a reported failure; never a crash.
TEST_F(SmallDictionary, DamagedFilesAreReadAsFarAsTheyGo) {
  std::string noise;
  for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 7919 + i / 13) % 256);
  WriteBytes("user/QuorvelIC.tbo", noise);
  WriteBytes("user/QuorvelC.tbo", noise.substr(0, 100));
  WriteBytes("user/QuorvelHIC.tbo", noise.substr(200));
  // The merge of the user lines stops at the damaged line, the published entries all load,
  // and the tools say so.
  const ToolRun list = Run({"--user-dir", "user", "list", "START", "anc"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.err.find("warning: user lines from a damaged one on were left out"), std::string::npos);
  EXPECT_NE(list.out.find("anchor"), std::string::npos);
  for (const char* what : {"user-index", "user-greek", "user-descriptions"}) {
    EXPECT_EQ(Run({"--user-dir", "user", "dump", what}).status, 0) << what;
  }
  EXPECT_EQ(Run({"--user-dir", "user", "insert", "x", "", ""}).status, 1);

  // A published index cut in the middle of a line, and a description file cut short.
  const std::string index = ReadBytes("data/QuorvelI.tbo");
  WriteBytes("data/QuorvelI.tbo", index.substr(0, index.size() / 2));
  const std::string descriptions = ReadBytes("data/Quorvel.tbo");
  WriteBytes("data/Quorvel.tbo", descriptions.substr(0, 600));
  const ToolRun all = Run({"all"});
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(all.out, "1\tanchor\n2\tanchor chain\n3\tballast\n");
  EXPECT_EQ(Out({"document", "1"}).substr(0, 7), "{\\rtf1\\");
  EXPECT_EQ(Run({"document", "3"}).status, 1);
  EXPECT_EQ(Run({"dump", "published-descriptions"}).status, 0);
}

TEST_F(ToolsFolder, SynthWritesAFolderTheOtherCommandsRead) {
  EXPECT_EQ(Out({"synth", "program", "--entries", "300", "--greek", "250", "--user", "20", "--seed", "9"}), "");
  EXPECT_TRUE(fs::exists("program/data/QuorvelC.tbo"));
  EXPECT_EQ(Out({"--user-dir", "elsewhere", "synth", "program2", "--entries", "30", "--greek", "20", "--user", "3"}), "");
  EXPECT_TRUE(fs::exists("elsewhere/QuorvelIC.tbo"));
  EXPECT_FALSE(fs::exists("program2/data/QuorvelIC.tbo"));

  fs::current_path("program");
  const std::string all = Out({"all"});
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 320);
  EXPECT_EQ(Out({"list", "START", "", "--user-only"}).size() > 0, true);
  const std::string users = Out({"dump", "user-index"});
  EXPECT_EQ(std::count(users.begin(), users.end(), '\n'), 22);  // 20 entries, 2 additions
  const std::string first = Out({"entry", "1"});
  EXPECT_EQ(first.substr(0, 4), "1\tL\t");
  fs::current_path(dir_);
}

// The user files found in the program folder's data folder, as the program finds them.
TEST_F(SmallDictionary, FindsUserFilesInTheDataFolder) {
  WriteBytes("data/QuorvelIC.tbo", ShiftEncode("0000100007" + Pad("anchor bolt", 80) + "0000000100000") + "\r\n");
  WriteBytes("data/QuorvelC.tbo", "");
  EXPECT_EQ(Out({"list", "START", "anchor b"}), "2\tanchor bolt *\n");
}

}  // namespace
}  // namespace quorvel::tools

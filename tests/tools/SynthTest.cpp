#include "tools/Synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "core/Codec.h"
#include "core/DescriptionFile.h"
#include "core/EntryDocument.h"
#include "core/EntryIndex.h"
#include "core/LineReader.h"
#include "core/Locations.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/WholeFile.h"

namespace quorvel::tools {
namespace {

namespace fs = std::filesystem;

class SynthFolder : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("quorvel-synth-test-") + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes a folder with its user files in data/ and loads it as the program would.
  void WriteAndLoad(const SynthOptions& options) {
    PosixFileSystem fileSystem;
    ASSERT_TRUE(WriteSyntheticFolder(fileSystem, dir_.string(), (dir_ / "data").string(), options).ok());
    locations_.ProgramDir = dir_.string() + "/";
    SetUserFilePaths(locations_, (dir_ / "data").string());
    report_ = LoadEntryIndex(dictionary_, locations_, fileSystem);
  }

  std::string File(const std::string& name) const { return test::ReadWholeFile((dir_ / name).string()).value_or(""); }

  fs::path dir_;
  Locations locations_;
  Dictionary dictionary_;
  PosixFileSystem disk_;
  LoadReport report_;
};

// Braces balance over the whole document (escaped braces and backslashes aside) and the
// outermost group closes only at its end.
bool BalancedRtf(const std::string& rtf) {
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
      continue;
    }
    if (rtf[i] == '{') ++depth;
    if (rtf[i] == '}' && (--depth < 0 || (depth == 0 && rtf.find_first_not_of("\r\n", i + 1) != std::string::npos))) {
      return false;
    }
  }
  return depth == 0;
}

TEST_F(SynthFolder, LoadsWithTheRequestedCounts) {
  SynthOptions options;
  options.entries = 600;
  options.greekTerms = 500;
  options.userEntries = 40;
  options.seed = 11;
  WriteAndLoad(options);
  ASSERT_TRUE(report_.status.ok()) << report_.status.message();
  EXPECT_EQ(dictionary_.publishedEnglishCount, 600);
  EXPECT_EQ(dictionary_.englishCount, 640);
  EXPECT_EQ(dictionary_.publishedGreekCount, 500);
  EXPECT_EQ(dictionary_.NoteLocations.size(), 4u);  // a tenth as many additions
  int user = 0;
  int additions = 0;
  for (int slot = 1; slot <= dictionary_.englishCount; ++slot) {
    user += dictionary_.EnglishIndex[slot].Origin == kOriginUser;
    additions += dictionary_.EnglishIndex[slot].Origin == kOriginAddition;
  }
  EXPECT_EQ(user, 40);
  EXPECT_EQ(additions, 4);
  // Most user entries come with a Greek term, and every term leads to its entry.
  EXPECT_GT(dictionary_.greekCount, 500 + 20);
  EXPECT_LE(dictionary_.greekCount, 540);
  for (int g = 1; g <= dictionary_.greekCount; ++g) {
    EXPECT_GT(dictionary_.GreekIndex[g].EnglishSlot, 0) << g;
  }
}

TEST_F(SynthFolder, FilesAreSortedAndUserOffsetsContiguous) {
  SynthOptions options;
  options.entries = 800;
  options.greekTerms = 700;
  options.userEntries = 60;
  WriteAndLoad(options);
  ASSERT_TRUE(report_.status.ok());
  std::string previous;
  for (int slot = 1; slot <= dictionary_.englishCount; ++slot) {
    const TEnglishEntry& e = dictionary_.EnglishIndex[slot];
    if (e.Origin == kOriginUser) continue;
    const std::string key = EnglishSearchKey(e.Headword, true);
    EXPECT_LT(previous, key) << slot;
    previous = key;
  }
  const std::string greek = File("data/QuorvelHI.tbo");
  LineReader greekLines(greek);
  previous.clear();
  for (int64_t ordinal = 1; !greekLines.AtEnd(); ++ordinal) {
    const std::string key = GreekSearchKey(ColumnsFrom(MirrorDecode(ordinal, greekLines.Next()), 11), true);
    EXPECT_LE(previous, key) << ordinal;
    previous = key;
  }

  const std::string index = File("data/QuorvelIC.tbo");
  LineReader userLines(index);
  uint64_t offset = 1;
  uint64_t lastAttach = 0;
  while (!userLines.AtEnd()) {
    const std::string line = ShiftDecode(userLines.Next());
    ASSERT_EQ(line.size(), 103u);
    const uint64_t attach = ParseDecimal(Columns(line, 1, 5)).value();
    EXPECT_LE(lastAttach, attach);
    lastAttach = attach;
    EXPECT_EQ(ParseDecimal(Columns(line, 91, 98)).value(), offset);
    offset += ParseDecimal(Columns(line, 99, 103)).value();
  }
  EXPECT_EQ(offset - 1, File("data/QuorvelC.tbo").size());
}

TEST_F(SynthFolder, EveryDescriptionIsABalancedRtfDocument) {
  SynthOptions options;
  options.entries = 500;
  options.greekTerms = 450;
  options.userEntries = 50;
  options.seed = 3;
  WriteAndLoad(options);
  const std::string header = ReadRtfHeader(disk_, locations_.DescriptionFile());
  ASSERT_EQ(header.rfind("{\\rtf1\\ansi\\ansicpg1253", 0), 0u);
  EXPECT_NE(header.find("{\\fonttbl{\\f0"), std::string::npos);
  EXPECT_NE(header.find("{\\f60\\fnil\\fprq2\\fcharset161 "), std::string::npos);
  EXPECT_NE(header.find("{\\colortbl"), std::string::npos);
  int longDescriptions = 0;
  for (int slot = 1; slot <= dictionary_.englishCount; ++slot) {
    const auto document = BuildDescriptionDocument(disk_, dictionary_, locations_, header, slot);
    ASSERT_TRUE(document) << slot;
    EXPECT_TRUE(BalancedRtf(*document)) << slot;
    for (char c : *document) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << slot;
    const TEnglishEntry& e = dictionary_.EnglishIndex[slot];
    if (e.Origin != kOriginUser) {
      EXPECT_GE(e.DescrLength, 200) << slot;
      EXPECT_LE(e.DescrLength, 3000) << slot;
      longDescriptions += e.DescrLength > 1000;
      EXPECT_NE(document->find("\\'"), std::string::npos) << slot;
    }
    if (e.Origin == kOriginAddition) {
      EXPECT_NE(document->find(kAdditionCaption), std::string::npos) << slot;
    }
  }
  EXPECT_GT(longDescriptions, 50);
}

TEST_F(SynthFolder, HasTheShapesOfRealEntries) {
  SynthOptions options;
  options.entries = 3000;
  options.greekTerms = 2800;
  options.userEntries = 0;
  WriteAndLoad(options);
  int longTranslations = 0;
  int keyStarts = 0;
  std::set<int> wordCounts;
  std::set<char> initials;
  for (int slot = 1; slot <= dictionary_.englishCount; ++slot) {
    const TEnglishEntry& e = dictionary_.EnglishIndex[slot];
    longTranslations += e.TranslationSlot > 0;
    keyStarts += e.KeyStart > 1;
    wordCounts.insert(static_cast<int>(std::count(e.Headword.begin(), e.Headword.end(), ' ')) + 1);
    initials.insert(dictionary_.englishCandidate[slot][0]);
  }
  EXPECT_EQ(initials.size(), 26u);
  EXPECT_GE(*wordCounts.rbegin(), 6);
  EXPECT_GT(keyStarts, 0);
  // About 30% of the entries have a long translation or are a term's second entry.
  const std::string greek = File("data/QuorvelHI.tbo");
  LineReader lines(greek);
  int seconds = 0;
  for (int64_t ordinal = 1; !lines.AtEnd(); ++ordinal) {
    seconds += ParseDecimal(Columns(MirrorDecode(ordinal, lines.Next()), 6, 10)).value() > 0;
  }
  EXPECT_GT(longTranslations, 50);
  EXPECT_NEAR(static_cast<double>(longTranslations + seconds) / 3000, 0.30, 0.03);
  // Greek terms carry accents.
  int accented = 0;
  for (int g = 1; g <= dictionary_.greekCount; ++g) {
    accented += GreekSearchKey(dictionary_.GreekIndex[g].Term, true) != SystemLower(dictionary_.GreekIndex[g].Term);
  }
  EXPECT_GT(accented, dictionary_.greekCount * 9 / 10);
}

TEST_F(SynthFolder, IsDeterministicForASeed) {
  SynthOptions options;
  options.entries = 200;
  options.greekTerms = 150;
  options.userEntries = 20;
  options.seed = 5;
  PosixFileSystem fileSystem;
  ASSERT_TRUE(WriteSyntheticFolder(fileSystem, (dir_ / "a").string(), (dir_ / "a/data").string(), options).ok());
  ASSERT_TRUE(WriteSyntheticFolder(fileSystem, (dir_ / "b").string(), (dir_ / "b/user").string(), options).ok());
  options.seed = 6;
  ASSERT_TRUE(WriteSyntheticFolder(fileSystem, (dir_ / "c").string(), (dir_ / "c/data").string(), options).ok());
  for (const char* name : {"Quorvel.tbo", "QuorvelI.tbo", "QuorvelHI.tbo"}) {
    EXPECT_EQ(File(std::string("a/data/") + name), File(std::string("b/data/") + name)) << name;
    EXPECT_NE(File(std::string("a/data/") + name), File(std::string("c/data/") + name)) << name;
  }
  for (const char* name : {"QuorvelC.tbo", "QuorvelIC.tbo", "QuorvelHIC.tbo"}) {
    EXPECT_EQ(File(std::string("a/data/") + name), File(std::string("b/user/") + name)) << name;
  }
}

TEST(SynthOptions, RefuseSizesTheIndexCannotHold) {
  SynthOptions options;
  EXPECT_TRUE(CheckSynthOptions(options).ok());
  options.entries = 0;
  EXPECT_FALSE(CheckSynthOptions(options).ok());
  options.entries = 29600;
  options.userEntries = 402;
  EXPECT_FALSE(CheckSynthOptions(options).ok());
  options.userEntries = 401;
  EXPECT_TRUE(CheckSynthOptions(options).ok());
  options.greekTerms = 30001;
  EXPECT_FALSE(CheckSynthOptions(options).ok());
}

}  // namespace
}  // namespace quorvel::tools

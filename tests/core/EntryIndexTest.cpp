#include "core/EntryIndex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "core/Codec.h"
#include "core/DescriptionFile.h"
#include "core/Session.h"
#include "core/TextOps.h"
#include "core/UserFileRewrite.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;
using test::PublishedEntry;
using test::PublishedTerm;
using test::UserLine;

const std::string kNaftis = "\xed\xe1\xf5\xf4\xe7\xf2";     // ναυτης
const std::string kPloio = "\xf0\xeb\xef\xdf\xef";          // πλοίο
const std::string kSkafos = "\xf3\xea\xdc\xf6\xef\xf2";     // σκάφος

std::vector<PublishedEntry> FiveEntries() {
  return {{"anchor", "{anchor text}", 1}, {"bow", "{bow text}"}, {"chain"}, {"deck", "{d}"},
          {"engine", "{e}"}};
}

std::vector<uint16_t> Numbers(const Dictionary& d) {
  std::vector<uint16_t> numbers;
  for (int slot = 1; slot < kIndexSlots && d.EnglishIndex[slot].Number != 0; ++slot) {
    numbers.push_back(d.EnglishIndex[slot].Number);
  }
  return numbers;
}

std::string Origins(const Dictionary& d) {
  std::string origins;
  for (int slot = 1; slot <= d.englishCount; ++slot) origins += d.EnglishIndex[slot].Origin;
  return origins;
}

struct Loaded {
  Dictionary d;
  LoadReport report;
};

void Load(Loaded& l, const Locations& locations) {
  PosixFileSystem fs;
  l.report = LoadEntryIndex(l.d, locations, fs);
}

TEST(EntryIndexLoad, PublishedLinesFillTheSlotsInFileOrder) {
  DictionaryFixture fx;
  fx.WritePublishedEnglishLines({
      DictionaryFixture::EnglishLine(1, "  anchor   ", 511, 10, 3),
      DictionaryFixture::EnglishLine(2, std::string(130, 'x'), 521, 0),
      DictionaryFixture::EnglishLine(7, "bow", 99999999, 65535, 12),
  });
  Loaded l;
  Load(l, fx.locations());
  ASSERT_TRUE(l.report.status.ok()) << l.report.status.message();
  EXPECT_FALSE(l.report.greekIndexFound);
  ASSERT_EQ(l.d.englishCount, 3);
  EXPECT_EQ(l.d.publishedEnglishCount, 3);
  const TEnglishEntry& a = l.d.EnglishIndex[1];
  EXPECT_EQ(a.Number, 1);
  EXPECT_EQ(a.Headword, "  anchor");  // trimmed on the right only
  EXPECT_EQ(a.DescrOffset, 511);
  EXPECT_EQ(a.DescrLength, 10);
  EXPECT_EQ(a.Origin, kOriginPublished);
  EXPECT_EQ(a.KeyStart, 3);
  EXPECT_EQ(a.TranslationSlot, 0);
  EXPECT_EQ(l.d.EnglishIndex[2].Headword, std::string(115, 'x'));
  EXPECT_EQ(l.d.EnglishIndex[3].Number, 7);
  EXPECT_EQ(l.d.EnglishIndex[3].DescrOffset, 99999999);
  EXPECT_EQ(l.d.EnglishIndex[3].DescrLength, 65535);
  EXPECT_EQ(l.d.EnglishIndex[3].KeyStart, 12);
  EXPECT_EQ(l.d.EnglishIndex[4].Number, 0);
  EXPECT_EQ(EntryTranslation(l.d, 1), "");
}

TEST(EntryIndexLoad, LongTranslationStartsAtColumn150) {
  DictionaryFixture fx;
  const std::string plain = DictionaryFixture::EnglishLine(1, "a", 511, 0);
  ASSERT_EQ(plain.size(), 149u);
  fx.WritePublishedEnglishLines({plain, DictionaryFixture::EnglishLine(2, "b", 511, 0, 1, "x"),
                                 DictionaryFixture::EnglishLine(3, "c", 511, 0, 1, kNaftis + " 2")});
  fx.WritePublishedGreekLines({DictionaryFixture::GreekLine(3, 0, kPloio)});
  Loaded l;
  Load(l, fx.locations());
  ASSERT_TRUE(l.report.status.ok());
  EXPECT_EQ(l.d.EnglishIndex[1].TranslationSlot, 0);
  EXPECT_EQ(l.d.EnglishIndex[2].TranslationSlot, 1);
  EXPECT_EQ(l.d.LongTranslations[1], "x");
  EXPECT_EQ(l.d.EnglishIndex[3].TranslationSlot, 2);
  // The long translation is shown although a Greek term links to the entry too.
  EXPECT_EQ(l.d.EnglishIndex[3].GreekSlot, 1);
  EXPECT_EQ(EntryTranslation(l.d, 3), kNaftis + " 2");
}

TEST(EntryIndexLoad, UserLinesMergeAfterTheirAttachNumber) {
  DictionaryFixture fx;
  fx.WritePublished(FiveEntries());
  fx.WriteUserEntries({{2, 90, "boat", "{b}"},
                       {2, 91, "  bowline", "{bl}"},
                       {4, 4, "", "{\\f60\\fs22 note}"},
                       {5, 92, "engine room", ""}});
  Loaded l;
  Load(l, fx.locations());
  ASSERT_TRUE(l.report.status.ok()) << l.report.status.message();
  EXPECT_EQ(Numbers(l.d), (std::vector<uint16_t>{1, 2, 90, 91, 3, 4, 5, 92}));
  EXPECT_EQ(Origins(l.d), "LLCCLALC");
  EXPECT_EQ(l.d.englishCount, 8);
  EXPECT_EQ(l.d.publishedEnglishCount, 5);
  // Published lines decode with their ordinal, not their slot.
  EXPECT_EQ(l.d.EnglishIndex[5].Headword, "chain");
  const TEnglishEntry& boat = l.d.EnglishIndex[3];
  EXPECT_EQ(boat.Headword, "boat");
  EXPECT_EQ(boat.DescrOffset, 1);
  EXPECT_EQ(boat.DescrLength, 3);
  EXPECT_EQ(boat.KeyStart, 1);
  EXPECT_EQ(l.d.EnglishIndex[4].Headword, "  bowline");
  EXPECT_EQ(l.d.EnglishIndex[4].DescrOffset, 4);
  ASSERT_EQ(l.d.NoteLocations, (std::vector<std::string>{"0000000800016"}));
  EXPECT_EQ(l.d.EnglishIndex[6].NoteIndex, 0);
  EXPECT_EQ(l.d.EnglishIndex[8].DescrLength, 0);

  // The reading rules find the bytes the fixture wrote, in both description files.
  const Locations locations = fx.locations();
  PosixFileSystem fs;
  DescriptionPlace place;
  ASSERT_TRUE(EntryDescriptionPlace(l.d, locations, 2, place));
  EXPECT_EQ(ReadDescriptionText(fs, place.file, place.position, place.length, DescriptionCoding::Position),
            "{bow text}");
  ASSERT_TRUE(EntryDescriptionPlace(l.d, locations, 4, place));
  EXPECT_EQ(ReadDescriptionText(fs, place.file, place.position, place.length, DescriptionCoding::Shift),
            "{bl}");
  ASSERT_TRUE(EntryAdditionPlace(l.d, locations, 6, place));
  EXPECT_EQ(ReadDescriptionText(fs, place.file, place.position, place.length, DescriptionCoding::Shift),
            "{\\f60\\fs22 note}");
  EXPECT_EQ(ReadRtfHeader(fs, locations.DescriptionFile()), "{" + std::string(test::kFixtureRtfHeader));
}

TEST(EntryIndexLoad, UserLineWithAnAttachNumberThatNeverComesStopsTheLaterOnes) {
  DictionaryFixture fx;
  fx.WritePublished(FiveEntries());
  fx.WriteUserEntries({{2, 90, "boat", ""}, {77, 91, "lost", ""}, {4, 92, "later", ""}});
  Loaded l;
  Load(l, fx.locations());
  EXPECT_TRUE(l.report.status.ok());
  EXPECT_EQ(Numbers(l.d), (std::vector<uint16_t>{1, 2, 90, 3, 4, 5}));
}

TEST(EntryIndexLoad, EmptyOrMissingUserFilesGiveThePublishedIndex) {
  DictionaryFixture fx;
  fx.WritePublished(FiveEntries(), {{2, kPloio}});
  Loaded withoutFiles;
  Load(withoutFiles, fx.locations());
  fx.WriteFile("user/QuorvelIC.tbo", "");
  fx.WriteFile("user/QuorvelHIC.tbo", "");
  Loaded emptyFiles;
  Load(emptyFiles, fx.locations());
  Locations noFolder = fx.locations();
  SetUserFilePaths(noFolder, "");
  Loaded noUserFolder;
  Load(noUserFolder, noFolder);
  for (const Loaded* l : {&withoutFiles, &emptyFiles, &noUserFolder}) {
    EXPECT_TRUE(l->report.status.ok());
    EXPECT_EQ(Numbers(l->d), (std::vector<uint16_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(l->d.greekCount, 1);
    EXPECT_EQ(l->d.EnglishIndex[2].GreekSlot, 1);
  }
}

TEST(EntryIndexLoad, GreekTermsLinkToTheirEntries) {
  DictionaryFixture fx;
  fx.WritePublished(FiveEntries(), {{2, kNaftis}, {4, kPloio, 5}, {3, kSkafos}, {2, kSkafos + "2"}});
  fx.WriteUserEntries({{2, 90, "boat", ""}});
  fx.WriteUserGreekLines({DictionaryFixture::UserGreekLine(2, 90, kPloio + "  ")});
  Loaded l;
  Load(l, fx.locations());
  ASSERT_TRUE(l.report.status.ok()) << l.report.status.message();
  ASSERT_EQ(l.d.greekCount, 5);
  // The user term follows the first published line numbered 2.
  EXPECT_EQ(l.d.GreekIndex[2].Number, 90);
  EXPECT_EQ(l.d.GreekIndex[2].Term, kPloio);
  EXPECT_EQ(l.d.GreekIndex[2].EnglishSlot, 3);
  EXPECT_EQ(l.d.EnglishIndex[3].GreekSlot, 2);
  // A second number: the term leads to the second entry; both show it.
  EXPECT_EQ(l.d.GreekIndex[3].EnglishSlot, 6);
  EXPECT_EQ(l.d.EnglishIndex[5].GreekSlot, 3);  // entry 4 (slot 5)
  EXPECT_EQ(l.d.EnglishIndex[6].GreekSlot, 3);  // entry 5
  EXPECT_EQ(l.d.GreekIndex[4].EnglishSlot, 4);  // entry 3, no second number
  // Entry 2 shows the term loaded last.
  EXPECT_EQ(l.d.EnglishIndex[2].GreekSlot, 5);
  EXPECT_EQ(EntryTranslation(l.d, 2), kSkafos + "2");
  EXPECT_EQ(EntryTranslation(l.d, 3), kPloio);
}

TEST(EntryIndexLoad, MissingFiles) {
  DictionaryFixture fx;
  Loaded nothing;
  Load(nothing, fx.locations());
  EXPECT_FALSE(nothing.report.status.ok());
  EXPECT_FALSE(nothing.report.englishIndexFound);
  EXPECT_EQ(nothing.d.englishCount, 0);
  EXPECT_EQ(nothing.d.EnglishIndex[1].Number, 0);

  fx.WritePublishedEnglishLines({DictionaryFixture::EnglishLine(1, "a", 511, 0, 1, "long")});
  Loaded noGreek;
  Load(noGreek, fx.locations());
  EXPECT_TRUE(noGreek.report.status.ok());
  EXPECT_FALSE(noGreek.report.greekIndexFound);
  EXPECT_EQ(noGreek.d.englishCount, 1);
  EXPECT_EQ(noGreek.d.greekCount, 0);
  EXPECT_EQ(EntryTranslation(noGreek.d, 1), "long");
}

TEST(EntryIndexLoad, FieldThatIsNoNumberEndsTheLoadThere) {
  DictionaryFixture fx;
  std::string bad = DictionaryFixture::EnglishLine(3, "c", 511, 0);
  bad[135] = 'x';  // in the offset field
  fx.WritePublishedEnglishLines({DictionaryFixture::EnglishLine(1, "a", 511, 0),
                                 DictionaryFixture::EnglishLine(2, "b", 511, 0), bad,
                                 DictionaryFixture::EnglishLine(4, "d", 511, 0)});
  Loaded l;
  Load(l, fx.locations());
  EXPECT_FALSE(l.report.status.ok());
  EXPECT_NE(l.report.status.message().find("line 3"), std::string::npos) << l.report.status.message();
  EXPECT_EQ(l.d.englishCount, 2);
  EXPECT_EQ(l.d.EnglishIndex[4].Number, 0);

  // A bad user line stops only the merge of the user lines; the published index loads whole.
  fx.WritePublished(FiveEntries());
  std::string badUser = DictionaryFixture::UserIndexLine(2, 91, "b", 1, 0);
  badUser[100] = '?';
  fx.WriteUserIndexLines({DictionaryFixture::UserIndexLine(2, 90, "a", 1, 0), badUser,
                          DictionaryFixture::UserIndexLine(4, 92, "c", 1, 0)});
  Loaded user;
  Load(user, fx.locations());
  EXPECT_TRUE(user.report.status.ok());
  EXPECT_FALSE(user.report.userLines.ok());
  EXPECT_NE(user.report.userLines.message().find("line 2"), std::string::npos) << user.report.userLines.message();
  EXPECT_EQ(Numbers(user.d), (std::vector<uint16_t>{1, 2, 90, 3, 4, 5}));
}

TEST(EntryIndexLoad, NoteLocationsHoldOnlyTheLatestLoad) {
  DictionaryFixture fx;
  fx.WritePublished(FiveEntries());
  fx.WriteUserEntries({{3, 3, "", "{\\f60\\fs22 x}"}});
  Loaded l;
  Load(l, fx.locations());
  Load(l, fx.locations());
  EXPECT_EQ(l.d.NoteLocations.size(), 1u);
  EXPECT_EQ(l.d.EnglishIndex[3].NoteIndex, 0);
}

// Lines end as CR LF, LF or a lone CR, also where a line end falls on the edge between two
// blocks of the file as the load reads it (64 KiB), and a line may be longer than a block.
TEST(EntryIndexLoad, LinesSplitTheSameWhereverTheReadBlocksEnd) {
  constexpr size_t kBlock = 64 * 1024;
  const size_t plainLength = DictionaryFixture::EnglishLine(1, "a", 511, 0).size();
  std::vector<size_t> translationLengths;
  for (size_t end = kBlock - 3; end <= kBlock + 2; ++end) translationLengths.push_back(end - plainLength);
  translationLengths.push_back(3 * kBlock);
  const std::vector<std::vector<std::string>> lineEnds = {
      {"\r\n", "\r\n", "\r\n"}, {"\n", "\n", "\n"}, {"\r", "\r", ""},
      {"\r", "\n", "\r\n"},       {"\n", "\r", "\r"}};
  for (size_t style = 0; style < lineEnds.size(); ++style) {
    for (const size_t length : translationLengths) {
      SCOPED_TRACE(testing::Message() << "line ends " << style << ", translation " << length);
      DictionaryFixture fx;
      const std::vector<std::string> plain = {
          DictionaryFixture::EnglishLine(1, "a", 511, 0, 1, std::string(length, 'x')),
          DictionaryFixture::EnglishLine(2, "b", 511, 0), DictionaryFixture::EnglishLine(3, "c", 511, 0)};
      std::string file;
      for (size_t i = 0; i < plain.size(); ++i) {
        file += MirrorEncode(static_cast<int64_t>(i) + 1, plain[i]) + lineEnds[style][i];
      }
      fx.WriteFile("data/QuorvelI.tbo", file);
      Loaded l;
      Load(l, fx.locations());
      ASSERT_TRUE(l.report.status.ok()) << l.report.status.message();
      EXPECT_EQ(Numbers(l.d), (std::vector<uint16_t>{1, 2, 3}));
      EXPECT_EQ(l.d.LongTranslations[1].size(), length);
      EXPECT_EQ(l.d.EnglishIndex[2].Headword, "b");
      EXPECT_EQ(l.d.EnglishIndex[3].TranslationSlot, 0);
    }
  }
}

// A folder or a named pipe where an index file belongs is no index file: the load neither reads
// it nor waits on it. It is reported as a file that cannot be read, not taken for a missing one
// (for the user's own files: "no entries yet"); the published entries read before it stay.
TEST(EntryIndexLoad, IndexPathsThatAreNoRegularFilesCountAsMissing) {
  DictionaryFixture fx;
  fx.WritePublished(FiveEntries(), {{2, kPloio}});
  fx.WriteUserEntries({{2, 90, "boat", ""}});
  const Locations locations = fx.locations();
  std::filesystem::remove(locations.GreekIndexFile());
  ASSERT_EQ(mkfifo(locations.GreekIndexFile().c_str(), 0600), 0);
  std::filesystem::remove(locations.UserIndexFile);
  ASSERT_EQ(mkfifo(locations.UserIndexFile.c_str(), 0600), 0);
  Loaded l;
  Load(l, locations);
  EXPECT_EQ(l.report.status.code(), StatusCode::kIoError);
  EXPECT_FALSE(l.report.greekIndexFound);
  EXPECT_EQ(Numbers(l.d), (std::vector<uint16_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(l.report.userLines.code(), StatusCode::kIoError);
  EXPECT_NE(l.report.userLines.message().find(locations.UserIndexFile), std::string::npos);

  std::filesystem::remove(locations.UserIndexFile);
  std::filesystem::remove(locations.UserDescrFile);
  std::filesystem::create_directory(locations.UserDescrFile);
  Loaded descriptionsFolder;
  Load(descriptionsFolder, locations);
  EXPECT_EQ(descriptionsFolder.report.userLines.code(), StatusCode::kIoError);
  std::filesystem::remove(locations.UserDescrFile);
  Loaded noUserFiles;
  Load(noUserFiles, locations);
  EXPECT_TRUE(noUserFiles.report.userLines.ok());

  std::filesystem::remove(locations.EnglishIndexFile());
  std::filesystem::create_directory(locations.EnglishIndexFile());
  Loaded folder;
  Load(folder, locations);
  EXPECT_EQ(folder.report.status.code(), StatusCode::kIoError);
  EXPECT_FALSE(folder.report.englishIndexFound);
  EXPECT_EQ(folder.d.englishCount, 0);
  EXPECT_EQ(folder.d.publishedRead.code(), StatusCode::kIoError);
}

// Memory follows the slots a load fills; a reload after a larger one keeps nothing of it, and
// every slot past the loaded ones reads as empty.
TEST(EntryIndexStorage, MemoryFollowsTheLoadedSlots) {
  const Dictionary empty;
  EXPECT_EQ(empty.EnglishIndex.storedEnd(), 0u);
  EXPECT_EQ(empty.GreekIndex.storedEnd(), 0u);
  EXPECT_EQ(empty.LongTranslations.storedEnd(), 0u);
  EXPECT_EQ(empty.EnglishIndex[kLastSlot].Number, 0);
  EXPECT_EQ(empty.GreekIndex[kLastSlot].Term, "");
  EXPECT_EQ(empty.englishCandidate[1], "");
  EXPECT_EQ(empty.EnglishIndex.size(), static_cast<size_t>(kIndexSlots));
  EXPECT_EQ(empty.EnglishIndex.storedEnd(), 0u);  // reading made no memory

  DictionaryFixture fx;
  std::vector<std::string> english;
  std::vector<std::string> greek;
  for (int n = 1; n <= 700; ++n) {
    english.push_back(DictionaryFixture::EnglishLine(n, "Word" + std::to_string(n), 511, 0, 1, "t"));
    greek.push_back(DictionaryFixture::GreekLine(n, 0, kNaftis));
  }
  fx.WritePublishedEnglishLines(english);
  fx.WritePublishedGreekLines(greek);
  Loaded l;
  Load(l, fx.locations());
  ASSERT_EQ(l.d.englishCount, 700);
  EXPECT_GE(l.d.EnglishIndex.storedEnd(), 701u);
  EXPECT_LT(l.d.EnglishIndex.storedEnd(), 2000u);
  EXPECT_EQ(l.d.englishCandidate[650], "word650");
  EXPECT_EQ(l.d.greekKey[650], kNaftis);

  fx.WritePublished(FiveEntries());
  Load(l, fx.locations());
  ASSERT_EQ(l.d.englishCount, 5);
  EXPECT_LE(l.d.EnglishIndex.storedEnd(), 256u);
  EXPECT_EQ(l.d.GreekIndex.storedEnd(), 0u);
  const Dictionary& d = l.d;
  EXPECT_EQ(d.EnglishIndex[650].Number, 0);
  EXPECT_EQ(d.EnglishIndex[650].Headword, "");
  EXPECT_EQ(d.LongTranslations[650], "");
  EXPECT_EQ(d.englishCandidate[650], "");
  EXPECT_EQ(d.greekKey[650], "");
  EXPECT_EQ(d.englishCandidate[5], "engine");
}

// Generated lines beyond the 30001 slots and the 999 long translations.
TEST(EntryIndexBounds, LoadStopsAtTheLastSlot) {
  DictionaryFixture fx;
  std::vector<std::string> english;
  std::vector<std::string> greek;
  for (int n = 1; n <= kLastSlot + 4; ++n) {
    std::optional<std::string_view> translation;
    if (n <= kLongTranslationSlots + 5) translation = "t";
    english.push_back(DictionaryFixture::EnglishLine(n, "w" + std::to_string(n), 511, 0, 1, translation));
    greek.push_back(DictionaryFixture::GreekLine(n, 0, kNaftis));
  }
  fx.WritePublishedEnglishLines(english);
  fx.WritePublishedGreekLines(greek);
  Loaded l;
  Load(l, fx.locations());
  EXPECT_TRUE(l.report.status.ok());
  EXPECT_TRUE(l.report.englishBoundReached);
  EXPECT_TRUE(l.report.greekBoundReached);
  EXPECT_EQ(l.d.englishCount, kLastSlot);
  EXPECT_EQ(l.d.greekCount, kLastSlot);
  EXPECT_EQ(l.d.EnglishIndex[kLastSlot].Number, kLastSlot);
  EXPECT_EQ(l.d.EnglishIndex[kLastSlot].GreekSlot, kLastSlot);
  EXPECT_EQ(l.report.droppedLongTranslations, 6);
  EXPECT_EQ(l.d.EnglishIndex[999].TranslationSlot, 999);
  EXPECT_EQ(l.d.EnglishIndex[1000].TranslationSlot, 0);
  EXPECT_EQ(EntryTranslation(l.d, 1000), kNaftis);
}

TEST(EntryIndexBounds, UserEntriesBeyondTheLastSlotAreNotLoaded) {
  DictionaryFixture fx;
  std::vector<std::string> english;
  for (int n = 1; n <= kLastSlot - 1; ++n) {
    english.push_back(DictionaryFixture::EnglishLine(n, "w", 511, 0));
  }
  fx.WritePublishedEnglishLines(english);
  fx.WriteUserEntries({{kLastSlot - 1, kLastSlot - 1, "", "{n}"},
                       {kLastSlot - 1, 40001, "a", ""},
                       {kLastSlot - 1, 40002, "b", ""}});
  Loaded l;
  Load(l, fx.locations());
  EXPECT_TRUE(l.report.englishBoundReached);
  EXPECT_EQ(l.d.englishCount, kLastSlot);
  EXPECT_EQ(l.d.EnglishIndex[kLastSlot].Number, 40001);
  EXPECT_EQ(l.d.EnglishIndex[kLastSlot - 1].Origin, kOriginAddition);
}

// A rewrite interrupted by a crash leaves temporaries; the next load makes the user files
// all old or all new before it reads them.
class InterruptedRewrite : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.WritePublished(FiveEntries(), {{2, kNaftis}});
    fx.WriteUserEntries({{2, 90, "old", "{old}"}});
    fx.WriteUserGreekLines({DictionaryFixture::UserGreekLine(2, 90, kPloio)});
  }
  // The new contents of a rewrite, as temporaries.
  void WriteTemporary(const std::string& name) {
    const std::string plainIndex = DictionaryFixture::UserIndexLine(2, 91, "new", 1, 6);
    if (name == "tempi.tbo") fx.WriteFile("user/tempi.tbo", ShiftEncode(plainIndex) + "\r\n");
    if (name == "templex.tbo") fx.WriteFile("user/templex.tbo", ShiftEncode("{new!}"));
    if (name == "tempigr.tbo") {
      fx.WriteFile("user/tempigr.tbo", ShiftEncode(DictionaryFixture::UserGreekLine(2, 91, kSkafos)) + "\r\n");
    }
  }
  bool NoTemporaries() const {
    return !fx.Exists("user/tempi.tbo") && !fx.Exists("user/templex.tbo") && !fx.Exists("user/tempigr.tbo");
  }
  DictionaryFixture fx;
};

TEST_F(InterruptedRewrite, TemporaryIndexLeftMeansNothingWasReplaced) {
  WriteTemporary("tempi.tbo");
  WriteTemporary("templex.tbo");
  WriteTemporary("tempigr.tbo");
  Loaded l;
  Load(l, fx.locations());
  EXPECT_TRUE(NoTemporaries());
  EXPECT_EQ(l.d.EnglishIndex[3].Headword, "old");
  EXPECT_EQ(fx.UserDescriptions(), (std::vector<std::string>{"{old}"}));
  EXPECT_EQ(l.d.GreekIndex[2].Term, kPloio);
}

// A file system whose writes stop working, as at a crash, from its `crashAt`-th rename on.
class CrashAtRename : public PosixFileSystem {
 public:
  explicit CrashAtRename(int crashAt) : PosixFileSystem(Durability::kUnflushed), crashAt_(crashAt) {}
  Status WriteFile(const std::string& path, std::string_view bytes) override {
    return crashed_ ? Crashed() : PosixFileSystem::WriteFile(path, bytes);
  }
  Status ReplaceFile(const std::string& from, const std::string& to) override {
    crashed_ = crashed_ || ++renames_ >= crashAt_;
    return crashed_ ? Crashed() : PosixFileSystem::ReplaceFile(from, to);
  }
  Status RemoveFile(const std::string& path) override {
    return crashed_ ? Crashed() : PosixFileSystem::RemoveFile(path);
  }

 private:
  static Status Crashed() { return Status::IoError("crashed"); }
  int crashAt_;
  int renames_ = 0;
  bool crashed_ = false;
};

// Commits the new contents (those of WriteTemporary) with a crash at the `crashAt`-th rename.
void CommitNewContents(DictionaryFixture& fx, int crashAt) {
  const std::string index = ShiftEncode(DictionaryFixture::UserIndexLine(2, 91, "new", 1, 6)) + "\r\n";
  const std::string greek = ShiftEncode(DictionaryFixture::UserGreekLine(2, 91, kSkafos)) + "\r\n";
  CrashAtRename crashing(crashAt);
  // The crash ends the commit: its Status is no part of what the test looks at.
  (void)CommitUserFiles(fx.locations(), crashing, {index, ShiftEncode("{new!}"), greek});
}

TEST_F(InterruptedRewrite, DescriptionsLeftAfterTheIndexAreMovedIn) {
  CommitNewContents(fx, 2);
  ASSERT_TRUE(fx.Exists("user/templex.tbo") && fx.Exists("user/tempigr.tbo") && !fx.Exists("user/tempi.tbo"));
  Loaded l;
  Load(l, fx.locations());
  EXPECT_TRUE(NoTemporaries());
  EXPECT_FALSE(fx.Exists("user/commit.tbo"));
  EXPECT_EQ(l.d.EnglishIndex[3].Headword, "new");
  EXPECT_EQ(fx.UserDescriptions(), (std::vector<std::string>{"{new!}"}));
  EXPECT_EQ(l.d.GreekIndex[2].Term, kSkafos);
  EXPECT_EQ(l.d.GreekIndex[2].EnglishSlot, 3);
}

TEST_F(InterruptedRewrite, OnlyTheGreekFileLeftIsMovedIn) {
  CommitNewContents(fx, 3);
  ASSERT_TRUE(fx.Exists("user/tempigr.tbo") && !fx.Exists("user/templex.tbo"));
  Loaded l;
  Load(l, fx.locations());
  EXPECT_TRUE(NoTemporaries());
  EXPECT_EQ(l.d.GreekIndex[2].Term, kSkafos);
  EXPECT_EQ(l.d.EnglishIndex[3].GreekSlot, 2);
}

// Temporaries alone prove nothing: without the commit record they are discarded, whichever
// are left, and the user files stay as they are.
TEST_F(InterruptedRewrite, TemporariesWithoutTheRecordAreDiscarded) {
  for (const char* name : {"templex.tbo", "tempigr.tbo"}) {
    fx.WriteFile(std::string("user/") + name, "");
    Loaded l;
    Load(l, fx.locations());
    EXPECT_TRUE(NoTemporaries()) << name;
    EXPECT_EQ(fx.UserDescriptions(), (std::vector<std::string>{"{old}"})) << name;
    EXPECT_EQ(l.d.GreekIndex[2].Term, kPloio) << name;
  }
}

// While another program keeps the user files (or their folder cannot be written) a load leaves
// the rewrite unfinished: it reads the new files where they lie, descriptions included, and
// says so; the next load that may finish it does.
TEST_F(InterruptedRewrite, ALoadThatCannotFinishReadsTheNewFilesWhereTheyLie) {
  CommitNewContents(fx, 2);
  PosixFileSystem fs;
  std::unique_ptr<FileLock> other;
  ASSERT_TRUE(LockUserFiles(fx.locations(), fs, other).ok());
  Session session(fx.locations(), fs, [](std::string_view rtf) { return std::string(rtf); });
  for (const bool kept : {true, false}) {
    if (!kept) other.reset();
    const LoadReport report = session.Reload();
    EXPECT_EQ(report.recovery.code(), kept ? StatusCode::kInUse : StatusCode::kOk) << report.recovery.message();
    EXPECT_EQ(fx.Exists("user/templex.tbo"), kept);
    EXPECT_EQ(session.dictionary().EnglishIndex[3].Headword, "new");
    EXPECT_EQ(session.dictionary().GreekIndex[2].Term, kSkafos);
    const std::optional<EntryView> view = session.ShowEntry(3, "new", false);
    ASSERT_TRUE(view && view->document);
    EXPECT_NE(view->document->find("new!"), std::string::npos) << kept;
  }
}

}  // namespace
}  // namespace quorvel

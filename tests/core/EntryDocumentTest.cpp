#include "core/EntryDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/DescriptionFile.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;

class EntryDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture_.WritePublished({{"anchor", "{\\b anchor} text"}, {"bow", "bow text"}, {"stern", ""}},
                            {{1, "\xe1\xe3\xea\xf5\xf1\xe1"}});
    // A user entry after "bow" and an addition to "anchor".
    fixture_.WriteUserEntries({{1, 1, "", "{\\f60\\fs22 \\'E1}"}, {2, 90, "boat", "{user}"}});
    Load();
  }

  void Load() {
    LoadEntryIndex(*dictionary_, fixture_.locations(), fs_);
    header_ = ReadRtfHeader(fs_, fixture_.locations().DescriptionFile());
  }

  std::optional<std::string> Document(int slot) {
    return BuildDescriptionDocument(fs_, *dictionary_, fixture_.locations(), header_, slot);
  }

  DictionaryFixture fixture_;
  PosixFileSystem fs_;
  std::unique_ptr<Dictionary> dictionary_ = std::make_unique<Dictionary>();
  std::string header_;
};

TEST_F(EntryDocumentTest, HeaderIsTheDecodedBlockBehindABrace) {
  EXPECT_EQ(header_, "{" + std::string(test::kFixtureRtfHeader));
}

TEST_F(EntryDocumentTest, PublishedUserAndAdditionDocumentsAreByteExact) {
  ASSERT_EQ(dictionary_->EnglishIndex[1].Origin, kOriginAddition);
  ASSERT_EQ(dictionary_->EnglishIndex[3].Origin, kOriginUser);
  EXPECT_EQ(Document(2), header_ + "\r\nbow text\\par \\par}\r\n");
  EXPECT_EQ(Document(3), header_ + "\r\n{user}\\par \\par}\r\n");
  EXPECT_EQ(Document(1), header_ + "\r\n{\\b anchor} text" + std::string(kAdditionCaption) +
                             "{\\f60\\fs22 \\'E1} \\par \\par}\r\n");
  EXPECT_EQ(Document(4), header_ + "\r\n\\par \\par}\r\n");  // an empty description
  EXPECT_EQ(kAdditionCaption.size(), 111u);
}

// The user's descriptions are those of the load, whatever happens to the file afterwards.
TEST_F(EntryDocumentTest, AMissingUserFileDropsTheAdditionWithItsCaption) {
  const std::optional<std::string> before = Document(3);
  std::filesystem::remove(fixture_.locations().UserDescrFile);
  EXPECT_EQ(Document(3), before);
  Load();
  EXPECT_EQ(Document(1), header_ + "\r\n{\\b anchor} text\\par \\par}\r\n");
  EXPECT_EQ(Document(3), std::nullopt);  // a user entry has nothing else to show
}

TEST_F(EntryDocumentTest, AnUnreadableDescriptionGivesNoDocument) {
  std::filesystem::remove(fixture_.locations().DescriptionFile());
  EXPECT_EQ(Document(2), std::nullopt);
  EXPECT_EQ(Document(0), std::nullopt);
  EXPECT_EQ(Document(kIndexSlots), std::nullopt);
  EXPECT_EQ(ReadRtfHeader(fs_, fixture_.locations().DescriptionFile()), "");
}

TEST(DescriptionFile, ReadsAreBoundedAndPositionDecoded) {
  DictionaryFixture fixture;
  PosixFileSystem fs_;
  const auto offsets = fixture.WritePublishedDescriptions("hdr", {"first", "second"});
  const std::string file = fixture.locations().DescriptionFile();
  EXPECT_EQ(ReadDescriptionText(fs_, file, offsets[1], 6, DescriptionCoding::Position), "second");
  EXPECT_EQ(ReadDescriptionText(fs_, file, offsets[0], 0, DescriptionCoding::Position), "");
  // Past the end of the file, or a negative position: nothing.
  EXPECT_EQ(ReadDescriptionText(fs_, file, offsets[1], 7, DescriptionCoding::Position), std::nullopt);
  EXPECT_EQ(ReadDescriptionText(fs_, file, -1, 2, DescriptionCoding::Position), std::nullopt);
  // A header block whose first zero byte comes after "hdr".
  EXPECT_EQ(ReadRtfHeader(fs_, file), "{hdr");
}

}  // namespace
}  // namespace quorvel

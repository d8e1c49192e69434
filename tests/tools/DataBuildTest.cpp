#include "maintenance/DataBuild.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "core/Codec.h"
#include "core/Cp1253.h"
#include "core/DescriptionFile.h"
#include "core/EntryIndex.h"
#include "core/LineReader.h"
#include "core/Locations.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/WholeFile.h"

namespace quorvel::maintenance {
namespace {

namespace fs = std::filesystem;

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }

// "\'hh" escapes for every byte above 127, as the sources store Greek.
std::string Escaped(const std::string& cp1253) {
  std::string out;
  for (char c : cp1253) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 128) {
      out += c;
      continue;
    }
    static const char* hex = "0123456789abcdef";
    out += "\\'";
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  return out;
}

// A 511-character header that opens an RTF document with fonts 0 and 60.
std::string Header() {
  std::string header =
      "\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}"
      "{\\f60\\froman\\fcharset161 Times New Roman;}}{\\*\\generator test";
  header += std::string(511 - header.size() - 2, ' ');
  header += ";}";
  return header;
}

class DataBuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("quorvel-build-" + std::to_string(std::random_device{}()));
    fs::create_directories(root_ / "utils" / "Docs");
  }
  void TearDown() override { fs::remove_all(root_); }

  void WriteSource(const std::vector<std::string>& entryLines, const std::string& header = Header()) {
    std::string text = header + "\r\n";
    for (const auto& line : entryLines) text += line + "\r\n";
    Write("utils/Docs/OLO2.tbo", text);
  }
  void WriteGreekList(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    Write("utils/Docs/Greek.txt", text);
  }
  void Write(const std::string& relative, const std::string& bytes) {
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
  }
  std::vector<std::string> Lines(const std::string& relative) {
    std::vector<std::string> lines;
    const auto content = test::ReadWholeFile((root_ / relative).string());
    if (!content) return lines;
    LineReader reader(*content);
    while (!reader.AtEnd()) lines.emplace_back(reader.Next());
    return lines;
  }

  bool Build() {
    messages_.clear();
    return BuildDataFiles(disk_, root_.string() + "/", [this](const std::string& m) { messages_.push_back(m); });
  }

  // A line of the source: English [Greek] then the rest as given.
  static std::string Entry(const std::string& english, const std::string& greek, const std::string& rest) {
    return english + " [" + Escaped(greek) + "]" + rest;
  }

  fs::path root_;
  PosixFileSystem disk_{PosixFileSystem::Durability::kUnflushed};
  std::vector<std::string> messages_;
};

TEST_F(DataBuildTest, DescriptionsStartByTheThreeRulesAtOffsetsFrom513) {
  WriteSource({Entry("anchor", G("άγκυρα"), ". {\\b heavy} text"), Entry("bow", G("πλώρη"), ".\\i front\\i0"),
               Entry("cable", "", "kept")});
  WriteGreekList({G("άγκυρα = anchor"), G("πλώρη = bow")});
  ASSERT_TRUE(Build()) << messages_.front();
  const auto descriptions = Lines("data/Quorvel_un.tbo");
  ASSERT_EQ(descriptions.size(), 4u);
  EXPECT_EQ(descriptions[0], Header());
  EXPECT_EQ(descriptions[1], "{\\b heavy} text");
  EXPECT_EQ(descriptions[2], "\\i front\\i0");
  EXPECT_EQ(descriptions[3], "kept");
  const auto index = Lines("data/QuorvelI_un.tbo");
  ASSERT_EQ(index.size(), 3u);
  EXPECT_EQ(index[0].substr(0, 5), "00001");
  EXPECT_EQ(index[0].substr(5, 123), "anchor" + std::string(117, ' '));
  EXPECT_EQ(index[0].substr(128, 13), "0000051300015");
  EXPECT_EQ(index[1].substr(128, 13), "0000053000011");
  EXPECT_EQ(index[0].substr(141, 8), "L0100000");
  EXPECT_EQ(messages_.back(), "ok");
}

TEST_F(DataBuildTest, TheHeaderMustHaveExactly511Characters) {
  WriteSource({Entry("anchor", "", "x")}, Header().substr(1));
  WriteGreekList({});
  EXPECT_FALSE(Build());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("exactly 511"), std::string::npos);
}

TEST_F(DataBuildTest, AMalformedLineStopsTheBuildWithoutOk) {
  WriteSource({Entry("anchor", "", "x"), "bow without brackets", Entry("cable", "", "y")});
  WriteGreekList({});
  EXPECT_FALSE(Build());
  EXPECT_EQ(messages_, std::vector<std::string>{"bow without brackets"});
  EXPECT_FALSE(fs::exists(root_ / "data" / "QuorvelI.tbo"));
}

// A paragraph mark before the bracket would put a line break into the English index line.
TEST_F(DataBuildTest, AHeadwordWithALineBreakStopsTheBuild) {
  WriteSource({Entry("anchor", "", "x"), Entry("bow\\par stern", "", "y")});
  WriteGreekList({});
  EXPECT_FALSE(Build());
  ASSERT_FALSE(messages_.empty());
  EXPECT_NE(messages_.back().find("OLO2.tbo"), std::string::npos);
  EXPECT_NE(messages_.back().find("line break"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_ / "data" / "QuorvelI.tbo"));
}

TEST_F(DataBuildTest, AGreekListStopIsReportedAndNotOk) {
  WriteSource({Entry("anchor", G("άγκυρα"), "x")});
  WriteGreekList({G("άγκυρα = anchor"), G("γραμμή χωρίς ίσον")});
  EXPECT_FALSE(Build());
  EXPECT_EQ(messages_.back(), G("γραμμή χωρίς ίσον"));
  WriteGreekList({G("κάτι = 12345")});
  EXPECT_FALSE(Build());
  EXPECT_EQ(messages_.back(), G("Bad start of english: κάτι = 12345"));
}

TEST_F(DataBuildTest, LinkingByRenderingsAndByPartsInTheOtherOrder) {
  WriteSource({Entry("anchor, sea", G("άγκυρα θαλάσσης"), "a"),
               Entry("hawser", G("παλαμάρι, κάβος"), "b"),
               Entry("sea, anchor", G("άγκυρα θαλάσσης"), "c"),
               Entry("stern", G("πρύμνη"), "d")});
  WriteGreekList({G("άγκυρα θαλάσσης = anchor, sea"), G("κάβος = hawser"), G("παλαμάρι = hawser"),
                  G("πρύμη = stern")});
  ASSERT_TRUE(Build());
  const auto greek = Lines("data/QuorvelHI_un.tbo");
  ASSERT_EQ(greek.size(), 3u);
  EXPECT_EQ(greek[0], "00001" "00003" + G("άγκυρα θαλάσσης"));  // pass 1 and pass 2
  EXPECT_EQ(greek[1], "00002" "00000" + G("κάβος"));            // one of several renderings
  EXPECT_EQ(greek[2], "00002" "00000" + G("παλαμάρι"));
  EXPECT_EQ(Lines("utils/Docs/GRnotmatchedwithEN.txt"), std::vector<std::string>{"stern | " + G("πρυμη")});
  EXPECT_EQ(Lines("utils/Docs/ENwithoutGR.txt"), std::vector<std::string>{"stern = " + G("πρύμνη")});
  // The long translation from column 150: an entry with two links, or none, carries its Greek.
  const auto index = Lines("data/QuorvelI_un.tbo");
  EXPECT_EQ(index[0].size(), 149u);  // one link
  EXPECT_EQ(index[1].substr(149), G("παλαμάρι, κάβος"));
  EXPECT_EQ(index[3].substr(149), G("πρύμνη"));
}

TEST_F(DataBuildTest, AnEntryTakesNoSixthTerm) {
  WriteSource({Entry("rope", G("α, β, γ, δ, ε, ζ"), "x")});
  WriteGreekList({G("α = rope"), G("β = rope"), G("γ = rope"), G("δ = rope"), G("ε = rope"), G("ζ = rope")});
  ASSERT_TRUE(Build());
  EXPECT_EQ(Lines("data/QuorvelHI_un.tbo").size(), 5u);
  EXPECT_EQ(Lines("utils/Docs/GRnotmatchedwithEN.txt").size(), 1u);
}

TEST_F(DataBuildTest, TheCodedFilesLoadAsTheProgramReadsThem) {
  WriteSource({Entry("anchor", G("άγκυρα"), ". {\\b heavy}"), Entry("bow", G("πλώρη, πρώρα"), ". front")});
  WriteGreekList({G("άγκυρα = anchor"), G("πλώρη = bow"), G("πρώρα = bow")});
  ASSERT_TRUE(Build());
  EXPECT_EQ(messages_, (std::vector<std::string>{"anchor " + G("άγκυρα"), "bow " + G("πλώρη, πρώρα"), "ok", "ok"}));
  Locations locations;
  locations.ProgramDir = root_.string() + "/";
  auto d = std::make_unique<Dictionary>();
  PosixFileSystem fileSystem;
  ASSERT_TRUE(LoadEntryIndex(*d, locations, fileSystem).status.ok());
  EXPECT_EQ(d->englishCount, 2);
  EXPECT_EQ(d->greekCount, 3);
  EXPECT_EQ(EntryTranslation(*d, 1), G("άγκυρα"));
  EXPECT_EQ(EntryTranslation(*d, 2), G("πλώρη, πρώρα"));
  const TEnglishEntry& bow = d->EnglishIndex[2];
  EXPECT_EQ(ReadDescriptionText(fileSystem, locations.DescriptionFile(), bow.DescrOffset, bow.DescrLength,
                                DescriptionCoding::Position), "front");
  EXPECT_EQ(ReadRtfHeader(fileSystem, locations.DescriptionFile()), "{" + Header());
  messages_.clear();
  EXPECT_EQ(CheckAllDescriptions(fileSystem, locations.ProgramDir, [this](const std::string& m) { messages_.push_back(m); }), 0);
}

TEST(DataBuildKeys, NormaliseKeyJoinsAndDrops) {
  EXPECT_EQ(NormaliseKey("Anchor (Sea)", false), "anchor, sea");
  EXPECT_EQ(NormaliseKey("man-of-war", false), "manofwar");
  EXPECT_EQ(NormaliseKey("ship - to - shore", false), "shipto shore");
  EXPECT_EQ(NormaliseKey("ship's log", false), "ships log");
  EXPECT_EQ(NormaliseKey("knots / hour", false), "knots/hour");
  EXPECT_EQ(NormaliseKey(G("Άγκυρα (θαλάσσης)"), true), G("αγκυρα, θαλασσης"));
  EXPECT_EQ(FirstLetter("  12b"), 1);
  EXPECT_EQ(FirstLetter("12345a"), -1);
}

TEST(DataBuildCoding, PositionEncodedFileDecodesAtItsPositions) {
  const fs::path dir = fs::temp_directory_path() / ("quorvel-pos-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  const std::string plain = "{\\rtf1 head}\r\n\\b one\\b0\r\ntwo \\'e1\r\n";
  std::ofstream((dir / "plain").string(), std::ios::binary) << plain;
  PosixFileSystem disk;
  ASSERT_TRUE(PositionEncodeFile(disk, (dir / "plain").string(), (dir / "coded").string()).ok());
  const auto coded = test::ReadWholeFile((dir / "coded").string());
  ASSERT_TRUE(coded);
  EXPECT_EQ(PositionDecode(1, *coded), plain);
  EXPECT_EQ(PositionDecode(15, coded->substr(14, 10)), plain.substr(14, 10));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvel::maintenance

namespace quorvel::maintenance {
namespace {

// The sample dictionary as the build made it (build/dictionary-build, the staging folder of
// build/dist): it loads, and lookups in both languages give what the sources say.
TEST(SampleDictionary, LoadsAndAnswersLookupsInBothLanguages) {
  Locations locations;
  locations.ProgramDir = std::string(QUORVEL_SAMPLE_DIR) + "/";
  auto d = std::make_unique<Dictionary>();
  PosixFileSystem fileSystem;
  const LoadReport report = LoadEntryIndex(*d, locations, fileSystem);
  ASSERT_TRUE(report.status.ok()) << report.status.message();
  EXPECT_GE(d->englishCount, 400);
  EXPECT_GE(d->greekCount, d->englishCount);
  int anchor = 0;
  for (int slot = 1; slot <= d->englishCount; ++slot) {
    if (d->EnglishIndex[slot].Headword == "anchor") anchor = slot;
  }
  ASSERT_GT(anchor, 0);
  EXPECT_EQ(EntryTranslation(*d, anchor), G("άγκυρα"));
  // Greek lookups lead back to the entry.
  bool found = false;
  for (int g = 1; g <= d->greekCount; ++g) {
    if (d->GreekIndex[g].Term == G("άγκυρα")) found = d->GreekIndex[g].EnglishSlot == anchor;
  }
  EXPECT_TRUE(found);
  // Every letter a-z has entries (a letter without any would start its search at slot 1).
  EXPECT_EQ(d->englishCandidate[1][0], 'a');
  for (char c = 'b'; c <= 'z'; ++c) EXPECT_GT(d->englishFirstSlot[c - 'a'], 1) << c;
  const TEnglishEntry& e = d->EnglishIndex[anchor];
  const auto text = ReadDescriptionText(fileSystem, locations.DescriptionFile(), e.DescrOffset, e.DescrLength, DescriptionCoding::Position);
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("\\'"), std::string::npos);  // Greek escapes
}

}  // namespace
}  // namespace quorvel::maintenance

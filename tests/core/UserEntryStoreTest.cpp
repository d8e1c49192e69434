#include "core/UserEntryStore.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/UserFileRewrite.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/ForwardingFileSystem.h"

namespace quorvel {
namespace {

using test::DictionaryFixture;
using test::UserLine;
using Lines = std::vector<std::string>;

std::string G(const char* utf8) { return Utf8ToCp1253(utf8); }
std::string E(std::string_view text) { return StoredUserDescription(text, UserTextForm::Entry); }
std::string A(std::string_view text) { return StoredUserDescription(text, UserTextForm::Addition); }
std::string GLine(int attach, int own, const std::string& term) {
  return DictionaryFixture::UserGreekLine(attach, own, term);
}

// The index lines and descriptions of `lines` laid out with contiguous offsets from 1.
struct Expected {
  Lines index;
  Lines descriptions;
};
Expected Layout(const std::vector<UserLine>& lines) {
  Expected e;
  int64_t offset = 1;
  for (const UserLine& l : lines) {
    const int length = static_cast<int>(l.description.size());
    e.index.push_back(DictionaryFixture::UserIndexLine(l.attach, l.own, l.headword, offset, length));
    e.descriptions.push_back(l.description);
    offset += length;
  }
  return e;
}

void WriteDictionary(const DictionaryFixture& fx) {
  fx.WritePublished({{"anchor"}, {"bow"}, {"chain"}, {"deck"}, {"engine"}, {"funnel"}},
                    {{1, G("άγκυρα")}, {3, G("αλυσίδα")}, {4, G("κατάστρωμα")}, {5, G("μηχανή")},
                     {2, G("πλώρη")}, {6, G("φουγάρο")}});
}

// Loaded: anchor 1, boat 7 (C), bow 2 (A), bowline 8 (C), chain 3, deck 4 (A), engine 5, funnel 6.
const std::vector<UserLine> kStoredLines = {{1, 7, "boat", E("b")},
                                            {2, 2, "", A("note")},
                                            {2, 8, "bowline", E("knot")},
                                            {4, 4, "", A("deck note")}};

void WriteUserEntries(const DictionaryFixture& fx) {
  fx.WriteUserEntries(kStoredLines);
  fx.WriteUserGreekLines({GLine(2, 7, G("σκάφος"))});
}

class UserEntryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDictionary(fx); }

  void WithUserEntries() {
    WriteUserEntries(fx);
    Load();
  }
  void Load() {
    const LoadReport report = LoadEntryIndex(d, fx.locations(), fs);
    ASSERT_TRUE(report.status.ok()) << report.status.message();
  }
  int SlotOf(std::string_view headword) const {
    for (int slot = 1; slot <= d.englishCount; ++slot) {
      if (d.EnglishIndex[slot].Headword == headword) return slot;
    }
    return 0;
  }
  Status Insert(const std::string& english, const std::string& greek = "",
                const std::string& description = "") {
    return InsertUserEntry(d, fx.locations(), fs, {english, greek, description});
  }
  Status Modify(std::string_view headword, char origin, const std::string& english,
                const std::string& greek, const std::string& description) {
    return ModifyUserEntry(d, fx.locations(), fs, EntryRefAt(d, SlotOf(headword)), {origin, english, greek, description});
  }
  Status Delete(std::string_view headword) {
    return DeleteUserEntry(d, fx.locations(), fs, EntryRefAt(d, SlotOf(headword)));
  }
  void ExpectIndex(const Expected& expected) const {
    EXPECT_EQ(fx.UserIndexLines(), expected.index);
    EXPECT_EQ(fx.UserDescriptions(), expected.descriptions);
  }
  std::string Origins() const {
    std::string origins;
    for (int slot = 1; slot <= d.englishCount; ++slot) origins += d.EnglishIndex[slot].Origin;
    return origins;
  }
  std::string Headwords() const {
    std::string list;
    for (int slot = 1; slot <= d.englishCount; ++slot) {
      list += d.EnglishIndex[slot].Headword + "/" + std::to_string(d.EnglishIndex[slot].Number) + " ";
    }
    return list;
  }

  DictionaryFixture fx;
  Dictionary d;
  PosixFileSystem fs{PosixFileSystem::Durability::kUnflushed};
};

TEST(StoredUserDescription, EscapesEveryByteAndTurnsLineBreaksIntoPar) {
  EXPECT_EQ(E(""), "");
  EXPECT_EQ(A(""), "{\\f60\\fs22 }");
  EXPECT_EQ(E("a\r\nb"), "{\\'61 \\par \\'62}");
  EXPECT_EQ(E("\r\r\n\n"), "{\\'0D \\par \\'0A}");
  EXPECT_EQ(A(G("ά{")), "{\\f60\\fs22 \\'DC\\'7B}");
  EXPECT_EQ(E(std::string("\0\xff", 2)), "{\\'00\\'FF}");
}

TEST_F(UserEntryStoreTest, InsertIntoAnEmptyStoreCreatesTheFiles) {
  Load();
  ASSERT_TRUE(Insert("boat", G("σκάφος"), "small\r\nvessel").ok());
  ExpectIndex(Layout({{1, 7, "boat", E("small\r\nvessel")}}));
  EXPECT_EQ(fx.UserGreekLines(), (Lines{GLine(2, 7, G("σκάφος"))}));
  EXPECT_FALSE(fx.Exists("user/tempi.tbo") || fx.Exists("user/templex.tbo") || fx.Exists("user/tempigr.tbo"));

  // Not reloaded by the insert: the caller does that.
  EXPECT_EQ(d.englishCount, 6);
  Load();
  EXPECT_EQ(Headwords(), "anchor/1 boat/7 bow/2 chain/3 deck/4 engine/5 funnel/6 ");
  EXPECT_EQ(d.EnglishIndex[2].Origin, kOriginUser);
  EXPECT_EQ(EntryTranslation(d, 2), G("σκάφος"));

  // Without a Greek term no Greek line is written; an empty description stores nothing.
  DictionaryFixture bare;
  WriteDictionary(bare);
  Dictionary d2;
  LoadEntryIndex(d2, bare.locations(), fs);
  ASSERT_TRUE(InsertUserEntry(d2, bare.locations(), fs, {"zebra", "", ""}).ok());
  EXPECT_EQ(bare.UserIndexLines(), (Lines{DictionaryFixture::UserIndexLine(6, 7, "zebra", 1, 0)}));
  EXPECT_EQ(bare.ReadRaw("user/QuorvelC.tbo"), "");
  EXPECT_FALSE(bare.Exists("user/QuorvelHIC.tbo"));
}

TEST_F(UserEntryStoreTest, InsertPlacesTheLineByItsAlphabeticalPredecessor) {
  WithUserEntries();
  // After the user entry "boat": right after its line, with its attach number.
  ASSERT_TRUE(Insert("boats", "", "x").ok());
  std::vector<UserLine> lines = kStoredLines;
  lines.insert(lines.begin() + 1, UserLine{1, 9, "boats", E("x")});
  ExpectIndex(Layout(lines));
  Load();
  // After the published "bow": before every line attached to 2, the addition included.
  ASSERT_TRUE(Insert("bower", "", "yy").ok());
  lines.insert(lines.begin() + 2, UserLine{2, 10, "bower", E("yy")});
  ExpectIndex(Layout(lines));
  Load();
  // Before every entry: attached to the entry in slot 1.
  ASSERT_TRUE(Insert("aardvark").ok());
  lines.insert(lines.begin(), UserLine{1, 11, "aardvark", ""});
  ExpectIndex(Layout(lines));
  Load();
  EXPECT_EQ(Headwords(),
            "anchor/1 aardvark/11 boat/7 boats/9 bow/2 bower/10 bowline/8 chain/3 deck/4 engine/5 funnel/6 ");
  EXPECT_EQ(Origins(), "LCCCACCLALL");
  // The descriptions still belong to their lines after two moves.
  EXPECT_EQ(fx.UserDescriptions()[6], A("deck note"));
  EXPECT_EQ(fx.UserIndexLines()[6].substr(90), "0000006900048");
}

TEST_F(UserEntryStoreTest, InsertStoresACleanHeadwordAndTerm) {
  Load();
  ASSERT_TRUE(Insert(" \t cable\r\nlength  ", G("\tκάβος\x01 "), "").ok());
  EXPECT_EQ(fx.UserIndexLines(), (Lines{DictionaryFixture::UserIndexLine(2, 7, "cable  length", 1, 0)}));
  EXPECT_EQ(fx.UserGreekLines(), (Lines{GLine(3, 7, G(" κάβος  "))}));
  Load();
  ASSERT_TRUE(Insert(std::string(100, 'z'), std::string(90, '\xe1')).ok());
  EXPECT_EQ(fx.UserIndexLines()[1], DictionaryFixture::UserIndexLine(6, 8, std::string(80, 'z'), 1, 0));
  EXPECT_EQ(fx.UserGreekLines()[0], GLine(1, 8, std::string(80, '\xe1')));
}

TEST_F(UserEntryStoreTest, InsertPlacesTheGreekLineAfterThePublishedTermItSortsAfter) {
  WithUserEntries();
  // After the user term σκάφος: attached to the published line before it (πλώρη, entry 2).
  ASSERT_TRUE(Insert("raft", G("σχεδία")).ok());
  Load();
  // Between πλώρη and σκάφος: before the user line.
  ASSERT_TRUE(Insert("tug", G("Ρυμουλκό")).ok());
  Load();
  // Before every term: attached to the term in slot 1.
  ASSERT_TRUE(Insert("abaft", G("Αβάρια")).ok());
  EXPECT_EQ(fx.UserGreekLines(), (Lines{GLine(1, 11, G("Αβάρια")), GLine(2, 10, G("Ρυμουλκό")),
                                        GLine(2, 7, G("σκάφος")), GLine(2, 9, G("σχεδία"))}));
  Load();
  EXPECT_EQ(EntryTranslation(d, SlotOf("raft")), G("σχεδία"));
  EXPECT_EQ(EntryTranslation(d, SlotOf("tug")), G("Ρυμουλκό"));
  EXPECT_EQ(EntryTranslation(d, SlotOf("abaft")), G("Αβάρια"));
  EXPECT_EQ(d.GreekIndex[2].Term, G("Αβάρια"));
  EXPECT_EQ(d.GreekIndex[7].Term, G("Ρυμουλκό"));
}

TEST_F(UserEntryStoreTest, NewNumbersStayAboveNumbersTheIndexDidNotLoad) {
  // A line whose attach number no published line carries is not loaded; its number stays taken.
  fx.WriteUserEntries({{1, 7, "boat", ""}, {99, 500, "lost", ""}});
  Load();
  ASSERT_TRUE(Insert("zulu").ok());
  EXPECT_EQ(fx.UserIndexLines()[1], DictionaryFixture::UserIndexLine(6, 501, "zulu", 1, 0));
}

TEST_F(UserEntryStoreTest, InsertRefusalsWriteNothing) {
  WithUserEntries();
  const auto index = fx.ReadRaw("user/QuorvelIC.tbo");
  const auto descriptions = fx.ReadRaw("user/QuorvelC.tbo");
  const auto greek = fx.ReadRaw("user/QuorvelHIC.tbo");
  EXPECT_FALSE(Insert("").ok());
  EXPECT_FALSE(Insert(" \t\r\n").ok());
  EXPECT_FALSE(Insert("long", "", std::string(7750, 'x')).ok());  // 31002 bytes stored
  Locations noFolder = fx.locations();
  SetUserFilePaths(noFolder, "");
  EXPECT_FALSE(InsertUserEntry(d, noFolder, fs, {"x", "", ""}).ok());
  EXPECT_EQ(fx.ReadRaw("user/QuorvelIC.tbo"), index);
  EXPECT_EQ(fx.ReadRaw("user/QuorvelC.tbo"), descriptions);
  EXPECT_EQ(fx.ReadRaw("user/QuorvelHIC.tbo"), greek);
  EXPECT_TRUE(Insert("long", "", std::string(7749, 'x')).ok());  // 30998 bytes
}

TEST_F(UserEntryStoreTest, InsertRefusesANumberAbove65535) {
  fx.WritePublishedEnglishLines({DictionaryFixture::EnglishLine(65534, "alpha", 511, 0)});
  Load();
  ASSERT_TRUE(Insert("beta").ok());
  Load();
  const Status status = Insert("gamma");
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("65535"), std::string::npos);
  EXPECT_EQ(fx.UserIndexLines(), (Lines{DictionaryFixture::UserIndexLine(65534, 65535, "beta", 1, 0)}));
}

TEST_F(UserEntryStoreTest, InsertRefusesWhenTheIndexIsFull) {
  Lines lines;
  for (int n = 1; n <= kLastSlot; ++n) lines.push_back(DictionaryFixture::EnglishLine(n, "w", 511, 0));
  fx.WritePublishedEnglishLines(lines);
  Load();
  EXPECT_FALSE(Insert("x").ok());
  EXPECT_FALSE(fx.Exists("user/QuorvelIC.tbo"));
}

TEST_F(UserEntryStoreTest, ModifyAdditionReplacesOrRemovesIt) {
  WithUserEntries();
  ASSERT_TRUE(Modify("bow", kOriginAddition, "bow", "", "new\r\nnote").ok());
  std::vector<UserLine> lines = kStoredLines;
  lines[1].description = A("new\r\nnote");
  ExpectIndex(Layout(lines));
  EXPECT_EQ(fx.UserGreekLines(), (Lines{GLine(2, 7, G("σκάφος"))}));
  Load();
  ASSERT_TRUE(Modify("deck", kOriginAddition, "deck", "", "").ok());
  lines.pop_back();
  ExpectIndex(Layout(lines));
  Load();
  EXPECT_EQ(d.EnglishIndex[SlotOf("deck")].Origin, kOriginPublished);
  EXPECT_EQ(d.EnglishIndex[SlotOf("bow")].Origin, kOriginAddition);
}

TEST_F(UserEntryStoreTest, ModifyPublishedEntryAddsAnAdditionLine) {
  WithUserEntries();
  ASSERT_TRUE(Modify("chain", kOriginPublished, "chain", G("αλυσίδα"), "").ok());
  std::vector<UserLine> lines = kStoredLines;
  lines.insert(lines.begin() + 3, UserLine{3, 3, "", A("")});
  ExpectIndex(Layout(lines));
  Load();
  ASSERT_TRUE(Modify("anchor", kOriginPublished, "anchor", "", "heavy").ok());
  lines.insert(lines.begin(), UserLine{1, 1, "", A("heavy")});
  ExpectIndex(Layout(lines));
  Load();
  EXPECT_EQ(Origins(), "ACACAALL");
  EXPECT_EQ(d.NoteLocations[d.EnglishIndex[1].NoteIndex], "0000000100032");
}

// The longest description the editor promises to save is saved, in either form and whatever its
// bytes; one character more that does not fit is refused as too long, nothing written.
TEST_F(UserEntryStoreTest, DescriptionsUpToTheTypedLimitAreSaved) {
  WithUserEntries();
  const std::string longest(kMaxTypedDescriptionCharacters, '\xE1');
  ASSERT_TRUE(Modify("chain", kOriginPublished, "chain", "", longest).ok());
  Load();
  ASSERT_TRUE(InsertUserEntry(d, fx.locations(), fs, {"raft", "", longest}).ok());
  Load();
  const auto index = fx.ReadRaw("user/QuorvelIC.tbo");
  EXPECT_EQ(Modify("chain", kOriginAddition, "chain", "", longest + "\xE1").code(), StatusCode::kTooLong);
  EXPECT_EQ(InsertUserEntry(d, fx.locations(), fs, {"skiff", "", longest + "\xE1\xE1\xE1"}).code(),
            StatusCode::kTooLong);
  EXPECT_EQ(fx.ReadRaw("user/QuorvelIC.tbo"), index);
}

TEST_F(UserEntryStoreTest, ModifyRefusals) {
  WithUserEntries();
  const auto index = fx.ReadRaw("user/QuorvelIC.tbo");
  EXPECT_FALSE(Modify("chain", kOriginAddition, "chain", "", "x").ok());  // not its origin
  EXPECT_FALSE(Modify("boat", 'X', "boat", "", "x").ok());
  EXPECT_FALSE(Modify("boat", kOriginUser, "", "", "x").ok());
  for (int slot : {-1, 0, 30001, 30002}) {
    EXPECT_EQ(ModifyUserEntry(d, fx.locations(), fs, EntryRefAt(d, slot), {kOriginUser, "b", "", ""}).code(),
              StatusCode::kNotFound);
  }
  EXPECT_EQ(fx.ReadRaw("user/QuorvelIC.tbo"), index);
}

// Modifying a user entry is one rewrite whose files are those of a delete and an insert.
TEST(ModifyUserEntry, UserEntryGivesTheFilesOfDeleteThenInsert) {
  struct Case {
    const char* entry;
    NewEntryTexts texts;
  };
  const std::vector<Case> cases = {
      {"boat", {"yacht", G("θαλαμηγός"), "fast"}},    // a new place and a new term
      {"bowline", {"bowlines", "", "knots"}},         // the largest number, the same place
      {"boat", {"boat", G("βάρκα"), ""}},             // the term changes only
  };
  PosixFileSystem fs;
  for (const Case& c : cases) {
    DictionaryFixture once;
    DictionaryFixture twice;
    for (DictionaryFixture* fx : {&once, &twice}) {
      WriteDictionary(*fx);
      WriteUserEntries(*fx);
    }
    Dictionary d;
    LoadEntryIndex(d, once.locations(), fs);
    int slot = 0;
    while (d.EnglishIndex[slot].Headword != c.entry) ++slot;
    const EditedEntryTexts edited{kOriginUser, c.texts.english, c.texts.greek, c.texts.description};
    ASSERT_TRUE(ModifyUserEntry(d, once.locations(), fs, EntryRefAt(d, slot), edited).ok()) << c.entry;

    LoadEntryIndex(d, twice.locations(), fs);
    ASSERT_TRUE(DeleteUserEntry(d, twice.locations(), fs, EntryRefAt(d, slot)).ok());
    LoadEntryIndex(d, twice.locations(), fs);
    ASSERT_TRUE(InsertUserEntry(d, twice.locations(), fs, c.texts).ok());

    for (const char* file : {"user/QuorvelIC.tbo", "user/QuorvelC.tbo", "user/QuorvelHIC.tbo"}) {
      EXPECT_EQ(once.ReadRaw(file), twice.ReadRaw(file)) << c.entry << " " << file;
    }
  }
}

TEST_F(UserEntryStoreTest, ModifyUserEntryStoresItAnew) {
  WithUserEntries();
  ASSERT_TRUE(Modify("boat", kOriginUser, "yacht", G("θαλαμηγός"), "fast").ok());
  ExpectIndex(Layout({{2, 2, "", A("note")},
                      {2, 8, "bowline", E("knot")},
                      {4, 4, "", A("deck note")},
                      {6, 9, "yacht", E("fast")}}));
  EXPECT_EQ(fx.UserGreekLines(), (Lines{GLine(3, 9, G("θαλαμηγός"))}));
  Load();
  EXPECT_EQ(Headwords(), "anchor/1 bow/2 bowline/8 chain/3 deck/4 engine/5 funnel/6 yacht/9 ");
}

TEST_F(UserEntryStoreTest, DeleteRemovesTheEntryAndAdjustsTheList) {
  WithUserEntries();
  std::vector<ListItem> list;
  for (const char* headword : {"anchor", "boat", "bow", "bowline", "funnel"}) {
    list.push_back({headword, SlotOf(headword)});
  }
  const int boat = SlotOf("boat");
  ASSERT_TRUE(Delete("boat").ok());
  std::vector<UserLine> lines(kStoredLines.begin() + 1, kStoredLines.end());
  ExpectIndex(Layout(lines));
  EXPECT_EQ(fx.UserIndexLines()[0].substr(90, 8), "00000001");  // moved down by boat's 6 bytes
  EXPECT_EQ(fx.UserGreekLines(), Lines{});
  // After the reload the adjusted list's slots match the new index.
  Load();
  EXPECT_EQ(Headwords(), "anchor/1 bow/2 bowline/8 chain/3 deck/4 engine/5 funnel/6 ");
  RemoveDeletedEntry(list, boat);
  ASSERT_EQ(list.size(), 4u);
  for (const ListItem& item : list) EXPECT_EQ(d.EnglishIndex[item.slot].Headword, item.text);
}

TEST_F(UserEntryStoreTest, DeleteNeedsNoGreekOrDescriptionFile) {
  Load();
  ASSERT_TRUE(Insert("zulu").ok());
  ASSERT_FALSE(fx.Exists("user/QuorvelHIC.tbo"));
  std::filesystem::remove(fx.programDir() + "user/QuorvelC.tbo");  // every length is 0
  Load();
  ASSERT_TRUE(Delete("zulu").ok());
  EXPECT_EQ(fx.UserIndexLines(), Lines{});
  Load();
  EXPECT_EQ(d.englishCount, 6);
}

TEST_F(UserEntryStoreTest, DeleteRefusals) {
  WithUserEntries();
  EXPECT_EQ(Delete("bow").code(), StatusCode::kRefused);  // published, with an addition
  EXPECT_EQ(DeleteUserEntry(d, fx.locations(), fs, EntryRefAt(d, 0)).code(), StatusCode::kNotFound);
  // The index is older than the files: the entry is gone from them.
  fx.WriteUserEntries({kStoredLines[1]});
  EXPECT_EQ(Delete("boat").code(), StatusCode::kChanged);
  EXPECT_EQ(fx.UserIndexLines().size(), 1u);
}

TEST_F(UserEntryStoreTest, DamagedUserFilesAreLeftAlone) {
  WithUserEntries();
  // The last description ends beyond the description file.
  const std::string descriptions = *fx.ReadRaw("user/QuorvelC.tbo");
  fx.WriteFile("user/QuorvelC.tbo", descriptions.substr(0, descriptions.size() - 1));
  EXPECT_FALSE(Insert("zulu").ok());
  // A line that is not a user index line.
  fx.WriteUserIndexLines({"00001"});
  EXPECT_FALSE(Insert("zulu").ok());
  EXPECT_EQ(fx.UserIndexLines(), (Lines{"00001"}));
  EXPECT_FALSE(fx.Exists("user/tempi.tbo"));
}

// The disk's file system with writes that fail on purpose. With `errorAt` the n-th write,
// rename, removal or flush fails (a failed write leaves half its bytes behind); with `crashAt`
// the n-th and every later one do nothing and fail, as after a power loss (the crashing write
// too leaves half its bytes).
class FaultyWriter : public test::ForwardingFileSystem {
 public:
  FaultyWriter() : ForwardingFileSystem(real_) {}

  int errorAt = 0;
  int crashAt = 0;
  int count = 0;

  Status WriteFile(const std::string& path, std::string_view bytes) override {
    if (Fails()) {
      if (count == errorAt || count == crashAt) (void)real_.WriteFile(path, bytes.substr(0, bytes.size() / 2));
      return Status::IoError("injected write failure");
    }
    return real_.WriteFile(path, bytes);
  }
  Status ReplaceFile(const std::string& from, const std::string& to) override {
    return Fails() ? Status::IoError("injected rename failure") : real_.ReplaceFile(from, to);
  }
  Status RemoveFile(const std::string& path) override {
    return Fails() ? Status::IoError("injected remove failure") : real_.RemoveFile(path);
  }
  Status SyncFolderOf(const std::string& path) override {
    return Fails() ? Status::IoError("injected flush failure") : real_.SyncFolderOf(path);
  }

 private:
  bool Fails() {
    ++count;
    return count == errorAt || (crashAt != 0 && count >= crashAt);
  }
  PosixFileSystem real_{PosixFileSystem::Durability::kUnflushed};
};

using FileSet = std::array<std::optional<std::string>, 3>;
FileSet CurrentUserFiles(const DictionaryFixture& fx) {
  return {fx.ReadRaw("user/QuorvelIC.tbo"), fx.ReadRaw("user/QuorvelC.tbo"), fx.ReadRaw("user/QuorvelHIC.tbo")};
}

// Runs `operation` against a fresh copy of the stored entries with `faulty`, then "restarts":
// loads with a sound writer, and returns the user files as they are then.
template <typename Operation>
FileSet RunAndRestart(FaultyWriter& faulty, Operation operation, Status* status = nullptr) {
  DictionaryFixture fx;
  WriteDictionary(fx);
  WriteUserEntries(fx);
  PosixFileSystem sound{PosixFileSystem::Durability::kUnflushed};
  Dictionary d;
  LoadEntryIndex(d, fx.locations(), sound);
  const Status result = operation(d, fx.locations(), faulty);
  if (status) *status = result;
  LoadEntryIndex(d, fx.locations(), sound);
  EXPECT_FALSE(fx.Exists("user/tempi.tbo") || fx.Exists("user/templex.tbo") || fx.Exists("user/tempigr.tbo"));
  return CurrentUserFiles(fx);
}

TEST(UserFileCommit, EveryFailureLeavesTheOldOrTheNewFiles) {
  const auto insert = [](Dictionary& d, const Locations& l, FileSystem& fs) {
    return InsertUserEntry(d, l, fs, {"raft", G("σχεδία"), "logs"});
  };
  const auto modify = [](Dictionary& d, const Locations& l, FileSystem& fs) {
    return ModifyUserEntry(d, l, fs, EntryRefAt(d, 2), {kOriginUser, "yacht", "", "fast"});
  };
  const auto addition = [](Dictionary& d, const Locations& l, FileSystem& fs) {
    return ModifyUserEntry(d, l, fs, EntryRefAt(d, 5), {kOriginPublished, "chain", "", "links"});
  };
  DictionaryFixture original;
  WriteDictionary(original);
  WriteUserEntries(original);
  const FileSet oldFiles = CurrentUserFiles(original);

  int scenario = 0;
  for (const auto& operation : std::vector<std::function<Status(Dictionary&, const Locations&, FileSystem&)>>{insert, modify, addition}) {
    ++scenario;
    FaultyWriter none;
    Status status = Status::Ok();
    const FileSet newFiles = RunAndRestart(none, operation, &status);
    ASSERT_TRUE(status.ok()) << scenario << ": " << status.message();
    ASSERT_NE(newFiles, oldFiles);
    const int operations = none.count;
    ASSERT_GE(operations, 5);
    for (int at = 1; at <= operations; ++at) {
      FaultyWriter error;
      error.errorAt = at;
      const FileSet afterError = RunAndRestart(error, operation, &status);
      // Done once committed, failed before.
      EXPECT_TRUE(afterError == oldFiles || afterError == newFiles) << scenario << " error at " << at;
      EXPECT_EQ(status.ok(), afterError == newFiles) << scenario << " error at " << at;
      for (int crash = at; crash <= operations + 3; ++crash) {
        FaultyWriter failing;
        failing.errorAt = crash == at ? 0 : at;
        failing.crashAt = crash;
        const FileSet afterCrash = RunAndRestart(failing, operation);
        EXPECT_TRUE(afterCrash == oldFiles || afterCrash == newFiles)
            << scenario << " error at " << failing.errorAt << ", crash at " << crash;
      }
    }
  }
}

TEST(UserFileCommit, RecoveryInterruptedByACrashStillDiscards) {
  DictionaryFixture fx;
  WriteDictionary(fx);
  WriteUserEntries(fx);
  const FileSet oldFiles = CurrentUserFiles(fx);
  for (const char* name : {"user/tempi.tbo", "user/templex.tbo", "user/tempigr.tbo"}) fx.WriteFile(name, "partial");
  Dictionary d;
  FaultyWriter crashing;
  crashing.crashAt = 2;
  LoadEntryIndex(d, fx.locations(), crashing);
  PosixFileSystem sound;
  LoadEntryIndex(d, fx.locations(), sound);
  EXPECT_EQ(CurrentUserFiles(fx), oldFiles);
}

TEST(UserFileCommit, CommitWithoutGreekContentsDropsALeftoverGreekTemporary) {
  DictionaryFixture fx;
  WriteDictionary(fx);
  WriteUserEntries(fx);
  const auto greek = fx.ReadRaw("user/QuorvelHIC.tbo");
  fx.WriteFile("user/tempigr.tbo", "stale");
  PosixFileSystem fs;
  ASSERT_TRUE(CommitUserFiles(fx.locations(), fs, {"", "", std::nullopt}).ok());
  EXPECT_FALSE(fx.Exists("user/tempigr.tbo"));
  Dictionary d;
  LoadEntryIndex(d, fx.locations(), fs);
  EXPECT_EQ(fx.ReadRaw("user/QuorvelHIC.tbo"), greek);
}

// The user files and every leftover of a rewrite, in an in-memory file system.
using test::FakeFileSystem;
using Operation = std::function<Status(const Dictionary&, const Locations&, FileSystem&)>;

FileSet FakeUserFiles(const FakeFileSystem& fake, const Locations& l) {
  return {fake.Content(l.UserIndexFile), fake.Content(l.UserDescrFile), fake.Content(l.UserGreekFile)};
}
bool FakeLeftovers(const FakeFileSystem& fake, const Locations& l) {
  const std::string record = l.TempIndexFile.substr(0, l.TempIndexFile.size() - 9) + "commit.tbo";
  return fake.Content(l.TempIndexFile) || fake.Content(l.TempDescrFile) || fake.Content(l.TempGreekFile) ||
         fake.Content(record);
}
// What a load after a restart reads (recovering first, without faults).
FileSet LoadedAfterRestart(FakeFileSystem& fake, const Locations& l) {
  fake.FailCall(0);
  std::unique_ptr<FileLock> lock;
  const RecoveredUserFiles recovered = PrepareUserFilesForLoad(l, fake, lock);
  EXPECT_TRUE(recovered.status.ok()) << recovered.status.message();
  EXPECT_FALSE(FakeLeftovers(fake, l));
  return FakeUserFiles(fake, l);
}

// The stored entries in the fake, with the index loaded from the same files.
class UserFileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDictionary(fx);
    WriteUserEntries(fx);
    PosixFileSystem real;
    LoadEntryIndex(d, fx.locations(), real);
    start.AddFile(l.UserIndexFile, *fx.ReadRaw("user/QuorvelIC.tbo"));
    start.AddFile(l.UserDescrFile, *fx.ReadRaw("user/QuorvelC.tbo"));
    start.AddFile(l.UserGreekFile, *fx.ReadRaw("user/QuorvelHIC.tbo"));
    oldFiles = FakeUserFiles(start, l);
  }

  DictionaryFixture fx;
  const Locations l = fx.locations();
  Dictionary d;
  FakeFileSystem start;
  FileSet oldFiles;
};

// Every call of an edit fails once in turn, reads included. A failure is reported as such and
// leaves the old files; an edit reported done has made the new ones; a restart loads exactly
// one of the two, with nothing left over. A read error is never taken for a missing file.
TEST_F(UserFileFaults, EveryFailedCallOfAnEditLeavesTheOldOrTheNewFiles) {
  const std::vector<std::pair<const char*, Operation>> operations = {
      {"insert", [](const Dictionary& d, const Locations& l, FileSystem& fs) {
         return InsertUserEntry(d, l, fs, {"raft", G("σχεδία"), "logs"});
       }},
      {"modify", [](const Dictionary& d, const Locations& l, FileSystem& fs) {
         return ModifyUserEntry(d, l, fs, EntryRefAt(d, 2), {kOriginUser, "yacht", "", "fast"});
       }},
      {"add addition", [](const Dictionary& d, const Locations& l, FileSystem& fs) {
         return ModifyUserEntry(d, l, fs, EntryRefAt(d, 5), {kOriginPublished, "chain", "", "links"});
       }},
      {"delete", [](const Dictionary& d, const Locations& l, FileSystem& fs) {
         return DeleteUserEntry(d, l, fs, EntryRefAt(d, 4));
       }},
  };
  for (const auto& [name, operation] : operations) {
    FakeFileSystem sound = start;
    ASSERT_TRUE(operation(d, l, sound).ok()) << name;
    const FileSet newFiles = LoadedAfterRestart(sound, l);
    ASSERT_NE(newFiles, oldFiles) << name;
    bool indexReadFailed = false;
    bool greekReadFailed = false;
    uint64_t n = 1;
    for (;; ++n) {
      FakeFileSystem fake = start;
      fake.FailCall(n);
      const Status status = operation(d, l, fake);
      if (!fake.faulted()) break;
      const FileSet loaded = LoadedAfterRestart(fake, l);
      EXPECT_TRUE(loaded == oldFiles || loaded == newFiles) << name << ", call " << n;
      EXPECT_EQ(status.ok(), loaded == newFiles) << name << ", call " << n << ": " << status.message();
      if (!status.ok()) {
        EXPECT_EQ(status.code(), StatusCode::kIoError) << name << ", call " << n;
      }
      indexReadFailed |= status.message().find("read " + l.UserIndexFile) != std::string::npos;
      greekReadFailed |= status.message().find("read " + l.UserGreekFile) != std::string::npos;
    }
    EXPECT_TRUE(indexReadFailed && greekReadFailed) << name;
    EXPECT_GT(n, 12u) << name;
    std::cout << "[fault figures] " << name << ": " << n - 1 << " faulted runs\n";
  }
}

// A file system whose writes stop working, as at a crash, from its `crashAt`-th rename or
// removal on.
class CrashingWriter : public test::ForwardingFileSystem {
 public:
  CrashingWriter(FileSystem& real, int crashAt) : ForwardingFileSystem(real), real_(real), crashAt_(crashAt) {}
  Status WriteFile(const std::string& path, std::string_view bytes) override {
    return crashed_ ? Crashed() : real_.WriteFile(path, bytes);
  }
  Status ReplaceFile(const std::string& from, const std::string& to) override {
    crashed_ = crashed_ || ++renames_ >= crashAt_;
    return crashed_ ? Crashed() : real_.ReplaceFile(from, to);
  }
  Status RemoveFile(const std::string& path) override {
    crashed_ = crashed_ || ++renames_ >= crashAt_;
    return crashed_ ? Crashed() : real_.RemoveFile(path);
  }
  Status SyncFolderOf(const std::string& path) override { return crashed_ ? Crashed() : real_.SyncFolderOf(path); }

 private:
  static Status Crashed() { return Status::IoError("crashed"); }
  FileSystem& real_;
  int crashAt_;
  int renames_ = 0;
  bool crashed_ = false;
};

// The files of an insert interrupted by a crash before its `crashAt`-th rename (4: after all
// three, with the record left).
FakeFileSystem Interrupted(const FakeFileSystem& start, const Dictionary& d, const Locations& l, int crashAt) {
  FakeFileSystem fake = start;
  CrashingWriter crashing(fake, crashAt);
  (void)InsertUserEntry(d, l, crashing, {"raft", G("σχεδία"), "logs"});  // it crashes
  return fake;
}

// A load after a crash at any point of the renames reads the new files whole, whichever of its
// calls fails, and a later load finds them in place.
TEST_F(UserFileFaults, EveryFailedCallOfARecoveryStillReadsTheNewFiles) {
  FakeFileSystem sound = start;
  ASSERT_TRUE(InsertUserEntry(d, l, sound, {"raft", G("σχεδία"), "logs"}).ok());
  const FileSet newFiles = FakeUserFiles(sound, l);
  int runs = 0;
  for (int crashAt = 1; crashAt <= 4; ++crashAt) {
    const FakeFileSystem interrupted = Interrupted(start, d, l, crashAt);
    ASSERT_TRUE(FakeLeftovers(interrupted, l)) << crashAt;
    for (uint64_t n = 1;; ++n) {
      FakeFileSystem fake = interrupted;
      fake.FailCall(n);
      std::unique_ptr<FileLock> lock;
      const RecoveredUserFiles recovered = PrepareUserFilesForLoad(l, fake, lock);
      if (!fake.faulted()) break;
      lock.reset();
      const Locations& r = recovered.readFrom;
      const FileSet read = {fake.Content(r.UserIndexFile), fake.Content(r.UserDescrFile), fake.Content(r.UserGreekFile)};
      EXPECT_EQ(read, newFiles) << "crash at " << crashAt << ", call " << n << ": " << recovered.status.message();
      EXPECT_EQ(LoadedAfterRestart(fake, l), newFiles) << "crash at " << crashAt << ", call " << n;
      ++runs;
    }
  }
  std::cout << "[fault figures] recovery after a crash at each of 4 points: " << runs << " faulted runs\n";
}

// Temporaries without a record (a stray empty file) are discarded; the user files stay.
TEST_F(UserFileFaults, StrayTemporariesAreDiscarded) {
  for (const std::string* temp : {&l.TempDescrFile, &l.TempGreekFile, &l.TempIndexFile}) {
    FakeFileSystem fake = start;
    fake.AddFile(*temp, "");
    EXPECT_EQ(LoadedAfterRestart(fake, l), oldFiles) << *temp;
  }
}

// In a folder that cannot be written the rewrite cannot be finished: the load reads the new
// files where they lie and says it could not finish; the user files stay as they are.
TEST_F(UserFileFaults, ARecoveryThatCannotRenameReadsTheNewFilesInPlace) {
  FakeFileSystem sound = start;
  ASSERT_TRUE(InsertUserEntry(d, l, sound, {"raft", G("σχεδία"), "logs"}).ok());
  const FileSet newFiles = FakeUserFiles(sound, l);
  const std::string folder = fx.programDir() + "user";
  for (const bool lockFileThere : {false, true}) {
    FakeFileSystem fake = Interrupted(start, d, l, 2);  // the index is in place, the rest not
    if (lockFileThere) fake.AddFile(folder + "/lock.tbo", "");
    const FileSet before = FakeUserFiles(fake, l);
    fake.SetReadOnly(folder, true);
    std::unique_ptr<FileLock> lock;
    const RecoveredUserFiles recovered = PrepareUserFilesForLoad(l, fake, lock);
    EXPECT_EQ(recovered.status.code(), StatusCode::kNoPermission) << lockFileThere;
    const Locations& r = recovered.readFrom;
    EXPECT_EQ(r.UserIndexFile, l.UserIndexFile);
    EXPECT_EQ(r.UserDescrFile, l.TempDescrFile);
    EXPECT_EQ((FileSet{fake.Content(r.UserIndexFile), fake.Content(r.UserDescrFile), fake.Content(r.UserGreekFile)}),
              newFiles);
    EXPECT_EQ(FakeUserFiles(fake, l), before);
    // An edit is refused until the folder can be written again.
    lock.reset();
    EXPECT_FALSE(InsertUserEntry(d, l, fake, {"punt", "", ""}).ok());
    fake.SetReadOnly(folder, false);
    EXPECT_EQ(LoadedAfterRestart(fake, l), newFiles);
  }
}

// While another program keeps the user files, an edit waits, then is refused as in use.
TEST_F(UserFileFaults, AnEditWhileAnotherProgramKeepsTheFilesIsRefusedAsInUse) {
  FakeFileSystem fake = start;
  std::unique_ptr<FileLock> other;
  ASSERT_TRUE(LockUserFiles(l, fake, other).ok());
  const Status status = InsertUserEntry(d, l, fake, {"raft", "", ""});
  EXPECT_EQ(status.code(), StatusCode::kInUse);
  EXPECT_NE(status.message().find("in use by another program"), std::string::npos);
  EXPECT_EQ(FakeUserFiles(fake, l), oldFiles);
  other.reset();
  EXPECT_TRUE(InsertUserEntry(d, l, fake, {"raft", "", ""}).ok());
}

}  // namespace
}  // namespace quorvel

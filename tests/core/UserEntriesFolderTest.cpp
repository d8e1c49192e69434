#include "core/UserEntriesFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/FileWriter.h"
#include "core/Session.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/support/FakeFileSystem.h"

namespace quorvel {
namespace {

using Step = FolderDecision::Step;
using test::DictionaryFixture;
using test::FakeFileSystem;

// A program folder "/prog/" on the fake file system, with the user paths and the settings
// file as start-up leaves them.
class DecideFolderTest : public ::testing::Test {
 protected:
  DecideFolderTest() { locations_.ProgramDir = "/prog/"; }
  FolderDecision Decide() { return DecideUserEntriesFolder(fs_, locations_); }

  FakeFileSystem fs_;
  Locations locations_;
};

TEST_F(DecideFolderTest, AnExistingUserIndexFileGoesAheadWithoutReadingAnything) {
  SetUserFilePaths(locations_, "/entries");
  fs_.AddFile("/entries/QuorvelIC.tbo", "");
  locations_.SettingsFile = "/cfg/Quorvel.ini";
  fs_.AddFile("/cfg/Quorvel.ini", "/elsewhere\n");
  const uint64_t before = fs_.calls();
  EXPECT_EQ(Decide().step, Step::kReady);
  EXPECT_EQ(fs_.calls(), before + 1);

  // A user index path that names a folder is no user index file.
  fs_.AddFolder("/elsewhere");
  SetUserFilePaths(locations_, "/other");
  fs_.AddFolder("/other/QuorvelIC.tbo");
  EXPECT_EQ(Decide().step, Step::kUse);
}

TEST_F(DecideFolderTest, TheSettingsFileDecidesWhenItExists) {
  locations_.SettingsFile = "/cfg/Quorvel.ini";
  SetUserFilePaths(locations_, "/gone");  // named at start-up, no user files there (yet)
  fs_.AddFile("/prog/Quorvel", "program");

  fs_.AddFile("/cfg/Quorvel.ini", "");
  EXPECT_EQ(Decide().step, Step::kAsk);
  EXPECT_EQ(Decide().mode, FolderMode::kNull);
  fs_.AddFile("/cfg/Quorvel.ini", "\r\n/entries\r\n");
  EXPECT_EQ(Decide().mode, FolderMode::kNull);

  // The line names the folder as written, a trailing separator included.
  fs_.AddFolder("/home/u/my entries");
  fs_.AddFile("/cfg/Quorvel.ini", "/home/u/my entries/\r\nsecond line\r\n");
  FolderDecision use = Decide();
  EXPECT_EQ(use.step, Step::kUse);
  EXPECT_EQ(use.folder, "/home/u/my entries/");

  for (const char* missing : {"/home/u/gone\n", "/cfg/Quorvel.ini\n"}) {
    fs_.AddFile("/cfg/Quorvel.ini", missing);
    use = Decide();
    EXPECT_EQ(use.step, Step::kAsk) << missing;
    EXPECT_EQ(use.mode, FolderMode::kInvalid) << missing;
  }

  // A settings file that cannot be read ends the command; nothing is asked.
  fs_.FailCall(3, StatusCode::kNoPermission);
  const FolderDecision failed = Decide();
  EXPECT_EQ(failed.step, Step::kFailed);
  EXPECT_EQ(failed.status.code(), StatusCode::kNoPermission);
}

TEST_F(DecideFolderTest, WithoutSettingsTheProgramFileDecides) {
  locations_.SettingsFile = "/cfg/Quorvel.ini";  // found at start-up, removed since
  EXPECT_EQ(Decide().mode, FolderMode::kNull) << "no program file";
  EXPECT_EQ(Decide().step, Step::kAsk);

  fs_.AddFile("/prog/Quorvel", "program");
  fs_.SetReadOnly("/prog/Quorvel", true);
  EXPECT_EQ(Decide().step, Step::kAsk);
  EXPECT_EQ(Decide().mode, FolderMode::kNull);

  // A writable program keeps the user files beside the published ones, without asking and
  // whether or not the folder is there.
  fs_.SetReadOnly("/prog/Quorvel", false);
  FolderDecision use = Decide();
  EXPECT_EQ(use.step, Step::kUse);
  EXPECT_EQ(use.folder, "/prog/Data");
  fs_.AddFolder("/prog/data");
  EXPECT_EQ(Decide().folder, "/prog/data");
}

TEST(MakeChosenFolder, MakesTheDataSubFolderWithItsParents) {
  FakeFileSystem fs;
  EXPECT_TRUE(MakeChosenFolder(fs, "/home/u/Quorvel"));
  EXPECT_EQ(fs.Kind("/home/u/Quorvel/Data"), FileKind::kFolder);
  EXPECT_TRUE(MakeChosenFolder(fs, "/home/u/Other/"));
  EXPECT_EQ(fs.Kind("/home/u/Other/Data"), FileKind::kFolder);

  // A "data" folder in another letter case is the Data folder.
  fs.AddFolder("/media/prog/data");
  EXPECT_TRUE(MakeChosenFolder(fs, "/media/prog"));
  EXPECT_EQ(fs.Kind("/media/prog/Data"), FileKind::kMissing);

  // An existing folder whose Data cannot be made is still a folder; one that cannot be made
  // is not.
  fs.AddFolder("/ro");
  fs.SetReadOnly("/ro", true);
  EXPECT_TRUE(MakeChosenFolder(fs, "/ro"));
  EXPECT_FALSE(MakeChosenFolder(fs, "/ro/new"));
  EXPECT_EQ(fs.Kind("/ro/new"), FileKind::kMissing);
  fs.AddFile("/home/u/file", "x");
  EXPECT_FALSE(MakeChosenFolder(fs, "/home/u/file"));
  fs.SetDiskFull(true);
  EXPECT_FALSE(MakeChosenFolder(fs, "/home/u/full"));

  // A name the settings file's one line could not hold is refused before anything is made.
  fs.SetDiskFull(false);
  EXPECT_FALSE(MakeChosenFolder(fs, "/home/u/two\nlines"));
  EXPECT_FALSE(MakeChosenFolder(fs, "/home/u/tab\there"));
  EXPECT_EQ(fs.Kind("/home/u/two"), FileKind::kMissing);
  EXPECT_EQ(fs.Kind("/home/u/tab\there"), FileKind::kMissing);
}

TEST(ProposedFolder, IsQuorvelInTheHomeFolder) {
  EXPECT_EQ(ProposedFolder({"/home/u/.config", "/home/u"}), "/home/u/Quorvel");
  EXPECT_EQ(ProposedFolder({"", ""}), "/Quorvel");
}

class WriteSettingsTest : public ::testing::Test {
 protected:
  SettingsFileWrite Write(const std::string& settingsFile, const std::string& folder) {
    return WriteSettingsFile(fs_, fs_, settingsFile, folders_, folder);
  }

  FakeFileSystem fs_;
  SystemFolders folders_{"/home/u/.config", "/home/u"};
};

TEST_F(WriteSettingsTest, AnExistingFileGetsTheOneLine) {
  fs_.AddFile("/home/u/Quorvel.ini", "/old\r\nmore\r\n");
  SettingsFileWrite written = Write("/home/u/Quorvel.ini", "/home/u/my entries/");
  EXPECT_TRUE(written.status.ok()) << written.status.message();
  EXPECT_EQ(written.path, "/home/u/Quorvel.ini");
  EXPECT_EQ(fs_.Content("/home/u/Quorvel.ini"), "/home/u/my entries/\n");

  // An empty folder keeps the old line.
  written = Write("/home/u/Quorvel.ini", "");
  EXPECT_TRUE(written.status.ok());
  EXPECT_EQ(fs_.Content("/home/u/Quorvel.ini"), "/home/u/my entries/\n");
  fs_.AddFile("/home/u/Quorvel.ini", "");
  EXPECT_TRUE(Write("/home/u/Quorvel.ini", "").status.ok());
  EXPECT_EQ(fs_.Content("/home/u/Quorvel.ini"), "");
  EXPECT_EQ(fs_.Files(), std::vector<std::string>{"/home/u/Quorvel.ini"});

  // A name with a line break would make the first line another folder: refused.
  written = Write("/home/u/Quorvel.ini", "/a\n/b");
  EXPECT_EQ(written.status.code(), StatusCode::kRefused);
  EXPECT_EQ(fs_.Content("/home/u/Quorvel.ini"), "");
}

TEST_F(WriteSettingsTest, ANewFileGoesToTheConfigurationFolderElseHome) {
  SettingsFileWrite written = Write("", "/home/u/Quorvel");
  EXPECT_TRUE(written.status.ok());
  EXPECT_EQ(written.path, "/home/u/.config/Quorvel.ini");
  EXPECT_EQ(fs_.Content("/home/u/.config/Quorvel.ini"), "/home/u/Quorvel\n");

  // A settings path of start-up that no longer exists is not rewritten in place.
  FakeFileSystem fresh;
  fresh.AddFolder("/home/u");
  fresh.AddFile("/home/u/.config", "not a folder");
  written = WriteSettingsFile(fresh, fresh, "/gone/Quorvel.ini", folders_, "/e");
  EXPECT_TRUE(written.status.ok());
  EXPECT_EQ(written.path, "/home/u/Quorvel.ini");
  EXPECT_EQ(fresh.Content("/home/u/Quorvel.ini"), "/e\n");

  // Nowhere to write: the failure, and the settings file as it was.
  FakeFileSystem none;
  none.AddFolder("/home/u");
  none.SetReadOnly("/home/u", true);
  written = WriteSettingsFile(none, none, "", folders_, "/e");
  EXPECT_FALSE(written.status.ok());
  EXPECT_EQ(written.path, "");
  EXPECT_TRUE(none.Files().empty());
}

// Whatever call fails, the settings file holds its old line or the new one, never a part.
TEST_F(WriteSettingsTest, EveryFailureLeavesTheOldOrTheNewLine) {
  for (uint64_t n = 1;; ++n) {
    FakeFileSystem fs;
    fs.AddFile("/home/u/.config/Quorvel.ini", "/old/folder\n");
    fs.FailCall(n, StatusCode::kNoSpace);
    const SettingsFileWrite written =
        WriteSettingsFile(fs, fs, "/home/u/.config/Quorvel.ini", folders_, "/a/much/longer/new/folder");
    if (!fs.faulted()) {
      EXPECT_TRUE(written.status.ok());
      EXPECT_EQ(fs.Content("/home/u/.config/Quorvel.ini"), "/a/much/longer/new/folder\n");
      break;
    }
    const std::optional<std::string> content = fs.Content("/home/u/.config/Quorvel.ini");
    EXPECT_TRUE(content == "/old/folder\n" || content == "/a/much/longer/new/folder\n") << "call " << n;
    if (!written.status.ok()) {
      EXPECT_EQ(content, "/old/folder\n") << "call " << n;
    }
  }
}

// The session takes a chosen folder: the user paths and the settings file follow it, and the
// index is reloaded with the entries found there.
TEST(SessionTakesAFolder, ReloadsWithTheUserEntriesThere) {
  DictionaryFixture fx;
  fx.WritePublished({{"anchor", "{Anchor.}"}, {"bow", "{Bow.}"}, {"ship", "{Ship.}"}});
  fx.WriteUserEntries({{2, 10, "boat", "{Boat.}"}});
  Locations start = fx.locations();
  SetUserFilePaths(start, "");
  StdFileWriter writer;
  Session session(start, writer, [](std::string_view rtf) { return richtext::RtfToPlainText(rtf); });
  session.Reload();
  EXPECT_EQ(session.dictionary().englishCount, 3);

  const uint64_t generation = session.dictionary().generation;
  EXPECT_TRUE(session.TakeUserEntriesFolder(fx.userDir() + "/", "/cfg/Quorvel.ini"));
  EXPECT_EQ(session.locations().UserIndexFile, fx.userDir() + "//QuorvelIC.tbo");
  EXPECT_EQ(session.locations().TempGreekFile, fx.userDir() + "//tempigr.tbo");
  EXPECT_EQ(session.locations().SettingsFile, "/cfg/Quorvel.ini");
  EXPECT_EQ(session.dictionary().englishCount, 4);
  EXPECT_EQ(session.dictionary().EnglishIndex[3].Headword, "boat");
  EXPECT_GT(session.dictionary().generation, generation);

  // The same folder again changes nothing; no folder empties the paths.
  EXPECT_FALSE(session.TakeUserEntriesFolder(fx.userDir() + "/", "/cfg/Quorvel.ini"));
  EXPECT_TRUE(session.TakeUserEntriesFolder("", "/cfg/Quorvel.ini"));
  EXPECT_FALSE(session.locations().HasUserFolder());
  EXPECT_TRUE(session.locations().UserDescrFile.empty());
  EXPECT_EQ(session.dictionary().englishCount, 3);
}

}  // namespace
}  // namespace quorvel

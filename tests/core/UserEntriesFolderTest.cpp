#include "core/UserEntriesFolder.h"

#include <gtest/gtest.h>

#include "tests/support/FakeFileSystem.h"

namespace quorvel {
namespace {

using Step = FolderDecision::Step;
using test::FakeFileSystem;

// The decision before an edit, from the user paths, the settings file and the program file of
// a program folder "/prog/".
TEST(DecideUserEntriesFolder, UserFilesThenSettingsThenTheProgramFile) {
  FakeFileSystem fs;
  Locations l;
  l.ProgramDir = "/prog/";
  const auto decide = [&] { return DecideUserEntriesFolder(fs, l); };
  EXPECT_EQ(decide().mode, FolderMode::kNull);  // no program file: asked for a folder
  fs.AddFile("/prog/Quorvel", "program");
  // Read-only media: the program file, or its folder (say, owned by another user), that this
  // user cannot write; or an installed package, read-only for everyone.
  for (const char* readOnly : {"/prog/Quorvel", "/prog"}) {
    fs.SetReadOnly(readOnly, true);
    EXPECT_EQ(decide().step, Step::kAsk) << readOnly;
    EXPECT_EQ(decide().mode, FolderMode::kNull) << readOnly;
    fs.SetReadOnly(readOnly, false);
  }
  fs.AddFile("/prog/packaged", "");
  EXPECT_EQ(decide().mode, FolderMode::kNull);
  ASSERT_TRUE(fs.RemoveFile("/prog/packaged").ok());
  EXPECT_EQ(decide().folder, "/prog/Data");  // whether or not it is there
  fs.AddFolder("/prog/data");
  EXPECT_EQ(decide().folder, "/prog/data");

  // A settings file decides: an empty line asks, a folder is used as written, else "invalid".
  l.SettingsFile = "/cfg/Quorvel.ini";
  fs.AddFile(l.SettingsFile, "\r\n/entries\r\n");
  EXPECT_EQ(decide().mode, FolderMode::kNull);
  fs.AddFolder("/home/u/my entries");
  fs.AddFile(l.SettingsFile, "/home/u/my entries/\r\nmore\r\n");
  EXPECT_EQ(decide().step, Step::kUse);
  EXPECT_EQ(decide().folder, "/home/u/my entries/");
  fs.AddFile(l.SettingsFile, "/cfg/Quorvel.ini\n");
  EXPECT_EQ(decide().mode, FolderMode::kInvalid);
  // A remembered folder this user cannot write in is asked for again, unless the user's entries
  // are there; the probe leaves nothing behind.
  fs.AddFile(l.SettingsFile, "/home/u/my entries\n");
  fs.SetReadOnly("/home/u/my entries", true);
  EXPECT_EQ(decide().mode, FolderMode::kInvalid);
  fs.AddFile("/home/u/my entries/QuorvelIC.tbo", "");
  EXPECT_EQ(decide().step, Step::kUse);
  fs.SetReadOnly("/home/u/my entries", false);
  EXPECT_EQ(fs.Files(), (std::vector<std::string>{"/cfg/Quorvel.ini", "/home/u/my entries/QuorvelIC.tbo",
                                                  "/prog/Quorvel"}));
  fs.FailCall(2, StatusCode::kNoPermission);  // the read of the settings file
  EXPECT_EQ(decide().status.code(), StatusCode::kNoPermission);

  // A user index file makes the edit go ahead without reading anything else.
  SetUserFilePaths(l, "/elsewhere");
  fs.AddFile("/elsewhere/QuorvelIC.tbo", "");
  const uint64_t calls = fs.calls();
  EXPECT_EQ(decide().step, Step::kReady);
  EXPECT_EQ(fs.calls(), calls + 1);
}

TEST(MakeChosenFolder, MakesTheDataFolderOrSaysTheFolderCannotBeUsed) {
  FakeFileSystem fs;
  fs.AddFolder("/media/prog/data");
  fs.AddFile("/home/u/file", "x");
  EXPECT_TRUE(MakeChosenFolder(fs, "/home/u/Quorvel"));
  EXPECT_TRUE(MakeChosenFolder(fs, "/home/u/Other/"));
  EXPECT_TRUE(MakeChosenFolder(fs, "/media/prog"));  // its "data" is the Data folder
  EXPECT_EQ(fs.Kind("/home/u/Quorvel/Data"), FileKind::kFolder);
  EXPECT_EQ(fs.Kind("/home/u/Other/Data"), FileKind::kFolder);
  EXPECT_EQ(fs.Kind("/media/prog/Data"), FileKind::kMissing);
  EXPECT_FALSE(MakeChosenFolder(fs, "/home/u/file"));
  // A name the settings file's one line could not hold is refused before anything is made.
  EXPECT_FALSE(MakeChosenFolder(fs, "/home/u/two\nlines"));
  EXPECT_EQ(fs.Kind("/home/u/two"), FileKind::kMissing);
  // A folder that is there but that this user cannot write in is no answer; the probe leaves nothing behind.
  fs.SetReadOnly("/media/prog", true);
  EXPECT_FALSE(MakeChosenFolder(fs, "/media/prog"));
  fs.SetReadOnly("/media/prog", false);
  EXPECT_EQ(fs.Files(), (std::vector<std::string>{"/home/u/file"}));
}

TEST(WriteSettingsFile, ANewFileGoesToTheConfigurationFolderElseHome) {
  const SystemFolders folders{"/home/u/.config", "/home/u"};
  FakeFileSystem fs;
  fs.AddFolder("/home/u");
  SettingsFileWrite written = WriteSettingsFile(fs, "/gone/Quorvel.ini", folders, "/home/u/Quorvel");
  EXPECT_EQ(written.path, "/home/u/.config/Quorvel.ini");
  EXPECT_EQ(fs.Content(written.path), "/home/u/Quorvel\n");
  // An empty folder keeps the old line; a line break would make the line another folder.
  EXPECT_TRUE(WriteSettingsFile(fs, written.path, folders, "").status.ok());
  EXPECT_EQ(WriteSettingsFile(fs, written.path, folders, "/a\n/b").status.code(), StatusCode::kRefused);
  EXPECT_EQ(fs.Content(written.path), "/home/u/Quorvel\n");

  FakeFileSystem home;
  home.AddFile("/home/u/.config", "not a folder");
  EXPECT_EQ(WriteSettingsFile(home, "", folders, "/e").path, "/home/u/Quorvel.ini");
  home.SetReadOnly("/home/u", true);
  written = WriteSettingsFile(home, "", folders, "/e");
  EXPECT_FALSE(written.status.ok());
  EXPECT_EQ(written.path, "");
}

// Whatever call fails, the settings file holds its old line or the new one, never a part.
TEST(WriteSettingsFile, EveryFailureLeavesTheOldOrTheNewLine) {
  for (uint64_t n = 1;; ++n) {
    FakeFileSystem fs;
    fs.AddFile("/cfg/Quorvel.ini", "/old/folder\n");
    fs.FailCall(n, StatusCode::kNoSpace);
    const SettingsFileWrite written =
        WriteSettingsFile(fs, "/cfg/Quorvel.ini", {"/cfg", "/home"}, "/a/much/longer/new/folder");
    const std::optional<std::string> content = fs.Content("/cfg/Quorvel.ini");
    if (!fs.faulted()) {
      EXPECT_EQ(content, "/a/much/longer/new/folder\n");
      break;
    }
    EXPECT_EQ(content, written.status.ok() ? "/a/much/longer/new/folder\n" : "/old/folder\n") << "call " << n;
  }
}

}  // namespace
}  // namespace quorvel

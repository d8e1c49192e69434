#include "core/Locations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/DictionaryFixture.h"
#include "platform/PosixFileSystem.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::DictionaryFixture;

// ResolveFileLocations makes the program folder the current directory; each test puts the
// old one back before its folder is removed.
class ResolveFileLocationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    folders_.configDir = fx_.programDir() + "config";
    folders_.homeDir = fx_.programDir() + "home";
    fs::create_directories(folders_.configDir);
    fs::create_directories(folders_.homeDir);
  }
  void TearDown() override { fs::current_path(saved_); }

  Locations Resolve() { return ResolveFileLocations(disk_, fx_.programDir(), folders_); }
  static void ExpectUserFolder(const Locations& l, const std::string& folder) {
    EXPECT_EQ(l.UserDescrFile, folder + "/QuorvelC.tbo");
    EXPECT_EQ(l.UserIndexFile, folder + "/QuorvelIC.tbo");
    EXPECT_EQ(l.UserGreekFile, folder + "/QuorvelHIC.tbo");
    EXPECT_EQ(l.TempDescrFile, folder + "/templex.tbo");
    EXPECT_EQ(l.TempIndexFile, folder + "/tempi.tbo");
    EXPECT_EQ(l.TempGreekFile, folder + "/tempigr.tbo");
  }
  static void ExpectNoUserFolder(const Locations& l) {
    EXPECT_FALSE(l.HasUserFolder());
    for (const std::string* path : {&l.UserDescrFile, &l.UserIndexFile, &l.UserGreekFile,
                                    &l.TempDescrFile, &l.TempIndexFile, &l.TempGreekFile}) {
      EXPECT_TRUE(path->empty());
    }
  }

  DictionaryFixture fx_;
  PosixFileSystem disk_;
  SystemFolders folders_;
  fs::path saved_;
};

TEST_F(ResolveFileLocationsTest, ProgramDirEndsWithASeparatorAndBecomesCurrent) {
  std::string dir = fx_.programDir();
  dir.pop_back();
  const Locations l = ResolveFileLocations(disk_, dir, folders_);
  EXPECT_EQ(l.ProgramDir, fx_.programDir());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), fs::path(dir)));
  ExpectNoUserFolder(l);
  EXPECT_TRUE(l.SettingsFile.empty());
  EXPECT_EQ(ResolveFileLocations(disk_, "/", folders_).ProgramDir, "/");
}

// The folder is spelled "Data" in the program and "data" on disk: one folder. A user
// description file that cannot be read (a folder in its place) still makes it the user's.
TEST_F(ResolveFileLocationsTest, DataFolderHoldingUserDescriptionsWinsOverASettingsFile) {
  fx_.WriteFile("config/Quorvel.ini", fx_.programDir() + "elsewhere\r\n");
  fs::create_directories(fx_.programDir() + "data/QuorvelC.tbo");
  ExpectUserFolder(Resolve(), fx_.programDir() + "data");
  fs::remove(fx_.programDir() + "data/QuorvelC.tbo");
  fx_.WriteFile("data/QuorvelC.tbo", "");
  const Locations l = Resolve();
  ExpectUserFolder(l, fx_.programDir() + "data");
  EXPECT_TRUE(l.SettingsFile.empty());
}

TEST_F(ResolveFileLocationsTest, ConfigFolderSettingsArePreferredToHome) {
  fx_.WriteFile("config/Quorvel.ini", "/media/entries\r\nsecond line\r\n");
  fx_.WriteFile("home/Quorvel.ini", "/home/entries\r\n");
  Locations l = Resolve();
  EXPECT_EQ(l.SettingsFile, folders_.configDir + "/Quorvel.ini");
  ExpectUserFolder(l, "/media/entries");

  fs::remove(folders_.configDir + "/Quorvel.ini");
  l = Resolve();
  EXPECT_EQ(l.SettingsFile, folders_.homeDir + "/Quorvel.ini");
  ExpectUserFolder(l, "/home/entries");
}

TEST_F(ResolveFileLocationsTest, EmptyFirstLineLeavesTheUserPathsEmpty) {
  fx_.WriteFile("config/Quorvel.ini", "\r\n/second/line\r\n");
  fx_.WriteFile("home/Quorvel.ini", "/home/entries\r\n");
  Locations l = Resolve();
  EXPECT_EQ(l.SettingsFile, folders_.configDir + "/Quorvel.ini");
  ExpectNoUserFolder(l);

  fx_.WriteFile("config/Quorvel.ini", "");
  l = Resolve();
  ExpectNoUserFolder(l);
}

TEST_F(ResolveFileLocationsTest, PublishedFilesAreFoundWhateverTheirCase) {
  fs::rename(fx_.programDir() + "data", fx_.programDir() + "DATA");
  fx_.WriteFile("DATA/quorveli.tbo", "x");
  const Locations l = Resolve();
  EXPECT_EQ(l.EnglishIndexFile(), fx_.programDir() + "DATA/quorveli.tbo");
  EXPECT_TRUE(fs::exists(l.EnglishIndexFile()));
  EXPECT_FALSE(fs::exists(l.GreekIndexFile()));
}

}  // namespace
}  // namespace quorvel

// Where quorvel-tools works, end to end with the real program: called in a program folder it
// works there; called elsewhere (as the command on the PATH is) it works in the program folder
// it lies in, while the files and folders named on its command line stay the caller's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DictionaryFixture.h"

namespace quorvel::tools {
namespace {

namespace fs = std::filesystem;

// A program folder holding the tool and a small dictionary (`program_`), and a folder of the
// user's own without a data folder to call it from (`caller_`).
class ToolFolder : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quorvel-tool-folder-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    caller_ = dir_ / "caller";
    fs::create_directories(caller_);
    fs::create_directories(dir_ / "home");
    setenv("HOME", (dir_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ / "home").c_str(), 1);
    program_.WritePublished({{"anchor", "{\\b anchor} holds the ship"}, {"anchor chain"}, {"bow"}},
                            {{1, Utf8ToCp1253("άγκυρα")}});
    tool_ = program_.programDir() + "quorvel-tools";
    fs::copy_file(QUORVEL_TOOLS_PROGRAM, tool_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  test::ProcessRun Run(const std::string& tool, const fs::path& in, const std::vector<std::string>& args) {
    return test::RunProgramIn(tool, in.string(), args);
  }
  std::string Out(const std::string& tool, const fs::path& in, const std::vector<std::string>& args) {
    const test::ProcessRun run = Run(tool, in, args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
  }

  test::DictionaryFixture program_;
  std::string tool_;
  fs::path dir_;
  fs::path caller_;
};

TEST_F(ToolFolder, CalledElsewhereItLooksUpInItsOwnFolderAndKeepsTheCallersPaths) {
  const std::string anchors = "1\tanchor\n2\tanchor chain\n";
  ASSERT_EQ(Out(tool_, program_.programDir(), {"list", "START", "anc"}), anchors);
  EXPECT_EQ(Out(tool_, caller_, {"list", "START", "anc"}), anchors);
  // Through a link, as /usr/bin/quorvel-tools leads to /opt/orvanta/quorvel-tools.
  fs::create_directories(caller_ / "bin");
  fs::create_symlink(tool_, caller_ / "bin" / "quorvel-tools");
  EXPECT_EQ(Out((caller_ / "bin" / "quorvel-tools").string(), caller_, {"list", "START", "anc"}), anchors);

  // Files and folders named on the command line are the caller's.
  fs::create_directories(caller_ / "notes");
  std::ofstream(caller_ / "notes" / "note.rtf") << "{\\rtf1\\ansi Hello from the caller\\par}";
  EXPECT_NE(Out(tool_, caller_, {"rtf-text", "notes/note.rtf"}).find("Hello from the caller"), std::string::npos);
  std::ofstream(caller_ / "plain.txt") << "a line\r\n";
  Out(tool_, caller_, {"encode-index", "plain.txt", "coded.tbo"});
  EXPECT_TRUE(fs::is_regular_file(caller_ / "coded.tbo"));
  Out(tool_, caller_, {"synth", "made", "--entries", "30", "--greek", "20", "--user", "2"});
  EXPECT_TRUE(fs::is_regular_file(caller_ / "made" / "data" / "QuorvelI.tbo"));

  // A user-entry folder given relative to the caller holds the caller's entries.
  fs::create_directories(caller_ / "mine");
  Out(tool_, caller_, {"--user-dir", "mine", "insert", "boat", "βάρκα", "a small ship"});
  EXPECT_TRUE(fs::is_regular_file(caller_ / "mine" / "QuorvelIC.tbo"));
  EXPECT_FALSE(fs::exists(program_.programDir() + "mine"));
  EXPECT_NE(Out(tool_, caller_, {"--user-dir", "mine", "list", "START", "boa", "--user-only"}).find("\tboat"),
            std::string::npos);
}

TEST_F(ToolFolder, AFolderWithDataInAnyCaseIsWorkedInWhereItIs) {
  test::DictionaryFixture other;
  other.WritePublished({{"ballast"}, {"stern"}});
  fs::rename(other.programDir() + "data", other.programDir() + "Data");
  EXPECT_EQ(Out(tool_, other.programDir(), {"list", "START", "b"}), "1\tballast\n");
  // The tool's own folder's entries are not there.
  EXPECT_EQ(Out(tool_, other.programDir(), {"list", "START", "anc"}), "");
}

TEST_F(ToolFolder, WithoutADataFolderBesideItTheToolStaysInTheCurrentDirectory) {
  // The built tool has no data folder beside it: in the caller's folder it finds no dictionary.
  const test::ProcessRun run = Run(QUORVEL_TOOLS_PROGRAM, caller_, {"dump", "published-index"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(caller_.string() + "/data"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quorvel::tools

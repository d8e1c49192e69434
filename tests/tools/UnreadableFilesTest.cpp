#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Cp1253.h"
#include "core/LineReader.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/support/WholeFile.h"

namespace quorvel::tools {
namespace {

namespace fs = std::filesystem;

using ToolRun = test::ProcessRun;

// Runs quorvel-tools in `dir` as its own process.
ToolRun RunTool(const fs::path& dir, const std::vector<std::string>& args) {
  return test::RunProgramIn(QUORVEL_TOOLS_PROGRAM, dir.string(), args);
}

// Every data and user file of a dictionary folder, replaced in turn by a folder, a pipe that no
// one writes and a link to /dev/zero, is unreadable: the load, the entry view's document and
// text, the description search, the lists and the dump end as they do when the file is missing.
TEST(UnreadableFiles, AFolderAPipeOrADeviceInPlaceOfAFileCountsAsMissing) {
  test::DictionaryFixture fixture;
  fixture.WritePublished({{"anchor", "{\\b anchor} holds the ship"}, {"bow", "{the fore end of a ship}"}, {"stern"}},
                         {{1, Utf8ToCp1253("άγκυρα")}, {2, Utf8ToCp1253("πλώρη")}});
  fixture.WriteUserEntries({{1, 1, "", "{my ship note}"}, {2, 90, "boat", "{a small ship}"}});
  const fs::path dir = fixture.programDir();
  const std::string user = fixture.userDir();
  const std::vector<std::vector<std::string>> commands = {
      {"--user-dir", user, "list", "START", "b"}, {"--user-dir", user, "entry", "1"},
      {"--user-dir", user, "document", "1"},      {"--user-dir", user, "text", "3"},
      {"--user-dir", user, "descsearch", "ship"}, {"--user-dir", user, "dump", "published-index"},
      {"--user-dir", user, "dump", "user-descriptions"}};
  ASSERT_NE(RunTool(dir, commands[4]).out.find("boat"), std::string::npos);

  const std::vector<std::string> files = {"data/Quorvel.tbo", "data/QuorvelI.tbo", "data/QuorvelHI.tbo",
                                          "user/QuorvelC.tbo", "user/QuorvelIC.tbo", "user/QuorvelHIC.tbo"};
  enum Kind { kFolder, kPipe, kDevice };
  for (const std::string& file : files) {
    const fs::path path = dir / file;
    const std::optional<std::string> content = test::ReadWholeFile(path.string());  // none: not written
    fs::remove(path);
    std::vector<ToolRun> missing;
    for (const auto& command : commands) missing.push_back(RunTool(dir, command));
    for (const Kind kind : {kFolder, kPipe, kDevice}) {
      if (kind == kFolder) fs::create_directory(path);
      if (kind == kPipe) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
      }
      if (kind == kDevice) fs::create_symlink("/dev/zero", path);
      for (size_t c = 0; c < commands.size(); ++c) {
        const ToolRun run = RunTool(dir, commands[c]);
        const std::string what = file + " as kind " + std::to_string(kind) + ", " + commands[c][2];
        ASSERT_NE(run.status, -1) << what << ": the tool did not end";
        EXPECT_EQ(run.status, missing[c].status) << what << "\n" << run.err;
        EXPECT_EQ(run.out, missing[c].out) << what;
      }
      fs::remove(path);
    }
    if (content) fixture.WriteFile(file, *content);
  }
}

// The system fails the open, or a read, of each file an edit reads (strace injects EIO): the
// tool's insert, modify and delete say so, exit 1 and leave the user's files as they were. An
// unreadable Greek index is never taken for a missing one (the entry would lose its Greek term).
TEST(UnreadableFiles, AnEditRefusesWhenTheSystemCannotReadAFile) {
  if (std::system("strace -o /dev/null true >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace cannot trace here";
  test::DictionaryFixture fixture;
  fixture.WritePublished({{"anchor", "{anchor}"}, {"bow", "{bow}"}, {"stern"}},
                         {{1, Utf8ToCp1253("άγκυρα")}, {2, Utf8ToCp1253("πλώρη")}});
  fixture.WriteUserEntries({{2, 90, "boat", "{a small ship}"}});
  fixture.WriteUserGreekLines({test::DictionaryFixture::UserGreekLine(2, 90, Utf8ToCp1253("βάρκα"))});
  const fs::path dir = fixture.programDir();
  const std::string user = fixture.userDir();
  const std::vector<std::vector<std::string>> edits = {
      {"insert", "raft", "σχεδία", "logs"}, {"modify", "3", "boat", "", "dinghy"}, {"delete", "3"}};
  ASSERT_EQ(RunTool(dir, {"--user-dir", user, "entry", "3"}).out.substr(0, 5), "90\tC\t");

  const std::vector<std::string> files = {"data/QuorvelI.tbo", "data/QuorvelHI.tbo", "user/QuorvelIC.tbo",
                                          "user/QuorvelC.tbo", "user/QuorvelHIC.tbo"};
  for (const std::string& file : files) {
    for (const char* call : {"openat", "pread64"}) {
      for (const auto& edit : edits) {
        std::vector<std::string> args = {"-o", "/dev/null", "-P", (dir / file).string(), std::string("-e"),
                                         std::string("trace=") + call, "-e",
                                         std::string("inject=") + call + ":error=EIO", QUORVEL_TOOLS_PROGRAM,
                                         "--user-dir", user};
        args.insert(args.end(), edit.begin(), edit.end());
        const std::string what = file + " " + call + " " + edit[0];
        const ToolRun run = test::RunProgramIn("/usr/bin/strace", dir.string(), args);
        EXPECT_EQ(run.status, 1) << what << ": " << run.err;
        EXPECT_NE(run.err.find("Input/output error"), std::string::npos) << what << ": " << run.err;
        EXPECT_EQ(fixture.UserIndexLines().size(), 1u) << what;
        EXPECT_EQ(fixture.UserGreekLines().size(), 1u) << what;
        EXPECT_EQ(fixture.UserDescriptions(), std::vector<std::string>{"{a small ship}"}) << what;
      }
    }
  }
}

}  // namespace
}  // namespace quorvel::tools

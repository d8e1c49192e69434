// The real quorvel-tools editing the user files while it is killed (SIGKILL) at random moments,
// and two edits running at once. After each kill the user files, once a load has recovered
// them, must be exactly the old ones or exactly the new ones.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/EntryIndex.h"
#include "core/LineReader.h"
#include "core/Locations.h"
#include "core/UserFileRewrite.h"
#include "platform/PosixFileSystem.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/WholeFile.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

using FileSet = std::array<std::optional<std::string>, 3>;

class UserFilesKill : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvel-kill-test-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "data");
    fs::create_directories(dir_ / "home");
    for (const char* name : {"Quorvel.tbo", "QuorvelI.tbo", "QuorvelHI.tbo"}) {
      fs::copy_file(fs::path(QUORVEL_SAMPLE_DIR) / "data" / name, dir_ / "data" / name);
    }
    setenv("HOME", (dir_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ / "home").c_str(), 1);
    locations_.ProgramDir = dir_.string() + "/";
    SetUserFilePaths(locations_, (dir_ / "user").string());
    fs::create_directories(dir_ / "user");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Starts quorvel-tools on the user folder `user` (relative to the program folder); its
  // standard error goes to `errFile` when one is given.
  pid_t Start(const std::string& user, std::vector<std::string> args, const std::string& errFile = "") {
    args.insert(args.begin(), {"--user-dir", user});
    return test::StartProgramIn(QUORVEL_TOOLS_PROGRAM, dir_.string(), args, "", errFile);
  }
  static int Wait(pid_t pid) { return test::WaitForProgram(pid); }

  FileSet UserFiles(const fs::path& folder) const {
    return {test::ReadWholeFile((folder / "QuorvelIC.tbo").string()), test::ReadWholeFile((folder / "QuorvelC.tbo").string()),
            test::ReadWholeFile((folder / "QuorvelHIC.tbo").string())};
  }
  bool Leftovers() const {
    for (const char* name : {"tempi.tbo", "templex.tbo", "tempigr.tbo", "commit.tbo"}) {
      if (fs::exists(dir_ / "user" / name)) return true;
    }
    return false;
  }
  // Loads as the program does at start (recovering first); the slots of the user entries.
  std::vector<int> Load(Status& recovery) {
    PosixFileSystem fileSystem;
    auto d = std::make_unique<Dictionary>();
    const LoadReport report = LoadEntryIndex(*d, locations_, fileSystem);
    recovery = report.recovery;
    std::vector<int> user;
    for (int slot = 1; slot <= d->englishCount; ++slot) {
      if (d->EnglishIndex[slot].Origin == kOriginUser) user.push_back(slot);
    }
    return user;
  }
  // The user files after `args` ran to its end on a copy of the user files `before`.
  FileSet NewFiles(const FileSet& before, const std::vector<std::string>& args) {
    const fs::path scratch = dir_ / "scratch";
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const char* names[] = {"QuorvelIC.tbo", "QuorvelC.tbo", "QuorvelHIC.tbo"};
    for (size_t i = 0; i < before.size(); ++i) {
      if (before[i]) std::ofstream(scratch / names[i], std::ios::binary) << *before[i];
    }
    EXPECT_EQ(Wait(Start("scratch", args)), 0);
    return UserFiles(scratch);
  }

  fs::path dir_;
  Locations locations_;
};

TEST_F(UserFilesKill, KilledEditsLeaveTheOldOrTheNewFiles) {
  const unsigned seed = static_cast<unsigned>(std::random_device{}());
  std::mt19937 random(seed);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Wait(Start("user", {"insert", "seed " + std::to_string(i), "σκάφος", "text"})), 0);

  // How long an edit takes, to spread the kills over it.
  const auto begin = std::chrono::steady_clock::now();
  ASSERT_EQ(Wait(Start("user", {"insert", "timing", "", "t"})), 0);
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begin);
  const int span = static_cast<int>(std::max<int64_t>(took.count() * 3 / 2, 2000));

  int runs = 0, midWrite = 0, old = 0, fresh = 0, other = 0;
  for (int run = 0; run < 300; ++run) {
    Status recovery = Status::Ok();
    const std::vector<int> user = Load(recovery);
    ASSERT_TRUE(recovery.ok()) << recovery.message();
    std::vector<std::string> args;
    const int choice = user.size() < 3 ? 0 : static_cast<int>(random() % 3);
    const std::string slot = user.empty() ? "" : std::to_string(user[random() % user.size()]);
    const std::string name = "kill " + std::to_string(run);
    if (choice == 0) args = {"insert", name, run % 2 ? "βάρκα" : "", "line\nline"};
    if (choice == 1) args = {"modify", slot, name, "πλοίο", "changed"};
    if (choice == 2) args = {"delete", slot};

    const FileSet before = UserFiles(dir_ / "user");
    const pid_t pid = Start("user", args);
    usleep(static_cast<useconds_t>(random() % span));
    kill(pid, SIGKILL);
    Wait(pid);
    ++runs;
    if (Leftovers()) ++midWrite;

    Status ignored = Status::Ok();
    Load(ignored);  // recovers
    EXPECT_FALSE(Leftovers()) << "run " << run;
    const FileSet after = UserFiles(dir_ / "user");
    if (after == before) {
      ++old;
      continue;
    }
    // Not the old files: they must be what the edit writes when it runs to its end.
    if (after == NewFiles(before, args)) {
      ++fresh;
    } else {
      ++other;
      ADD_FAILURE() << "run " << run << ": neither the old nor the new files after " << args[0];
    }
  }
  std::cout << "[kill figures] seed " << seed << ": " << runs << " runs, " << midWrite
            << " kills mid-write (temporaries or record left), " << old << " old, " << fresh << " new, "
            << other << " other\n";
  EXPECT_EQ(other, 0);
}

TEST_F(UserFilesKill, TwoEditsAtOnceAreBothKeptOrOneIsToldTheFilesAreInUse) {
  ASSERT_EQ(Wait(Start("user", {"insert", "first", "", "kept"})), 0);
  int both = 0, inUse = 0;
  for (int round = 0; round < 20; ++round) {
    Status recovery = Status::Ok();
    const size_t count = Load(recovery).size();
    const std::string a = (dir_ / "a.err").string();
    const std::string b = (dir_ / "b.err").string();
    const pid_t one = Start("user", {"insert", "one " + std::to_string(round), "ένα", "1"}, a);
    const pid_t two = Start("user", {"insert", "two " + std::to_string(round), "δύο", "2"}, b);
    const int first = Wait(one);
    const int second = Wait(two);
    size_t expected = count;
    for (const auto& [status, err] : {std::pair{first, a}, std::pair{second, b}}) {
      if (status == 0) {
        ++expected;
      } else {
        EXPECT_NE(test::ReadWholeFile(err).value_or("").find("in use by another program"), std::string::npos)
            << test::ReadWholeFile(err).value_or("");
        ++inUse;
      }
    }
    if (first == 0 && second == 0) ++both;
    EXPECT_EQ(Load(recovery).size(), expected) << "round " << round;
  }
  std::cout << "[concurrent figures] 20 rounds of two inserts: " << both << " with both kept, " << inUse
            << " told in use\n";
}

}  // namespace
}  // namespace quorvel

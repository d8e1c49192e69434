#include "tests/support/FakeFileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "tests/platform/TempFolder.h"

namespace quorvel {
namespace {

using test::FakeFileSystem;
using test::TempFolder;

// The same questions put to the program's file system and to the fake, so that what a test
// learns on the fake holds for the program: the parameter is true for the fake.
class FileSystemContract : public ::testing::TestWithParam<bool> {
 protected:
  bool fake() const { return GetParam(); }
  FileSystem& files() { return fake() ? static_cast<FileSystem&>(fake_) : posix_; }

  // Paths below the test's folder, and what is there before the test asks.
  std::string At(const std::string& name) const { return dir_ / name; }
  void AddFile(const std::string& name, const std::string& bytes) {
    if (fake()) {
      fake_.AddFile(At(name), bytes);
    } else {
      dir_.Write(name, bytes);
    }
  }
  void AddPipe(const std::string& name) {
    if (fake()) {
      fake_.AddOther(At(name));
    } else {
      ASSERT_EQ(::mkfifo(At(name).c_str(), 0644), 0);
    }
  }
  void MakeReadOnly(const std::string& name) {
    if (fake()) {
      fake_.SetReadOnly(At(name), true);
    } else {
      ASSERT_EQ(::chmod(At(name).c_str(), 0444), 0);
    }
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    EXPECT_TRUE(files().ListFolder(At(folder), names).ok());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder dir_;
  FakeFileSystem fake_;
  PosixFileSystem posix_;
};

TEST_P(FileSystemContract, ReadsOnlyRegularFilesWithinTheLimit) {
  AddFile("f", "hello");
  AddPipe("pipe");
  std::string bytes;
  ASSERT_TRUE(files().ReadFile(At("f"), 5, bytes).ok());
  EXPECT_EQ(bytes, "hello");
  EXPECT_EQ(files().ReadFile(At("f"), 4, bytes).code(), StatusCode::kDamaged);
  EXPECT_EQ(files().ReadFile(At("pipe"), 100, bytes).code(), StatusCode::kDamaged);
  EXPECT_EQ(files().ReadFile(dir_.root(), 100, bytes).code(), StatusCode::kDamaged);
  EXPECT_EQ(files().ReadFile(At("none"), 100, bytes).code(), StatusCode::kNotFound);
  ASSERT_TRUE(files().ReadRange(At("f"), 1, 3, bytes).ok());
  EXPECT_EQ(bytes, "ell");
  ASSERT_TRUE(files().ReadRange(At("f"), 3, 100, bytes).ok());
  EXPECT_EQ(bytes, "lo");
  ASSERT_TRUE(files().ReadRange(At("f"), 9, 1, bytes).ok());
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(files().Kind(At("f")), FileKind::kRegular);
  EXPECT_EQ(files().Kind(At("pipe")), FileKind::kOther);
  EXPECT_EQ(files().Kind(dir_.root()), FileKind::kFolder);
  EXPECT_EQ(files().Kind(At("none")), FileKind::kMissing);
}

TEST_P(FileSystemContract, MakesEveryMissingFolder) {
  AddFile("f", "x");
  ASSERT_TRUE(files().MakeFolders(At("a/b/c")).ok());
  ASSERT_TRUE(files().MakeFolders(At("a/b/")).ok());
  EXPECT_EQ(files().Kind(At("a/b/c")), FileKind::kFolder);
  EXPECT_EQ(Names(""), (std::vector<std::string>{"a", "f"}));
  EXPECT_EQ(files().MakeFolders(At("f/b")).code(), StatusCode::kIoError);
  std::vector<std::string> names;
  EXPECT_EQ(files().ListFolder(At("none"), names).code(), StatusCode::kNotFound);
  EXPECT_EQ(files().ListFolder(At("f"), names).code(), StatusCode::kIoError);
}

TEST_P(FileSystemContract, CopiesNeverReplaceAFile) {
  AddFile("from", "new");
  AddFile("other", "other");
  AddFile("to/kept", "old");
  AddPipe("pipe");
  ASSERT_TRUE(files().CopyNew(At("from"), At("to/copy")).ok());
  ASSERT_TRUE(files().CopyNew(At("other"), At("to/kept")).ok()) << "there already: done";
  ASSERT_TRUE(files().CopyNew(At("from"), At("to")).ok()) << "a folder is there too";
  EXPECT_EQ(files().CopyNew(At("none"), At("to/none")).code(), StatusCode::kNotFound);
  EXPECT_EQ(files().CopyNew(At("pipe"), At("to/pipe")).code(), StatusCode::kDamaged);
  EXPECT_EQ(files().CopyNew(At("from"), At("none/copy")).code(), StatusCode::kNotFound);
  EXPECT_EQ(Names("to"), (std::vector<std::string>{"copy", "kept"}));
  std::string bytes;
  ASSERT_TRUE(files().ReadFile(At("to/copy"), 100, bytes).ok());
  EXPECT_EQ(bytes, "new");
  ASSERT_TRUE(files().ReadFile(At("to/kept"), 100, bytes).ok());
  EXPECT_EQ(bytes, "old");
}

TEST_P(FileSystemContract, ReadOnlyFileCopiesReadOnlyUntilMadeWritable) {
  AddFile("prog", "x");
  MakeReadOnly("prog");
  ASSERT_TRUE(files().MakeFolders(At("install")).ok());
  ASSERT_TRUE(files().CopyNew(At("prog"), At("install/prog")).ok());
  EXPECT_TRUE(files().IsReadOnly(At("install/prog")));
  ASSERT_TRUE(files().MakeOwnerWritable(At("install/prog")).ok());
  EXPECT_FALSE(files().IsReadOnly(At("install/prog")));
  EXPECT_TRUE(files().IsReadOnly(At("prog")));
  EXPECT_FALSE(files().IsReadOnly(At("none")));
}

TEST_P(FileSystemContract, WriterReplacesWholeFilesAndNamesItsFailures) {
  AddFile("f", "x");
  ASSERT_TRUE(files().WriteFile(At("t"), "new").ok());
  ASSERT_TRUE(files().WriteFile(At("f"), "old").ok());
  ASSERT_TRUE(files().ReplaceFile(At("t"), At("f")).ok());
  EXPECT_EQ(Names(""), std::vector<std::string>{"f"});
  std::string bytes;
  ASSERT_TRUE(files().ReadFile(At("f"), 100, bytes).ok());
  EXPECT_EQ(bytes, "new");
  ASSERT_TRUE(files().RemoveFile(At("f")).ok());
  ASSERT_TRUE(files().RemoveFile(At("f")).ok());
  EXPECT_EQ(files().Kind(At("f")), FileKind::kMissing);
  EXPECT_EQ(files().WriteFile(At("none/t"), "x").code(), StatusCode::kNotFound);
  EXPECT_EQ(files().ReplaceFile(At("none"), At("f")).code(), StatusCode::kNotFound);
  EXPECT_EQ(files().WriteFile(dir_.root(), "x").code(), StatusCode::kIoError);
}

TEST_P(FileSystemContract, ALockIsHeldUntilItIsDestroyed) {
  AddFile("f", "x");
  std::unique_ptr<FileLock> first;
  ASSERT_TRUE(files().LockFile(At("lock"), 0, first).ok());
  EXPECT_EQ(files().Kind(At("lock")), FileKind::kRegular);
  std::unique_ptr<FileLock> second;
  EXPECT_EQ(files().LockFile(At("lock"), 50, second).code(), StatusCode::kInUse);
  EXPECT_EQ(second, nullptr);
  first.reset();
  EXPECT_TRUE(files().LockFile(At("lock"), 0, second).ok());
  EXPECT_EQ(files().LockFile(At("none/lock"), 0, first).code(), StatusCode::kNotFound);
  EXPECT_TRUE(files().SyncFolderOf(At("lock")).ok());
}

INSTANTIATE_TEST_SUITE_P(PosixAndFake, FileSystemContract, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Fake" : "Posix"; });

// One call of every kind, in order; each answer as a code (Kind's and IsReadOnly's failures
// are their "cannot be examined" answers).
std::vector<StatusCode> RunEveryKindOfCall(FakeFileSystem& fs) {
  std::string bytes;
  std::vector<std::string> names;
  const auto answer = [](bool expected) {
    return expected ? StatusCode::kOk : StatusCode::kIoError;
  };
  return {
      answer(fs.Kind("d/f") == FileKind::kRegular),
      fs.ReadFile("d/f", 100, bytes).code(),
      fs.ReadRange("d/f", 0, 1, bytes).code(),
      fs.ListFolder("d", names).code(),
      fs.MakeFolders("d/e").code(),
      fs.CopyNew("d/f", "d/g").code(),
      answer(fs.IsReadOnly("d/ro")),
      fs.MakeOwnerWritable("d/ro").code(),
      fs.WriteFile("d/h", "abcd").code(),
      fs.ReplaceFile("d/h", "d/f").code(),
      fs.RemoveFile("d/g").code(),
  };
}

// The fault meets exactly the n-th call, whatever its kind, reads included, and only that one.
TEST(FakeFileSystem, FailsTheNthCallOfAnyKindOnce) {
  constexpr size_t kCalls = 11;
  for (size_t n = 1; n <= kCalls + 1; ++n) {
    FakeFileSystem fs;
    fs.AddFile("d/f", "content");
    fs.AddFile("d/ro", "x");
    fs.SetReadOnly("d/ro", true);
    fs.FailCall(n, StatusCode::kNoSpace);
    const std::vector<StatusCode> codes = RunEveryKindOfCall(fs);
    ASSERT_EQ(codes.size(), kCalls);
    EXPECT_EQ(fs.calls(), kCalls);
    EXPECT_EQ(fs.faulted(), n <= kCalls);
    for (size_t call = 1; call <= kCalls; ++call) {
      const bool answersOnlyYesOrNo = call == 1 || call == 7;
      const StatusCode failed = answersOnlyYesOrNo ? StatusCode::kIoError : StatusCode::kNoSpace;
      EXPECT_EQ(codes[call - 1], call == n ? failed : StatusCode::kOk)
          << "call " << call << " with the fault at " << n;
    }
  }
}

// The pattern of every rewrite of user files, run with a fault at every call: the target holds
// the old bytes or the new ones, never a part; a write cut short leaves only its temporary.
TEST(FakeFileSystem, FaultAtEveryCallOfARewriteLeavesOldOrNew) {
  for (uint64_t n = 1;; ++n) {
    FakeFileSystem fs;
    fs.AddFile("user/QuorvelIC.tbo", "old index");
    fs.FailCall(n);
    Status status = fs.WriteFile("user/tempi.tbo", "new index");
    if (status.ok()) status = fs.ReplaceFile("user/tempi.tbo", "user/QuorvelIC.tbo");
    if (!fs.faulted()) {
      ASSERT_TRUE(status.ok());
      EXPECT_EQ(fs.Content("user/QuorvelIC.tbo"), "new index");
      EXPECT_EQ(fs.Files(), std::vector<std::string>{"user/QuorvelIC.tbo"});
      break;
    }
    EXPECT_EQ(status.code(), StatusCode::kIoError);
    EXPECT_EQ(fs.Content("user/QuorvelIC.tbo"), "old index") << "fault at call " << n;
    if (n == 1) {
      EXPECT_EQ(fs.Content("user/tempi.tbo"), "new ");
    }
  }

  FakeFileSystem full;
  full.AddFolder("user");
  full.SetDiskFull(true);
  EXPECT_EQ(full.WriteFile("user/tempi.tbo", "new index").code(), StatusCode::kNoSpace);
  EXPECT_EQ(full.Content("user/tempi.tbo"), "new ");
  EXPECT_EQ(full.MakeFolders("user/more").code(), StatusCode::kNoSpace);
  EXPECT_EQ(full.Kind("user/more"), FileKind::kMissing);
}

}  // namespace
}  // namespace quorvel

#include "platform/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/platform/TempFolder.h"

namespace quorvel {
namespace {

using test::TempFolder;

mode_t ModeOf(const std::string& path) {
  struct stat info;
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// A pipe, a folder or a device is never read: the open does not wait for a writer, and a folder
// with no limit on its size does not make the reader allocate its claimed size.
TEST(PosixFileSystem, NeverReadsWhatIsNotARegularFile) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  PosixFileSystem files;
  constexpr uint64_t kNoLimit = std::numeric_limits<uint64_t>::max();
  std::string content = "unchanged";
  for (const std::string& path : {dir / "pipe", dir.root(), std::string("/dev/zero")}) {
    EXPECT_EQ(files.ReadFile(path, kNoLimit, content).code(), StatusCode::kDamaged) << path;
    EXPECT_EQ(files.ReadRange(path, 0, kNoLimit, content).code(), StatusCode::kDamaged) << path;
    EXPECT_EQ(files.CopyNew(path, dir / "copy").code(), StatusCode::kDamaged) << path;
  }
  EXPECT_EQ(content, "unchanged");
  EXPECT_EQ(files.Kind(dir / "copy"), FileKind::kMissing);
  EXPECT_EQ(files.Kind(dir / "pipe"), FileKind::kOther);
  EXPECT_EQ(files.Kind("/dev/zero"), FileKind::kOther);
}

// /proc files claim a size of 0 and hold more: the limit counts what is read, not the claim.
TEST(PosixFileSystem, LimitCountsTheBytesReadNotTheClaimedSize) {
  PosixFileSystem files;
  std::string content;
  ASSERT_EQ(files.Kind("/proc/self/status"), FileKind::kRegular);
  ASSERT_TRUE(files.ReadFile("/proc/self/status", 1 << 20, content).ok());
  EXPECT_NE(content.find("Name:"), std::string::npos);
  EXPECT_EQ(files.ReadFile("/proc/self/status", 4, content).code(), StatusCode::kDamaged);
  EXPECT_NE(content.find("Name:"), std::string::npos) << "a failed read leaves the result alone";

  TempFolder dir;
  dir.Write("big", std::string(200000, 'x'));
  EXPECT_EQ(files.ReadFile(dir / "big", 199999, content).code(), StatusCode::kDamaged);
  ASSERT_TRUE(files.ReadFile(dir / "big", 200000, content).ok());
  EXPECT_EQ(content.size(), 200000u);
  ASSERT_TRUE(files.ReadRange(dir / "big", 199990, 1000, content).ok());
  EXPECT_EQ(content, std::string(10, 'x'));
}

// The copy keeps the permission bits, so an installed program stays executable and a read-only
// source gives a read-only copy, until the owner is given the write bit.
TEST(PosixFileSystem, CopyKeepsPermissionsAndLeavesNoTemporaryName) {
  TempFolder dir;
  dir.Write("src/Quorvel", "program");
  ASSERT_EQ(::chmod((dir / "src/Quorvel").c_str(), 0555), 0);
  PosixFileSystem files;
  ASSERT_TRUE(files.MakeFolders(dir / "dst").ok());
  ASSERT_TRUE(files.CopyNew(dir / "src/Quorvel", dir / "dst/Quorvel").ok());
  EXPECT_EQ(dir.Read("dst/Quorvel"), "program");
  EXPECT_EQ(ModeOf(dir / "dst/Quorvel"), 0555u);
  std::vector<std::string> names;
  ASSERT_TRUE(files.ListFolder(dir / "dst", names).ok());
  EXPECT_EQ(names, std::vector<std::string>{"Quorvel"});

  EXPECT_TRUE(files.IsReadOnly(dir / "dst/Quorvel"));
  ASSERT_TRUE(files.MakeOwnerWritable(dir / "dst/Quorvel").ok());
  EXPECT_EQ(ModeOf(dir / "dst/Quorvel"), 0755u);
  EXPECT_FALSE(files.IsReadOnly(dir / "dst/Quorvel"));
}

// Read-only is the absence of every write bit; whether this user (root, say) could write
// anyway does not count.
TEST(PosixFileSystem, ReadOnlyMeansNoWriteBitForAnyone) {
  TempFolder dir;
  dir.Write("file", "x");
  PosixFileSystem files;
  const struct {
    mode_t mode;
    bool readOnly;
  } cases[] = {{0644, false}, {0444, true}, {0555, true}, {0000, true}, {0200, false},
               {0440, true},  {0442, false}};
  for (const auto& c : cases) {
    ASSERT_EQ(::chmod((dir / "file").c_str(), c.mode), 0);
    EXPECT_EQ(files.IsReadOnly(dir / "file"), c.readOnly) << std::oct << c.mode;
  }
  EXPECT_FALSE(files.IsReadOnly(dir / "missing"));
  EXPECT_EQ(files.MakeOwnerWritable(dir / "missing").code(), StatusCode::kNotFound);
}

TEST(PosixFileSystem, FailuresCarryTheirCode) {
  TempFolder dir;
  dir.Write("file", "x");
  PosixFileSystem files;
  std::string content;
  std::vector<std::string> names;
  EXPECT_EQ(files.ReadFile(dir / "missing", 10, content).code(), StatusCode::kNotFound);
  EXPECT_EQ(files.ReadFile(dir / "file/below", 10, content).code(), StatusCode::kIoError);
  EXPECT_EQ(files.ListFolder(dir / "missing", names).code(), StatusCode::kNotFound);
  EXPECT_EQ(files.ListFolder(dir / "file", names).code(), StatusCode::kIoError);
  EXPECT_EQ(files.MakeFolders(dir / "file/below").code(), StatusCode::kIoError);
  EXPECT_EQ(files.MakeFolders("/proc/quorvel-test").code(), StatusCode::kNotFound);
  EXPECT_EQ(files.CopyNew(dir / "file", "/proc/quorvel-test").code(), StatusCode::kNotFound);
}

}  // namespace
}  // namespace quorvel

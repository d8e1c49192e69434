#include "platform/PosixFileSystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <thread>

#include "platform/PosixSupport.h"
#include "tests/platform/TempFolder.h"

namespace quorvel {
namespace {

using test::TempFolder;

TEST(PosixFileSystemWrites, WritesReplacesAndRemoves) {
  TempFolder dir;
  PosixFileSystem fs;
  ASSERT_TRUE(fs.WriteFile(dir / "a", "first, longer").ok());
  ASSERT_TRUE(fs.WriteFile(dir / "a", "second").ok());
  EXPECT_EQ(dir.Read("a"), "second");
  ASSERT_TRUE(fs.WriteFile(dir / "b", "").ok());
  EXPECT_EQ(dir.Read("b"), "");

  ASSERT_TRUE(fs.ReplaceFile(dir / "a", dir / "b").ok());
  EXPECT_EQ(dir.Read("b"), "second");
  EXPECT_FALSE(std::filesystem::exists(dir / "a"));

  ASSERT_TRUE(fs.RemoveFile(dir / "b").ok());
  EXPECT_FALSE(std::filesystem::exists(dir / "b"));
  EXPECT_TRUE(fs.RemoveFile(dir / "b").ok()) << "a missing file is already removed";
}

// A reader that opens the file over and over while it is replaced finds it every time, always
// complete: the old content or the new, never a missing or partial file.
TEST(PosixFileSystemWrites, ReplacementIsAtomicForAReader) {
  TempFolder dir;
  PosixFileSystem fs;
  const std::string target = dir / "QuorvelIC.tbo";
  const std::string old(4096, 'o');
  const std::string fresh(8192, 'n');
  ASSERT_TRUE(fs.WriteFile(target, old).ok());

  std::atomic<bool> done = false;
  int missing = 0;
  int partial = 0;
  std::thread reader([&] {
    while (!done) {
      const int fd = ::open(target.c_str(), O_RDONLY);
      if (fd < 0) {
        missing += errno == ENOENT;
        continue;
      }
      std::string content(16384, '\0');
      size_t size = 0;
      for (ssize_t n; (n = ::read(fd, content.data() + size, content.size() - size)) > 0;) {
        size += static_cast<size_t>(n);
      }
      ::close(fd);
      content.resize(size);
      partial += content != old && content != fresh;
    }
  });
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(fs.WriteFile(dir / "temp", i % 2 == 0 ? fresh : old).ok());
    ASSERT_TRUE(fs.ReplaceFile(dir / "temp", target).ok());
  }
  done = true;
  reader.join();
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(partial, 0);
}

// Root is not stopped by permissions, so the failures here come from what the paths are.
TEST(PosixFileSystemWrites, FailuresCarryTheirCodeAndNeverWait) {
  TempFolder dir;
  dir.Write("file", "keep");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  PosixFileSystem fs;
  EXPECT_EQ(fs.WriteFile(dir / "missing/a", "x").code(), StatusCode::kNotFound);
  EXPECT_EQ(fs.WriteFile(dir / "file/a", "x").code(), StatusCode::kIoError);
  EXPECT_EQ(fs.WriteFile(dir.root(), "x").code(), StatusCode::kIoError);
  EXPECT_FALSE(fs.WriteFile(dir / "pipe", "x").ok());
  EXPECT_EQ(fs.ReplaceFile(dir / "missing", dir / "file").code(), StatusCode::kNotFound);
  EXPECT_EQ(fs.ReplaceFile(dir / "file", dir / "missing/a").code(), StatusCode::kNotFound);
  EXPECT_EQ(fs.RemoveFile(dir.root()).code(), StatusCode::kIoError);
  EXPECT_EQ(dir.Read("file"), "keep");
}

TEST(SystemError, CodeFollowsErrno) {
  const struct {
    int error;
    StatusCode code;
  } cases[] = {{ENOENT, StatusCode::kNotFound},     {ENOSPC, StatusCode::kNoSpace},
               {EDQUOT, StatusCode::kNoSpace},      {EACCES, StatusCode::kNoPermission},
               {EPERM, StatusCode::kNoPermission},  {EROFS, StatusCode::kNoPermission},
               {EIO, StatusCode::kIoError},         {ENOTDIR, StatusCode::kIoError}};
  for (const auto& c : cases) {
    errno = c.error;
    const Status status = SystemError("writing x");
    EXPECT_EQ(status.code(), c.code) << c.error;
    EXPECT_EQ(status.message().rfind("writing x: ", 0), 0u) << status.message();
  }
}

}  // namespace
}  // namespace quorvel

// An in-memory file system for tests: the program's FileSystem, with files (path -> bytes), folders and "other" nodes (pipes, devices), read-only marks and a
// full disk, and a fault that makes any one call fail on purpose.
//
// Fault injection counts every call, reads included. FailCall(n) makes the
// n-th call from now fail with the given code; a test runs an operation once for every n until
// it gets through without meeting the fault:
//
//   for (uint64_t n = 1;; ++n) {
//     FakeFileSystem fs;
//     ... set up the files ...
//     fs.FailCall(n);
//     const Status status = Operation(fs);
//     if (!fs.faulted()) break;         // every call has failed once
//     ... check that nothing was lost or half done ...
//   }
//
// An injected fault fails the call before it changes anything, except that a WriteFile cut
// short (by a fault or a full disk) leaves the first half of its bytes, as a real write cut short
// would. A call whose answer is not a Status fails as the interface says a path that cannot be
// examined does: Kind gives kMissing and IsReadOnly false.
//
// A lock (LockFile) is held until its FileLock is destroyed; a second LockFile of the same path
// meanwhile fails at once with InUse (the fake never waits). A lock must not outlive the fake.
//
// Permissions follow POSIX: making, renaming or removing a name needs a folder that is not
// read-only; writing a file's bytes also needs the file not to be read-only.
// Paths are taken lexically ("./a/b/" is "a/b"); "", "." and "/" are folders that always exist.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "core/Status.h"

namespace quorvel::test {

// Meant for one thread: it is no FileSystem for work spread over several.
class FakeFileSystem : public FileSystem {
 public:
  // Setting up, never counted as calls. A file or node's folder and its parents are added too.
  void AddFile(const std::string& path, std::string_view bytes);
  void AddFolder(const std::string& path);
  void AddOther(const std::string& path);
  // Marks `path` read-only (IsReadOnly is true; see the permissions above) or writable.
  void SetReadOnly(const std::string& path, bool readOnly);
  // Writes, copies and new folders fail with NoSpace.
  void SetDiskFull(bool full) { diskFull_ = full; }
  // Every read of the file `path` fails with `code` (as a disk that cannot read it would),
  // until it is called again with kOk.
  void FailReads(const std::string& path, StatusCode code = StatusCode::kIoError);

  // Makes the n-th call from now (n >= 1) fail with `code`; n = 0 cancels a pending fault.
  void FailCall(uint64_t n, StatusCode code = StatusCode::kIoError);
  // True once the fault set by FailCall has been met.
  bool faulted() const { return faulted_; }
  // The number of calls made so far.
  uint64_t calls() const { return calls_; }

  // The bytes of the file `path`; nothing when there is no such file.
  std::optional<std::string> Content(const std::string& path) const;
  // Every file's path, sorted.
  std::vector<std::string> Files() const;
  // Whether MakeExecutable has been applied to the file `path`.
  bool IsExecutable(const std::string& path) const;

  FileKind Kind(const std::string& path) override;
  Status ReadFile(const std::string& path, uint64_t maxBytes, std::string& content) override;
  Status ReadRange(const std::string& path, uint64_t position, uint64_t length,
                   std::string& bytes) override;
  // One device; a file keeps its inode while it is written and moves with a rename; every write
  // advances the modification time by one nanosecond of a clock of the fake's own.
  Status Stamp(const std::string& path, FileStamp& stamp) override;
  Status ListFolder(const std::string& path, std::vector<std::string>& names) override;
  Status MakeFolders(const std::string& path) override;
  Status MakeFolder(const std::string& path) override;
  Status CopyNew(const std::string& from, const std::string& to) override;
  bool IsReadOnly(const std::string& path) override;
  Status MakeOwnerWritable(const std::string& path) override;
  Status MakeExecutable(const std::string& path) override;

  Status WriteFile(const std::string& path, std::string_view bytes) override;
  Status ReplaceFile(const std::string& from, const std::string& to) override;
  Status RemoveFile(const std::string& path) override;
  Status SyncFolderOf(const std::string& path) override;
  // Remembers the folder (currentFolder()); relative paths stay relative to the fake's root.
  Status SetCurrentFolder(const std::string& path) override;
  const std::string& currentFolder() const { return current_; }
  Status LockFile(const std::string& path, int waitMilliseconds,
                  std::unique_ptr<FileLock>& lock) override;

 private:
  // Counts a call; the injected failure when this is the call to fail, else Ok.
  Status Count(const std::string& what);
  FileKind KindOf(const std::string& path) const;
  // Ok for a regular file that can be read; NotFound when nothing is there; Damaged for
  // anything else; the code of FailReads for a file made unreadable.
  Status Readable(const std::string& name) const;
  // Ok when a name can be made, renamed or removed at `path`: its folder exists and is not
  // read-only.
  Status CanChange(const std::string& path) const;

  // Records that the file `name` was written: a new inode when the name had no file, and the
  // next modification time.
  void Written(const std::string& name);

  std::map<std::string, std::string> files_;
  std::map<std::string, FileStamp> stamps_;  // of the files, without their sizes
  uint64_t nextInode_ = 1;
  int64_t clock_ = 0;
  std::set<std::string> folders_;
  std::set<std::string> others_;
  std::set<std::string> readOnly_;
  std::set<std::string> executable_;
  std::set<std::string> locked_;
  std::map<std::string, StatusCode> unreadable_;
  bool diskFull_ = false;
  std::string current_;

  uint64_t calls_ = 0;
  uint64_t failAt_ = 0;  // the ordinal of the call to fail; 0 when none
  StatusCode failCode_ = StatusCode::kIoError;
  bool faulted_ = false;
};

}  // namespace quorvel::test

// The file system as the dictionary sees it: the one way core/ reaches the disk. What a path
// is, bounded reads of regular files, their stamps, folders, the current folder, copies that
// never overwrite, permissions and the read-only test, whole-file writes that reach the disk,
// renames, removals, folder flushes, and the lock that keeps two programs from changing the
// user's files at once. The program uses platform/PosixFileSystem; the tests an in-memory fake
// that can fail any call on purpose (tests/support/FakeFileSystem.h). Work spread over several
// threads (the description search) needs a file system that may be called from them at once,
// as PosixFileSystem may.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace quorvel {

enum class FileKind {
  kMissing,
  kRegular,
  kFolder,
  kOther,  // a device, a pipe, a socket: never opened
};

// What the system records of a file without reading it: enough to tell that the file was
// replaced or written since (a new file has a new inode, a write moves the modification time).
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedNs = 0;  // the modification time in nanoseconds since the epoch

  bool operator==(const FileStamp&) const = default;
};

// A lock taken with FileSystem::LockFile; destroying it lets go. It must not outlive the
// FileSystem that gave it.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // What `path` names, following symbolic links. A path that cannot be examined is kMissing.
  virtual FileKind Kind(const std::string& path) = 0;

  // The whole content of the regular file `path`, at most `maxBytes` bytes. NotFound when it is
  // missing; Damaged when it is not a regular file or is longer than `maxBytes`; IoError (or
  // NoPermission) when it cannot be opened or read.
  virtual Status ReadFile(const std::string& path, uint64_t maxBytes, std::string& content) = 0;

  // `length` bytes of the regular file `path` from the 0-based byte `position`, fewer when the
  // file ends first. Errors as ReadFile.
  virtual Status ReadRange(const std::string& path, uint64_t position, uint64_t length,
                           std::string& bytes) = 0;

  // The stamp of the regular file `path`, following symbolic links. NotFound when it is missing;
  // Damaged when it is not a regular file; IoError (or NoPermission) when it cannot be examined.
  virtual Status Stamp(const std::string& path, FileStamp& stamp) = 0;

  // The names in the folder `path` (no "." or ".."), in no particular order.
  virtual Status ListFolder(const std::string& path, std::vector<std::string>& names) = 0;

  // Creates the folder `path` with every missing parent; an existing folder is success.
  virtual Status MakeFolders(const std::string& path) = 0;

  // Creates the one folder `path`; its parent must exist. An existing folder is success.
  virtual Status MakeFolder(const std::string& path) = 0;

  // Copies the regular file `from` to `to` unless `to` already exists, which counts as done
  // (the existing file is left as it is). The copy appears under its name complete or not at all,
  // with the permission bits of `from` (a program stays executable, a read-only file read-only).
  virtual Status CopyNew(const std::string& from, const std::string& to) = 0;

  // True when the user running the program cannot write `path`: the system refuses this user
  // write access to it, or it lies on a read-only file system. The super-user, whom the system
  // lets write anything, cannot write a path that has no write permission for anyone. A path
  // that cannot be examined is not read-only.
  virtual bool IsReadOnly(const std::string& path) = 0;

  // Gives the owner the write permission on `path`.
  virtual Status MakeOwnerWritable(const std::string& path) = 0;

  // Gives whoever may read `path` the permission to execute it (a launcher on the desktop must
  // be executable to start anything).
  virtual Status MakeExecutable(const std::string& path) = 0;

  // Creates or truncates `path` and writes `bytes`; on success the data has reached the disk.
  virtual Status WriteFile(const std::string& path, std::string_view bytes) = 0;

  // Renames `from` over `to` in one step (an existing `to` is replaced atomically), then makes
  // the rename itself durable.
  virtual Status ReplaceFile(const std::string& from, const std::string& to) = 0;

  // Removes `path`; a missing file is not an error.
  virtual Status RemoveFile(const std::string& path) = 0;

  // Makes the names made in the folder of `path` (files written, renamed or removed there)
  // survive a power loss.
  virtual Status SyncFolderOf(const std::string& path) = 0;

  // Makes `path` the process's current folder, which relative paths are taken from.
  virtual Status SetCurrentFolder(const std::string& path) = 0;

  // Takes the exclusive advisory lock of the file `path` (created empty when missing, never
  // removed), waiting up to `waitMilliseconds` while another holder keeps it. InUse when it is
  // still held then; NoPermission (or NotFound) when the file can be neither made nor opened.
  // Only programs that take the same lock are kept out.
  virtual Status LockFile(const std::string& path, int waitMilliseconds,
                          std::unique_ptr<FileLock>& lock) = 0;
};

// ReadFile of a file the program needs whole (an index, the user's files). NotFound when it is
// not there; a folder, a pipe or a device in its place is an IoError, a file that cannot be
// read, not damaged data; every other failure keeps its code. Errors name `path`.
Status ReadNeededFile(FileSystem& fs, const std::string& path, uint64_t maxBytes, std::string& content);
// The same for a range of the file (FileSystem::ReadRange).
Status ReadNeededRange(FileSystem& fs, const std::string& path, uint64_t position, uint64_t length,
                       std::string& bytes);

// Removes the temporary file `path` when it can. Only for temporaries whose leftover is harmless
// (the next write replaces it, or the next load discards it): a failed removal is then no
// failure of the operation that made it.
void DiscardTemporary(FileSystem& fs, const std::string& path);

}  // namespace quorvel

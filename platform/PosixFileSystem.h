// The program's FileSystem (core/FileSystem.h) on POSIX calls. Only regular files are ever
// read, and never more than the caller allows; a copy appears under its name complete and
// never replaces a file that is there. It keeps no state: any number of threads may call it at
// once.
#pragma once

#include "core/FileSystem.h"

namespace quorvel {

class PosixFileSystem : public FileSystem {
 public:
  // Whether writes, renames and removals are flushed to the disk before they return: the
  // program's own files need it; scratch and generated files (tests, the data build, synthetic
  // folders) are rewritten whole if a power loss hits them, and skip the cost.
  enum class Durability { kFlushed, kUnflushed };
  explicit PosixFileSystem(Durability durability = Durability::kFlushed) : durability_(durability) {}

  FileKind Kind(const std::string& path) override;
  Status ReadFile(const std::string& path, uint64_t maxBytes, std::string& content) override;
  Status ReadRange(const std::string& path, uint64_t position, uint64_t length,
                   std::string& bytes) override;
  Status Stamp(const std::string& path, FileStamp& stamp) override;
  Status ListFolder(const std::string& path, std::vector<std::string>& names) override;
  Status MakeFolders(const std::string& path) override;
  Status MakeFolder(const std::string& path) override;
  // Copies to a hidden temporary name beside `to` (with the permission bits of `from`), flushes
  // it, links it to `to` and removes the temporary name.
  Status CopyNew(const std::string& from, const std::string& to) override;
  // access(2) for a user, the write bits for the super-user; statvfs for a read-only volume.
  bool IsReadOnly(const std::string& path) override;
  Status MakeOwnerWritable(const std::string& path) override;
  Status MakeExecutable(const std::string& path) override;
  // flock() on the file, opened for reading when the folder lets it not be made writable.
  // Writes through a descriptor that must name a regular file (a pipe fails at once).
  Status WriteFile(const std::string& path, std::string_view bytes) override;
  Status ReplaceFile(const std::string& from, const std::string& to) override;
  Status RemoveFile(const std::string& path) override;
  Status SyncFolderOf(const std::string& path) override;
  Status SetCurrentFolder(const std::string& path) override;
  Status LockFile(const std::string& path, int waitMilliseconds,
                  std::unique_ptr<FileLock>& lock) override;

 private:
  Durability durability_;
};

}  // namespace quorvel

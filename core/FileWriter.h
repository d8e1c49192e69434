// The file writes of the user entry store, behind one small interface: the program uses a
// writer that flushes to disk (platform/DurableFileWriter.h), the tests an in-memory fake that
// fails on purpose (tests/support/FakeFileSystem.h). Reads and the rest of the file system are
// core/FileSystem.h.
#pragma once

#include <string>
#include <string_view>

#include "core/Status.h"

namespace quorvel {

class FileWriter {
 public:
  virtual ~FileWriter() = default;

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
};

// The standard library's writer: complete writes and atomic renames, without the flush to disk
// that the standard library cannot ask for (SyncFolderOf does nothing). For tests and tools that
// need no durability.
class StdFileWriter : public FileWriter {
 public:
  Status WriteFile(const std::string& path, std::string_view bytes) override;
  Status ReplaceFile(const std::string& from, const std::string& to) override;
  Status RemoveFile(const std::string& path) override;
  Status SyncFolderOf(const std::string&) override { return Status::Ok(); }
};

}  // namespace quorvel

// A file system that hands every call to another one: the base of test file systems that change
// a few calls (a write that fails, a crash from some call on) and keep the rest as they are.
#pragma once

#include "core/FileSystem.h"

namespace quorvel::test {

class ForwardingFileSystem : public FileSystem {
 public:
  // `inner` must outlive this file system.
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  FileKind Kind(const std::string& path) override { return inner_.Kind(path); }
  Status ReadFile(const std::string& path, uint64_t maxBytes, std::string& content) override {
    return inner_.ReadFile(path, maxBytes, content);
  }
  Status ReadRange(const std::string& path, uint64_t position, uint64_t length, std::string& bytes) override {
    return inner_.ReadRange(path, position, length, bytes);
  }
  Status Stamp(const std::string& path, FileStamp& stamp) override { return inner_.Stamp(path, stamp); }
  Status ListFolder(const std::string& path, std::vector<std::string>& names) override {
    return inner_.ListFolder(path, names);
  }
  Status MakeFolders(const std::string& path) override { return inner_.MakeFolders(path); }
  Status MakeFolder(const std::string& path) override { return inner_.MakeFolder(path); }
  Status CopyNew(const std::string& from, const std::string& to) override { return inner_.CopyNew(from, to); }
  bool IsReadOnly(const std::string& path) override { return inner_.IsReadOnly(path); }
  Status MakeOwnerWritable(const std::string& path) override { return inner_.MakeOwnerWritable(path); }
  Status MakeExecutable(const std::string& path) override { return inner_.MakeExecutable(path); }
  Status WriteFile(const std::string& path, std::string_view bytes) override { return inner_.WriteFile(path, bytes); }
  Status ReplaceFile(const std::string& from, const std::string& to) override { return inner_.ReplaceFile(from, to); }
  Status RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
  Status SyncFolderOf(const std::string& path) override { return inner_.SyncFolderOf(path); }
  Status SetCurrentFolder(const std::string& path) override { return inner_.SetCurrentFolder(path); }
  Status LockFile(const std::string& path, int waitMilliseconds, std::unique_ptr<FileLock>& lock) override {
    return inner_.LockFile(path, waitMilliseconds, lock);
  }

 protected:
  FileSystem& inner() { return inner_; }

 private:
  FileSystem& inner_;
};

}  // namespace quorvel::test

#include "core/FileSystem.h"

namespace quorvel {

namespace {

// A failed read of a needed file, as ReadNeededFile reports it.
Status NeededFailure(FileSystem& fs, const std::string& path, const Status& status) {
  if (status.ok() || status.code() == StatusCode::kNotFound) return status;
  const FileKind kind = status.code() == StatusCode::kDamaged ? fs.Kind(path) : FileKind::kRegular;
  const StatusCode code = kind == FileKind::kFolder || kind == FileKind::kOther ? StatusCode::kIoError : status.code();
  return Status::Error(code, path + ": cannot be read (" + status.message() + ")");
}

}  // namespace

Status ReadNeededFile(FileSystem& fs, const std::string& path, uint64_t maxBytes, std::string& content) {
  return NeededFailure(fs, path, fs.ReadFile(path, maxBytes, content));
}

Status ReadNeededRange(FileSystem& fs, const std::string& path, uint64_t position, uint64_t length,
                       std::string& bytes) {
  return NeededFailure(fs, path, fs.ReadRange(path, position, length, bytes));
}

void DiscardTemporary(FileSystem& fs, const std::string& path) { (void)fs.RemoveFile(path); }

}  // namespace quorvel

#include "core/FileSystem.h"

namespace quorvel {

Status ReadNeededFile(FileSystem& fs, const std::string& path, uint64_t maxBytes, std::string& content) {
  const Status status = fs.ReadFile(path, maxBytes, content);
  if (status.ok() || status.code() == StatusCode::kNotFound) return status;
  const FileKind kind = status.code() == StatusCode::kDamaged ? fs.Kind(path) : FileKind::kRegular;
  const StatusCode code = kind == FileKind::kFolder || kind == FileKind::kOther ? StatusCode::kIoError : status.code();
  return Status::Error(code, path + ": cannot be read (" + status.message() + ")");
}

void DiscardTemporary(FileSystem& fs, const std::string& path) { (void)fs.RemoveFile(path); }

}  // namespace quorvel

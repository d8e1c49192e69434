#include "tests/support/FakeFileSystem.h"

#include <filesystem>
#include <utility>

namespace quorvel::test {
namespace {

std::string Normal(const std::string& path) {
  std::string normal = std::filesystem::path(path).lexically_normal().string();
  if (normal == ".") return "";
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

std::string Parent(const std::string& normal) {
  return Normal(std::filesystem::path(normal).parent_path().string());
}

bool IsRoot(const std::string& normal) { return normal.empty() || normal == "/"; }

// A lock of the fake: its path stands in the fake's set of locked paths while it lives.
class FakeFileLock : public FileLock {
 public:
  FakeFileLock(std::set<std::string>& locked, std::string path) : locked_(locked), path_(std::move(path)) {
    locked_.insert(path_);
  }
  ~FakeFileLock() override { locked_.erase(path_); }

 private:
  std::set<std::string>& locked_;
  std::string path_;
};

}  // namespace

void FakeFileSystem::AddFile(const std::string& path, std::string_view bytes) {
  const std::string name = Normal(path);
  AddFolder(Parent(name));
  files_[name] = std::string(bytes);
  Written(name);
}

void FakeFileSystem::Written(const std::string& name) {
  FileStamp& stamp = stamps_[name];
  if (stamp.inode == 0) stamp.inode = nextInode_++;
  stamp.device = 1;
  stamp.modifiedNs = ++clock_;
}

void FakeFileSystem::AddFolder(const std::string& path) {
  for (std::string folder = Normal(path); !IsRoot(folder); folder = Parent(folder)) {
    folders_.insert(folder);
  }
}

void FakeFileSystem::AddOther(const std::string& path) {
  const std::string name = Normal(path);
  AddFolder(Parent(name));
  others_.insert(name);
}

void FakeFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  if (readOnly) {
    readOnly_.insert(Normal(path));
  } else {
    readOnly_.erase(Normal(path));
  }
}

void FakeFileSystem::FailReads(const std::string& path, StatusCode code) {
  if (code == StatusCode::kOk) {
    unreadable_.erase(Normal(path));
  } else {
    unreadable_[Normal(path)] = code;
  }
}

void FakeFileSystem::FailCall(uint64_t n, StatusCode code) {
  failAt_ = n == 0 ? 0 : calls_ + n;
  failCode_ = code;
  faulted_ = false;
}

std::optional<std::string> FakeFileSystem::Content(const std::string& path) const {
  const auto file = files_.find(Normal(path));
  if (file == files_.end()) return std::nullopt;
  return file->second;
}

std::vector<std::string> FakeFileSystem::Files() const {
  std::vector<std::string> paths;
  for (const auto& [path, bytes] : files_) paths.push_back(path);
  return paths;
}

bool FakeFileSystem::IsExecutable(const std::string& path) const {
  return executable_.count(Normal(path)) != 0;
}

Status FakeFileSystem::Count(const std::string& what) {
  ++calls_;
  if (calls_ != failAt_) return Status::Ok();
  faulted_ = true;
  return Status::Error(failCode_, "injected failure of call " + std::to_string(calls_) + ": " +
                                      what);
}

FileKind FakeFileSystem::KindOf(const std::string& normal) const {
  if (IsRoot(normal) || folders_.count(normal) != 0) return FileKind::kFolder;
  if (files_.count(normal) != 0) return FileKind::kRegular;
  if (others_.count(normal) != 0) return FileKind::kOther;
  return FileKind::kMissing;
}

Status FakeFileSystem::CanChange(const std::string& normal) const {
  const std::string folder = Parent(normal);
  switch (KindOf(folder)) {
    case FileKind::kFolder:
      break;
    case FileKind::kMissing:
      return Status::NotFound("no folder " + folder);
    default:
      return Status::IoError(folder + " is not a folder");
  }
  if (readOnly_.count(folder) != 0) {
    return Status::Error(StatusCode::kNoPermission, "folder " + folder + " is read-only");
  }
  return Status::Ok();
}

FileKind FakeFileSystem::Kind(const std::string& path) {
  const std::string name = Normal(path);
  if (!Count("kind of " + name).ok()) return FileKind::kMissing;
  return KindOf(name);
}

Status FakeFileSystem::Readable(const std::string& name) const {
  switch (KindOf(name)) {
    case FileKind::kRegular: {
      const auto failing = unreadable_.find(name);
      if (failing == unreadable_.end()) return Status::Ok();
      return Status::Error(failing->second, "cannot read " + name);
    }
    case FileKind::kMissing:
      return Status::NotFound("no file " + name);
    default:
      return Status::Damaged(name + " is not a regular file");
  }
}

Status FakeFileSystem::ReadFile(const std::string& path, uint64_t maxBytes,
                                std::string& content) {
  const std::string name = Normal(path);
  const Status injected = Count("read " + name);
  if (!injected.ok()) return injected;
  const Status regular = Readable(name);
  if (!regular.ok()) return regular;
  const std::string& bytes = files_[name];
  if (bytes.size() > maxBytes) return Status::Damaged(name + " is longer than expected");
  content = bytes;
  return Status::Ok();
}

Status FakeFileSystem::ReadRange(const std::string& path, uint64_t position, uint64_t length,
                                 std::string& bytes) {
  const std::string name = Normal(path);
  const Status injected = Count("read range of " + name);
  if (!injected.ok()) return injected;
  const Status regular = Readable(name);
  if (!regular.ok()) return regular;
  const std::string& content = files_[name];
  bytes = position >= content.size() ? std::string() : content.substr(position, length);
  return Status::Ok();
}

Status FakeFileSystem::Stamp(const std::string& path, FileStamp& stamp) {
  const std::string name = Normal(path);
  const Status injected = Count("stamp of " + name);
  if (!injected.ok()) return injected;
  const Status regular = Readable(name);
  if (!regular.ok()) return regular;
  stamp = stamps_[name];
  stamp.size = files_[name].size();
  return Status::Ok();
}

Status FakeFileSystem::ListFolder(const std::string& path, std::vector<std::string>& names) {
  const std::string name = Normal(path);
  const Status injected = Count("list " + name);
  if (!injected.ok()) return injected;
  switch (KindOf(name)) {
    case FileKind::kFolder:
      break;
    case FileKind::kMissing:
      return Status::NotFound("no folder " + name);
    default:
      return Status::IoError(name + " is not a folder");
  }
  names.clear();
  const auto collect = [&](const std::string& entry) {
    if (Parent(entry) == name) names.push_back(std::filesystem::path(entry).filename().string());
  };
  for (const auto& [file, bytes] : files_) collect(file);
  for (const std::string& folder : folders_) collect(folder);
  for (const std::string& other : others_) collect(other);
  return Status::Ok();
}

Status FakeFileSystem::MakeFolders(const std::string& path) {
  const std::string name = Normal(path);
  const Status injected = Count("make folders " + name);
  if (!injected.ok()) return injected;
  std::vector<std::string> chain;  // `name` and its parents, the innermost first
  for (std::string folder = name; !IsRoot(folder); folder = Parent(folder)) chain.push_back(folder);
  for (auto folder = chain.rbegin(); folder != chain.rend(); ++folder) {
    const FileKind kind = KindOf(*folder);
    if (kind == FileKind::kFolder) continue;
    if (kind != FileKind::kMissing) return Status::IoError(*folder + " is not a folder");
    const Status status = CanChange(*folder);
    if (!status.ok()) return status;
    if (diskFull_) return Status::Error(StatusCode::kNoSpace, "disk full: " + *folder);
    folders_.insert(*folder);
  }
  return Status::Ok();
}

Status FakeFileSystem::MakeFolder(const std::string& path) {
  const std::string name = Normal(path);
  const Status injected = Count("make folder " + name);
  if (!injected.ok()) return injected;
  const FileKind kind = KindOf(name);
  if (kind == FileKind::kFolder) return Status::Ok();
  if (kind != FileKind::kMissing) return Status::IoError(name + " is not a folder");
  const Status status = CanChange(name);
  if (!status.ok()) return status;
  if (diskFull_) return Status::Error(StatusCode::kNoSpace, "disk full: " + name);
  folders_.insert(name);
  return Status::Ok();
}

Status FakeFileSystem::CopyNew(const std::string& from, const std::string& to) {
  const std::string source = Normal(from);
  const std::string target = Normal(to);
  const Status injected = Count("copy " + source + " to " + target);
  if (!injected.ok()) return injected;
  if (KindOf(target) != FileKind::kMissing) return Status::Ok();
  switch (KindOf(source)) {
    case FileKind::kRegular:
      break;
    case FileKind::kMissing:
      return Status::NotFound("no file " + source);
    default:
      return Status::Damaged(source + " is not a regular file");
  }
  const Status status = CanChange(target);
  if (!status.ok()) return status;
  if (diskFull_) return Status::Error(StatusCode::kNoSpace, "disk full: " + target);
  files_[target] = files_[source];
  Written(target);
  if (readOnly_.count(source) != 0) readOnly_.insert(target);
  return Status::Ok();
}

bool FakeFileSystem::IsReadOnly(const std::string& path) {
  const std::string name = Normal(path);
  if (!Count("read-only test of " + name).ok()) return false;
  return KindOf(name) != FileKind::kMissing && readOnly_.count(name) != 0;
}

Status FakeFileSystem::MakeOwnerWritable(const std::string& path) {
  const std::string name = Normal(path);
  const Status injected = Count("make writable " + name);
  if (!injected.ok()) return injected;
  if (KindOf(name) == FileKind::kMissing) return Status::NotFound("no file " + name);
  readOnly_.erase(name);
  return Status::Ok();
}

Status FakeFileSystem::MakeExecutable(const std::string& path) {
  const std::string name = Normal(path);
  const Status injected = Count("make executable " + name);
  if (!injected.ok()) return injected;
  if (KindOf(name) != FileKind::kRegular) return Status::NotFound("no file " + name);
  executable_.insert(name);
  return Status::Ok();
}

Status FakeFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  const std::string name = Normal(path);
  const Status injected = Count("write " + name);
  Status status = CanChange(name);
  if (status.ok() && KindOf(name) == FileKind::kFolder) {
    status = Status::IoError(name + " is a folder");
  } else if (status.ok() && KindOf(name) == FileKind::kOther) {
    status = Status::Damaged(name + " is not a regular file");
  } else if (status.ok() && readOnly_.count(name) != 0) {
    status = Status::Error(StatusCode::kNoPermission, name + " is read-only");
  }
  const std::string_view half = bytes.substr(0, bytes.size() / 2);
  if (!injected.ok()) {
    if (status.ok()) {
      files_[name] = std::string(half);
      Written(name);
    }
    return injected;
  }
  if (!status.ok()) return status;
  files_[name] = std::string(diskFull_ ? half : bytes);
  Written(name);
  if (diskFull_) return Status::Error(StatusCode::kNoSpace, "disk full: " + name);
  return Status::Ok();
}

Status FakeFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
  const std::string source = Normal(from);
  const std::string target = Normal(to);
  const Status injected = Count("replace " + target + " by " + source);
  if (!injected.ok()) return injected;
  if (KindOf(source) == FileKind::kMissing) return Status::NotFound("no file " + source);
  if (KindOf(source) != FileKind::kRegular) return Status::IoError(source + " is not a file");
  if (KindOf(target) == FileKind::kFolder) return Status::IoError(target + " is a folder");
  Status status = CanChange(source);
  if (status.ok()) status = CanChange(target);
  if (!status.ok()) return status;
  if (source == target) return Status::Ok();
  others_.erase(target);
  files_[target] = std::move(files_[source]);
  files_.erase(source);
  stamps_[target] = stamps_[source];
  stamps_.erase(source);
  if (readOnly_.erase(source) != 0) {
    readOnly_.insert(target);
  } else {
    readOnly_.erase(target);
  }
  if (executable_.erase(source) != 0) {
    executable_.insert(target);
  } else {
    executable_.erase(target);
  }
  return Status::Ok();
}

Status FakeFileSystem::RemoveFile(const std::string& path) {
  const std::string name = Normal(path);
  const Status injected = Count("remove " + name);
  if (!injected.ok()) return injected;
  const FileKind kind = KindOf(name);
  if (kind == FileKind::kMissing) return Status::Ok();
  if (kind == FileKind::kFolder) return Status::IoError(name + " is a folder");
  const Status status = CanChange(name);
  if (!status.ok()) return status;
  files_.erase(name);
  stamps_.erase(name);
  others_.erase(name);
  readOnly_.erase(name);
  executable_.erase(name);
  return Status::Ok();
}

Status FakeFileSystem::SyncFolderOf(const std::string& path) {
  const std::string folder = Parent(Normal(path));
  const Status injected = Count("sync folder " + folder);
  if (!injected.ok()) return injected;
  if (KindOf(folder) != FileKind::kFolder) return Status::NotFound("no folder " + folder);
  return Status::Ok();
}

Status FakeFileSystem::SetCurrentFolder(const std::string& path) {
  const std::string name = Normal(path);
  const Status injected = Count("change to folder " + name);
  if (!injected.ok()) return injected;
  if (KindOf(name) != FileKind::kFolder) return Status::NotFound("no folder " + name);
  current_ = name;
  return Status::Ok();
}

Status FakeFileSystem::LockFile(const std::string& path, int, std::unique_ptr<FileLock>& lock) {
  const std::string name = Normal(path);
  const Status injected = Count("lock " + name);
  if (!injected.ok()) return injected;
  const FileKind kind = KindOf(name);
  if (kind == FileKind::kMissing) {
    const Status status = CanChange(name);
    if (!status.ok()) return status;
    files_[name] = std::string();
    Written(name);
  } else if (kind != FileKind::kRegular) {
    return Status::Damaged(name + " is not a regular file");
  }
  if (locked_.count(name) != 0) return Status::Error(StatusCode::kInUse, name + " is held by another program");
  lock = std::make_unique<FakeFileLock>(locked_, name);
  return Status::Ok();
}

}  // namespace quorvel::test

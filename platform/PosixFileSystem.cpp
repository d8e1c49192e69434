#include "platform/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string_view>
#include <thread>
#include <utility>

#include "platform/PosixSupport.h"

namespace quorvel {
namespace {

constexpr size_t kChunk = 64 * 1024;

// An open file descriptor, closed when it goes out of scope.
class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }

  int get() const { return fd_; }
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Gives up the descriptor without closing it.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now; the result of close(), which can report a failed write.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_ = -1;
};

// Opens `path` for reading when it is a regular file; `info` is what fstat says of it. Anything
// else is Damaged and never read. O_NONBLOCK keeps the open of a pipe from waiting for a writer,
// O_NOCTTY keeps a terminal from becoming the program's own.
Status OpenRegular(const std::string& path, Descriptor& file, struct stat& info) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return SystemError("cannot open " + path);
  file.Reset(fd);
  if (::fstat(fd, &info) != 0) return SystemError("cannot examine " + path);
  if (!S_ISREG(info.st_mode)) return Status::Damaged(path + " is not a regular file");
  return Status::Ok();
}

// Appends the bytes of `fd` from `position` to `out` until the file ends or `length` bytes are
// read. It reads in chunks, so memory follows what the file really holds, whatever its size
// claims.
Status ReadAt(int fd, const std::string& path, uint64_t position, uint64_t length,
              std::string& out) {
  constexpr uint64_t kLastOffset = std::numeric_limits<off_t>::max();
  if (position > kLastOffset) return Status::Ok();
  uint64_t done = 0;
  while (done < length) {
    const uint64_t want = std::min({length - done, uint64_t{kChunk}, kLastOffset - position - done});
    if (want == 0) break;
    const size_t before = out.size();
    out.resize(before + want);
    const ssize_t n = ::pread(fd, out.data() + before, want, static_cast<off_t>(position + done));
    if (n < 0) {
      out.resize(before);
      if (errno == EINTR) continue;
      return SystemError("cannot read " + path);
    }
    out.resize(before + static_cast<size_t>(n));
    if (n == 0) break;
    done += static_cast<uint64_t>(n);
  }
  return Status::Ok();
}

// Writes all of `bytes` to `fd`.
Status WriteAll(int fd, const std::string& path, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError("cannot write " + path);
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return Status::Ok();
}

// Copies the rest of `from` into `to`.
Status CopyContent(int from, const std::string& fromPath, int to, const std::string& toPath) {
  std::string buffer(kChunk, '\0');
  for (;;) {
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError("cannot read " + fromPath);
    }
    if (n == 0) return Status::Ok();
    const Status written =
        WriteAll(to, toPath, std::string_view(buffer.data(), static_cast<size_t>(n)));
    if (!written.ok()) return written;
  }
}

// Gives the file `from` the new name `to` without ever replacing a file of that name: 0, or -1
// with errno (EEXIST when `to` is there). A file system without hard links (FAT) refuses link()
// with EPERM; there a rename that refuses to replace does the same.
int LinkNew(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) == 0) return 0;
  if (errno != EPERM && errno != EOPNOTSUPP) return -1;
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

// A held flock(); closing the descriptor lets go.
class PosixFileLock : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { ::close(fd_); }

 private:
  int fd_;
};

}  // namespace

FileKind PosixFileSystem::Kind(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return FileKind::kMissing;
  if (S_ISREG(info.st_mode)) return FileKind::kRegular;
  if (S_ISDIR(info.st_mode)) return FileKind::kFolder;
  return FileKind::kOther;
}

Status PosixFileSystem::ReadFile(const std::string& path, uint64_t maxBytes,
                                 std::string& content) {
  Descriptor file;
  struct stat info;
  Status status = OpenRegular(path, file, info);
  if (!status.ok()) return status;
  const uint64_t claimed = static_cast<uint64_t>(info.st_size);
  if (claimed > maxBytes) return Status::Damaged(path + " is longer than expected");
  std::string data;
  data.reserve(claimed);
  // One byte past the limit tells a file that has grown since fstat.
  const uint64_t limit = maxBytes == std::numeric_limits<uint64_t>::max() ? maxBytes : maxBytes + 1;
  status = ReadAt(file.get(), path, 0, limit, data);
  if (!status.ok()) return status;
  if (data.size() > maxBytes) return Status::Damaged(path + " is longer than expected");
  content = std::move(data);
  return Status::Ok();
}

Status PosixFileSystem::ReadRange(const std::string& path, uint64_t position, uint64_t length,
                                  std::string& bytes) {
  Descriptor file;
  struct stat info;
  Status status = OpenRegular(path, file, info);
  if (!status.ok()) return status;
  std::string data;
  status = ReadAt(file.get(), path, position, length, data);
  if (!status.ok()) return status;
  bytes = std::move(data);
  return Status::Ok();
}

Status PosixFileSystem::Stamp(const std::string& path, FileStamp& stamp) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return SystemError("cannot examine " + path);
  if (!S_ISREG(info.st_mode)) return Status::Damaged(path + " is not a regular file");
  stamp.device = static_cast<uint64_t>(info.st_dev);
  stamp.inode = static_cast<uint64_t>(info.st_ino);
  stamp.size = static_cast<uint64_t>(info.st_size);
  stamp.modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return Status::Ok();
}

Status PosixFileSystem::ListFolder(const std::string& path, std::vector<std::string>& names) {
  DIR* folder = ::opendir(path.c_str());
  if (folder == nullptr) return SystemError("cannot open folder " + path);
  std::vector<std::string> found;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(folder);
    if (entry == nullptr) {
      if (errno == 0) break;
      const Status error = SystemError("cannot read folder " + path);
      ::closedir(folder);
      return error;
    }
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") found.emplace_back(name);
  }
  ::closedir(folder);
  names = std::move(found);
  return Status::Ok();
}

Status PosixFileSystem::MakeFolders(const std::string& path) {
  // Each prefix that ends before a "/", then the whole path.
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string folder = path.substr(0, end);
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0) {
      if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        return SystemError("cannot create folder " + folder);
      }
    } else if (!S_ISDIR(info.st_mode)) {
      return Status::IoError("cannot create folder " + path + ": " + folder + " is not a folder");
    }
    if (end == std::string::npos) return Status::Ok();
  }
}

Status PosixFileSystem::MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return Status::Ok();
  if (errno == EEXIST && Kind(path) == FileKind::kFolder) return Status::Ok();
  return SystemError("cannot create folder " + path);
}

Status PosixFileSystem::CopyNew(const std::string& from, const std::string& to) {
  struct stat existing;
  if (::lstat(to.c_str(), &existing) == 0) return Status::Ok();

  Descriptor source;
  struct stat info;
  Status status = OpenRegular(from, source, info);
  if (!status.ok()) return status;

  const std::filesystem::path target(to);
  std::string temporary =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  Descriptor copy(::mkostemp(temporary.data(), O_CLOEXEC));
  if (copy.get() < 0) return SystemError("cannot create a temporary file for " + to);

  status = CopyContent(source.get(), from, copy.get(), temporary);
  if (status.ok() && ::fchmod(copy.get(), info.st_mode & 0777) != 0) {
    status = SystemError("cannot set the permissions of " + temporary);
  }
  if (status.ok() && ::fsync(copy.get()) != 0) status = SystemError("cannot flush " + temporary);
  if (status.ok() && copy.Close() != 0) status = SystemError("cannot close " + temporary);
  if (status.ok() && LinkNew(temporary, to) != 0 && errno != EEXIST) {
    status = SystemError("cannot create " + to);
  }
  // The temporary name goes in every case; the copy lives on under `to` when it was linked.
  ::unlink(temporary.c_str());
  if (!status.ok()) return status;
  return SyncFolderOf(to);
}

bool PosixFileSystem::IsReadOnly(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  struct statvfs volume;
  if (::statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0) return true;
  // access() lets the super-user write anything; for them the write bits tell.
  if (::geteuid() == 0) return (info.st_mode & 0222) == 0;
  return ::access(path.c_str(), W_OK) != 0 && errno != ENOENT;
}

Status PosixFileSystem::MakeOwnerWritable(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return SystemError("cannot examine " + path);
  if (::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) != 0) {
    return SystemError("cannot change the permissions of " + path);
  }
  return Status::Ok();
}

Status PosixFileSystem::MakeExecutable(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return SystemError("cannot examine " + path);
  // Each read bit (owner, group, others) brings its execute bit.
  const mode_t execute = (info.st_mode & 0444) >> 2;
  if (::chmod(path.c_str(), (info.st_mode & 07777) | execute) != 0) {
    return SystemError("cannot change the permissions of " + path);
  }
  return Status::Ok();
}

Status PosixFileSystem::LockFile(const std::string& path, int waitMilliseconds,
                                 std::unique_ptr<FileLock>& lock) {
  constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  Descriptor file(::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644));
  if (file.get() < 0) {
    const Status error = SystemError("cannot open the lock file " + path);
    // In a folder that cannot be written, a lock file that is there still locks.
    if (error.code() == StatusCode::kNoPermission) file.Reset(::open(path.c_str(), O_RDONLY | kFlags));
    if (file.get() < 0) return error;
  }
  struct stat info;
  if (::fstat(file.get(), &info) != 0) return SystemError("cannot examine " + path);
  if (!S_ISREG(info.st_mode)) return Status::Damaged(path + " is not a regular file");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  while (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return SystemError("cannot lock " + path);
    if (std::chrono::steady_clock::now() >= deadline) {
      return Status::Error(StatusCode::kInUse, path + " is held by another program");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  lock = std::make_unique<PosixFileLock>(file.Release());
  return Status::Ok();
}

Status PosixFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  // O_NONBLOCK: a pipe under the name must fail at once instead of waiting for a reader; it has
  // no effect on the regular file that is written.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) return SystemError("cannot create " + path);
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const Status error = SystemError("cannot examine " + path);
    ::close(fd);
    return error;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return Status::Damaged("cannot write " + path + ": not a regular file");
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const Status error = SystemError("cannot write " + path);
      ::close(fd);
      return error;
    }
    done += static_cast<size_t>(n);
  }
  if (durability_ == Durability::kFlushed && ::fsync(fd) != 0) {
    const Status error = SystemError("cannot flush " + path);
    ::close(fd);
    return error;
  }
  if (::close(fd) != 0) return SystemError("cannot close " + path);
  return Status::Ok();
}

Status PosixFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    return SystemError("cannot rename " + from + " to " + to);
  }
  return SyncFolderOf(to);
}

Status PosixFileSystem::RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return SystemError("cannot remove " + path);
  return SyncFolderOf(path);
}

Status PosixFileSystem::SyncFolderOf(const std::string& path) {
  if (durability_ == Durability::kUnflushed) return Status::Ok();
  return quorvel::SyncFolderOf(path);
}

Status PosixFileSystem::SetCurrentFolder(const std::string& path) {
  if (::chdir(path.c_str()) != 0) return SystemError("cannot change to folder " + path);
  return Status::Ok();
}

}  // namespace quorvel

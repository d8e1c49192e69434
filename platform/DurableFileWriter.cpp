#include "platform/DurableFileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace quorvel {
namespace {

// The failure of the last system call, by its errno, with what was being done.
Status SystemError(const std::string& what) {
  const int error = errno;
  const std::string message = what + ": " + std::strerror(error);
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return Status::Error(StatusCode::kNoSpace, message);
    case EACCES:
    case EPERM:
    case EROFS:
      return Status::Error(StatusCode::kNoPermission, message);
    case ENOENT:
      return Status::NotFound(message);
    default:
      return Status::IoError(message);
  }
}

// Flushes the folder entry of `path` so that a rename or removal survives a power loss.
Status SyncFolderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::string folder = parent.empty() ? std::string(".") : parent.string();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return SystemError("cannot open folder " + folder);
  const int result = ::fsync(fd);
  ::close(fd);
  if (result != 0) return SystemError("cannot flush folder " + folder);
  return Status::Ok();
}

}  // namespace

Status DurableFileWriter::WriteFile(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return SystemError("cannot create " + path);
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
  if (::fsync(fd) != 0) {
    const Status error = SystemError("cannot flush " + path);
    ::close(fd);
    return error;
  }
  if (::close(fd) != 0) return SystemError("cannot close " + path);
  return Status::Ok();
}

Status DurableFileWriter::ReplaceFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    return SystemError("cannot rename " + from + " to " + to);
  }
  return SyncFolderOf(to);
}

Status DurableFileWriter::RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return SystemError("cannot remove " + path);
  return SyncFolderOf(path);
}

}  // namespace quorvel

#include "platform/PosixSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quorvel {

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

Status SyncFolderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::string folder = parent.empty() ? std::string(".") : parent.string();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return SystemError("cannot open folder " + folder);
  if (::fsync(fd) != 0) {
    const Status error = SystemError("cannot flush folder " + folder);
    ::close(fd);
    return error;
  }
  ::close(fd);
  return Status::Ok();
}

}  // namespace quorvel

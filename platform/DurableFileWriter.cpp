#include "platform/DurableFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/PosixSupport.h"

namespace quorvel {

Status DurableFileWriter::WriteFile(const std::string& path, std::string_view bytes) {
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
  return quorvel::SyncFolderOf(to);
}

Status DurableFileWriter::RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return SystemError("cannot remove " + path);
  return quorvel::SyncFolderOf(path);
}

Status DurableFileWriter::SyncFolderOf(const std::string& path) { return quorvel::SyncFolderOf(path); }

}  // namespace quorvel

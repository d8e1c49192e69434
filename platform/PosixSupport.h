// The POSIX steps that the platform's file classes share: a failed system call as a Status with
// the code its errno stands for, and flushing a folder so that a name made, renamed or removed
// in it survives a power loss.
#pragma once

#include <string>

#include "core/Status.h"

namespace quorvel {

// The failure of the system call that has just failed, by its errno, with `what` was being done:
// ENOENT is NotFound, ENOSPC and EDQUOT NoSpace, EACCES, EPERM and EROFS NoPermission, anything
// else IoError. Call it before anything else can change errno.
Status SystemError(const std::string& what);

// Flushes the folder that holds `path` (the current folder for a bare name).
Status SyncFolderOf(const std::string& path);

}  // namespace quorvel

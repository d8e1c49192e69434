// Opening a file that comes from outside the program for reading. Only a regular file is opened
// (symbolic links followed): a folder, a pipe or a device never is, so that a read can neither
// block for ever nor run without end. The kind is looked up without opening the file, just before
// it is opened; a path replaced in between by a pipe could still block the open.
#pragma once

#include <fstream>
#include <string>

namespace quorvel {

// What a name leads to, as far as reading goes: nothing, a regular file, or something that is
// never read (a folder, a pipe, a device, a path that cannot be examined).
enum class FileState { kMissing, kRegular, kUnreadable };
FileState StateOf(const std::string& path);

// True when `path` names a regular file.
bool IsRegularFile(const std::string& path);

// Opens `in` on `path` for binary reading when `path` names a regular file; false (and `in`
// left closed) otherwise or when it cannot be opened.
bool OpenRegularFile(const std::string& path, std::ifstream& in);

}  // namespace quorvel

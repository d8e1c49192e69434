// The user's three files (index, descriptions, Greek terms) as one load or one edit reads them:
// whole, at one moment, with the generation they make.
//
// Several programs may share one user folder. Every commit of the user files gives them a new
// generation: a checksum of their bytes, so it lives beside the files and never in them. A load
// remembers the generation it read; an edit reads the files again under the lock and compares,
// so that it never acts on an index older than the files. The stamp is the cheap look that
// needs no read: the stamps of the three files and of the commit record, which any commit
// changes (a rename gives a file a new inode).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/FileSystem.h"
#include "core/Locations.h"
#include "core/Status.h"

namespace quorvel {

struct UserFileSet {
  // Each file's bytes; nothing when the file is not there (the user has no entries yet).
  std::optional<std::string> index;
  std::optional<std::string> descriptions;
  std::optional<std::string> greek;
};

// The generation of the files: equal sets have equal generations, and sets that differ in any
// byte (or in a file being there) differ, but for a chance of one in 2^64.
uint64_t GenerationOf(const UserFileSet& files);

// Reads the three user files of `locations`. A missing file is nothing. A file that cannot be
// read (a read error, no permission, not a regular file, longer than a user file can be) is
// nothing too, and the first such failure is returned with its code, naming the file. Nothing
// is read without a user folder.
Status ReadUserFileSet(const Locations& locations, FileSystem& fs, UserFileSet& files);

struct UserFilesStamp {
  std::array<FileStamp, 4> files;  // index, descriptions, Greek terms, commit record; all 0 when missing

  bool operator==(const UserFilesStamp&) const = default;
};

// The stamps of the user files of `locations` (all missing without a user folder).
UserFilesStamp StampUserFiles(const Locations& locations, FileSystem& fs);

}  // namespace quorvel

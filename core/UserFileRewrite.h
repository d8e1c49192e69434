// The one way the user's files are changed, and how a load finds them whole.
//
// A rewrite writes the new contents to the temporary files, then a commit record (the size and
// checksum of each new file, commit.tbo in the user folder), flushes the folder, and moves the
// temporaries over the user files (index, descriptions, Greek terms); the record goes last. The
// record proves the temporaries to be the whole new state: a recovery completes a rewrite only
// when the record is sound and every file it lists matches it, still under its temporary name
// or already in place; without that, the temporaries are discarded and the user files are the
// old ones. So the user files are always all old or all new.
//
// Recovery and every rewrite run under the lock of the user files (lock.tbo in the user
// folder), so that two programs never change them at once.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/FileSystem.h"
#include "core/Locations.h"
#include "core/Status.h"

namespace quorvel {

// How long a program waits for another one to finish with the user files.
inline constexpr int kUserFilesLockWaitMilliseconds = 2000;

// The largest user files read: 30001 index lines (103 bytes and a line end; damaged lines may be
// longer), and the descriptions up to the last offset the 8-digit field can hold with the
// longest length the 5-digit field can.
inline constexpr uint64_t kMaxUserIndexBytes = 30001 * 256;
inline constexpr uint64_t kMaxUserDescriptionBytes = 99999999 + 99999;

struct UserFileContents {
  std::string index;         // the user English index file, coded lines with CR LF
  std::string descriptions;  // the user description file
  std::optional<std::string> greek;  // the user Greek index file; nothing keeps the old one
};

// The commit record's path in the user folder. REQUIRES: locations.HasUserFolder().
std::string CommitRecordFile(const Locations& locations);

// Takes the lock of the user files, waiting up to kUserFilesLockWaitMilliseconds. InUse ("the
// user entries are in use by another program") when another program keeps it; the code of the
// failure when the lock file cannot be made or opened. REQUIRES: locations.HasUserFolder().
Status LockUserFiles(const Locations& locations, FileSystem& fs, std::unique_ptr<FileLock>& lock);

// Writes the new files and replaces the user files with them.
// REQUIRES: the lock held, the user files recovered (RecoverUserFiles gave Ok).
// A failure before the record is written and the folder flushed leaves the user files as they
// were, the temporaries removed, and is returned. From then on the change is made: Ok is
// returned even when a replacement fails (twice) or the record cannot be removed, and the next
// load finishes what is left (its LoadReport::recovery says when it cannot).
Status CommitUserFiles(const Locations& locations, FileSystem& fs,
                       const UserFileContents& contents);

// What a recovery found and did.
struct RecoveredUserFiles {
  // Not Ok when an interrupted rewrite is left unfinished (the files cannot be renamed, the
  // record cannot be read, the lock could not be taken while there was one to finish).
  Status status = Status::Ok();
  // `locations` with the user paths naming where the whole current user files are: the user
  // files, or, for a rewrite that the record proves but that could not be finished, the new
  // files where they lie (some still under their temporary names).
  Locations readFrom;
};

// Completes a rewrite that the record proves, or discards the temporaries of one it does not.
// Failing to remove stray temporaries is no failure: the user files are whole, and the next
// rewrite writes the temporaries anew. Does nothing without a user folder.
// REQUIRES: the lock held.
RecoveredUserFiles RecoverUserFiles(const Locations& locations, FileSystem& fs);

// The user files for a load: takes the lock (kept in `lock`, so that no rewrite replaces a file
// between the load's reads) and recovers. When the lock cannot be taken (another program keeps
// it for long, or the folder cannot be written) the load goes on without it: the files are not
// changed, and the record still tells what to read.
RecoveredUserFiles PrepareUserFilesForLoad(const Locations& locations, FileSystem& fs, std::unique_ptr<FileLock>& lock);

}  // namespace quorvel

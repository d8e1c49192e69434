#include "core/UserFileRewrite.h"

#include "core/Paths.h"

namespace quorvel {

Status CommitUserFiles(const Locations& locations, FileWriter& writer,
                       const UserFileContents& contents) {
  // The temporary index file is written first: while it exists, nothing has been replaced.
  Status status = writer.WriteFile(locations.TempIndexFile, contents.index);
  if (status.ok()) status = writer.WriteFile(locations.TempDescrFile, contents.descriptions);
  if (status.ok()) {
    // Without new Greek contents, a temporary Greek file left from an earlier failure must not
    // be moved in by a later recovery.
    status = contents.greek ? writer.WriteFile(locations.TempGreekFile, *contents.greek)
                            : writer.RemoveFile(locations.TempGreekFile);
  }
  if (!status.ok()) {
    // The temporary index file goes last: a crash in between must not leave the others alone.
    writer.RemoveFile(locations.TempGreekFile);
    writer.RemoveFile(locations.TempDescrFile);
    writer.RemoveFile(locations.TempIndexFile);
    return status;
  }
  status = writer.ReplaceFile(locations.TempIndexFile, locations.UserIndexFile);
  if (status.ok()) status = writer.ReplaceFile(locations.TempDescrFile, locations.UserDescrFile);
  if (status.ok() && contents.greek) {
    status = writer.ReplaceFile(locations.TempGreekFile, locations.UserGreekFile);
  }
  return status;
}

Status RecoverUserFiles(const Locations& locations, FileWriter& writer) {
  if (!locations.HasUserFolder()) return Status::Ok();
  if (FileExists(locations.TempIndexFile)) {
    // The temporary index file goes last: while it exists, the others are discarded.
    Status status = writer.RemoveFile(locations.TempGreekFile);
    if (status.ok()) status = writer.RemoveFile(locations.TempDescrFile);
    if (status.ok()) status = writer.RemoveFile(locations.TempIndexFile);
    return status;
  }
  Status status = Status::Ok();
  if (FileExists(locations.TempDescrFile)) {
    status = writer.ReplaceFile(locations.TempDescrFile, locations.UserDescrFile);
  }
  if (status.ok() && FileExists(locations.TempGreekFile)) {
    status = writer.ReplaceFile(locations.TempGreekFile, locations.UserGreekFile);
  }
  return status;
}

}  // namespace quorvel

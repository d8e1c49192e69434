#include "core/UserFileRewrite.h"

#include "core/Paths.h"

namespace quorvel {

Status CommitUserFiles(const Locations& locations, FileWriter& writer,
                       const UserFileContents& contents) {
  // The temporary index file is written first: while it exists, nothing has been replaced.
  Status status = writer.WriteFile(locations.TempIndexFile, contents.index);
  if (status.ok()) status = writer.WriteFile(locations.TempDescrFile, contents.descriptions);
  if (status.ok() && contents.greek) status = writer.WriteFile(locations.TempGreekFile, *contents.greek);
  if (!status.ok()) {
    writer.RemoveFile(locations.TempIndexFile);
    writer.RemoveFile(locations.TempDescrFile);
    writer.RemoveFile(locations.TempGreekFile);
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
    Status status = writer.RemoveFile(locations.TempIndexFile);
    if (status.ok()) status = writer.RemoveFile(locations.TempDescrFile);
    if (status.ok()) status = writer.RemoveFile(locations.TempGreekFile);
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

#include "core/UserFileSet.h"

#include "core/Checksum.h"
#include "core/UserFileRewrite.h"

namespace quorvel {
namespace {

// A file of the set: the checksum of its presence, its size and its bytes, so that the
// boundary between two files is part of what is summed.
uint64_t Continue(uint64_t sum, const std::optional<std::string>& file) {
  if (!file) return Checksum64("-", sum);
  sum = Checksum64("+" + std::to_string(file->size()) + ":", sum);
  return Checksum64(*file, sum);
}

Status ReadOne(FileSystem& fs, const std::string& path, uint64_t maxBytes, std::optional<std::string>& bytes) {
  std::string content;
  const Status status = ReadNeededFile(fs, path, maxBytes, content);
  if (status.code() == StatusCode::kNotFound) return Status::Ok();
  if (status.ok()) bytes = std::move(content);
  return status;
}

}  // namespace

uint64_t GenerationOf(const UserFileSet& files) {
  uint64_t sum = 0;
  for (const auto* file : {&files.index, &files.descriptions, &files.greek}) sum = Continue(sum, *file);
  return sum;
}

Status ReadUserFileSet(const Locations& locations, FileSystem& fs, UserFileSet& files) {
  files = UserFileSet();
  if (!locations.HasUserFolder()) return Status::Ok();
  Status first = Status::Ok();
  for (const Status& status : {ReadOne(fs, locations.UserIndexFile, kMaxUserIndexBytes, files.index),
                               ReadOne(fs, locations.UserDescrFile, kMaxUserDescriptionBytes, files.descriptions),
                               ReadOne(fs, locations.UserGreekFile, kMaxUserIndexBytes, files.greek)}) {
    if (first.ok()) first = status;
  }
  return first;
}

UserFilesStamp StampUserFiles(const Locations& locations, FileSystem& fs) {
  UserFilesStamp stamp;
  if (!locations.HasUserFolder()) return stamp;
  const std::string paths[] = {locations.UserIndexFile, locations.UserDescrFile, locations.UserGreekFile,
                               CommitRecordFile(locations)};
  for (size_t i = 0; i < stamp.files.size(); ++i) {
    // A file that is not there, or is no regular file, stamps as nothing: whatever is there
    // later differs from it.
    if (!fs.Stamp(paths[i], stamp.files[i]).ok()) stamp.files[i] = FileStamp();
  }
  return stamp;
}

}  // namespace quorvel

#include "core/UserFileRewrite.h"

#include <cstdio>
#include <vector>


namespace quorvel {
namespace {

constexpr const char* kRecordName = "commit.tbo";
constexpr const char* kLockName = "lock.tbo";
constexpr const char* kRecordHeading = "quorvel user files";
constexpr uint64_t kMaxRecordBytes = 4096;

// A file of the user folder beside `sibling`.
std::string InUserFolder(const std::string& sibling, const char* name) {
  const size_t slash = sibling.find_last_of('/');
  return (slash == std::string::npos ? std::string() : sibling.substr(0, slash + 1)) + name;
}

std::string RecordFile(const Locations& l) { return CommitRecordFile(l); }

// 64-bit FNV-1a: the checksum of the record's format.
uint64_t Checksum(std::string_view bytes) {
  uint64_t sum = 14695981039346656037ull;
  for (const char c : bytes) {
    sum ^= static_cast<unsigned char>(c);
    sum *= 1099511628211ull;
  }
  return sum;
}

std::string Hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// One new file of a rewrite: which user file it replaces, its size and checksum, and whether it
// is already in place (else it lies under its temporary name).
struct NewFile {
  const char* role = nullptr;
  std::string Locations::*user = nullptr;
  std::string Locations::*temp = nullptr;
  uint64_t maxBytes = 0;
  uint64_t size = 0;
  std::string sum;
  bool inPlace = false;
};

// The new files of a rewrite in the order they replace the user files; the Greek file last and
// only when the rewrite has one.
std::vector<NewFile> NewFiles(bool greek) {
  const auto file = [](const char* role, std::string Locations::*user, std::string Locations::*temp,
                       uint64_t maxBytes) {
    NewFile f;
    f.role = role;
    f.user = user;
    f.temp = temp;
    f.maxBytes = maxBytes;
    return f;
  };
  std::vector<NewFile> files = {
      file("index", &Locations::UserIndexFile, &Locations::TempIndexFile, kMaxUserIndexBytes),
      file("descriptions", &Locations::UserDescrFile, &Locations::TempDescrFile, kMaxUserDescriptionBytes)};
  if (greek) files.push_back(file("greek", &Locations::UserGreekFile, &Locations::TempGreekFile, kMaxUserIndexBytes));
  return files;
}

// The record: a heading, a line per new file ("ROLE SIZE CHECKSUM") and a line with the
// checksum of all before it, so that a record cut short or damaged is never taken as sound.
std::string RecordText(const std::vector<NewFile>& files) {
  std::string text = std::string(kRecordHeading) + "\n";
  for (const NewFile& file : files) text += std::string(file.role) + " " + std::to_string(file.size) + " " + file.sum + "\n";
  return text + "end " + Hex(Checksum(text)) + "\n";
}

// The files a record lists; nothing when it is not a sound record.
std::optional<std::vector<NewFile>> ParseRecord(const std::string& text) {
  for (const bool greek : {false, true}) {
    std::vector<NewFile> files = NewFiles(greek);
    size_t at = text.find('\n');
    if (at == std::string::npos || text.compare(0, at + 1, std::string(kRecordHeading) + "\n") != 0) return std::nullopt;
    ++at;
    bool sound = true;
    for (NewFile& file : files) {
      const size_t end = text.find('\n', at);
      unsigned long long size = 0;
      char sum[17] = {};
      char role[16] = {};
      int used = 0;
      if (end == std::string::npos ||
          std::sscanf(text.substr(at, end - at).c_str(), "%15s %llu %16[0-9a-f]%n", role, &size, sum, &used) != 3 ||
          used != static_cast<int>(end - at) || std::string(role) != file.role || std::string(sum).size() != 16) {
        sound = false;
        break;
      }
      file.size = size;
      file.sum = sum;
      at = end + 1;
    }
    if (sound && text.compare(at, std::string::npos, "end " + Hex(Checksum(text.substr(0, at))) + "\n") == 0) {
      return files;
    }
  }
  return std::nullopt;
}

// Reads `path` for a recovery; a read that fails is tried once more, so that a passing fault
// does not leave a rewrite unfinished.
Status ReadForRecovery(FileSystem& fs, const std::string& path, uint64_t maxBytes, std::string& content) {
  Status status = fs.ReadFile(path, maxBytes, content);
  if (status.ok() || status.code() == StatusCode::kNotFound || status.code() == StatusCode::kDamaged) return status;
  return fs.ReadFile(path, maxBytes, content);
}

// Whether `path` holds the new file `file`. An error only for a file that cannot be read (a
// missing, foreign or too long file is simply not it).
Status Holds(FileSystem& fs, const std::string& path, const NewFile& file, bool& holds) {
  std::string content;
  const Status status = ReadForRecovery(fs, path, file.maxBytes, content);
  holds = status.ok() && content.size() == file.size && Hex(Checksum(content)) == file.sum;
  if (status.ok() || status.code() == StatusCode::kNotFound || status.code() == StatusCode::kDamaged) {
    return Status::Ok();
  }
  return status;
}

// What a look at the user folder found: the new files of a rewrite the record proves (each
// where it lies now), or none.
struct Findings {
  Status status = Status::Ok();  // a record or a listed file that cannot be read
  std::optional<std::vector<NewFile>> proven;
  bool recordPresent = false;
};

Findings Examine(const Locations& l, FileSystem& fs) {
  Findings found;
  std::string text;
  const Status read = ReadForRecovery(fs, RecordFile(l), kMaxRecordBytes, text);
  if (read.code() == StatusCode::kNotFound) return found;
  found.recordPresent = true;
  if (read.code() == StatusCode::kDamaged) return found;  // not a record
  if (!read.ok()) {
    found.status = read;
    return found;
  }
  std::optional<std::vector<NewFile>> files = ParseRecord(text);
  if (!files) return found;
  for (NewFile& file : *files) {
    bool atTemp = false;
    found.status = Holds(fs, l.*file.temp, file, atTemp);
    if (found.status.ok() && !atTemp) found.status = Holds(fs, l.*file.user, file, file.inPlace);
    if (!found.status.ok()) return found;
    if (!atTemp && !file.inPlace) return found;  // the record proves nothing
  }
  found.proven = std::move(files);
  return found;
}

// `l` with the user paths where the new files lie.
Locations ReadFrom(const Locations& l, const std::vector<NewFile>& files) {
  Locations read = l;
  for (const NewFile& file : files) {
    if (!file.inPlace) read.*file.user = l.*file.temp;
  }
  return read;
}

// Moves the new files not yet in place over the user files, then removes the record. A
// replacement that fails is tried once more.
Status Finish(const Locations& l, FileSystem& fs, std::vector<NewFile>& files) {
  for (NewFile& file : files) {
    if (file.inPlace) continue;
    Status status = fs.ReplaceFile(l.*file.temp, l.*file.user);
    if (!status.ok()) status = fs.ReplaceFile(l.*file.temp, l.*file.user);
    if (!status.ok()) return status;
    file.inPlace = true;
  }
  // A Greek temporary left from an earlier rewrite is no part of this one.
  if (files.size() < 3 && fs.Kind(l.TempGreekFile) != FileKind::kMissing) DiscardTemporary(fs, l.TempGreekFile);
  return fs.RemoveFile(RecordFile(l));
}

// Removes the record, then the temporaries: once the record is gone, the user files are the old
// ones. False when the record cannot be removed.
bool Discard(const Locations& l, FileSystem& fs, bool recordPresent) {
  if (recordPresent && !fs.RemoveFile(RecordFile(l)).ok()) return false;
  for (const std::string* temp : {&l.TempIndexFile, &l.TempDescrFile, &l.TempGreekFile}) {
    if (fs.Kind(*temp) != FileKind::kMissing) DiscardTemporary(fs, *temp);
  }
  return true;
}

}  // namespace

std::string CommitRecordFile(const Locations& locations) {
  return InUserFolder(locations.TempIndexFile, kRecordName);
}

Status LockUserFiles(const Locations& locations, FileSystem& fs, std::unique_ptr<FileLock>& lock) {
  const std::string path = InUserFolder(locations.UserIndexFile, kLockName);
  const Status status = fs.LockFile(path, kUserFilesLockWaitMilliseconds, lock);
  if (status.code() == StatusCode::kInUse) {
    return Status::Error(StatusCode::kInUse, "the user entries are in use by another program (" + path + ")");
  }
  return status;
}

Status CommitUserFiles(const Locations& locations, FileSystem& fs,
                       const UserFileContents& contents) {
  std::vector<NewFile> files = NewFiles(contents.greek.has_value());
  const std::string* bytes[] = {&contents.index, &contents.descriptions,
                                contents.greek ? &*contents.greek : nullptr};
  Status status = Status::Ok();
  for (size_t i = 0; i < files.size() && status.ok(); ++i) {
    files[i].size = bytes[i]->size();
    files[i].sum = Hex(Checksum(*bytes[i]));
    status = fs.WriteFile(locations.*files[i].temp, *bytes[i]);
  }
  const bool recordTried = status.ok();  // whether a record, even one cut short, may be there
  if (status.ok()) status = fs.WriteFile(RecordFile(locations), RecordText(files));
  if (status.ok()) status = fs.SyncFolderOf(RecordFile(locations));
  // A record that cannot be removed may be sound: then the rewrite goes on.
  if (!status.ok() && Discard(locations, fs, recordTried)) return status;
  // The change is made: what cannot be finished now, the next load finishes.
  (void)Finish(locations, fs, files);
  return Status::Ok();
}

RecoveredUserFiles RecoverUserFiles(const Locations& locations, FileSystem& fs) {
  RecoveredUserFiles recovered{Status::Ok(), locations};
  if (!locations.HasUserFolder()) return recovered;
  Findings found = Examine(locations, fs);
  if (!found.status.ok()) {
    recovered.status = found.status;
  } else if (found.proven) {
    recovered.status = Finish(locations, fs, *found.proven);
    recovered.readFrom = ReadFrom(locations, *found.proven);
  } else {
    Discard(locations, fs, found.recordPresent);
  }
  return recovered;
}

RecoveredUserFiles PrepareUserFilesForLoad(const Locations& locations, FileSystem& fs, std::unique_ptr<FileLock>& lock) {
  if (!locations.HasUserFolder()) return {Status::Ok(), locations};
  const Status locked = LockUserFiles(locations, fs, lock);
  if (locked.ok()) return RecoverUserFiles(locations, fs);
  // Without the lock nothing is changed; what the record proves is read where it lies.
  const Findings found = Examine(locations, fs);
  if (!found.status.ok()) return {found.status, locations};
  if (found.proven) return {locked, ReadFrom(locations, *found.proven)};
  return {Status::Ok(), locations};
}

}  // namespace quorvel

// Fuzz target of the user entry store: on any published and user files, an insert, modify or
// delete either fails and leaves the three user files byte for byte as they were, or succeeds
// with files that reload and whose user index lines have description offsets running
// contiguously from 1. See FuzzFolder.h for the input layout; after the folder files come the
// English, Greek and description texts, then a part whose bytes choose the operations.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/Codec.h"
#include "core/EntryIndex.h"
#include "core/LineReader.h"
#include "core/TextOps.h"
#include "core/UserEntryStore.h"
#include "fuzz/FuzzFolder.h"
#include "platform/PosixFileSystem.h"

using namespace quorvel;

namespace {

struct UserFileBytes {
  std::string index, greek, descr;
  bool operator==(const UserFileBytes&) const = default;
};

UserFileBytes Snapshot(const Locations& l) {
  return {fuzz::ReadBytes(l.UserIndexFile), fuzz::ReadBytes(l.UserGreekFile),
          fuzz::ReadBytes(l.UserDescrFile)};
}

std::optional<int64_t> Number(const std::string& s) {
  if (s.empty()) return std::nullopt;
  int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

// Every user index line carries an offset (8 digits) that follows on from the line before, and the lengths
// add up to the description file's size.
void CheckContiguous(const Locations& l) {
  const std::string index = fuzz::ReadBytes(l.UserIndexFile);
  const std::string descr = fuzz::ReadBytes(l.UserDescrFile);
  if (index == "\x01<missing>") return;  // no user entries yet (a failed Greek-only step)
  int64_t expected = 1;
  LineReader lines(index);
  while (!lines.AtEnd()) {
    const std::string line = ShiftDecode(lines.Next());
    if (line.size() < 103) std::abort();
    const auto offset = Number(line.substr(90, 8));
    // The store rewrites the offset as 8 digits; a length keeps its field as read.
    const auto length = ParseDecimal(line.substr(98, 5));
    if (!offset || !length || *offset != expected) std::abort();
    expected += *length;
  }
  const int64_t descrSize = descr == "\x01<missing>" ? 0 : static_cast<int64_t>(descr.size());
  if (expected - 1 != descrSize) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::FuzzInput in = fuzz::SplitInput(data, size);
  fuzz::WriteFolder(in);
  const Locations& locations = fuzz::FolderLocations();

  static Dictionary dictionary;
  PosixFileSystem fs;
  LoadEntryIndex(dictionary, locations, fs);

  const std::string english = in.Part(fuzz::kFolderFiles);
  const std::string greek = in.Part(fuzz::kFolderFiles + 1);
  const std::string description = in.Part(fuzz::kFolderFiles + 2);
  std::string choices = in.Part(fuzz::kFolderFiles + 3);
  if (choices.empty()) choices = std::string(1, static_cast<char>(in.flags >> 1));
  if (choices.size() > 6) choices.resize(6);

  for (const char choice : choices) {
    const auto c = static_cast<unsigned char>(choice);
    const int count = dictionary.englishCount;
    const int slot = count > 0 ? 1 + (c >> 2) % count : 0;

    const UserFileBytes before = Snapshot(locations);
    Status status = Status::Ok();
    switch (c & 3) {
      case 0:
      case 3:
        status = InsertUserEntry(dictionary, locations, fs, {english, greek, description});
        break;
      case 1: {
        EditedEntryTexts texts{dictionary.EnglishIndex[slot].Origin, english, greek, description};
        status = ModifyUserEntry(dictionary, locations, fs, EntryRefAt(dictionary, slot), texts);
        break;
      }
      case 2:
        status = DeleteUserEntry(dictionary, locations, fs, EntryRefAt(dictionary, slot));
        break;
    }
    if (!status.ok()) {
      if (!(Snapshot(locations) == before)) std::abort();
      continue;
    }
    const LoadReport report = LoadEntryIndex(dictionary, locations, fs);
    if (!report.recovery.ok()) std::abort();
    CheckContiguous(locations);
  }
  return 0;
}

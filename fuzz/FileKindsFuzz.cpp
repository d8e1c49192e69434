// Fuzz target of the load when the folder's files are not all regular files: each data and user
// file of the program folder is a regular file, missing, a folder, a pipe with no writer, or a
// symbolic link to /dev/zero or /dev/null. The load, the description header, documents and the
// description search must end (run with -timeout) without a crash.
//
// Input layout: one byte per file of FolderFile giving its kind (the byte modulo 6, in the order
// of Kind below), then the layout of FuzzFolder.h for the contents of the regular files.
#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/DescriptionFile.h"
#include "core/DescriptionSearch.h"
#include "core/EntryDocument.h"
#include "core/EntryIndex.h"
#include "fuzz/FuzzFolder.h"
#include "platform/PosixFileSystem.h"

using namespace quorvel;

namespace {

enum class Kind { kRegular, kMissing, kFolder, kPipe, kZeroDevice, kNullDevice };

void MakeFile(fuzz::FolderFile file, Kind kind, const fuzz::FuzzInput& in) {
  const std::string path = fuzz::FolderPath(file);
  std::error_code error;
  std::filesystem::remove_all(path, error);
  switch (kind) {
    case Kind::kRegular: {
      const std::string part = in.Part(static_cast<size_t>(file));
      fuzz::WriteBytes(path, (in.flags & 1) != 0 ? fuzz::CodePart(file, part) : part);
      break;
    }
    case Kind::kMissing: break;
    case Kind::kFolder: std::filesystem::create_directory(path, error); break;
    case Kind::kPipe: ::mkfifo(path.c_str(), 0600); break;
    case Kind::kZeroDevice: std::filesystem::create_symlink("/dev/zero", path, error); break;
    case Kind::kNullDevice: std::filesystem::create_symlink("/dev/null", path, error); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < fuzz::kFolderFiles) return 0;
  const fuzz::FuzzInput in = fuzz::SplitInput(data + fuzz::kFolderFiles, size - fuzz::kFolderFiles);
  for (int f = 0; f < fuzz::kFolderFiles; ++f) {
    MakeFile(static_cast<fuzz::FolderFile>(f), static_cast<Kind>(data[f] % 6), in);
  }
  const Locations& locations = fuzz::FolderLocations();

  static Dictionary dictionary;  // large; one per process
  PosixFileSystem fs;
  LoadEntryIndex(dictionary, locations, fs);
  if (dictionary.englishCount < 0 || dictionary.englishCount >= kIndexSlots) std::abort();

  const std::string header = ReadRtfHeader(fs, locations.DescriptionFile());
  for (int slot = 0; slot <= std::min(dictionary.englishCount + 1, 20); ++slot) {
    (void)BuildDescriptionDocument(fs, dictionary, locations, header, slot);
  }
  DescriptionSearch search([](std::string_view rtf) { return std::optional<std::string>(rtf); }, 1);
  EntryList list;
  (void)search.Search(fs, dictionary, locations, header, in.Part(fuzz::kFolderFiles), list);
  for (const ListItem& item : list.items) {
    if (item.slot < 1 || item.slot > dictionary.englishCount) std::abort();
  }
  return 0;
}

// Fuzz target of the index load: any published and user files (raw, or coded from plain lines)
// load without a crash, and the loaded index then searches, assembles documents and reads
// translations without one. See FuzzFolder.h for the input layout; the part after the folder
// files is the search text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/DescriptionFile.h"
#include "core/EntryDocument.h"
#include "core/EntryIndex.h"
#include "core/ListSearch.h"
#include "fuzz/FuzzFolder.h"
#include "platform/PosixFileSystem.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::FuzzInput in = fuzz::SplitInput(data, size);
  fuzz::WriteFolder(in);
  const Locations& locations = fuzz::FolderLocations();

  static Dictionary dictionary;  // large; one per process
  PosixFileSystem fs;
  LoadEntryIndex(dictionary, locations, fs);
  if (dictionary.englishCount < 0 || dictionary.englishCount >= kIndexSlots) std::abort();
  if (dictionary.greekCount < 0 || dictionary.greekCount >= kIndexSlots) std::abort();

  const std::string text = in.Part(fuzz::kFolderFiles);
  const bool userOnly = (in.flags & 2) != 0;
  const SearchCriteria criteria{in.Part(fuzz::kFolderFiles + 1), in.Part(fuzz::kFolderFiles + 2),
                                in.Part(fuzz::kFolderFiles + 3)};
  for (const bool greek : {false, true}) {
    for (const SearchMode mode : {SearchMode::Start, SearchMode::Contain, SearchMode::End,
                                  SearchMode::Multi, SearchMode::None}) {
      SearchRequest request;
      request.mode = mode;
      request.text = mode == SearchMode::Multi ? std::string() : text;
      request.greek = greek;
      request.userOnly = userOnly;
      request.criteria = criteria;
      for (const ListItem& item : FillEntryList(dictionary, request).items) {
        if (item.slot < 0 || item.slot >= kIndexSlots) std::abort();
      }
    }
    SearchRequest specific;
    specific.mode = SearchMode::Specific;
    specific.text = "x";
    specific.greek = greek;
    specific.slot = std::min(dictionary.englishCount, static_cast<int>(in.flags >> 2));
    (void)FillEntryList(dictionary, specific);
  }

  const std::string header = ReadRtfHeader(fs, locations.DescriptionFile());
  const int last = std::min(dictionary.englishCount + 1, 40);
  for (int slot = 0; slot <= last; ++slot) {
    (void)EntryTranslation(dictionary, slot);
    (void)BuildDescriptionDocument(fs, dictionary, locations, header, slot);
  }
  for (int slot = std::max(1, dictionary.englishCount - 20); slot <= dictionary.englishCount; ++slot) {
    (void)EntryTranslation(dictionary, slot);
    (void)BuildDescriptionDocument(fs, dictionary, locations, header, slot);
  }
  return 0;
}

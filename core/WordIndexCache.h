// The word index's cache: where it is kept, how a run finds the one made for the published files
// it loaded (by the files' stamps, without reading them), and how one is built from the
// published descriptions and written. A cache file is named by a checksum of the three
// published files' contents (hashed only when building) and written atomically; one that is
// damaged, stale or of another layout is passed over, and a build writes it anew.
//
// Thread contract: OpenWordIndex reads nothing but its inputs and the files it opens through
// the FileSystem it is given, so it may run on a worker thread while the session
// goes on; its result is handed to Session::AdoptWordIndex on the session's own thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/DescriptionSearch.h"
#include "core/FileSystem.h"
#include "core/Locations.h"
#include "core/Status.h"
#include "core/WordIndex.h"

namespace quorvel {

// Where a published line's description is stored in the description file.
struct PublishedPlace {
  int64_t position = 0;  // 0-based
  int64_t length = 0;
};

// What building the word index needs, gathered from a loaded session (Session::WordIndexInputs)
// and then owned by whoever builds: nothing in it refers back to the session.
struct WordIndexInputs {
  std::string cacheFolder;  // empty: the index is built but not kept
  // The description, English index and Greek index files, and their stamps at the load.
  std::array<std::string, 3> files;
  PublishedStamps stamps{};
  std::string rtfHeader;                // the description header the load read
  std::vector<PublishedPlace> places;   // the descriptions of published lines 1, 2, ...
  PlainTextConverter converter;         // called from several threads at once
  int threads = 0;                      // threads that convert descriptions; 0 for one per core
  // Read a cached index whole now (for a window that searches many times), rather than the block
  // each search needs when it needs it. A built index is in memory either way.
  bool inMemory = false;
};

struct WordIndexOutcome {
  std::shared_ptr<const WordIndex> index;  // nothing when none could be had
  // Why there is no index, or why the one built could not be kept in the cache.
  Status status = Status::Ok();
  bool built = false;  // made now from the descriptions, not found in the cache
};

// $XDG_CACHE_HOME/orvanta, else $HOME/.cache/orvanta; empty when neither variable is set.
std::string WordIndexFolderFromEnvironment();

// The stamps of the description, English index and Greek index files of `locations`; an error
// when one of them is no regular file or cannot be examined.
Status StampPublishedFiles(FileSystem& fs, const Locations& locations, PublishedStamps& stamps);

// The name of the cache file for published files whose contents have `contentChecksum`.
std::string WordIndexFileName(uint64_t contentChecksum);

// The sound cache file in `folder` made for files with `stamps`, read whole or (without
// `inMemory`) opened for its blocks to be read through `fs`, which must then outlive it; nothing
// when there is none.
std::shared_ptr<const WordIndex> FindCachedWordIndex(FileSystem& fs, const std::string& folder,
                                                     const PublishedStamps& stamps, bool inMemory);

// The word index of the published files of `inputs`: the cached one when it was made for files
// with their stamps (opened as FindCachedWordIndex says, `fs` outliving it); otherwise built from the descriptions (after checking that the files are
// still those of the load, and hashing their contents) and written to the cache through a
// temporary file that replaces the cache file once it is complete.
WordIndexOutcome OpenWordIndex(const WordIndexInputs& inputs, FileSystem& fs);

}  // namespace quorvel

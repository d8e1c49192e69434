// The description search: lists every entry whose description (with the user's addition)
// holds a word as a whole word, folded in the word's language. Given a word index (core/
// WordIndex.h), a one-word search takes the published entries from it and reads only the
// user's additions and entries. Otherwise the first search of a load turns every description
// into plain text, on every core, and keeps it folded; a repeated search reads no file and
// converts nothing. Descriptions are read one (or a bounded piece) at a time, and texts that
// would take more than a set limit are not kept: every search then converts the descriptions
// again, in memory that does not grow with the files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EntryIndex.h"
#include "core/FileSystem.h"
#include "core/EntryList.h"
#include "core/Locations.h"
#include "core/Status.h"
#include "core/WordIndex.h"

namespace quorvel {

inline constexpr int kMaxDescriptionHits = 32000;
// The most memory the kept texts may take (a dictionary of full size needs a fraction of it).
inline constexpr size_t kMaxKeptTextBytes = size_t{64} << 20;

// Turns an RTF document into the code page 1253 plain text a rich-text control shows for it;
// nothing when the bytes are not RTF (the entry then has no text to search). It is called from
// several threads at once, so it must not change shared state.
using PlainTextConverter = std::function<std::optional<std::string>(std::string_view rtf)>;

// The searched documents and their folded texts, shared with the word index so that it indexes
// exactly the texts this search compares.
//
// The stored bytes of a published description that the search reads, from the bytes of the whole
// description file: at most kDescriptionBufferSize of the `length` bytes at 0-based `position`;
// false when they lie outside the file.
bool PublishedStoredBytes(std::string_view file, int64_t position, int64_t length, std::string_view& stored);
// The searched document of a published entry without an addition, from those stored bytes.
std::string PublishedEntryDocument(std::string_view rtfHeader, int64_t position, std::string_view stored);
// The text an English word is compared with: EnglishSearchKey of the document's plain text
// (digits kept); empty when the converter gives nothing.
std::string EnglishSearchText(const PlainTextConverter& converter, const std::string& document);
// The text a Greek word is compared with, made from the English one.
std::string GreekSearchText(std::string_view englishText);

// The key the search looks for: `word` without leading blanks, folded in its language (Greek
// when its first character is a Greek initial, which `greek` tells).
std::string DescriptionSearchKey(std::string_view word, bool& greek);

// Where a shown text holds the searched word: each occurrence the search counts (the word whole
// in the text folded as the search folds it), as its first position and length in `text`
// (code page 1253 bytes, as the entry view shows them). Empty for a word that is no one run of
// letters' search (an empty word).
struct TextSpan {
  size_t start = 0;
  size_t length = 0;
};
std::vector<TextSpan> WordHits(std::string_view text, std::string_view word);

class DescriptionSearch {
 public:
  // `threads` is how many threads turn the descriptions into text; 0 for one per core. Texts
  // are kept while they take at most `keepLimit` bytes.
  explicit DescriptionSearch(PlainTextConverter converter, int threads = 0,
                             size_t keepLimit = kMaxKeptTextBytes);

  // Lists the headwords (with the user mark) of the entries whose folded text holds the word,
  // reading the published descriptions through `fs` from several threads at once (it must
  // allow that, as PosixFileSystem does; a fake file system wants `threads` 1),
  // in slot order; the list's search text is the word without leading blanks and its language
  // follows the word's first character. Each entry's text is that of the document `rtfHeader`,
  // CR LF, its description and a space (for an 'A' entry also the addition and a space), "}",
  // CR LF. A description outside its file ends the texts before that entry (the error says so;
  // the entries before it are still searched); a missing description file lists nothing and
  // leaves the language as it was.
  // With `index`, a word that folds to one run of word letters is answered from it, with the
  // same list and status. REQUIRES: `index` was made from the published files `dictionary` was
  // loaded from, as they still are.
  Status Search(FileSystem& fs, const Dictionary& dictionary, const Locations& locations, std::string_view rtfHeader,
                std::string_view word, EntryList& list, const WordIndex* index = nullptr);

  // The converter the search was given (a word index is built with it).
  const PlainTextConverter& converter() const { return converter_; }

  // Forgets the kept texts (they are also dropped when the dictionary is reloaded).
  void Drop();
  // The memory the kept texts take, in bytes.
  size_t KeptBytes() const;

  // Texts one after another in one block: text i ends at ends[i].
  struct Texts {
    std::string bytes;
    std::vector<uint32_t> ends;

    std::string_view Text(size_t i) const;
    void Add(std::string_view text);
    // Gives back the room the block grew into beyond its texts.
    void Trim();
  };

 private:
  // Converts every description, lists those whose text holds `key` and keeps the texts (the
  // Greek ones too when `greek`) unless they grow past the limit.
  Status Scan(FileSystem& fs, const Dictionary& dictionary, const Locations& locations, std::string_view rtfHeader,
              std::string_view key, bool greek, EntryList& list);
  // Lists the published entries among `lines` (the index's answer for `key`) and the additions
  // and user entries whose text, read now, holds `key`.
  Status SearchWithIndex(FileSystem& fs, const Dictionary& dictionary, const Locations& locations, std::string_view rtfHeader,
                         std::string_view key, bool greek, const WordIndex& index, const std::vector<int>& lines,
                         EntryList& list);
  // Makes the Greek texts from the kept English ones.
  void AddGreekTexts();

  PlainTextConverter converter_;
  int threads_;
  size_t keepLimit_;
  uint64_t generation_ = 0;  // the dictionary load the kept texts belong to; 0 for none kept
  Status prepared_ = Status::Ok();
  // The texts of slots 1, 2, ... in chunks of a fixed number of slots, as the threads made them
  // (the last chunk may be short, and the texts end early after a read error):
  // EnglishSearchKey(plain text, digits kept). They are also where the Greek texts come from:
  // the Greek key of an English key is the Greek key of the text.
  std::vector<Texts> english_;
  // GreekSearchKey of the same texts in the same chunks; empty until the first Greek word.
  std::vector<Texts> greek_;
};

}  // namespace quorvel

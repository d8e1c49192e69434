// The description search: lists every entry whose description (with the user's addition)
// holds a word as a whole word, folded in the word's language. The plain texts of the
// descriptions are made once and kept until the index is reloaded, so that a repeated search
// reads no file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EntryIndex.h"
#include "core/EntryList.h"
#include "core/Locations.h"
#include "core/Status.h"

namespace quorvel {

inline constexpr int kMaxDescriptionHits = 32000;

// Turns an RTF document into the code page 1253 plain text a rich-text control shows for it;
// nothing when the bytes are not RTF (the entry then has no text to search).
using PlainTextConverter = std::function<std::optional<std::string>(std::string_view rtf)>;

// The two-line document searched for one entry: `rtfHeader`, CR LF, the entry's body (its
// description and a space; for an 'A' entry also the addition and a space), "}", CR LF.
// `publishedFile` and `userFile` hold the whole description files (`userFile` nothing when the
// user description file is missing); the entry's places in them are those of `locations`.
// False when a description lies outside its file.
bool DescriptionSearchDocument(const Dictionary& dictionary, const Locations& locations, int slot,
                               std::string_view rtfHeader, std::string_view publishedFile,
                               const std::optional<std::string>& userFile, std::string& document);

class DescriptionSearch {
 public:
  explicit DescriptionSearch(PlainTextConverter converter) : converter_(std::move(converter)) {}

  // Lists the headwords (with the user mark) of the entries whose folded text holds the word;
  // the list's search text is the word without leading blanks and its language follows the
  // word's first character. An error (the description file cannot be read) ends the search
  // with what was listed so far; a missing description file lists nothing and leaves the
  // language as it was.
  Status Search(const Dictionary& dictionary, const Locations& locations, std::string_view rtfHeader,
                std::string_view word, EntryList& list);

  // Forgets the kept texts (they are also dropped when the dictionary is reloaded).
  void Drop();
  // The memory the kept texts take, in bytes.
  size_t KeptBytes() const;

 private:
  Status Prepare(const Dictionary& dictionary, const Locations& locations, std::string_view rtfHeader);

  PlainTextConverter converter_;
  uint64_t generation_ = 0;  // the dictionary load the kept texts belong to; 0 for none
  int preparedUpTo_ = 0;     // slots 1..preparedUpTo_ are kept (less after a read error)
  std::vector<std::string> english_;  // EnglishSearchKey(plain text, digits kept) per slot
  std::vector<std::string> greek_;    // GreekSearchKey(plain text, digits kept) per slot
};

}  // namespace quorvel

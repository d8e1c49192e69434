// The entry list search: the items that the search text (or the three criteria of the search
// dialog) selects by one of the search modes, in the list language, each item paired with the
// EnglishIndex slot of its entry. A search reads the index only and returns its list; it never
// touches a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/EntryIndex.h"
#include "core/EntryList.h"

namespace quorvel {

enum class SearchMode {
  None,      // no mode: only the user-entries listing of an empty search text
  Start,     // "START": longest prefix shared with any entry, from the entry's KeyStart
  Contain,   // "CONTAIN"
  End,       // "END"
  Specific,  // "SPECIFIC": exactly the given entry
  Multi,     // "MULTI": the criteria of the search dialog, with an empty search text
};

// "START", "CONTAIN", "END", "SPECIFIC", "MULTI"; nothing for any other text.
std::optional<SearchMode> ParseSearchMode(std::string_view text);

inline constexpr SearchMode kDefaultSearchMode = SearchMode::Start;

// The texts of the last confirmed search dialog, used exactly as typed.
struct SearchCriteria {
  std::string start;
  std::string contain;
  std::string end;
};

struct SearchRequest {
  SearchMode mode = kDefaultSearchMode;
  std::string text;    // the search box's text
  bool greek = false;  // the list language
  int slot = 0;        // Specific only: the entry to list
  bool userOnly = false;  // only entries of origin 'C' or 'A' (not applied by Specific)
  SearchCriteria criteria;  // Multi only
};

// The list of a search. The search text loses its leading blanks (the result's searchText says
// so when that changes it). Specific lists its one entry, sets the search text to the entry's
// text without the user mark and selects the item; Multi (with an empty search text) chooses
// the language from its first criterion. Nothing else is selected.
EntryList FillEntryList(const Dictionary& dictionary, const SearchRequest& request);

// Every English headword without marks, whatever the list language.
EntryList ListAllEntries(const Dictionary& dictionary);

// Whether the text typed into the search box names the first item of its Start list exactly,
// after folding (then the window shows that entry at once): in English the trimmed, lowered
// text against the headword's search key, in Greek the folded key of the text against the
// key of the entry's Greek term.
bool TypedTextNamesEntry(const Dictionary& dictionary, std::string_view typed, bool greek, int slot);

}  // namespace quorvel

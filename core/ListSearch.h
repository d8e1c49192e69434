// The entry list search: fills the window's entry list from the search text (or the three
// criteria of the search dialog) by one of the search modes, in the current list language,
// each item paired with the EnglishIndex slot of its entry.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/EntryIndex.h"
#include "core/EntryListWindow.h"

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
// Follows the list text of every user entry.
inline constexpr std::string_view kUserMark = " *";
inline constexpr int kMaxListItems = 32736;

// The texts of the last confirmed search dialog, used exactly as typed.
struct SearchCriteria {
  std::string start;
  std::string contain;
  std::string end;
};

// Fills the list. `slot` is used by Specific only; `userOnly` restricts the scanning modes (and
// the empty-text listing) to entries of origin 'C' or 'A'. Nothing is selected except by
// Specific, which selects its one item and shows it. REQUIRES: `window` shows `dictionary`.
void FillEntryList(const Dictionary& dictionary, EntryListWindow& window, SearchMode mode,
                   int slot, bool userOnly, const SearchCriteria& criteria = {});

// Lists every English headword without marks, whatever the list language.
void ListAllEntries(const Dictionary& dictionary, EntryListWindow& window);

}  // namespace quorvel

// What a search gives the window to show in its entry list: the items, each with the
// EnglishIndex slot of its entry, and what else the search changes (the search text, the list
// language, the item to select). Every search, the history commands and the description
// search return one; the window applies it in one place.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Follows the list text of every user entry.
inline constexpr std::string_view kUserMark = " *";
inline constexpr int kMaxListItems = 32736;

struct ListItem {
  std::string text;  // the list text, " *" included for a user entry
  int slot = 0;      // the EnglishIndex slot of its entry
};

struct EntryList {
  std::vector<ListItem> items;
  // The text the search box shows afterwards, written without starting a search; nothing
  // leaves the box as it is.
  std::optional<std::string> searchText;
  // The list language afterwards (true Greek); nothing leaves it as it is.
  std::optional<bool> greek;
  // The item to select, -1 for none.
  int selected = -1;
};

// The keys of the search box that move through the list.
enum class ListKey { Down, Up, PageUp, PageDown };

// The item a list key selects from item `selected` (-1 for none) of `count` items, `page`
// items to a page; -1 when the key moves nowhere.
int ListKeyTarget(ListKey key, int selected, int count, int page);

// The list text of an entry: `text` with the user mark when the entry is a user entry
// (origin 'C').
std::string ListText(std::string text, char origin);

// `text` without a trailing user mark, looked at up to its first zero byte.
std::string WithoutUserMark(std::string_view text);

}  // namespace quorvel

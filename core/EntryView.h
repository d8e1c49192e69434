// What the entry view shows for the entry of one list item: the two heading lines and the
// description document, and whether the entry can be deleted.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DescriptionSearch.h"
#include "core/EntryIndex.h"
#include "core/FileSystem.h"
#include "core/Locations.h"

namespace quorvel {

struct EntryView {
  int slot = 0;
  std::string heading;    // the upper heading line, as it stands (no ampersands doubled)
  std::string rendering;  // the lower heading line: the rendering in the other language
  // The description document; nothing leaves the view showing what it showed (an entry of
  // unknown origin, or a description that cannot be read).
  std::optional<std::string> document;
  // Whether the delete command applies (a user entry); nothing for an entry of unknown origin,
  // which leaves the command as it was.
  std::optional<bool> deletable;
  // Opened from the list of a description search: where the searched word stands in the
  // document's plain text (its characters as the entry view shows them), in order, for the view
  // to mark. Empty otherwise.
  std::vector<TextSpan> marks;
};

// The view of the entry at `slot`, listed as `listText` in the given language: in English the
// headword over its rendering, in Greek the list text (without the user mark) over the
// headword. Nothing when `slot` names no slot of the index.
std::optional<EntryView> ViewOfEntry(FileSystem& fs, const Dictionary& dictionary, const Locations& locations,
                                     std::string_view rtfHeader, int slot,
                                     std::string_view listText, bool greek);

}  // namespace quorvel

// The user entry store: the three operations that change the user's files. InsertUserEntry
// adds a user entry, ModifyUserEntry changes a user entry or the user's addition to a
// published entry, DeleteUserEntry removes a user entry.
//
// Each operation reads the user files, builds their complete new contents in memory and hands
// them to CommitUserFiles in one rewrite, so that the files are always all old or all new.
// The lines keep the orders the loader relies on: user index lines ascend by attach number and
// their description offsets run contiguously from 1; user Greek lines stand in the order of
// their search keys. The published files are never touched.
//
// Several programs may share the user folder. Each operation runs under the lock of the user
// files (UserFileRewrite.h; while another program keeps it for longer than a short wait, the
// operation fails with InUse) and reads them there. Placement and numbering follow from the
// caller's loaded index when it was loaded from these very files (their generation, see
// UserFileSet.h), else from an index loaded afresh from them. The entry to change is the one
// the user chose (an EntryRef); when another program has committed since it was chosen, it is
// found again by what the user saw, and the operation changes that entry or none: never
// another entry that has taken its number. The operations return a Status; they never touch a
// window, and the caller reloads its index after a change (Session does).
//
// The user files are read through `fs`: a missing file is empty, any other failure to read one
// (an I/O error, no permission, not a regular file, too long) refuses the operation with that
// failure's code, nothing written; so does a published index or Greek index that cannot be
// read (their absence is no failure). A failed operation leaves the user files the old ones.
// Once the new files are committed the operation has happened and returns Ok, even when a
// replacement failed: the next load finishes it (LoadReport::recovery says when it cannot).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/DescriptionFile.h"
#include "core/EntryIndex.h"
#include "core/EntryList.h"
#include "core/FileSystem.h"
#include "core/Locations.h"
#include "core/Status.h"
#include "core/UserRecord.h"

namespace quorvel {


// The longest description the editor can save, in typed characters: its stored form (below)
// must fit the kDescriptionBufferSize bytes a description is read back with, and a typed
// character takes up to four stored bytes, inside an addition's opening and closing.
inline constexpr int kMaxTypedDescriptionCharacters =
    (kDescriptionBufferSize - static_cast<int>(std::string_view("{\\f60\\fs22 }").size())) / 4;

// The entry an edit is to change, as the user chose it: its slot in the load it was chosen in,
// that load's user-file generation, and what identifies the entry whatever slots it takes
// later (origin, number and headword; for a published entry also its line in the published
// index). An empty ref (number 0) names no entry.
struct EntryRef {
  int slot = 0;
  uint64_t generation = 0;
  char origin = 0;
  uint16_t number = 0;
  std::string headword;
  int publishedOrdinal = 0;  // 1-based; 0 for a user entry
};

// The ref of the entry at `slot` of `dictionary`; an empty ref when the slot is not used.
EntryRef EntryRefAt(const Dictionary& dictionary, int slot);

// The slot of the entry `ref` in `dictionary`: its slot when `dictionary` is the load it was
// chosen in, else the slot of the entry with its number and headword (a user entry among the
// user entries, a published one at its line of the published index), whatever its origin now.
// 0 when the entry is gone.
int SlotOfEntry(const Dictionary& dictionary, const EntryRef& ref);

// The texts of a new user entry, as the editor gives them: the description's line breaks are
// CR LF. The Greek term and the description may be empty.
struct NewEntryTexts {
  std::string english;
  std::string greek;
  std::string description;
};

// The confirmed texts of the entry being modified and its origin ('L', 'A' or 'C'). For a
// published entry only the description (the user's addition) is used.
struct EditedEntryTexts {
  char origin = 0;
  std::string english;
  std::string greek;
  std::string description;
};

// How a user text is stored: a user entry's own description, or an addition shown after a
// published description (in font 60 of the published header, 11-point type).
enum class UserTextForm { Entry, Addition };

// The RTF fragment stored for a user text (before the shift coding): every byte as "\'" and two
// upper-case hex digits, every CR LF as " \par ", enclosed in "{" ... "}" (Entry) or
// "{\f60\fs22 " ... "}" (Addition). An empty Entry text stores nothing (the empty string).
std::string StoredUserDescription(std::string_view text, UserTextForm form);

// Adds a user entry at its alphabetical place: its line goes after the published entry it
// sorts after (or after the user entry it sorts after), its number is one above every number
// in use, and a Greek term gets its line in the user Greek file. Control bytes (a pasted tab or
// line break) are stored as spaces; the headword is trimmed and cut to kUserHeadwordWidth
// bytes, the Greek term (kept as typed otherwise) cut to kUserTermWidth; a term of blanks is
// no term.
// Refused, with nothing written: an empty headword, a full index, a number that would pass
// kMaxEntryNumber, no user-entry folder, damaged user files; TooLong for a description too long to be
// read back whole.
Status InsertUserEntry(const Dictionary& loaded, const Locations& locations, FileSystem& fs, const NewEntryTexts& texts);

// Modifies the entry `target`, by its origin:
//   'C' a user entry: stored anew as delete-then-insert would store it (a new number, its new
//       alphabetical place), in one rewrite;
//   'A' a published entry with an addition: the addition is replaced, or removed when the
//       description is empty;
//   'L' a published entry: an addition is added (also for an empty description).
// texts.origin must be target.origin; texts.english must not be empty. Changed, with nothing
// written, when the entry is gone or its origin is no longer target.origin.
Status ModifyUserEntry(const Dictionary& loaded, const Locations& locations, FileSystem& fs, const EntryRef& target, const EditedEntryTexts& texts);

// Deletes the user entry `target` with its Greek terms. Only user entries (origin 'C') can be
// deleted. Changed, with nothing written, when the entry is gone.
Status DeleteUserEntry(const Dictionary& loaded, const Locations& locations, FileSystem& fs, const EntryRef& target);

// The list after the entry at `slot` was deleted and the index reloaded: the entry's items are
// gone and every item above the slot names the slot one lower, where its entry now is.
void RemoveDeletedEntry(std::vector<ListItem>& items, int slot);

}  // namespace quorvel

// The rules of the entry editor and its commands: the texts the modify command puts into the
// editor from what the window shows, the two texts the editor refuses, how the description's
// lines are joined, and how a command finds its entry again after the index was reloaded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/EntryIndex.h"
#include "core/UserEntryStore.h"

namespace quorvel {

// What the window shows of the entry the modify command changes.
struct ShownEntry {
  char origin = 0;          // 'L', 'A' or 'C'
  bool greek = false;       // the list language
  std::string itemText;     // the selected list item's text (a user entry's with its mark)
  std::string rendering;    // the lower heading line as it reads (ampersands not doubled)
  std::string description;  // the plain text of the description view, CR LF between paragraphs
};

// The editor's texts for a modify. In English the item gives the headword and the rendering
// the Greek term; in Greek the other way round; a user entry's item loses its mark. The
// description: a user entry's own text; for an entry with an addition, the addition alone (the
// text after the caption kUserAdditionMarker and the one character that follows it; empty when
// the view shows no caption); nothing for a published entry. A description is given back as it
// was typed: without the space the view shows before each line break (the stored form's
// " \par "), and without leading and trailing blanks and control characters (the paragraph
// marks the view shows around it).
EditedEntryTexts PrefillModify(const ShownEntry& shown);

enum class EditorRefusal {
  kNone,
  kNoEnglish,              // the English headword is empty
  kNoGreekNorDescription,  // the Greek term and the description are both empty
};

// Whether the editor takes its three texts. Only texts of length zero count as empty: a text
// of blanks is filled.
EditorRefusal CheckEditorTexts(std::string_view english, std::string_view greek,
                               std::string_view description);

// `text` with every line end (LF, CR or CR LF) written as CR LF, as the store keeps a
// description's line breaks.
std::string WithCrLfLineEnds(std::string_view text);

// The slot of the entry numbered `number` in the loaded index; 0 when no entry has it.
int SlotOfEntryNumber(const Dictionary& dictionary, uint16_t number);

}  // namespace quorvel

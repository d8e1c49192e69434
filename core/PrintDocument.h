// The print document of an entry: the RTF of the shown description with a title line and a
// two-column block of the entry, its rendering and the label of the description put in front
// of it, assembled as text from the RTF the description view saves. The assembly takes that
// RTF apart by a few textual rules (the Greek font's number, the first size control word, the
// split point after the font table) and is kept exactly as the print has always been built.
#pragma once

#include <string>
#include <string_view>

#include "core/EntryIndex.h"

namespace quorvel {

// The title line of every print (code page 1253): "Orvanta - Αγγλοελληνικό Ναυτικό Λεξικό -
// © Εκδόσεις Quenborath, με την επιφύλαξη παντός δικαιώματος".
extern const std::string_view kPrintTitle;

// At most this many characters of the description's RTF, from the split point on, are printed.
inline constexpr size_t kPrintedRtfLimit = 20000;
// The print job's name is at most this long.
inline constexpr size_t kPrintJobNameLimit = 124;

// The two rows of the entry block: in English the headword over the Greek index term of the
// entry, in Greek the other way round (empty for an entry without Greek term). Texts as stored.
struct PrintRows {
  std::string entry;      // row 1, "Λήμμα"
  std::string rendering;  // row 2, "Απόδοση"
};

// REQUIRES: 1 <= slot < kIndexSlots.
PrintRows PrintRowsOfEntry(const Dictionary& dictionary, int slot, bool greek);

// `text` split into lines (at CR LF, CR or LF) and joined again with CR LF after every line,
// the last included; empty text stays empty.
std::string JoinLinesWithCrLf(std::string_view text);

// The number of the Greek font (one character): the digit of the "\fN" control word that opens
// the font table entry holding the first "\fcharset161"; "0" when there is none. Font numbers
// of more than one digit are not recognised.
char GreekFontNumber(std::string_view rtf);

// The print document, from `viewRtf` (the description view's RTF save) and the rows.
std::string BuildPrintDocument(std::string_view viewRtf, const PrintRows& rows);

// "Zoriruv: " + the headword, cut to kPrintJobNameLimit characters.
std::string PrintJobName(std::string_view headword);

}  // namespace quorvel

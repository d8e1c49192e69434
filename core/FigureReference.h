// Figure references in descriptions: a description refers to an entry's drawings with the word
// "Σχήμα" in braces and an optional digit before the closing brace. When the user selects such a
// reference, the drawing is the bitmap "content/fig" + entry number + digit + ".bmp" of the
// program folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/EntryIndex.h"
#include "core/FileSystem.h"

namespace quorvel {

// One display unit of the shown description as plain text (code page 1253): a paragraph mark
// gives CR LF, every other unit one character. Nothing for a position past the end.
using DescriptionUnit = std::function<std::optional<std::string>(int position)>;

// The figure that the selection of units [start, start + length) refers to: nothing when the
// selection is no figure reference; otherwise the figure digit, "1" to "9", or "" for the
// entry's unnumbered drawing.
//
// The selection is a reference when its text is the word "Σχήμα" alone, or holds "{Σχήμα".
// Unless it already holds the closing "}", it is read on by four units from its last unit (so
// that the last unit counts twice): selecting the word alone reaches the digit and the brace.
// The digit is the unit before the last of that text.
std::optional<std::string> SelectedFigure(const DescriptionUnit& unit, int start, int length);

// "content/fig" + the number in decimal + `digit` + ".bmp", relative to the program folder.
std::string FigureFileName(int entryNumber, std::string_view digit);

// The file of the drawing of the entry at `slot`, in the program folder `programDir`, when it
// exists (the folder "content" matched as the data folders are, whatever its case).
std::optional<std::string> ExistingFigureFile(FileSystem& fs, const Dictionary& dictionary,
                                              const std::string& programDir, int slot,
                                              std::string_view digit);

}  // namespace quorvel

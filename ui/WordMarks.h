// Marks of a searched word in the description view: where they stand in the view's display
// units, the background a mark takes behind text of a given colour, and which mark the find keys
// (F3, Shift+F3) go to. RichTextView puts them into its QTextDocument; nothing else carries them.
#pragma once

#include <QColor>

#include <string_view>
#include <vector>

#include "core/DescriptionSearch.h"

namespace quorvel::ui {

// A mark in display units (richtext/PlainText.h): [start, start + length).
struct WordMark {
  int start = 0;
  int length = 0;
};

// The marks of `spans`, given in the plain text's bytes (a paragraph mark is two bytes there, a
// picture none), over the display text `display`, in their order. A span that does not begin
// and end where a unit's bytes do, that is empty, or that reaches past the text is left out.
std::vector<WordMark> MarksInDisplayUnits(std::u32string_view display, const std::vector<TextSpan>& spans);

// The contrast ratio of two colours as WCAG 2 defines it, from their relative luminances:
// (lighter + 0.05) / (darker + 0.05), from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The least contrast a mark keeps with the text on it (WCAG AA for body text).
inline constexpr double kMinimumMarkContrast = 4.5;

// The mark's own colour, a warm yellow: 14.9:1 behind black text, and set off from the white
// page by its hue (1.4:1 against white).
QColor WordMarkColour();

// The background of a mark behind text of colour `text`: WordMarkColour() when the two reach
// kMinimumMarkContrast, else the shade of it mixed least towards white or black that does (the
// lighter when both do). White or black always does for some text colour, so every mark can
// be read.
QColor WordMarkBackground(const QColor& text);

// The mark the find keys go to from the caret at display position `caret`: forward, the first
// mark that begins after the caret, else the first of all; backward, the last that begins
// before it, else the last of all. -1 without marks. REQUIRES: `marks` in ascending order.
int NextMarkIndex(const std::vector<WordMark>& marks, int caret, bool forward);

}  // namespace quorvel::ui

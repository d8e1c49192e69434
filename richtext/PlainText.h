// The plain text of a document, as a rich-text control shows it, in two forms:
//
// - The display text: one char32_t per character unit of the view. Selections, the figure
//   reference lookup and every other position in the shown text count in its indexes.
// - The plain text: code page 1253 bytes, what searches, hints and the tools work on.
//
// The rules, the same for both forms (the display unit first, then its bytes):
// - a paragraph mark (RTF \par, \sect, \page) is one unit kParagraphMark, CR LF in bytes;
//   a document whose last paragraph has no \par ends without one;
// - a line break (\line) is one unit kLineBreak, also CR LF in bytes, so that editors and
//   hints show it as the start of a new line;
// - a tab (\tab) is TAB;
// - a table row is laid out as older rich-text controls lay it out: every cell's text ends in a
//   TAB (\cell), and the row ends in a paragraph mark (\row); paragraphs inside a cell end
//   in paragraph marks;
// - a picture is one unit kPictureMark and gives no bytes;
// - hidden text and the parts of the RTF a display does not show give nothing;
// - every other character is one unit, and one byte: its code page 1253 byte, or "?" when
//   the code page lacks it.
#pragma once

#include <string>
#include <string_view>

#include "richtext/Document.h"

namespace quorvel::richtext {

inline constexpr char32_t kParagraphMark = U'\u2029';
inline constexpr char32_t kPictureMark = U'\uFFFC';

std::u32string DisplayText(const Document& document);

// Appends the bytes of one display unit.
void AppendPlainText(std::string& out, char32_t unit);

// The bytes of display text. For a display position p, the byte position is
// DisplayToPlainText(display.substr(0, p)).size().
std::string DisplayToPlainText(std::u32string_view display);

// DisplayToPlainText(DisplayText(document)).
std::string PlainText(const Document& document);

}  // namespace quorvel::richtext

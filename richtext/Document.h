// The document model of the rich-text engine: what the reader makes of RTF, what the view
// shows, what the plain text and the writer are made from. Text is Unicode; formatting is
// held by value on every run, so that a model can be compared, shown and written without
// the tables of the document it came from (fonts excepted: runs name them by index).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quorvel::richtext {

// A line break inside a paragraph (RTF \line). Run text holds it as this character,
// as it holds a tab as U'\t'.
inline constexpr char32_t kLineBreak = U'\u2028';

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct Font {
  std::string name;  // UTF-8
  int charset = 0;   // the RTF \fcharset value: 161 Greek, 0 Western, 2 symbol, ...
  bool operator==(const Font&) const = default;
};

enum class VerticalPosition : std::uint8_t { Baseline, Superscript, Subscript };

struct CharFormat {
  int font = 0;   // index into Document::fonts
  int size = 24;  // half-points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;  // hidden text is kept in the model but neither shown nor in plain text
  VerticalPosition vertical = VerticalPosition::Baseline;
  std::optional<Rgb> foreground;  // nothing: the automatic colour
  std::optional<Rgb> background;  // nothing: no highlight
  bool operator==(const CharFormat&) const = default;
};

// Text of one format. Besides printable characters it holds U'\t' and kLineBreak; never
// control characters.
struct Run {
  CharFormat format;
  std::u32string text;
  bool operator==(const Run&) const = default;
};

enum class PictureFormat : std::uint8_t { Png, Jpeg };

struct Picture {
  PictureFormat format = PictureFormat::Png;
  std::string data;    // the file bytes of the image
  int widthGoal = 0;   // twips; 0 when the document does not say
  int heightGoal = 0;  // twips; 0 when the document does not say
  int scaleX = 100;    // percent
  int scaleY = 100;    // percent
  bool operator==(const Picture&) const = default;
};

using Inline = std::variant<Run, Picture>;

enum class Alignment : std::uint8_t { Left, Centre, Right, Justify };

// Indents and spacing in twips.
struct ParagraphFormat {
  Alignment alignment = Alignment::Left;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstLineIndent = 0;
  int spaceBefore = 0;
  int spaceAfter = 0;
  bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Inline> items;
  // The paragraph ends in a paragraph mark (RTF \par). Only the last paragraph of a
  // document, or of a table cell, can be without one.
  bool ended = true;
  bool operator==(const Paragraph&) const = default;
};

struct Cell {
  std::vector<Paragraph> paragraphs;
  bool operator==(const Cell&) const = default;
};

struct Row {
  std::vector<int> cellRightEdges;  // twips, as the RTF \cellx values give them
  std::vector<Cell> cells;
  // The row was closed (RTF \row). A row is left open when text outside the table, or the
  // end of the document, comes before its \row.
  bool ended = true;
  bool operator==(const Row&) const = default;
};

struct Table {
  std::vector<Row> rows;
  bool operator==(const Table&) const = default;
};

using Block = std::variant<Paragraph, Table>;

struct Document {
  std::vector<Font> fonts;  // in the order the text first uses them
  std::vector<Block> blocks;
  bool operator==(const Document&) const = default;
};

}  // namespace quorvel::richtext

#include "richtext/PlainText.h"

#include <variant>

#include "core/Cp1253.h"

namespace quorvel::richtext {
namespace {

void AppendParagraph(std::u32string& out, const Paragraph& paragraph) {
  for (const Inline& item : paragraph.items) {
    if (const Run* run = std::get_if<Run>(&item)) {
      if (!run->format.hidden) out += run->text;
    } else {
      out += kPictureMark;
    }
  }
  if (paragraph.ended) out += kParagraphMark;
}

void AppendTable(std::u32string& out, const Table& table) {
  for (const Row& row : table.rows) {
    for (const Cell& cell : row.cells) {
      for (const Paragraph& paragraph : cell.paragraphs) AppendParagraph(out, paragraph);
      out += U'\t';
    }
    if (row.ended) out += kParagraphMark;
  }
}

}  // namespace

std::u32string DisplayText(const Document& document) {
  std::u32string out;
  for (const Block& block : document.blocks) {
    if (const Paragraph* paragraph = std::get_if<Paragraph>(&block)) {
      AppendParagraph(out, *paragraph);
    } else {
      AppendTable(out, std::get<Table>(block));
    }
  }
  return out;
}

void AppendPlainText(std::string& out, char32_t unit) {
  if (unit == kParagraphMark || unit == kLineBreak) {
    out += "\r\n";
  } else if (unit != kPictureMark) {
    out += static_cast<char>(UnicodeToCp1253(unit).value_or(static_cast<unsigned char>('?')));
  }
}

std::string DisplayToPlainText(std::u32string_view display) {
  std::string out;
  out.reserve(display.size() + display.size() / 16);
  for (const char32_t unit : display) AppendPlainText(out, unit);
  return out;
}

std::string PlainText(const Document& document) { return DisplayToPlainText(DisplayText(document)); }

}  // namespace quorvel::richtext

#include "richtext/RtfWriter.h"

#include <string_view>
#include <variant>
#include <vector>

#include "core/Cp1253.h"
#include "core/RtfEscape.h"
#include "richtext/CodePages.h"
#include "richtext/RtfReader.h"

namespace quorvel::richtext {
namespace {

// The code page the writer declares with \ansicpg, and so the one of charset 1.
constexpr int kDocumentCodePage = 1253;

const CodePage& PageOfCharset(int charset) {
  int number = CodePageOfCharset(charset);
  if (number == 0) number = kDocumentCodePage;
  const CodePage* page = FindCodePage(number);
  return page != nullptr ? *page : UnknownCodePage();
}

std::optional<unsigned char> Encode(const CodePage& page, char32_t ch) {
  if (page.number == 1253) return UnicodeToCp1253(ch);
  return EncodeChar(page, ch);
}

// \uN with the UTF-16 unit as a signed 16-bit number, and "?" for readers that skip it.
void AppendUnicodeEscape(std::string& out, char32_t ch) {
  auto unit = [&out](unsigned value) {
    out += "\\u";
    out += std::to_string(value > 32767 ? static_cast<int>(value) - 65536 : static_cast<int>(value));
    out += '?';
  };
  if (ch > 0xFFFF) {
    const unsigned v = static_cast<unsigned>(ch) - 0x10000;
    unit(0xD800 + (v >> 10));
    unit(0xDC00 + (v & 0x3FF));
  } else {
    unit(static_cast<unsigned>(ch));
  }
}

// Writes a document in three steps: Collect() sees every block (for the colour table and the
// initial font), Begin() writes the tables, WriteBlock() each block in order, then End(). What
// is written gathers in Output(), which the caller may empty between blocks.
class Writer {
 public:
  // `fonts` must outlive the writer.
  explicit Writer(const std::vector<Font>& fonts) : fonts_(fonts) {}

  void Collect(const Block& block) {
    if (const Paragraph* paragraph = std::get_if<Paragraph>(&block)) {
      CollectColours(*paragraph);
    } else {
      for (const Row& row : std::get<Table>(block).rows) {
        for (const Cell& cell : row.cells) {
          for (const Paragraph& paragraph : cell.paragraphs) CollectColours(paragraph);
        }
      }
    }
    if (!initialKnown_) {
      if (const CharFormat* format = FirstFormat(block)) {
        current_.font = format->font;
        current_.size = format->size;
        initialKnown_ = true;
      }
    }
  }

  void Begin() {
    out_ = "{\\rtf1\\ansi\\ansicpg1253\\deff0";
    WriteFontTable();
    WriteColourTable();
    out_ += "\\viewkind4\\uc1\\pard";
    // The font and size of the first run, so that the first size control word stands right
    // after the tables.
    Word("\\f", current_.font);
    Word("\\fs", current_.size);
  }

  void WriteBlock(const Block& block) {
    if (const Paragraph* paragraph = std::get_if<Paragraph>(&block)) {
      WriteParagraph(*paragraph, false);
    } else {
      WriteTable(std::get<Table>(block));
    }
  }

  void End() { out_ += "}\r\n"; }

  std::string& Output() { return out_; }

 private:
  void WriteFontTable() {
    out_ += "{\\fonttbl";
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
      const Font& font = fonts_[i];
      out_ += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(font.charset) + ' ';
      WriteFontName(font);
      out_ += ";}";
    }
    out_ += "}\r\n";
  }

  // Bytes that could end the entry or be taken for control words are escaped, so that
  // nothing in a name looks like "\fs" to a text search.
  void WriteFontName(const Font& font) {
    const CodePage& page = PageOfCharset(font.charset);
    const std::u32string name = DecodeUtf8(font.name);
    for (const char32_t ch : name) {
      const std::optional<unsigned char> byte = Encode(page, ch);
      if (!byte) {
        AppendUnicodeEscape(out_, ch);
      } else if (*byte < 0x20 || *byte >= 0x80 || *byte == '\\' || *byte == '{' || *byte == '}' || *byte == ';') {
        AppendRtfEscape(out_, *byte, HexCase::kLower);
      } else {
        out_ += static_cast<char>(*byte);
      }
    }
  }

  void CollectColour(const std::optional<Rgb>& colour) {
    if (!colour) return;
    for (const Rgb& known : colours_) {
      if (known == *colour) return;
    }
    colours_.push_back(*colour);
  }

  void CollectColours(const Paragraph& paragraph) {
    for (const Inline& item : paragraph.items) {
      if (const Run* run = std::get_if<Run>(&item)) {
        CollectColour(run->format.foreground);
        CollectColour(run->format.background);
      }
    }
  }

  void WriteColourTable() {
    if (colours_.empty()) return;
    out_ += "{\\colortbl ;";
    for (const Rgb& colour : colours_) {
      out_ += "\\red" + std::to_string(colour.red) + "\\green" + std::to_string(colour.green) +
              "\\blue" + std::to_string(colour.blue) + ';';
    }
    out_ += "}\r\n";
  }

  static const CharFormat* FirstFormat(const Paragraph& paragraph) {
    for (const Inline& item : paragraph.items) {
      if (const Run* run = std::get_if<Run>(&item)) return &run->format;
    }
    return nullptr;
  }

  static const CharFormat* FirstFormat(const Block& block) {
    if (const Paragraph* paragraph = std::get_if<Paragraph>(&block)) return FirstFormat(*paragraph);
    for (const Row& row : std::get<Table>(block).rows) {
      for (const Cell& cell : row.cells) {
        for (const Paragraph& paragraph : cell.paragraphs) {
          if (const CharFormat* format = FirstFormat(paragraph)) return format;
        }
      }
    }
    return nullptr;
  }

  void Word(std::string_view word) {
    out_ += word;
    pendingSpace_ = true;
  }

  void Word(std::string_view word, int parameter) {
    out_ += word;
    out_ += std::to_string(parameter);
    pendingSpace_ = true;
  }

  // Called before text: ends the control words before it with their delimiting space.
  void BeginContent() {
    if (pendingSpace_) out_ += ' ';
    pendingSpace_ = false;
  }

  void WriteTable(const Table& table) {
    for (const Row& row : table.rows) {
      Word("\\trowd");
      for (const int edge : row.cellRightEdges) Word("\\cellx", edge);
      for (const Cell& cell : row.cells) {
        for (const Paragraph& paragraph : cell.paragraphs) WriteParagraph(paragraph, true);
        Word("\\cell");
      }
      if (row.ended) {
        out_ += "\\row\r\n";
        pendingSpace_ = false;
      }
    }
  }

  void WriteParagraph(const Paragraph& paragraph, bool inTable) {
    BeginParagraph(paragraph.format, inTable);
    for (const Inline& item : paragraph.items) {
      if (const Run* run = std::get_if<Run>(&item)) {
        WriteRun(*run);
      } else {
        WritePicture(std::get<Picture>(item));
      }
    }
    if (paragraph.ended) {
      out_ += "\\par\r\n";
      pendingSpace_ = false;
    }
  }

  // Paragraph control words, written when the format differs from the paragraph before.
  void BeginParagraph(const ParagraphFormat& format, bool inTable) {
    if (!firstParagraph_ && format == paragraphFormat_ && inTable == inTable_) return;
    if (!firstParagraph_) Word("\\pard");
    firstParagraph_ = false;
    paragraphFormat_ = format;
    inTable_ = inTable;
    if (inTable) Word("\\intbl");
    switch (format.alignment) {
      case Alignment::Left: break;
      case Alignment::Centre: Word("\\qc"); break;
      case Alignment::Right: Word("\\qr"); break;
      case Alignment::Justify: Word("\\qj"); break;
    }
    if (format.leftIndent != 0) Word("\\li", format.leftIndent);
    if (format.rightIndent != 0) Word("\\ri", format.rightIndent);
    if (format.firstLineIndent != 0) Word("\\fi", format.firstLineIndent);
    if (format.spaceBefore != 0) Word("\\sb", format.spaceBefore);
    if (format.spaceAfter != 0) Word("\\sa", format.spaceAfter);
  }

  int ColourIndex(const std::optional<Rgb>& colour) const {
    if (!colour) return 0;
    for (std::size_t i = 0; i < colours_.size(); ++i) {
      if (colours_[i] == *colour) return static_cast<int>(i + 1);
    }
    return 0;
  }

  void WriteCharFormat(const CharFormat& format) {
    if (format.font != current_.font) Word("\\f", format.font);
    if (format.size != current_.size) Word("\\fs", format.size);
    if (format.bold != current_.bold) Word(format.bold ? "\\b" : "\\b0");
    if (format.italic != current_.italic) Word(format.italic ? "\\i" : "\\i0");
    if (format.underline != current_.underline) Word(format.underline ? "\\ul" : "\\ulnone");
    if (format.strike != current_.strike) Word(format.strike ? "\\strike" : "\\strike0");
    if (format.hidden != current_.hidden) Word(format.hidden ? "\\v" : "\\v0");
    if (format.vertical != current_.vertical) {
      switch (format.vertical) {
        case VerticalPosition::Baseline: Word("\\nosupersub"); break;
        case VerticalPosition::Superscript: Word("\\super"); break;
        case VerticalPosition::Subscript: Word("\\sub"); break;
      }
    }
    if (format.foreground != current_.foreground) Word("\\cf", ColourIndex(format.foreground));
    if (format.background != current_.background) Word("\\highlight", ColourIndex(format.background));
    current_ = format;
  }

  const CodePage& PageOfFont(int font) const {
    if (font < 0 || static_cast<std::size_t>(font) >= fonts_.size()) return PageOfCharset(1);
    return PageOfCharset(fonts_[static_cast<std::size_t>(font)].charset);
  }

  void WriteRun(const Run& run) {
    WriteCharFormat(run.format);
    const CodePage& page = PageOfFont(run.format.font);
    for (const char32_t ch : run.text) WriteChar(ch, page);
  }

  void WriteChar(char32_t ch, const CodePage& page) {
    BeginContent();
    if (ch == U'\t') {
      Word("\\tab");
      return;
    }
    if (ch == kLineBreak) {
      Word("\\line");
      return;
    }
    const std::optional<unsigned char> byte = Encode(page, ch);
    if (!byte) {
      AppendUnicodeEscape(out_, ch);
    } else if (*byte == '\\' || *byte == '{' || *byte == '}') {
      out_ += '\\';
      out_ += static_cast<char>(*byte);
    } else if (*byte < 0x20 || *byte >= 0x80) {
      AppendRtfEscape(out_, *byte, HexCase::kLower);
    } else {
      out_ += static_cast<char>(*byte);
    }
  }

  void WritePicture(const Picture& picture) {
    out_ += picture.format == PictureFormat::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    if (picture.widthGoal != 0) out_ += "\\picwgoal" + std::to_string(picture.widthGoal);
    if (picture.heightGoal != 0) out_ += "\\pichgoal" + std::to_string(picture.heightGoal);
    if (picture.scaleX != 100) out_ += "\\picscalex" + std::to_string(picture.scaleX);
    if (picture.scaleY != 100) out_ += "\\picscaley" + std::to_string(picture.scaleY);
    out_ += "\r\n";
    constexpr std::size_t kBytesPerLine = 64;
    for (std::size_t i = 0; i < picture.data.size(); ++i) {
      AppendHexDigits(out_, static_cast<unsigned char>(picture.data[i]), HexCase::kLower);
      if ((i + 1) % kBytesPerLine == 0) out_ += "\r\n";
    }
    out_ += '}';
    pendingSpace_ = false;
  }

  const std::vector<Font>& fonts_;
  std::string out_;
  std::vector<Rgb> colours_;  // colour table entries 1.., in order of first use
  CharFormat current_;        // the character format the reader is in
  bool initialKnown_ = false;  // the initial font and size were taken from a run
  ParagraphFormat paragraphFormat_;
  bool inTable_ = false;
  bool firstParagraph_ = true;
  bool pendingSpace_ = false;
};

}  // namespace

std::string WriteRtf(const Document& document) {
  Writer writer(document.fonts);
  for (const Block& block : document.blocks) writer.Collect(block);
  writer.Begin();
  for (const Block& block : document.blocks) writer.WriteBlock(block);
  writer.End();
  return std::move(writer.Output());
}

bool ResaveRtf(std::string_view rtf, std::ostream& out) {
  std::vector<Font> fonts;
  Writer writer(fonts);
  // The first reading finds the colours and the initial format, the second is written.
  const std::optional<std::vector<Font>> read = ReadRtfBlocks(rtf, [&](Block&& block) { writer.Collect(block); });
  if (!read) return false;
  fonts = *read;
  writer.Begin();
  ReadRtfBlocks(rtf, [&](Block&& block) {
    writer.WriteBlock(block);
    out << writer.Output();
    writer.Output().clear();
  });
  writer.End();
  out << writer.Output();
  return true;
}

}  // namespace quorvel::richtext

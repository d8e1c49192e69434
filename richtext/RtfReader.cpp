#include "richtext/RtfReader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Cp1253.h"
#include "richtext/CodePages.h"
#include "richtext/PlainText.h"

namespace quorvel::richtext {
namespace {

// Bounds on what the input can make the reader do.
constexpr std::size_t kMaxGroupDepth = 1000;  // deeper groups are read but not shown
constexpr std::size_t kMaxWordLetters = 32;   // longer control words are not RTF's
constexpr int kMaxParameterDigits = 10;
constexpr int kMaxFontNumber = 32767;
constexpr std::size_t kMaxColours = 1024;
constexpr std::size_t kMaxCellEdges = 64;
constexpr std::size_t kMaxFontNameBytes = 256;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxFontSize = 3276;  // half-points

enum class Keyword : std::uint8_t {
  Unknown,
  Ansi, AnsiCpg, Background, Baseline, Bin, Blue, Bold, Cell, CellX, Centre, Charset,
  ColourTable, Cpg, DefaultFont, FirstLineIndent, Font, FontTable, Foreground, Green, Hidden,
  InTable, Italic, Jpeg, Justify, Left, LeftIndent, Mac, NoUnderline, OtherPicture, Paragraph,
  ParagraphDefaults, Pc, Pca, Picture, PictureHeightGoal, PictureScaleX, PictureScaleY,
  PictureWidthGoal, Plain, Png, Red, Right, RightIndent, Row, RowDefaults, ShapePicture, Size,
  SkipDestination, SpaceAfter, SpaceBefore, Strike, Subscript, Superscript, Symbol, Underline,
  Unicode, UnicodeSkip,
};

struct KeywordEntry {
  std::string_view name;
  Keyword keyword;
  char32_t ch = 0;  // the character of a Symbol keyword
};

// Every control word the reader acts on, sorted by name. Destinations a display does not
// show are SkipDestination; control words not listed are ignored.
constexpr KeywordEntry kKeywords[] = {
    {"ansi", Keyword::Ansi},
    {"ansicpg", Keyword::AnsiCpg},
    {"author", Keyword::SkipDestination},
    {"b", Keyword::Bold},
    {"bin", Keyword::Bin},
    {"blue", Keyword::Blue},
    {"bullet", Keyword::Symbol, 0x2022},
    {"buptim", Keyword::SkipDestination},
    {"cb", Keyword::Background},
    {"cell", Keyword::Cell},
    {"cellx", Keyword::CellX},
    {"cf", Keyword::Foreground},
    {"colortbl", Keyword::ColourTable},
    {"comment", Keyword::SkipDestination},
    {"company", Keyword::SkipDestination},
    {"cpg", Keyword::Cpg},
    {"creatim", Keyword::SkipDestination},
    {"deff", Keyword::DefaultFont},
    {"dibitmap", Keyword::OtherPicture},
    {"doccomm", Keyword::SkipDestination},
    {"emdash", Keyword::Symbol, 0x2014},
    {"emfblip", Keyword::OtherPicture},
    {"emspace", Keyword::Symbol, 0x2003},
    {"endash", Keyword::Symbol, 0x2013},
    {"enspace", Keyword::Symbol, 0x2002},
    {"f", Keyword::Font},
    {"fcharset", Keyword::Charset},
    {"fi", Keyword::FirstLineIndent},
    {"fldinst", Keyword::SkipDestination},
    {"fonttbl", Keyword::FontTable},
    {"footer", Keyword::SkipDestination},
    {"footerf", Keyword::SkipDestination},
    {"footerl", Keyword::SkipDestination},
    {"footerr", Keyword::SkipDestination},
    {"footnote", Keyword::SkipDestination},
    {"fs", Keyword::Size},
    {"green", Keyword::Green},
    {"header", Keyword::SkipDestination},
    {"headerf", Keyword::SkipDestination},
    {"headerl", Keyword::SkipDestination},
    {"headerr", Keyword::SkipDestination},
    {"highlight", Keyword::Background},
    {"i", Keyword::Italic},
    {"info", Keyword::SkipDestination},
    {"intbl", Keyword::InTable},
    {"jpegblip", Keyword::Jpeg},
    {"keywords", Keyword::SkipDestination},
    {"ldblquote", Keyword::Symbol, 0x201C},
    {"li", Keyword::LeftIndent},
    {"line", Keyword::Symbol, 0x2028},
    {"listtext", Keyword::SkipDestination},
    {"lquote", Keyword::Symbol, 0x2018},
    {"mac", Keyword::Mac},
    {"macpict", Keyword::OtherPicture},
    {"manager", Keyword::SkipDestination},
    {"nestcell", Keyword::Cell},
    {"nestrow", Keyword::Row},
    {"nonshppict", Keyword::SkipDestination},
    {"nosupersub", Keyword::Baseline},
    {"operator", Keyword::SkipDestination},
    {"page", Keyword::Paragraph},
    {"par", Keyword::Paragraph},
    {"pard", Keyword::ParagraphDefaults},
    {"pc", Keyword::Pc},
    {"pca", Keyword::Pca},
    {"pichgoal", Keyword::PictureHeightGoal},
    {"picscalex", Keyword::PictureScaleX},
    {"picscaley", Keyword::PictureScaleY},
    {"pict", Keyword::Picture},
    {"picwgoal", Keyword::PictureWidthGoal},
    {"plain", Keyword::Plain},
    {"pmmetafile", Keyword::OtherPicture},
    {"pn", Keyword::SkipDestination},
    {"pngblip", Keyword::Png},
    {"pntext", Keyword::SkipDestination},
    {"printim", Keyword::SkipDestination},
    {"private", Keyword::SkipDestination},
    {"qc", Keyword::Centre},
    {"qj", Keyword::Justify},
    {"ql", Keyword::Left},
    {"qmspace", Keyword::Symbol, 0x2005},
    {"qr", Keyword::Right},
    {"rdblquote", Keyword::Symbol, 0x201D},
    {"red", Keyword::Red},
    {"revtim", Keyword::SkipDestination},
    {"ri", Keyword::RightIndent},
    {"row", Keyword::Row},
    {"rquote", Keyword::Symbol, 0x2019},
    {"rxe", Keyword::SkipDestination},
    {"sa", Keyword::SpaceAfter},
    {"sb", Keyword::SpaceBefore},
    {"sect", Keyword::Paragraph},
    {"shp", Keyword::SkipDestination},
    {"shppict", Keyword::ShapePicture},
    {"strike", Keyword::Strike},
    {"striked", Keyword::Strike},
    {"stylesheet", Keyword::SkipDestination},
    {"sub", Keyword::Subscript},
    {"subject", Keyword::SkipDestination},
    {"super", Keyword::Superscript},
    {"tab", Keyword::Symbol, 0x0009},
    {"tc", Keyword::SkipDestination},
    {"template", Keyword::SkipDestination},
    {"title", Keyword::SkipDestination},
    {"trowd", Keyword::RowDefaults},
    {"txe", Keyword::SkipDestination},
    {"u", Keyword::Unicode},
    {"uc", Keyword::UnicodeSkip},
    {"ul", Keyword::Underline},
    {"uld", Keyword::Underline},
    {"uldash", Keyword::Underline},
    {"uldashd", Keyword::Underline},
    {"uldashdd", Keyword::Underline},
    {"uldb", Keyword::Underline},
    {"ulhwave", Keyword::Underline},
    {"ulldash", Keyword::Underline},
    {"ulnone", Keyword::NoUnderline},
    {"ulth", Keyword::Underline},
    {"ulthd", Keyword::Underline},
    {"ulthdash", Keyword::Underline},
    {"ulthdashd", Keyword::Underline},
    {"ulthdashdd", Keyword::Underline},
    {"ulthldash", Keyword::Underline},
    {"ululdbwave", Keyword::Underline},
    {"ulw", Keyword::Underline},
    {"ulwave", Keyword::Underline},
    {"v", Keyword::Hidden},
    {"wbitmap", Keyword::OtherPicture},
    {"wmetafile", Keyword::OtherPicture},
    {"xe", Keyword::SkipDestination},
};

static_assert(std::is_sorted(std::begin(kKeywords), std::end(kKeywords),
                             [](const KeywordEntry& a, const KeywordEntry& b) {
                               return a.name < b.name;
                             }));

const KeywordEntry* FindKeyword(std::string_view word) {
  if (word.size() > kMaxWordLetters) return nullptr;
  const auto* it = std::lower_bound(
      std::begin(kKeywords), std::end(kKeywords), word,
      [](const KeywordEntry& entry, std::string_view w) { return entry.name < w; });
  if (it == std::end(kKeywords) || it->name != word) return nullptr;
  return it;
}

enum class Destination : std::uint8_t { Text, Skip, FontTable, ColourTable, Picture };

struct CharState {
  int font = 0;  // RTF font number
  int size = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;
  VerticalPosition vertical = VerticalPosition::Baseline;
  int foreground = -1;  // colour table index; -1 automatic
  int background = -1;  // colour table index; -1 none
  bool operator==(const CharState&) const = default;
};

// What a group saves and its closing brace restores.
struct GroupState {
  Destination destination = Destination::Text;
  CharState chars;
  ParagraphFormat paragraph;
  bool inTable = false;
  int unicodeSkip = 1;  // \uc
};

struct FontDef {
  bool defined = false;
  int charset = 1;   // \fcharset; 1 (default) when the entry gives none
  int codePage = 0;  // \cpg; 0 when the entry gives none
  std::string name;  // UTF-8
  bool nameDone = false;
  int modelIndex = -1;  // index in Document::fonts once text has used the font
};

// What the reader learns from the document's header and tables; the sinks read it.
struct Tables {
  std::vector<FontDef> fonts;  // by font number, grown as numbers are met
  FontDef outOfRangeFont;      // every number outside 0..kMaxFontNumber
  std::vector<std::optional<Rgb>> colours;
  std::vector<int> rowEdges;  // \cellx values of the row being defined
  int ansiCodePage = 1252;
  int defaultFont = 0;
  unsigned version = 0;  // changes whenever fonts or colours change

  FontDef& FontSlot(int number) {
    if (number < 0 || number > kMaxFontNumber) return outOfRangeFont;
    const auto index = static_cast<std::size_t>(number);
    if (index >= fonts.size()) fonts.resize(index + 1);
    return fonts[index];
  }

  const CodePage& PageOf(const FontDef& def) const {
    int number = 0;
    if (def.defined) number = def.codePage != 0 ? def.codePage : CodePageOfCharset(def.charset);
    if (number == 0) number = ansiCodePage;
    const CodePage* page = FindCodePage(number);
    return page != nullptr ? *page : UnknownCodePage();
  }

  // The charset the model records: the one of the code page the text was read in, so
  // that the writer encodes the text in that page again. The default charset becomes the
  // document's; a code page without a charset of its own (unknown, double-byte) is recorded
  // as Western, the charset whose meaning does not depend on the document.
  int ModelCharset(const FontDef& def) const {
    int charset = def.defined ? def.charset : 1;
    if (def.defined && def.codePage != 0) {
      charset = CharsetOfCodePage(def.codePage);
    } else if (charset == 1) {
      charset = CharsetOfCodePage(ansiCodePage);
    }
    return charset == 1 ? 0 : charset;
  }

  std::optional<Rgb> Colour(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= colours.size()) return std::nullopt;
    return colours[static_cast<std::size_t>(index)];
  }
};

// Drops what no run may hold and replaces the characters that stand for structure.
std::optional<char32_t> SanitizeChar(char32_t ch) {
  if (ch == U'\t') return ch;
  if (ch < 0x20) return std::nullopt;
  if (ch == kParagraphMark) return kLineBreak;
  if (ch == kPictureMark || (ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF) return 0xFFFD;
  return ch;
}

// Builds the document model.
class ModelSink {
 public:
  static constexpr bool kWantsPictureData = true;

  explicit ModelSink(Tables& tables) : tables_(tables) {}
  // Hands every block to `take` once it is complete, instead of keeping it; a table then comes
  // as one block per row.
  ModelSink(Tables& tables, const BlockTaker& take) : tables_(tables), take_(&take) {}

  void Text(std::string_view bytes, const CodePage& page, const GroupState& state) {
    std::u32string& text = RunFor(state).text;
    for (const char byte : bytes) text.push_back(page.toUnicode[static_cast<unsigned char>(byte)]);
  }

  void Char(char32_t ch, const GroupState& state) { RunFor(state).text.push_back(ch); }

  void AddPicture(Picture&& picture, const GroupState& state) {
    current_.format = state.paragraph;
    current_.items.emplace_back(std::move(picture));
  }

  void ParagraphEnd(const GroupState& state) {
    current_.format = state.paragraph;
    current_.ended = true;
    if (state.inTable) {
      cellParagraphs_.push_back(std::move(current_));
    } else {
      FlushOpenRow();
      AddBlock(std::move(current_));
    }
    current_ = Paragraph{};
  }

  void CellEnd(const GroupState& state) {
    Cell cell;
    cell.paragraphs = std::move(cellParagraphs_);
    cellParagraphs_.clear();
    if (!current_.items.empty()) {
      current_.format = state.paragraph;
      current_.ended = false;
      cell.paragraphs.push_back(std::move(current_));
    }
    current_ = Paragraph{};
    row_.cells.push_back(std::move(cell));
  }

  void RowEnd(const GroupState& state) {
    if (!current_.items.empty() || !cellParagraphs_.empty()) CellEnd(state);
    if (row_.cells.empty()) return;
    row_.ended = true;
    AppendRow();
  }

  void Finish() {
    FlushOpenRow();
    if (!current_.items.empty()) {
      current_.ended = false;
      AddBlock(std::move(current_));
      current_ = Paragraph{};
    }
  }

  Document Take() { return std::move(document_); }

 private:
  // The run that text of this state goes to: the paragraph's last run, or a new one.
  Run& RunFor(const GroupState& state) {
    current_.format = state.paragraph;  // an unended paragraph keeps the format of its last text
    if (!formatValid_ || state.chars != resolvedChars_ || tables_.version != resolvedVersion_) {
      format_ = Resolve(state.chars);
      resolvedChars_ = state.chars;
      resolvedVersion_ = tables_.version;
      formatValid_ = true;
    }
    if (current_.items.empty() || !std::holds_alternative<Run>(current_.items.back()) ||
        std::get<Run>(current_.items.back()).format != format_) {
      current_.items.emplace_back(Run{format_, {}});
    }
    return std::get<Run>(current_.items.back());
  }

  CharFormat Resolve(const CharState& chars) {
    CharFormat format;
    format.font = ModelFont(chars.font);
    format.size = chars.size;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strike = chars.strike;
    format.hidden = chars.hidden;
    format.vertical = chars.vertical;
    format.foreground = tables_.Colour(chars.foreground);
    format.background = tables_.Colour(chars.background);
    return format;
  }

  int ModelFont(int number) {
    FontDef& def = tables_.FontSlot(number);
    if (def.modelIndex < 0) {
      def.modelIndex = static_cast<int>(document_.fonts.size());
      document_.fonts.push_back(Font{def.defined ? def.name : std::string(), tables_.ModelCharset(def)});
    }
    return def.modelIndex;
  }

  void AddBlock(Block&& block) {
    if (take_ != nullptr) {
      (*take_)(std::move(block));
    } else {
      document_.blocks.push_back(std::move(block));
    }
  }

  void AppendRow() {
    row_.cellRightEdges = tables_.rowEdges;
    if (take_ != nullptr) {
      Block block(std::in_place_type<Table>);
      std::get<Table>(block).rows.push_back(std::move(row_));
      row_ = Row{};
      AddBlock(std::move(block));
      return;
    }
    if (document_.blocks.empty() || !std::holds_alternative<Table>(document_.blocks.back())) {
      document_.blocks.emplace_back(Table{});
    }
    std::get<Table>(document_.blocks.back()).rows.push_back(std::move(row_));
    row_ = Row{};
  }

  // Text that leaves the table before its row was closed: the cells so far become an
  // open row, and paragraphs not yet closed into a cell become ordinary paragraphs.
  void FlushOpenRow() {
    if (!row_.cells.empty()) {
      row_.ended = false;
      AppendRow();
    }
    for (Paragraph& paragraph : cellParagraphs_) AddBlock(std::move(paragraph));
    cellParagraphs_.clear();
  }

  Tables& tables_;
  const BlockTaker* take_ = nullptr;
  Document document_;
  Paragraph current_;
  std::vector<Paragraph> cellParagraphs_;  // paragraphs of the cell being filled
  Row row_;                                // cells of the row being filled
  CharFormat format_;
  CharState resolvedChars_;
  unsigned resolvedVersion_ = 0;
  bool formatValid_ = false;
};

// Produces the plain text bytes directly. Follows the structure rules of ModelSink so that
// its output equals PlainText() of the model.
class PlainSink {
 public:
  static constexpr bool kWantsPictureData = false;

  explicit PlainSink(std::size_t inputSize) { out_.reserve(inputSize / 2); }

  void Text(std::string_view bytes, const CodePage& page, const GroupState& state) {
    paragraphHasContent_ = true;
    if (state.chars.hidden) return;
    for (const char byte : bytes) out_.push_back(static_cast<char>(page.toCp1253[static_cast<unsigned char>(byte)]));
  }

  void Char(char32_t ch, const GroupState& state) {
    paragraphHasContent_ = true;
    if (!state.chars.hidden) AppendPlainText(out_, ch);
  }

  void AddPicture(Picture&&, const GroupState&) { paragraphHasContent_ = true; }

  void ParagraphEnd(const GroupState& state) {
    if (state.inTable) {
      cellHasParagraphs_ = true;
    } else {
      cellsInRow_ = 0;
      cellHasParagraphs_ = false;
    }
    paragraphHasContent_ = false;
    out_ += "\r\n";
  }

  void CellEnd(const GroupState&) {
    out_ += '\t';
    ++cellsInRow_;
    cellHasParagraphs_ = false;
    paragraphHasContent_ = false;
  }

  void RowEnd(const GroupState& state) {
    if (paragraphHasContent_ || cellHasParagraphs_) CellEnd(state);
    if (cellsInRow_ == 0) return;
    out_ += "\r\n";
    cellsInRow_ = 0;
  }

  void Finish() {}

  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
  std::size_t cellsInRow_ = 0;
  bool cellHasParagraphs_ = false;
  bool paragraphHasContent_ = false;
};

constexpr bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Bytes that end a span of plain text: group braces, control sequences, control bytes.
constexpr std::array<bool, 256> kEndsText = [] {
  std::array<bool, 256> t{};
  for (int c = 0; c < 0x20; ++c) t[c] = true;
  t['{'] = t['}'] = t['\\'] = true;
  return t;
}();

enum class PictureKind : std::uint8_t { Unknown, Png, Jpeg, Other };

// The RTF state machine, iterative: one loop over the bytes, the group stack in a vector.
template <class Sink>
class Parser {
 public:
  // REQUIRES: input starts with "{\rtf".
  Parser(std::string_view input, Tables& tables, Sink& sink)
      : in_(input), tables_(tables), sink_(sink) {}

  void Run() {
    stack_.push_back(GroupState{});
    pos_ = 1;
    while (pos_ < in_.size()) {
      const auto c = static_cast<unsigned char>(in_[pos_]);
      if (c == '{') {
        ++pos_;
        OpenGroup();
      } else if (c == '}') {
        ++pos_;
        if (CloseGroup()) break;
      } else if (c == '\\') {
        ++pos_;
        ControlSequence();
      } else if (c == '\r' || c == '\n') {
        ++pos_;
      } else {
        TextSpan();
      }
    }
    // Groups left open at the end close there, a picture's among them.
    if (!stack_.empty()) {
      while (!CloseGroup()) {
      }
    }
    sink_.Finish();
  }

 private:
  GroupState& State() { return stack_.back(); }

  Destination CurrentDestination() const {
    return overflow_ > 0 ? Destination::Skip : stack_.back().destination;
  }

  const CodePage& Page() {
    if (page_ == nullptr) page_ = &tables_.PageOf(tables_.FontSlot(State().chars.font));
    return *page_;
  }

  void OpenGroup() {
    skip_ = 0;
    starPending_ = false;
    if (overflow_ > 0 || stack_.size() >= kMaxGroupDepth) {
      ++overflow_;
      return;
    }
    const GroupState copy = stack_.back();
    stack_.push_back(copy);
  }

  // True when the document's own group has closed.
  bool CloseGroup() {
    skip_ = 0;
    starPending_ = false;
    if (overflow_ > 0) {
      --overflow_;
      return false;
    }
    if (pictureDepth_ == stack_.size()) FinishPicture();
    stack_.pop_back();
    page_ = nullptr;
    return stack_.empty();
  }

  void TextSpan() {
    const std::size_t start = pos_;
    std::size_t end = start;
    while (end < in_.size() && !kEndsText[static_cast<unsigned char>(in_[end])]) ++end;
    if (end == start) {  // a control byte; a literal tab counts as \tab
      if (in_[pos_++] == '\t') CharFromControl(U'\t');
      return;
    }
    pos_ = end;
    std::string_view span = in_.substr(start, end - start);
    starPending_ = false;
    if (skip_ > 0) {
      const std::size_t skipped = std::min<std::size_t>(static_cast<std::size_t>(skip_), span.size());
      skip_ -= static_cast<int>(skipped);
      span.remove_prefix(skipped);
      if (span.empty()) return;
    }
    switch (CurrentDestination()) {
      case Destination::Text:
        sink_.Text(span, Page(), State());
        break;
      case Destination::FontTable:
        for (const char byte : span) FontNameByte(static_cast<unsigned char>(byte), false);
        break;
      case Destination::ColourTable:
        for (const char byte : span) {
          if (byte == ';') EndColour();
        }
        break;
      case Destination::Picture:
        for (const char byte : span) PictureHex(static_cast<unsigned char>(byte));
        break;
      case Destination::Skip:
        break;
    }
  }

  // A text byte written as an escape (\'hh, \\, \{, \}).
  void EscapedByte(unsigned char byte) {
    if (skip_ > 0) {
      --skip_;
      return;
    }
    switch (CurrentDestination()) {
      case Destination::Text:
        if (byte >= 0x20) {
          const char c = static_cast<char>(byte);
          sink_.Text(std::string_view(&c, 1), Page(), State());
        } else if (byte == '\t') {
          sink_.Char(U'\t', State());
        }
        break;
      case Destination::FontTable:
        FontNameByte(byte, true);
        break;
      default:
        break;
    }
  }

  // A character given by a control word or symbol (\tab, \line, \emdash, \~ ...).
  void CharFromControl(char32_t ch) {
    if (skip_ > 0) {
      --skip_;
      return;
    }
    Char(ch);
  }

  void Char(char32_t ch) {
    switch (CurrentDestination()) {
      case Destination::Text:
        sink_.Char(ch, State());
        break;
      case Destination::FontTable:
        FontNameChar(ch);
        break;
      default:
        break;
    }
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    const auto c = static_cast<unsigned char>(in_[pos_]);
    if (!IsLetter(c)) {
      ++pos_;
      ControlSymbol(c);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
      negative = true;
      ++pos_;
    }
    bool hasParameter = false;
    long long value = 0;
    int digits = 0;
    while (pos_ < in_.size() && IsDigit(static_cast<unsigned char>(in_[pos_]))) {
      if (digits < kMaxParameterDigits) value = value * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
      hasParameter = true;
    }
    value = std::min<long long>(value, INT_MAX);
    const int parameter = static_cast<int>(negative ? -value : value);
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    ControlWord(FindKeyword(word), hasParameter, parameter);
  }

  void ControlSymbol(unsigned char c) {
    if (c == '\'') {
      int value = 0;
      int digits = 0;
      while (digits < 2 && pos_ < in_.size() && HexValue(static_cast<unsigned char>(in_[pos_])) >= 0) {
        value = value * 16 + HexValue(static_cast<unsigned char>(in_[pos_]));
        ++digits;
        ++pos_;
      }
      if (digits > 0) {
        EscapedByte(static_cast<unsigned char>(value));
      } else if (skip_ > 0) {
        --skip_;
      }
      return;
    }
    if (skip_ > 0) {
      --skip_;
      return;
    }
    switch (c) {
      case '\\':
      case '{':
      case '}':
        EscapedByte(c);
        break;
      case '~':
        Char(U'\u00A0');
        break;
      case '-':
        Char(U'\u00AD');
        break;
      case '_':
        Char(U'\u2011');
        break;
      case '\t':
        Char(U'\t');
        break;
      case '*':
        starPending_ = true;
        break;
      case '\r':
      case '\n':
        if (CurrentDestination() == Destination::Text) sink_.ParagraphEnd(State());
        break;
      default:
        break;
    }
  }

  void ControlWord(const KeywordEntry* entry, bool hasParameter, int parameter) {
    const Keyword keyword = entry != nullptr ? entry->keyword : Keyword::Unknown;
    if (skip_ > 0) {
      --skip_;
      if (keyword == Keyword::Bin) SkipBinary(parameter, false);
      return;
    }
    const Destination destination = CurrentDestination();
    if (starPending_) {
      // "\*": the group is a destination to skip unless the reader knows it.
      starPending_ = false;
      if (keyword != Keyword::ShapePicture && destination != Destination::Skip) {
        State().destination = Destination::Skip;
      }
      return;
    }
    if (keyword == Keyword::Bin) {
      SkipBinary(parameter, destination == Destination::Picture);
      return;
    }
    if (destination == Destination::Skip) return;
    if (keyword == Keyword::UnicodeSkip) {
      State().unicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip);
      return;
    }
    if (keyword == Keyword::Unicode) {
      UnicodeChar(parameter);
      return;
    }
    switch (destination) {
      case Destination::Text:
        TextWord(entry, keyword, hasParameter, parameter);
        break;
      case Destination::FontTable:
        FontTableWord(keyword, parameter);
        break;
      case Destination::ColourTable:
        ColourWord(keyword, parameter);
        break;
      case Destination::Picture:
        PictureWord(keyword, parameter);
        break;
      case Destination::Skip:
        break;
    }
  }

  // \binN: N raw bytes, clamped to what the input holds.
  void SkipBinary(int length, bool isPictureData) {
    const std::size_t left = in_.size() - pos_;
    const std::size_t count = length > 0 ? std::min<std::size_t>(static_cast<std::size_t>(length), left) : 0;
    if (isPictureData && Sink::kWantsPictureData) picture_.data.append(in_.substr(pos_, count));
    pos_ += count;
  }

  void UnicodeChar(int parameter) {
    // The parameter is a signed 16-bit UTF-16 unit; anything outside that range is broken.
    const char32_t unit = parameter < -32768 || parameter > 65535
                              ? char32_t{0xFFFD}
                              : static_cast<char32_t>(parameter < 0 ? parameter + 65536 : parameter);
    if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_ != 0) {
      Char(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      highSurrogate_ = 0;
    } else {
      if (highSurrogate_ != 0) Char(0xFFFD);
      highSurrogate_ = 0;
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        highSurrogate_ = unit;
      } else if (const std::optional<char32_t> ch = SanitizeChar(unit)) {
        Char(*ch);
      }
    }
    skip_ = State().unicodeSkip;
  }

  void TextWord(const KeywordEntry* entry, Keyword keyword, bool hasParameter, int parameter) {
    GroupState& state = State();
    CharState& chars = state.chars;
    ParagraphFormat& paragraph = state.paragraph;
    const bool on = !hasParameter || parameter != 0;
    switch (keyword) {
      case Keyword::Ansi: SetAnsiCodePage(1252); break;
      case Keyword::Mac: SetAnsiCodePage(10000); break;
      case Keyword::Pc: SetAnsiCodePage(437); break;
      case Keyword::Pca: SetAnsiCodePage(850); break;
      case Keyword::AnsiCpg: SetAnsiCodePage(parameter); break;
      case Keyword::DefaultFont:
        tables_.defaultFont = parameter;
        chars.font = parameter;
        page_ = nullptr;
        break;
      case Keyword::FontTable:
        state.destination = Destination::FontTable;
        fontEntry_ = -1;
        break;
      case Keyword::ColourTable:
        state.destination = Destination::ColourTable;
        tables_.colours.clear();
        colour_ = Rgb{};
        colourHasValue_ = false;
        ++tables_.version;
        break;
      case Keyword::Picture:
        state.destination = Destination::Picture;
        picture_ = richtext::Picture{};
        pictureKind_ = PictureKind::Unknown;
        pendingNibble_ = -1;
        pictureDepth_ = stack_.size();
        break;
      case Keyword::SkipDestination: state.destination = Destination::Skip; break;
      case Keyword::Paragraph: sink_.ParagraphEnd(state); break;
      case Keyword::Cell: sink_.CellEnd(state); break;
      case Keyword::Row: sink_.RowEnd(state); break;
      case Keyword::Symbol: Char(entry->ch); break;
      case Keyword::RowDefaults: tables_.rowEdges.clear(); break;
      case Keyword::CellX:
        if (tables_.rowEdges.size() < kMaxCellEdges) tables_.rowEdges.push_back(parameter);
        break;
      case Keyword::InTable: state.inTable = true; break;
      case Keyword::ParagraphDefaults:
        paragraph = ParagraphFormat{};
        state.inTable = false;
        break;
      case Keyword::Left: paragraph.alignment = Alignment::Left; break;
      case Keyword::Centre: paragraph.alignment = Alignment::Centre; break;
      case Keyword::Right: paragraph.alignment = Alignment::Right; break;
      case Keyword::Justify: paragraph.alignment = Alignment::Justify; break;
      case Keyword::LeftIndent: paragraph.leftIndent = parameter; break;
      case Keyword::RightIndent: paragraph.rightIndent = parameter; break;
      case Keyword::FirstLineIndent: paragraph.firstLineIndent = parameter; break;
      case Keyword::SpaceBefore: paragraph.spaceBefore = parameter; break;
      case Keyword::SpaceAfter: paragraph.spaceAfter = parameter; break;
      case Keyword::Plain:
        chars = CharState{};
        chars.font = tables_.defaultFont;
        page_ = nullptr;
        break;
      case Keyword::Font:
        chars.font = parameter;
        page_ = nullptr;
        break;
      case Keyword::Size: chars.size = parameter > 0 ? std::min(parameter, kMaxFontSize) : 24; break;
      case Keyword::Bold: chars.bold = on; break;
      case Keyword::Italic: chars.italic = on; break;
      case Keyword::Underline: chars.underline = on; break;
      case Keyword::NoUnderline: chars.underline = false; break;
      case Keyword::Strike: chars.strike = on; break;
      case Keyword::Hidden: chars.hidden = on; break;
      case Keyword::Superscript: chars.vertical = VerticalPosition::Superscript; break;
      case Keyword::Subscript: chars.vertical = VerticalPosition::Subscript; break;
      case Keyword::Baseline: chars.vertical = VerticalPosition::Baseline; break;
      case Keyword::Foreground: chars.foreground = parameter; break;
      case Keyword::Background: chars.background = parameter; break;
      default: break;
    }
  }

  void SetAnsiCodePage(int number) {
    tables_.ansiCodePage = number;
    ++tables_.version;
    page_ = nullptr;
  }

  void FontTableWord(Keyword keyword, int parameter) {
    if (keyword == Keyword::Font) {
      fontEntry_ = parameter >= 0 && parameter <= kMaxFontNumber ? parameter : -1;
      if (fontEntry_ >= 0) {
        FontDef& def = tables_.FontSlot(fontEntry_);
        const int modelIndex = def.modelIndex;
        def = FontDef{};
        def.defined = true;
        def.modelIndex = modelIndex;
      }
    } else if (fontEntry_ >= 0 && keyword == Keyword::Charset) {
      tables_.FontSlot(fontEntry_).charset = parameter;
    } else if (fontEntry_ >= 0 && keyword == Keyword::Cpg) {
      tables_.FontSlot(fontEntry_).codePage = parameter;
    } else {
      return;
    }
    ++tables_.version;
    page_ = nullptr;
  }

  void FontNameByte(unsigned char byte, bool escaped) {
    if (fontEntry_ < 0) return;
    FontDef& def = tables_.FontSlot(fontEntry_);
    if (def.nameDone) return;
    if (byte == ';' && !escaped) {
      def.nameDone = true;
      return;
    }
    if (byte >= 0x20) FontNameChar(tables_.PageOf(def).toUnicode[byte]);
  }

  void FontNameChar(char32_t ch) {
    if (fontEntry_ < 0) return;
    FontDef& def = tables_.FontSlot(fontEntry_);
    if (def.nameDone || def.name.size() >= kMaxFontNameBytes || ch < 0x20) return;
    if (const std::optional<char32_t> clean = SanitizeChar(ch)) AppendUtf8(def.name, *clean);
  }

  void ColourWord(Keyword keyword, int parameter) {
    const auto component = static_cast<std::uint8_t>(std::clamp(parameter, 0, 255));
    switch (keyword) {
      case Keyword::Red: colour_.red = component; break;
      case Keyword::Green: colour_.green = component; break;
      case Keyword::Blue: colour_.blue = component; break;
      default: return;
    }
    colourHasValue_ = true;
  }

  void EndColour() {
    if (tables_.colours.size() < kMaxColours) {
      tables_.colours.push_back(colourHasValue_ ? std::optional<Rgb>(colour_) : std::nullopt);
      ++tables_.version;
    }
    colour_ = Rgb{};
    colourHasValue_ = false;
  }

  void PictureWord(Keyword keyword, int parameter) {
    switch (keyword) {
      case Keyword::Png: pictureKind_ = PictureKind::Png; break;
      case Keyword::Jpeg: pictureKind_ = PictureKind::Jpeg; break;
      case Keyword::OtherPicture: pictureKind_ = PictureKind::Other; break;
      case Keyword::PictureWidthGoal: picture_.widthGoal = std::max(parameter, 0); break;
      case Keyword::PictureHeightGoal: picture_.heightGoal = std::max(parameter, 0); break;
      case Keyword::PictureScaleX: picture_.scaleX = parameter > 0 ? parameter : 100; break;
      case Keyword::PictureScaleY: picture_.scaleY = parameter > 0 ? parameter : 100; break;
      default: break;
    }
  }

  void PictureHex(unsigned char byte) {
    if constexpr (Sink::kWantsPictureData) {
      const int nibble = HexValue(byte);
      if (nibble < 0) return;
      if (pendingNibble_ < 0) {
        pendingNibble_ = nibble;
      } else {
        picture_.data.push_back(static_cast<char>((pendingNibble_ << 4) | nibble));
        pendingNibble_ = -1;
      }
    }
  }

  // At the close of the picture's group: PNG and JPEG pictures go to the text, others
  // are dropped.
  void FinishPicture() {
    pictureDepth_ = 0;
    if (pictureKind_ != PictureKind::Png && pictureKind_ != PictureKind::Jpeg) return;
    picture_.format = pictureKind_ == PictureKind::Png ? PictureFormat::Png : PictureFormat::Jpeg;
    // The picture stands where its group stands, in the text of the enclosing group.
    const GroupState& outer = stack_.size() >= 2 ? stack_[stack_.size() - 2] : stack_.back();
    if (outer.destination == Destination::Text) sink_.AddPicture(std::move(picture_), outer);
    picture_ = richtext::Picture{};
  }

  std::string_view in_;
  Tables& tables_;
  Sink& sink_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;  // groups opened beyond kMaxGroupDepth, still open
  int skip_ = 0;              // fallback characters after \u still to skip
  bool starPending_ = false;
  char32_t highSurrogate_ = 0;
  const CodePage* page_ = nullptr;  // code page of the current font; looked up when null
  int fontEntry_ = -1;              // font number of the font table entry being read
  Rgb colour_;
  bool colourHasValue_ = false;
  std::size_t pictureDepth_ = 0;  // stack size of the open picture group; 0 when none
  PictureKind pictureKind_ = PictureKind::Unknown;
  richtext::Picture picture_;
  int pendingNibble_ = -1;
};

bool IsRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

}  // namespace

ReadResult ReadRtf(std::string_view bytes) {
  ReadResult result;
  if (!IsRtf(bytes)) return result;
  result.isRtf = true;
  Tables tables;
  ModelSink sink(tables);
  Parser<ModelSink>(bytes, tables, sink).Run();
  result.document = sink.Take();
  return result;
}

std::optional<std::vector<Font>> ReadRtfBlocks(std::string_view bytes, const BlockTaker& take) {
  if (!IsRtf(bytes)) return std::nullopt;
  Tables tables;
  ModelSink sink(tables, take);
  Parser<ModelSink>(bytes, tables, sink).Run();
  return std::move(sink.Take().fonts);
}

std::optional<std::string> RtfToPlainText(std::string_view rtf) {
  if (!IsRtf(rtf)) return std::nullopt;
  Tables tables;
  PlainSink sink(rtf.size());
  Parser<PlainSink>(rtf, tables, sink).Run();
  return sink.Take();
}

}  // namespace quorvel::richtext

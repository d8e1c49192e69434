#include "ui/RichTextView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QTextTableFormat>
#include <QUrl>

#include <algorithm>
#include <utility>
#include <variant>

#include "core/Cp1253.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace quorvel::ui {
namespace {

using richtext::Alignment;
using richtext::VerticalPosition;

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch
constexpr double kMaxPixels = 4000.0;    // bound on indents, spacing and picture sizes

double TwipsToPixels(int twips) {
  return std::clamp(twips / kTwipsPerPixel, -kMaxPixels, kMaxPixels);
}

// Characters that QTextDocument takes as structure (block and frame marks, an object's
// place) or that no run should hold are shown as U+FFFD, still one unit each.
char32_t Displayable(char32_t ch) {
  if (ch == U'\t' || ch == richtext::kLineBreak) return ch;
  if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0) || ch == richtext::kParagraphMark ||
      ch == U'\uFDD0' || ch == U'\uFDD1' || ch == richtext::kPictureMark ||
      (ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF) {
    return U'\uFFFD';
  }
  return ch;
}

QTextCharFormat CharFormat(const richtext::CharFormat& format,
                           const std::vector<richtext::Font>& fonts) {
  QTextCharFormat result;
  if (format.font >= 0 && static_cast<std::size_t>(format.font) < fonts.size()) {
    const std::string& name = fonts[static_cast<std::size_t>(format.font)].name;
    if (!name.empty()) result.setFontFamilies({QString::fromStdString(name)});
  }
  result.setFontPointSize(std::clamp(format.size / 2.0, 1.0, 1600.0));
  result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  result.setFontItalic(format.italic);
  result.setFontUnderline(format.underline);
  result.setFontStrikeOut(format.strike);
  if (format.vertical == VerticalPosition::Superscript) {
    result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
  } else if (format.vertical == VerticalPosition::Subscript) {
    result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
  }
  if (format.foreground) {
    result.setForeground(QColor(format.foreground->red, format.foreground->green,
                                format.foreground->blue));
  }
  if (format.background) {
    result.setBackground(QColor(format.background->red, format.background->green,
                                format.background->blue));
  }
  return result;
}

QTextBlockFormat BlockFormat(const richtext::ParagraphFormat& format) {
  QTextBlockFormat result;
  switch (format.alignment) {
    case Alignment::Left: result.setAlignment(Qt::AlignLeft); break;
    case Alignment::Centre: result.setAlignment(Qt::AlignHCenter); break;
    case Alignment::Right: result.setAlignment(Qt::AlignRight); break;
    case Alignment::Justify: result.setAlignment(Qt::AlignJustify); break;
  }
  result.setLeftMargin(std::max(0.0, TwipsToPixels(format.leftIndent)));
  result.setRightMargin(std::max(0.0, TwipsToPixels(format.rightIndent)));
  result.setTextIndent(TwipsToPixels(format.firstLineIndent));
  result.setTopMargin(std::max(0.0, TwipsToPixels(format.spaceBefore)));
  result.setBottomMargin(std::max(0.0, TwipsToPixels(format.spaceAfter)));
  return result;
}

// Column widths from the \cellx right edges of a row; nothing when they do not rise.
QList<QTextLength> ColumnWidths(const std::vector<int>& rightEdges, int columns) {
  if (rightEdges.size() != static_cast<std::size_t>(columns)) return {};
  QList<QTextLength> widths;
  int left = 0;
  for (const int edge : rightEdges) {
    if (edge <= left) return {};
    widths.append(QTextLength(QTextLength::FixedLength, std::min(TwipsToPixels(edge - left), kMaxPixels)));
    left = edge;
  }
  return widths;
}

// Builds the QTextDocument of a model and, unit by unit in the order of the model's display
// text, the document position where each unit starts.
class DocumentBuilder {
 public:
  DocumentBuilder(const richtext::Document& model, QTextDocument& target,
                  std::vector<int>& positions, bool grid = true)
      : model_(model), target_(target), positions_(positions), grid_(grid) {}

  void Build() {
    QTextCursor cursor(&target_);
    for (const richtext::Block& block : model_.blocks) {
      cursor.movePosition(QTextCursor::End);
      if (const auto* paragraph = std::get_if<richtext::Paragraph>(&block)) {
        AddParagraph(*paragraph, cursor);
      } else {
        AddTable(std::get<richtext::Table>(block), cursor);
      }
    }
    positions_.push_back(target_.characterCount() - 1);
  }

 private:
  void AddParagraph(const richtext::Paragraph& paragraph, QTextCursor& cursor) {
    const QTextBlockFormat blockFormat = BlockFormat(paragraph.format);
    cursor.setBlockFormat(blockFormat);
    for (const richtext::Inline& item : paragraph.items) {
      if (const auto* run = std::get_if<richtext::Run>(&item)) {
        AddRun(*run, cursor);
      } else {
        AddPicture(std::get<richtext::Picture>(item), cursor);
      }
    }
    if (paragraph.ended) {
      positions_.push_back(cursor.position());
      // The empty line a bare paragraph mark gives takes the height of the text before it.
      cursor.insertBlock(blockFormat, lastFormat_);
    }
  }

  void AddRun(const richtext::Run& run, QTextCursor& cursor) {
    if (run.format.hidden || run.text.empty()) return;
    lastFormat_ = CharFormat(run.format, model_.fonts);
    const int start = cursor.position();
    QString text;
    for (const char32_t unit : run.text) {
      positions_.push_back(start + static_cast<int>(text.size()));
      const char32_t ch = Displayable(unit);
      text += QString::fromUcs4(&ch, 1);
    }
    cursor.insertText(text, lastFormat_);
  }

  void AddPicture(const richtext::Picture& picture, QTextCursor& cursor) {
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(picture.data.data()),
                       static_cast<int>(std::min<std::size_t>(picture.data.size(), INT_MAX)),
                       picture.format == richtext::PictureFormat::Png ? "PNG" : "JPEG");
    const double scaleX = std::clamp(picture.scaleX, 1, 1000) / 100.0;
    const double scaleY = std::clamp(picture.scaleY, 1, 1000) / 100.0;
    double width = picture.widthGoal > 0 ? TwipsToPixels(picture.widthGoal) : image.width();
    double height = picture.heightGoal > 0 ? TwipsToPixels(picture.heightGoal) : image.height();
    width = std::clamp(width * scaleX, 1.0, kMaxPixels);
    height = std::clamp(height * scaleY, 1.0, kMaxPixels);
    if (image.isNull()) {
      // A picture that does not decode keeps its place, blank.
      image = QImage(1, 1, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
    }
    const QString name = QStringLiteral("picture:%1").arg(pictureCount_++);
    target_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(width);
    format.setHeight(height);
    positions_.push_back(cursor.position());
    cursor.insertImage(format);
  }

  void AddTable(const richtext::Table& table, QTextCursor& cursor) {
    if (table.rows.empty()) return;
    const richtext::Row* widest = &table.rows.front();
    for (const richtext::Row& row : table.rows) {
      if (row.cells.size() > widest->cells.size()) widest = &row;
    }
    const int columns = std::max(1, static_cast<int>(widest->cells.size()));
    const int rows = static_cast<int>(table.rows.size());

    QTextTableFormat format;
    format.setBorder(grid_ ? 1 : 0);
    format.setBorderStyle(grid_ ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    format.setBorderBrush(QColor(160, 160, 160));
    format.setBorderCollapse(true);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setColumnWidthConstraints(ColumnWidths(widest->cellRightEdges, columns));
    QTextTable* qtTable = cursor.insertTable(rows, columns, format);

    // A row with fewer cells than the widest lets its last cell span the rest.
    for (int r = 0; r < rows; ++r) {
      const int cells = static_cast<int>(table.rows[static_cast<std::size_t>(r)].cells.size());
      if (cells < columns) {
        const int last = std::max(0, cells - 1);
        qtTable->mergeCells(r, last, 1, columns - last);
      }
    }

    for (int r = 0; r < rows; ++r) {
      const richtext::Row& row = table.rows[static_cast<std::size_t>(r)];
      int rowEnd = qtTable->cellAt(r, 0).firstCursorPosition().position();
      for (std::size_t c = 0; c < row.cells.size(); ++c) {
        QTextCursor cellCursor = qtTable->cellAt(r, static_cast<int>(c)).firstCursorPosition();
        for (const richtext::Paragraph& paragraph : row.cells[c].paragraphs) {
          AddParagraph(paragraph, cellCursor);
        }
        // The cell's TAB: where the next cell (or the table's end) begins.
        positions_.push_back(cellCursor.position());
        rowEnd = cellCursor.position();
      }
      if (row.ended) positions_.push_back(rowEnd);
    }
  }

  const richtext::Document& model_;
  QTextDocument& target_;
  std::vector<int>& positions_;
  const bool grid_;
  QTextCharFormat lastFormat_;
  int pictureCount_ = 0;
};

// Plain text for the clipboard: the code page 1253 bytes as characters, LF line ends.
QString ClipboardText(std::string_view plain) {
  std::string lf;
  lf.reserve(plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n') continue;
    lf += plain[i];
  }
  return QString::fromStdString(Cp1253ToUtf8(lf));
}

}  // namespace

void LayOutRichText(const richtext::Document& model, QTextDocument& target, bool grid) {
  std::vector<int> positions;
  DocumentBuilder(model, target, positions, grid).Build();
}

RichTextView::RichTextView(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QTextEdit::WidgetWidth);
  Rebuild();
}

RichTextView::~RichTextView() { disconnect(contentsConnection_); }

bool RichTextView::LoadRtf(std::string_view bytes) {
  richtext::ReadResult result = richtext::ReadRtf(bytes);
  if (!result.isRtf) {
    Clear();
    return false;
  }
  ShowDocument(std::move(result.document));
  return true;
}

void RichTextView::ShowDocument(richtext::Document document) {
  model_ = std::move(document);
  Rebuild();
}

void RichTextView::Clear() { ShowDocument(richtext::Document{}); }

void RichTextView::Rebuild() {
  disconnect(contentsConnection_);
  auto* built = new QTextDocument(this);
  built->setUndoRedoEnabled(false);
  built->setDefaultFont(font());
  std::vector<int> positions;
  DocumentBuilder(model_, *built, positions).Build();
  display_ = richtext::DisplayText(model_);
  documentPositions_ = std::move(positions);
  if (documentPositions_.size() != display_.size() + 1) {
    // The builder walks the model as the display text does; should they ever part, the
    // view answers as if empty rather than with wrong positions.
    display_.clear();
    documentPositions_.assign(1, 0);
  }
  marks_.clear();
  builtDocument_ = built;
  setDocument(built);  // deletes the previous document built here
  contentsConnection_ = connect(built, &QTextDocument::contentsChange, this,
                                [this](int, int removed, int added) {
                                  if (removed != added) ForgetModel();
                                });
}

void RichTextView::ForgetModel() {
  disconnect(contentsConnection_);
  model_ = richtext::Document{};
  display_.clear();
  documentPositions_.clear();
  builtDocument_ = nullptr;
  marks_.clear();
}

bool RichTextView::HasModel() const {
  return builtDocument_ == document() && !documentPositions_.empty();
}

std::string RichTextView::PlainText() const { return richtext::DisplayToPlainText(display_); }

int RichTextView::ModelPosition(int documentPosition) const {
  const auto it =
      std::lower_bound(documentPositions_.begin(), documentPositions_.end(), documentPosition);
  return static_cast<int>(std::min<std::size_t>(it - documentPositions_.begin(), display_.size()));
}

std::pair<int, int> RichTextView::SelectedDocumentRange() const {
  const QTextCursor cursor = textCursor();
  QTextTable* table = cursor.currentTable();
  if (cursor.hasComplexSelection() && table) {
    // Cells selected as a block: the units from its first cell to its last, row by row.
    int row = 0, rows = 0, column = 0, columns = 0;
    cursor.selectedTableCells(&row, &rows, &column, &columns);
    if (rows > 0 && columns > 0) {
      return {table->cellAt(row, column).firstCursorPosition().position(),
              table->cellAt(row + rows - 1, column + columns - 1).lastCursorPosition().position()};
    }
  }
  return {cursor.selectionStart(), cursor.selectionEnd()};
}

int RichTextView::SelectionStart() const {
  if (!HasModel()) return 0;
  return ModelPosition(SelectedDocumentRange().first);
}

int RichTextView::SelectionLength() const {
  if (!HasModel()) return 0;
  const auto [from, to] = SelectedDocumentRange();
  return ModelPosition(to) - ModelPosition(from);
}

std::string RichTextView::SelectedText() const {
  return TextRange(SelectionStart(), SelectionLength());
}

std::string RichTextView::TextRange(int start, int length) const {
  const long long size = static_cast<long long>(display_.size());
  const long long from = std::clamp<long long>(start, 0, size);
  const long long to = std::clamp<long long>(static_cast<long long>(start) + length, from, size);
  return richtext::DisplayToPlainText(
      std::u32string_view(display_).substr(static_cast<std::size_t>(from),
                                           static_cast<std::size_t>(to - from)));
}

void RichTextView::Select(int start, int length) {
  if (!HasModel()) return;
  const long long size = static_cast<long long>(display_.size());
  const long long from = std::clamp<long long>(start, 0, size);
  const long long to = std::clamp<long long>(static_cast<long long>(start) + length, from, size);
  QTextCursor cursor(document());
  cursor.setPosition(documentPositions_[static_cast<std::size_t>(from)]);
  cursor.setPosition(documentPositions_[static_cast<std::size_t>(to)], QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

std::unique_ptr<QMimeData> RichTextView::CopyData() const {
  if (!HasModel() || display_.empty()) return nullptr;
  auto data = std::make_unique<QMimeData>();
  if (SelectionLength() > 0) {
    data->setText(ClipboardText(SelectedText()));
    return data;
  }
  data->setText(ClipboardText(PlainText()));
  data->setHtml(ModelDocument()->toHtml());
  const std::string rtf = SaveRtf();
  const QByteArray rtfBytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
  data->setData(QStringLiteral("text/rtf"), rtfBytes);
  data->setData(QStringLiteral("application/rtf"), rtfBytes);
  return data;
}

void RichTextView::CopySelectionOrAll() const {
  std::unique_ptr<QMimeData> data = CopyData();
  if (data) QGuiApplication::clipboard()->setMimeData(data.release());
}

std::string RichTextView::SaveRtf() const { return richtext::WriteRtf(model_); }

std::unique_ptr<QTextDocument> RichTextView::ModelDocument() const {
  auto laidOut = std::make_unique<QTextDocument>();
  laidOut->setDefaultFont(font());
  LayOutRichText(model_, *laidOut);
  return laidOut;
}

void RichTextView::MarkWords(const std::vector<TextSpan>& spans) {
  // The marks there were go with a fresh layout of the model.
  if (!marks_.empty()) Rebuild();
  if (!HasModel()) return;
  marks_ = MarksInDisplayUnits(display_, spans);
  for (const WordMark& mark : marks_) PaintMark(mark);
  if (!marks_.empty()) PlaceCaret(marks_.front().start);
}

// Character by character, as a word may change its colour inside.
void RichTextView::PaintMark(const WordMark& mark) {
  QTextCursor cursor(document());
  const QColor pageText = palette().color(QPalette::Text);
  for (int unit = mark.start; unit < mark.start + mark.length; ++unit) {
    const int from = documentPositions_[static_cast<std::size_t>(unit)];
    const int to = documentPositions_[static_cast<std::size_t>(unit) + 1];
    if (to <= from) continue;  // a unit with no character of its own (a cell's TAB)
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    const QTextCharFormat shown = cursor.charFormat();
    const QColor text = shown.foreground().style() == Qt::NoBrush ? pageText : shown.foreground().color();
    QTextCharFormat background;
    background.setBackground(WordMarkBackground(text));
    cursor.mergeCharFormat(background);
  }
}

void RichTextView::GoToNextMark() { GoToMark(true); }
void RichTextView::GoToPreviousMark() { GoToMark(false); }

void RichTextView::GoToMark(bool forward) {
  if (!HasModel()) return;
  const int next = NextMarkIndex(marks_, ModelPosition(textCursor().position()), forward);
  if (next >= 0) PlaceCaret(marks_[static_cast<std::size_t>(next)].start);
}

void RichTextView::PlaceCaret(int unit) {
  QTextCursor cursor(document());
  cursor.setPosition(documentPositions_[static_cast<std::size_t>(unit)]);
  const QRect before = cursorRect(cursor);
  const bool outOfSight = before.top() < 0 || before.bottom() >= viewport()->height();
  setTextCursor(cursor);  // scrolls no further than to bring the caret to the edge
  if (outOfSight) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + cursorRect().top() - viewport()->height() / 3);
  }
}

void RichTextView::focusInEvent(QFocusEvent* event) {
  QTextEdit::focusInEvent(event);
  emit focusEntered();
}

QMimeData* RichTextView::createMimeDataFromSelection() const {
  if (!HasModel()) return QTextEdit::createMimeDataFromSelection();
  // The rich text of the same selection in a fresh layout of the model, whose positions are
  // the shown document's: the view's marks stay out of it.
  const std::unique_ptr<QTextDocument> laidOut = ModelDocument();
  QTextCursor selection(laidOut.get());
  selection.setPosition(textCursor().anchor());
  selection.setPosition(textCursor().position(), QTextCursor::KeepAnchor);
  auto* data = new QMimeData;
  data->setHtml(QTextDocumentFragment(selection).toHtml());
  data->setText(ClipboardText(SelectedText()));
  return data;
}

}  // namespace quorvel::ui

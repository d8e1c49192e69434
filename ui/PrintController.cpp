#include "ui/PrintController.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include <utility>
#include <variant>

#include "core/PrintDocument.h"
#include "richtext/RtfReader.h"
#include "ui/MainView.h"
#include "ui/RichTextView.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {
namespace {

// The print's text where the document names no font or size.
QFont PrintFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(11);
  return font;
}

// The print document leaves the rows of the rendering and of the description open: their text
// follows the group of the label's cell, outside the table. The row's cell edges give it a
// second column, and the print lays that text there, so that every label stands beside its
// text as the entry's label does.
void JoinOpenRows(richtext::Document& document) {
  std::vector<richtext::Block>& blocks = document.blocks;
  for (size_t i = 0; i < blocks.size(); ++i) {
    auto* table = std::get_if<richtext::Table>(&blocks[i]);
    if (!table) continue;
    richtext::Row& row = table->rows.back();
    if (row.ended || row.cells.size() != 1) continue;
    richtext::Cell text;
    size_t end = i + 1;
    for (; end < blocks.size() && std::holds_alternative<richtext::Paragraph>(blocks[end]); ++end) {
      text.paragraphs.push_back(std::move(std::get<richtext::Paragraph>(blocks[end])));
    }
    if (text.paragraphs.empty()) continue;
    row.cells.push_back(std::move(text));
    // A row defined twice over (its edges given again without a new row) keeps its first two.
    if (row.cellRightEdges.size() > row.cells.size()) row.cellRightEdges.resize(row.cells.size());
    blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                 blocks.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

}  // namespace

PrintController::PrintController(Session& session, MainView& view, RichTextView* description)
    : session_(session),
      view_(view),
      description_(description),
      choosePrinter_([this](QPrinter& printer) { return ShowPrintDialog(printer); }) {
  setObjectName(QStringLiteral("PrintController"));
}

bool PrintController::ShowPrintDialog(QPrinter& printer) {
  QPrintDialog dialog(&printer, view_.widget());
  return dialog.exec() == QDialog::Accepted;
}

void PrintController::Print_ButtonClick() {
  const std::optional<ListItem> item = view_.SelectedItem();
  if (!item || item->slot < 1 || item->slot >= kIndexSlots) return;
  QPrinter printer(QPrinter::HighResolution);
  if (!choosePrinter_(printer)) return;

  const Dictionary& dictionary = session_.dictionary();
  PrintText_ = BuildPrintDocument(description_->SaveRtf(),
                                  PrintRowsOfEntry(dictionary, item->slot, view_.GreekMode()));
  richtext::ReadResult read = richtext::ReadRtf(PrintText_);
  if (!read.isRtf) return;
  JoinOpenRows(read.document);
  QTextDocument page;
  page.setDefaultFont(PrintFont());
  LayOutRichText(read.document, page, false);
  printer.setDocName(ToQString(PrintJobName(dictionary.EnglishIndex[static_cast<size_t>(item->slot)].Headword)));
  page.print(&printer);
}

}  // namespace quorvel::ui

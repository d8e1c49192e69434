// RichTextView: the read-only view of a description. It shows a richtext::Document in a
// QTextEdit and answers plain text, selection and copy in the units of the model's display
// text (richtext/PlainText.h), not in the QTextDocument's own positions.
//
// Units. Every display unit of the model is one position here: a character, a tab, a line
// break, a picture, a paragraph mark. The plain text gives a paragraph mark and a line break
// as CR LF (two bytes) but they stay one unit in SelectionStart(), SelectionLength() and
// TextRange(). Tables are where the QTextDocument's structure differs (cell boundaries, the
// frame around the table); the view keeps a map between the two kinds of position, so that a
// cell's end counts as the model's TAB and a row's end as its paragraph mark.
//
// Use LoadRtf(), ShowDocument() or Clear() to change the content; QTextEdit's own setters
// (clear(), setPlainText(), setHtml()) bypass the model, and the view then answers as if empty.
//
// Word marks (ui/WordMarks.h) colour the background of a searched word in the shown
// QTextDocument only. Everything the view gives out comes from the model, never from that
// document: PlainText(), SaveRtf() (which printing reads) and every copy stay without marks.
#pragma once

#include <QTextEdit>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/DescriptionSearch.h"
#include "richtext/Document.h"
#include "ui/WordMarks.h"

class QMimeData;
class QTextDocument;

namespace quorvel::ui {

// Lays out `model` in the empty `target` as the view shows a description: fonts and sizes,
// paragraphs, tables with their column widths, pictures. Table cells are outlined by a grid
// line unless `grid` is false (a print shows none). REQUIRES: every run's font indexes
// model.fonts.
void LayOutRichText(const richtext::Document& model, QTextDocument& target, bool grid = true);

class RichTextView : public QTextEdit {
  Q_OBJECT

 public:
  explicit RichTextView(QWidget* parent = nullptr);
  ~RichTextView() override;

  // Replaces the content with the RTF document in `bytes`. False when the engine does not
  // take the bytes as RTF: the view is then empty.
  bool LoadRtf(std::string_view bytes);
  // Replaces the content with `document`. REQUIRES for SaveRtf(): every run's font indexes
  // document.fonts, as a document from the reader does.
  void ShowDocument(richtext::Document document);
  // Empties the view and the model.
  void Clear();

  const richtext::Document& Model() const { return model_; }
  // The model's display text: one char32_t per unit.
  const std::u32string& DisplayText() const { return display_; }
  // The model's plain text, code page 1253 bytes.
  std::string PlainText() const;

  // The selection in display units; both 0 without content. Cells selected as a block (a
  // selection from one cell into another) count from the block's first cell to its last.
  int SelectionStart() const;
  int SelectionLength() const;
  // The plain text (code page 1253 bytes) of the selected units.
  std::string SelectedText() const;
  // The plain text of the units [start, start + length), clipped to the text.
  std::string TextRange(int start, int length) const;
  // Selects the units [start, start + length), clipped to the text; the cursor ends at the end.
  void Select(int start, int length);

  // What a copy puts on the clipboard: with a selection, its plain text; without one, the
  // whole description as rich text (HTML and RTF) and plain text. Null when there is nothing
  // to copy. Plain text on the clipboard has LF line ends, as the platform's text format
  // expects (the clipboard turns them into CR LF where the platform wants that).
  std::unique_ptr<QMimeData> CopyData() const;
  // Puts CopyData() on the system clipboard; does nothing when it is null.
  void CopySelectionOrAll() const;

  // The engine's RTF save of the current model.
  std::string SaveRtf() const;

  // Marks where a searched word stands: `spans` are positions and lengths in PlainText()'s
  // bytes, in order. Each marked character gets a background that its own text colour reads
  // on (WordMarkBackground), the caret goes to the first mark without selecting, and the view
  // scrolls to it. Replaces the marks there were; no spans leaves none. Any new content drops
  // the marks.
  void MarkWords(const std::vector<TextSpan>& spans);
  // The marks, in display units and in order; empty when none are shown.
  const std::vector<WordMark>& Marks() const { return marks_; }
  // Move the caret, without selecting, to the start of the next mark after it or of the
  // previous one before it, wrapping around, and scroll it into sight. Nothing without marks.
  void GoToNextMark();
  void GoToPreviousMark();

 signals:
  // The view got the keyboard focus.
  void focusEntered();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  // The keyboard copy (Ctrl+C), the context menu's and a drag give the model's plain text of
  // the selection beside its rich text, taken from a fresh layout of the model.
  QMimeData* createMimeDataFromSelection() const override;

 private:
  // The display position of a QTextDocument position.
  int ModelPosition(int documentPosition) const;
  // The model laid out afresh as the view lays it out, without marks: what copies are made of.
  std::unique_ptr<QTextDocument> ModelDocument() const;
  void PaintMark(const WordMark& mark);
  void GoToMark(bool forward);
  // Puts the caret at display position `unit` without a selection; a caret out of sight is
  // brought to a third of the view's height, below the lines that lead to it.
  void PlaceCaret(int unit);
  // The selection's start and end as QTextDocument positions.
  std::pair<int, int> SelectedDocumentRange() const;
  bool HasModel() const;
  void Rebuild();
  void ForgetModel();

  richtext::Document model_;
  std::u32string display_;
  // For every display unit, the QTextDocument position where it starts; one more entry for
  // the end. Non-decreasing: units that have no character of their own in the QTextDocument
  // (the TAB after a cell, the mark after a row) share the position of what follows them.
  std::vector<int> documentPositions_;
  const QTextDocument* builtDocument_ = nullptr;
  QMetaObject::Connection contentsConnection_;
  std::vector<WordMark> marks_;  // in builtDocument_
};

}  // namespace quorvel::ui

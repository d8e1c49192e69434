#include "ui/FigureController.h"

#include "core/FigureReference.h"
#include "ui/FigFormU.h"
#include "ui/MainView.h"
#include "ui/RichTextView.h"

namespace quorvel::ui {

FigureController::FigureController(Session& session, MainView& view, RichTextView* description)
    : session_(session), view_(view), description_(description) {
  setObjectName(QStringLiteral("FigureController"));
  // Queued: the figure window's own event loop does not run inside the view's mouse handling.
  connect(description_, &QTextEdit::selectionChanged, this,
          &FigureController::Description_TextSelectionChange, Qt::QueuedConnection);
}

void FigureController::Description_TextSelectionChange() {
  const RichTextView* view = description_;
  const std::pair<int, int> selection{view->SelectionStart(), view->SelectionLength()};
  if (selection == lastSelection_) return;
  lastSelection_ = selection;
  const int units = static_cast<int>(view->DisplayText().size());
  const DescriptionUnit unit = [view, units](int position) -> std::optional<std::string> {
    if (position < 0 || position >= units) return std::nullopt;
    return view->TextRange(position, 1);
  };
  const std::optional<std::string> digit = SelectedFigure(unit, selection.first, selection.second);
  if (!digit) return;
  const std::optional<ListItem> item = view_.SelectedItem();
  if (!item) return;
  Session& session = session_;
  const std::optional<std::string> file =
      ExistingFigureFile(session.fileSystem(), session.dictionary(), session.locations().ProgramDir, item->slot, *digit);
  if (!file) return;
  TFigForm figure(view_.widget());
  if (!figure.LoadFigure(QString::fromLocal8Bit(*file))) return;
  figure.exec();
}

}  // namespace quorvel::ui

// Figures of the main window: a selection in the description that is a figure reference
// (core/FigureReference.h) opens the drawing of the selected list item's entry in the figure
// viewer, when the drawing's file exists and reads as a picture; otherwise nothing happens.
#pragma once

#include <QObject>

#include <utility>

namespace quorvel {
class Session;
}

namespace quorvel::ui {

class RichTextView;
class MainView;

class FigureController : public QObject {
  Q_OBJECT

 public:
  // `window` and `description` must outlive the controller. Every change of the description's
  // selection is looked at, those that loading a description makes included.
  FigureController(Session& session, MainView& view, RichTextView* description);

  void Description_TextSelectionChange();

 private:
  Session& session_;
  MainView& view_;
  RichTextView* description_;
  // The selection last looked at (start, length): one change can be reported more than once.
  std::pair<int, int> lastSelection_{0, 0};
};

}  // namespace quorvel::ui

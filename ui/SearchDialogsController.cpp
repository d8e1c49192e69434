#include "ui/SearchDialogsController.h"

#include "core/Session.h"
#include "core/TextOps.h"
#include "ui/BusyCursor.h"
#include "ui/KeepPainted.h"
#include "ui/MainLexU.h"
#include "ui/MessageFormU.h"
#include "ui/SearchFormU.h"

namespace quorvel::ui {

SearchDialogsController::SearchDialogsController(Session& session, TMainLex& window)
    : QObject(&window), session_(session), window_(window) {}

// One criterion is searched like typed text in the list language, two or three together
// choose their language; nothing is selected or shown. With no criterion the list stays.
void SearchDialogsController::Search_ButtonClick() {
  TSearchForm dialog(&window_);
  dialog.SetGreekKeyboard(window_.GreekMode() && !window_.greekLayoutFound());
  const bool ok = dialog.exec() == QDialog::Accepted;
  window_.activateWindow();
  if (ok) {
    BusyCursor busy;
    if (const auto list = session_.SearchByCriteria(dialog.Criteria(), window_.GreekMode())) window_.ApplyList(*list);
  }
  window_.FocusSearchBox();
}

// The word (without leading blanks) goes into the search box, the list language follows its
// first character, and the list holds the English headwords of the entries whose descriptions
// hold it, nothing selected. The first search of a load reads every description; the window
// stays painted meanwhile.
void SearchDialogsController::DescrSearch_ButtonClick() {
  TMessageForm dialog(&window_);
  dialog.SetGreekKeyboard(window_.GreekMode() && !window_.greekLayoutFound());
  const bool ok = dialog.exec() == QDialog::Accepted;
  window_.activateWindow();
  if (ok) {
    BusyCursor busy;
    window_.SetSearchTextQuietly(TrimLeft(dialog.Word()));
    window_.ClearView();
    EntryList list;
    // A description file that cannot be read ends the search silently; the status is kept.
    RunKeepingPainted([&] { lastSearch_ = session_.SearchDescriptions(dialog.Word(), list); });
    window_.ApplyList(list);
    // Another program's change that came during the search is followed now.
    window_.FollowUserFiles();
  }
  window_.FocusSearchBox();
}

}  // namespace quorvel::ui

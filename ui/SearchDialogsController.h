// The two search dialogs of the tool bar: the search criteria (TSearchForm) and the search in
// the descriptions (TMessageForm). Each handler shows its dialog, hands the answers to the
// session and gives the resulting list to the window; the search box gets the focus after
// either dialog, whatever its answer.
#pragma once

#include <QObject>

#include "core/Status.h"

namespace quorvel {
class Session;
}

namespace quorvel::ui {

class TMainLex;

class SearchDialogsController : public QObject {
  Q_OBJECT

 public:
  // `session` and `window` must outlive the controller (the window owns it).
  SearchDialogsController(Session& session, TMainLex& window);

  void Search_ButtonClick();
  void DescrSearch_ButtonClick();
  // How the last description search ended (it ends silently for the user).
  const Status& lastDescriptionSearch() const { return lastSearch_; }

 private:
  Session& session_;
  TMainLex& window_;
  Status lastSearch_ = Status::Ok();
};

}  // namespace quorvel::ui

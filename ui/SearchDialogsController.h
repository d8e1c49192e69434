// The two search dialogs of the tool bar: the search criteria (TSearchForm) and the search in
// the descriptions (TMessageForm). Each handler shows its dialog, hands the answers to the
// session and gives the resulting list to the view; the search box gets the focus after either
// dialog, whatever its answer.
//
// The description search runs on a worker thread (the session's BeginDescriptionSearch) while
// the window stays painted; until its list is shown the controller is searching(), which the
// window reads to hold user input and whatever would change the session. The word index that
// answers the search from memory is built, or found in the cache, on a worker thread too.
#pragma once

#include <QFutureWatcher>
#include <QObject>

#include <memory>
#include <optional>

#include "core/Session.h"
#include "core/Status.h"
#include "core/WordIndexCache.h"

namespace quorvel::ui {

class BusyCursor;
class MainView;

class SearchDialogsController : public QObject {
  Q_OBJECT

 public:
  // `session` and `view` must outlive the controller.
  SearchDialogsController(Session& session, MainView& view);
  // Waits for work still running on a worker thread.
  ~SearchDialogsController() override;

  void Search_ButtonClick();
  void DescrSearch_ButtonClick();

  // Starts making the word index for the dictionary loaded now (after a load), unless one is
  // in use or on its way.
  void PrepareWordIndex();
  bool wordIndexReady() const { return session_.hasWordIndex(); }

  // Whether a description search runs (its list not yet shown).
  bool searching() const { return search_.isRunning() || session_.busy(); }
  // Returns once the description search has ended and its list is shown.
  void FinishSearch();
  // How the last description search ended (it ends silently for the user).
  const Status& lastDescriptionSearch() const { return lastSearch_; }

 signals:
  // A description search has started on its worker thread; its list is not shown yet.
  void searchStarted();
  // The description search's list is shown.
  void searchEnded();

 private:
  void SearchFinished();
  void WordIndexFinished();
  void AdoptWaitingWordIndex();

  Session& session_;
  MainView& view_;
  Status lastSearch_ = Status::Ok();
  QFutureWatcher<Session::DescriptionSearchResult> search_;
  std::unique_ptr<BusyCursor> busy_;
  QFutureWatcher<WordIndexOutcome> wordIndex_;
  // A word index built while a search ran: the session takes it once the search has ended.
  std::optional<WordIndexOutcome> waitingIndex_;
};

}  // namespace quorvel::ui

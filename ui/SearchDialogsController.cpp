#include "ui/SearchDialogsController.h"

#include <QtConcurrent/QtConcurrentRun>

#include "core/TextOps.h"
#include "ui/BusyCursor.h"
#include "ui/MainView.h"
#include "ui/MessageFormU.h"
#include "ui/SearchFormU.h"

namespace quorvel::ui {

SearchDialogsController::SearchDialogsController(Session& session, MainView& view) : session_(session), view_(view) {
  connect(&search_, &QFutureWatcher<Session::DescriptionSearchResult>::finished, this,
          &SearchDialogsController::SearchFinished);
  connect(&wordIndex_, &QFutureWatcher<WordIndexOutcome>::finished, this, &SearchDialogsController::WordIndexFinished);
}

SearchDialogsController::~SearchDialogsController() {
  search_.waitForFinished();
  wordIndex_.waitForFinished();
}

// One criterion is searched like typed text in the list language, two or three together
// choose their language; nothing is selected or shown. With no criterion the list stays.
void SearchDialogsController::Search_ButtonClick() {
  TSearchForm dialog(view_.widget());
  dialog.SetGreekKeyboard(view_.GreekMode() && !view_.greekLayoutFound());
  const bool ok = dialog.exec() == QDialog::Accepted;
  view_.widget()->activateWindow();
  if (ok) {
    BusyCursor busy;
    if (const auto list = session_.SearchByCriteria(dialog.Criteria(), view_.GreekMode())) view_.ApplyList(*list);
  }
  view_.FocusSearchBox();
}

// The word (without leading blanks) goes into the search box, the list language follows its
// first character, and the list holds the English headwords of the entries whose descriptions
// hold it, nothing selected. Without the word index the first search of a load reads every
// description: the window stays painted, under the busy cursor, and takes no input meanwhile.
void SearchDialogsController::DescrSearch_ButtonClick() {
  if (searching()) return;
  TMessageForm dialog(view_.widget());
  dialog.SetGreekKeyboard(view_.GreekMode() && !view_.greekLayoutFound());
  const bool ok = dialog.exec() == QDialog::Accepted;
  view_.widget()->activateWindow();
  if (!ok) return view_.FocusSearchBox();
  const std::string word = dialog.Word();  // read here, on the window's thread
  view_.SetSearchTextQuietly(TrimLeft(word));
  view_.ClearView();
  busy_ = std::make_unique<BusyCursor>();
  search_.setFuture(QtConcurrent::run(session_.BeginDescriptionSearch(word)));
  emit searchStarted();
}

void SearchDialogsController::FinishSearch() {
  if (!search_.isRunning()) return;
  search_.waitForFinished();
  SearchFinished();
}

// A description file that cannot be read ends the search silently; its status is kept.
void SearchDialogsController::SearchFinished() {
  if (!session_.busy()) return;  // already finished (FinishSearch, then the watcher's signal)
  Session::DescriptionSearchResult result = search_.result();
  lastSearch_ = result.status;
  const EntryList list = session_.EndDescriptionSearch(std::move(result));
  busy_.reset();
  view_.ApplyList(list);
  view_.FocusSearchBox();
  AdoptWaitingWordIndex();
  emit searchEnded();
}

void SearchDialogsController::PrepareWordIndex() {
  if (session_.hasWordIndex() || wordIndex_.isRunning() || waitingIndex_) return;
  std::optional<WordIndexInputs> inputs = session_.WordIndexInputsFor(WordIndexFolderFromEnvironment());
  if (!inputs) return;
  // The worker reads its inputs and the published files through the file system, nothing else.
  FileSystem& fs = session_.fileSystem();
  wordIndex_.setFuture(QtConcurrent::run([inputs = std::move(*inputs), &fs] { return OpenWordIndex(inputs, fs); }));
}

// An index made for files the session no longer has loaded is not taken (AdoptWordIndex says
// so); the next load asks for another.
void SearchDialogsController::WordIndexFinished() {
  waitingIndex_ = wordIndex_.result();
  if (!session_.busy()) AdoptWaitingWordIndex();
}

void SearchDialogsController::AdoptWaitingWordIndex() {
  if (!waitingIndex_) return;
  (void)session_.AdoptWordIndex(std::exchange(waitingIndex_, std::nullopt)->index);
}

}  // namespace quorvel::ui

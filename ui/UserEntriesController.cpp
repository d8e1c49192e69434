#include "ui/UserEntriesController.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include <utility>
#include <vector>

#include "core/EntryEditing.h"
#include "ui/BusyCursor.h"
#include "ui/CaptionLabel.h"
#include "ui/EntryListModel.h"
#include "ui/EntryListView.h"
#include "ui/GreekMessageBox.h"
#include "ui/InsertEntryfrmU.h"
#include "ui/MainLexU.h"
#include "ui/SelectCustomDirFormU.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {

QString NotSavedMessage(StatusCode code) {
  QString reason;
  switch (code) {
    case StatusCode::kNotFound:
      reason = QStringLiteral("Δεν βρέθηκε το λήμμα ή ο φάκελος των επεξεργασμένων λημμάτων.");
      break;
    case StatusCode::kNoSpace:
      reason = QStringLiteral("Δεν υπάρχει αρκετός ελεύθερος χώρος στο δίσκο.");
      break;
    case StatusCode::kNoPermission:
      reason = QStringLiteral("Δεν επιτρέπεται η εγγραφή στο φάκελο των επεξεργασμένων λημμάτων.");
      break;
    case StatusCode::kDamaged:
      reason = QStringLiteral("Τα αρχεία των επεξεργασμένων λημμάτων είναι κατεστραμμένα.");
      break;
    case StatusCode::kInUse:
      reason = QStringLiteral("Τα αρχεία των επεξεργασμένων λημμάτων χρησιμοποιούνται από άλλο πρόγραμμα.");
      break;
    case StatusCode::kRefused:
      reason = QStringLiteral("Το λεξικό δεν μπορεί να δεχτεί αυτή την αλλαγή.");
      break;
    case StatusCode::kIoError:
    case StatusCode::kCancelled:
    case StatusCode::kOk:
      reason = QStringLiteral("Παρουσιάστηκε σφάλμα κατά την ανάγνωση ή την εγγραφή στο δίσκο.");
      break;
  }
  return QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε.\n\n") + reason;
}

UserEntriesController::UserEntriesController(TMainLex& window, const Controls& controls)
    : window_(window), c_(controls) {
  connect(c_.button, &QToolButton::clicked, this, &UserEntriesController::CustomEntries_ButtonClick);
  connect(c_.listItem, &QAction::triggered, this, &UserEntriesController::CustomEntriesItemClick);
  connect(c_.insertItem, &QAction::triggered, this, &UserEntriesController::InsertEntryItemClick);
  connect(c_.modifyItem, &QAction::triggered, this, &UserEntriesController::ModifyEntryItemClick);
  connect(c_.deleteItem, &QAction::triggered, this, &UserEntriesController::DeleteEntryItemClick);
}

// The menu drops at the button's left edge, below it; the 22 pixels are the title bar's.
void UserEntriesController::CustomEntries_ButtonClick() {
  const QRect frame = window_.frameGeometry();
  const QPoint button = c_.button->mapTo(&window_, QPoint(0, 0));
  c_.menu->popup(QPoint(frame.left() + button.x() + 4,
                        frame.top() + button.y() + c_.button->height() + 22));
}

void UserEntriesController::CustomEntriesItemClick() {
  window_.SetSearchTextQuietly(std::string());
  SearchRequest request;
  request.mode = SearchMode::None;
  request.greek = window_.GreekMode();
  request.userOnly = true;
  window_.ApplyList(window_.session().Search(request));
}

void UserEntriesController::InsertEntryItemClick() {
  if (!ResolveUserEntriesFolder()) return;
  TInsertEntryFrm editor(&window_);
  editor.SetEditMode(EditMode::kInsert);
  const bool confirmed = editor.exec() == QDialog::Accepted;
  window_.activateWindow();
  if (!confirmed) return;
  Status status = Status::Ok();
  {
    BusyCursor busy;
    status = window_.session().InsertEntry(editor.Texts());
  }
  if (!status.ok()) return ReportStoreFailure(status);
  window_.ClearView();
}

void UserEntriesController::ModifyEntryItemClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  const Dictionary& dictionary = window_.session().dictionary();
  const uint16_t number = dictionary.EnglishIndex[static_cast<size_t>(c_.model->slot(row))].Number;
  ShownEntry shown;
  shown.greek = window_.GreekMode();
  shown.itemText = c_.model->text(row);
  shown.rendering = ToCp1253(CaptionDisplayText(c_.rendering->caption()));
  shown.description = window_.DescriptionPlainText();
  if (!ResolveUserEntriesFolder()) return;

  // Taking a folder may have reloaded the index: the entry is found again by its number.
  const int current = SlotOfEntryNumber(dictionary, number);
  if (current == 0) return;
  shown.origin = dictionary.EnglishIndex[static_cast<size_t>(current)].Origin;
  const EditedEntryTexts prefill = PrefillModify(shown);
  TInsertEntryFrm editor(&window_);
  editor.SetEditMode(EditMode::kUpdate, prefill);
  const bool confirmed = editor.exec() == QDialog::Accepted;
  window_.activateWindow();
  if (!confirmed) return;
  const NewEntryTexts typed = editor.Texts();
  Status status = Status::Ok();
  {
    BusyCursor busy;
    status = window_.session().ModifyEntry(
        current, EditedEntryTexts{prefill.origin, typed.english, typed.greek, typed.description});
  }
  if (!status.ok()) return ReportStoreFailure(status);
  window_.ClearView();
}

void UserEntriesController::DeleteEntryItemClick() {
  if (!AskYesNo(&window_, QStringLiteral("Επιβεβαίωση Διαγραφής"), QStringLiteral("Να διαγραφεί το Λήμμα;"))) {
    return;
  }
  const int row = SelectedRow();
  if (row < 0) return;  // nothing to delete
  const int slot = c_.model->slot(row);
  const Dictionary& dictionary = window_.session().dictionary();
  const uint16_t number = dictionary.EnglishIndex[static_cast<size_t>(slot)].Number;
  const uint64_t generation = dictionary.generation;
  if (!ResolveUserEntriesFolder()) return;
  const bool sameIndex = dictionary.generation == generation;
  const int current = SlotOfEntryNumber(dictionary, number);
  if (current == 0) return;
  Status status = Status::Ok();
  {
    BusyCursor busy;
    status = window_.session().DeleteEntry(current);
  }
  if (!status.ok()) return ReportStoreFailure(status);

  // The list keeps its other items, each naming its entry's slot in the reloaded index; a list
  // of an index that was replaced before the delete is no longer of use.
  EntryList rest;
  if (sameIndex) {
    for (int i = 0; i < c_.model->count(); ++i) rest.items.push_back({c_.model->text(i), c_.model->slot(i)});
    RemoveDeletedEntry(rest.items, slot);
  }
  const int scrolled = c_.list->verticalScrollBar()->value();
  window_.ApplyList(rest);
  c_.list->verticalScrollBar()->setValue(scrolled);
}

bool UserEntriesController::ResolveUserEntriesFolder() {
  Session& session = window_.session();
  const FolderDecision decision = DecideUserEntriesFolder(session.fileSystem(), session.locations());
  switch (decision.step) {
    case FolderDecision::Step::kReady:
      return true;
    case FolderDecision::Step::kFailed:
      return false;
    case FolderDecision::Step::kUse:
      TakeUserEntriesFolder(decision.folder, session.locations().SettingsFile);
      return true;
    case FolderDecision::Step::kAsk:
      break;
  }
  const std::optional<std::string> chosen = ChooseUserEntriesFolder(decision.mode);
  if (!chosen) {
    TakeUserEntriesFolder(std::string(), session.locations().SettingsFile);
    return false;
  }
  // A settings file that cannot be written leaves the folder in use for this run only.
  const SettingsFileWrite written = WriteSettingsFile(
      session.fileSystem(), session.writer(), session.locations().SettingsFile, SystemFoldersFromEnvironment(), *chosen);
  TakeUserEntriesFolder(*chosen, written.path);
  return true;
}

void UserEntriesController::TakeUserEntriesFolder(const std::string& folder, const std::string& settingsFile) {
  Session& session = window_.session();
  const auto entryAt = [&session](int slot) {
    const Dictionary& dictionary = session.dictionary();
    if (slot < 1 || slot > dictionary.englishCount) return std::pair<uint16_t, char>(0, 0);
    const TEnglishEntry& entry = dictionary.EnglishIndex[static_cast<size_t>(slot)];
    return std::pair(entry.Number, entry.Origin);
  };
  std::vector<std::pair<uint16_t, char>> listed;
  for (int i = 0; i < c_.model->count(); ++i) listed.push_back(entryAt(c_.model->slot(i)));
  if (!session.TakeUserEntriesFolder(folder, settingsFile)) return;
  for (int i = 0; i < c_.model->count(); ++i) {
    if (entryAt(c_.model->slot(i)) != listed[static_cast<size_t>(i)]) return window_.ClearView();
  }
}

std::optional<std::string> UserEntriesController::ChooseUserEntriesFolder(FolderMode mode) {
  TSelectCustomDirForm dialog(&window_);
  dialog.SetQuestion(UserEntriesQuestion(mode));
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  window_.activateWindow();
  if (!confirmed || dialog.folder().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.folder()).toStdString();
}

int UserEntriesController::SelectedRow() const {
  const QModelIndexList selected = c_.list->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return -1;
  const int row = selected.first().row();
  const int slot = c_.model->slot(row);
  return slot >= 1 && slot <= window_.session().dictionary().englishCount ? row : -1;
}

void UserEntriesController::ReportStoreFailure(const Status& status) {
  ShowWarning(&window_, NotSavedMessage(status.code()));
}

}  // namespace quorvel::ui

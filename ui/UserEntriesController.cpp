#include "ui/UserEntriesController.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include <vector>

#include "core/EntryEditing.h"
#include "ui/BusyCursor.h"
#include "ui/CaptionLabel.h"
#include "ui/EntryListModel.h"
#include "ui/EntryListView.h"
#include "ui/GreekMessageBox.h"
#include "ui/InsertEntryfrmU.h"
#include "ui/MainView.h"
#include "ui/ScreenPlacement.h"
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
    case StatusCode::kTooLong:
      return QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε: η περιγραφή ξεπερνά τους %1 χαρακτήρες.")
          .arg(kMaxTypedDescriptionCharacters);
    case StatusCode::kChanged:
      reason = QStringLiteral("Το λήμμα άλλαξε ή διαγράφηκε στο μεταξύ από άλλο πρόγραμμα.");
      break;
    case StatusCode::kIoError:
    case StatusCode::kCancelled:
    case StatusCode::kOk:
      reason = QStringLiteral("Παρουσιάστηκε σφάλμα κατά την ανάγνωση ή την εγγραφή στο δίσκο.");
      break;
  }
  return QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε.\n\n") + reason;
}

UserEntriesController::UserEntriesController(Session& session, MainView& view, const Controls& controls)
    : session_(session), view_(view), c_(controls) {
  connect(c_.button, &QToolButton::clicked, this, &UserEntriesController::CustomEntries_ButtonClick);
  connect(c_.listItem, &QAction::triggered, this, &UserEntriesController::CustomEntriesItemClick);
  connect(c_.insertItem, &QAction::triggered, this, &UserEntriesController::InsertEntryItemClick);
  connect(c_.modifyItem, &QAction::triggered, this, &UserEntriesController::ModifyEntryItemClick);
  connect(c_.deleteItem, &QAction::triggered, this, &UserEntriesController::DeleteEntryItemClick);
}

// The menu drops at the button's left edge, below it.
void UserEntriesController::CustomEntries_ButtonClick() { PopUpMenuBelow(c_.menu, c_.button); }

void UserEntriesController::CustomEntriesItemClick() {
  view_.SetSearchTextQuietly(std::string());
  SearchRequest request;
  request.mode = SearchMode::None;
  request.greek = view_.GreekMode();
  request.userOnly = true;
  view_.ApplyList(session_.Search(request));
}

void UserEntriesController::InsertEntryItemClick() {
  view_.FollowUserFiles();
  if (!ResolveUserEntriesFolder()) return;
  TInsertEntryFrm editor(view_.widget());
  editor.SetEditMode(EditMode::kInsert);
  editor.SetSaveStep([this](const NewEntryTexts& texts) { return Save(session_.InsertEntry(texts)); });
  editor.exec();
  view_.widget()->activateWindow();
}

void UserEntriesController::ModifyEntryItemClick() {
  view_.FollowUserFiles();
  const int row = SelectedRow();
  if (row < 0) return;
  Session& session = session_;
  EntryRef target = session.RefOf(c_.model->slot(row));
  ShownEntry shown;
  shown.greek = view_.GreekMode();
  shown.itemText = c_.model->text(row);
  shown.rendering = ToCp1253(CaptionDisplayText(c_.rendering->caption()));
  shown.description = view_.DescriptionPlainText();
  shown.origin = target.origin;
  if (!ResolveUserEntriesFolder()) return;

  const EditedEntryTexts prefill = PrefillModify(shown);
  TInsertEntryFrm editor(view_.widget());
  editor.SetEditMode(EditMode::kUpdate, prefill);
  editor.SetSaveStep([this, &session, &target, origin = prefill.origin](const NewEntryTexts& typed) {
    return Save(session.ModifyEntry(target, EditedEntryTexts{origin, typed.english, typed.greek, typed.description}));
  });
  editor.exec();
  view_.widget()->activateWindow();
}

void UserEntriesController::DeleteEntryItemClick() {
  view_.FollowUserFiles();
  if (!AskYesNo(view_.widget(), QStringLiteral("Επιβεβαίωση Διαγραφής"), QStringLiteral("Να διαγραφεί το Λήμμα;"))) {
    return;
  }
  const int row = SelectedRow();
  Session& session = session_;
  const EntryRef target = row < 0 ? EntryRef() : session.RefOf(c_.model->slot(row));
  if (!ResolveUserEntriesFolder()) return;
  if (target.number == 0) return;  // nothing to delete
  std::vector<ListItem> shown;
  for (int i = 0; i < c_.model->count(); ++i) shown.push_back({c_.model->text(i), c_.model->slot(i)});
  EditOutcome outcome;
  {
    BusyCursor busy;
    outcome = session.DeleteEntry(target, shown);
  }
  const int scrolled = c_.list->verticalScrollBar()->value();
  view_.ApplyOutcome(outcome.view);
  if (outcome.status.ok()) c_.list->verticalScrollBar()->setValue(scrolled);
  if (!outcome.status.ok()) ShowWarning(view_.widget(), NotSavedMessage(outcome.status.code()));
}

QString UserEntriesController::Save(EditOutcome outcome) {
  view_.ApplyOutcome(outcome.view);
  return outcome.status.ok() ? QString() : NotSavedMessage(outcome.status.code());
}

bool UserEntriesController::ResolveUserEntriesFolder() {
  Session& session = session_;
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
      session.fileSystem(), session.locations().SettingsFile, SystemFoldersFromEnvironment(), *chosen);
  TakeUserEntriesFolder(*chosen, written.path);
  return true;
}

// Another folder's entries make the list again in the index loaded from them.
void UserEntriesController::TakeUserEntriesFolder(const std::string& folder, const std::string& settingsFile) {
  Session& session = session_;
  const int row = SelectedRow();
  const EntryRef selected = row < 0 ? EntryRef() : session.RefOf(c_.model->slot(row));
  view_.ApplyOutcome(session.TakeUserEntriesFolder(folder, settingsFile, selected));
}

std::optional<std::string> UserEntriesController::ChooseUserEntriesFolder(FolderMode mode) {
  TSelectCustomDirForm dialog(session_.fileSystem(), view_.widget());
  dialog.SetQuestion(UserEntriesQuestion(mode));
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  view_.widget()->activateWindow();
  if (!confirmed || dialog.folder().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.folder()).toStdString();
}

int UserEntriesController::SelectedRow() const {
  const QModelIndexList selected = c_.list->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return -1;
  const int row = selected.first().row();
  const int slot = c_.model->slot(row);
  return slot >= 1 && slot <= session_.dictionary().englishCount ? row : -1;
}


}  // namespace quorvel::ui

// The user's own entries from the main window: the tool button's pop-up menu and its four
// commands (list the user's entries, insert, modify, delete). Before it changes anything a
// command makes sure the folder of the user's entries is usable, asking for one with the
// folder dialog; insert and modify collect the texts in the entry editor, which stays open
// until the session has saved them. The store's work is the session's; a change the store
// could not save is reported in one message box, and the typed texts are kept.
#pragma once

#include <QObject>

#include <optional>
#include <string>

#include "core/Session.h"
#include "core/Status.h"
#include "core/UserEntriesFolder.h"

class QAction;
class QMenu;
class QToolButton;

namespace quorvel::ui {

class CaptionLabel;
class EntryListModel;
class EntryListView;
class MainView;

class UserEntriesController : public QObject {
  Q_OBJECT

 public:
  // The controls of the main window the commands use; all owned by the window.
  struct Controls {
    QToolButton* button = nullptr;  // CustomEntries_Button
    QMenu* menu = nullptr;          // CustomEntriesMenu
    QAction* listItem = nullptr;    // CustomEntriesItem
    QAction* insertItem = nullptr;  // InsertEntryItem
    QAction* modifyItem = nullptr;  // ModifyEntryItem
    QAction* deleteItem = nullptr;  // DeleteEntryItem
    EntryListView* list = nullptr;  // Entries_List
    EntryListModel* model = nullptr;
    CaptionLabel* rendering = nullptr;  // Trans_Label
  };

  // `window` owns the controller and the controls; the controller must not outlive them.
  UserEntriesController(Session& session, MainView& view, const Controls& controls);

 private:
  void CustomEntries_ButtonClick();
  void CustomEntriesItemClick();
  void InsertEntryItemClick();
  void ModifyEntryItemClick();
  void DeleteEntryItemClick();

  // True when the six user paths point into a usable folder now (asking the user when none is
  // known or the remembered one has gone); false leaves the command without a message.
  bool ResolveUserEntriesFolder();
  // Makes `folder` the user-entry folder; the window shows the list made again when the index
  // was reloaded from it.
  void TakeUserEntriesFolder(const std::string& folder, const std::string& settingsFile);
  // The folder the user confirmed in the dialog; nothing for Cancel or an empty folder.
  std::optional<std::string> ChooseUserEntriesFolder(FolderMode mode);
  // The selected list item when it names an entry of the index loaded now; -1 for none.
  int SelectedRow() const;
  // Shows what an edit left to show; the message that says why it was not saved, or nothing.
  QString Save(EditOutcome outcome);

  Session& session_;
  MainView& view_;
  Controls c_;
};

// The message of a change the store did not save, by the failure's code.
QString NotSavedMessage(StatusCode code);

}  // namespace quorvel::ui

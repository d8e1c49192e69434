// TMainLex, the dictionary browser: the search box with the entry list, the shown entry with
// its heading lines and description, the tool bar and the browsing history. Its handlers
// gather what the user did, ask the session, and show what comes back: every list goes
// through ApplyList and every shown entry through ApplyEntryView.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

#include "core/Session.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/KeyboardLayouts.h"
#include "platform/WindowActivation.h"
#include "ui/MainLexForm.h"
#include "ui/ToolBar.h"

class QFileSystemWatcher;
class QMenu;
class QToolButton;

namespace quorvel::ui {

class ClipboardController;
class DocumentsController;
class FigureController;
class InstallController;
class MaintenanceController;
class OutsideLookup;
class PrintController;
class SearchDialogsController;
class UserEntriesController;

class TMainLex : public QWidget {
  Q_OBJECT

 public:
  // Runs FormCreate and finds the keyboard layouts through `layouts`, copies and pastes through
  // `clipboard`, and opens documents and programs through `desktop` (the desktop's own when
  // null). `session` must outlive the window; the first showing loads it.
  explicit TMainLex(Session& session, std::unique_ptr<platform::KeyboardLayouts> layouts = nullptr,
                    QWidget* parent = nullptr, std::unique_ptr<platform::Clipboard> clipboard = nullptr,
                    std::unique_ptr<platform::Desktop> desktop = nullptr);
  ~TMainLex() override;

  const Session& session() const { return session_; }
  bool GreekMode() const { return GreekMode_; }
  bool navigating() const { return Navigating_; }
  bool greekLayoutFound() const { return GreekLayout_ != 0; }
  bool stayOnTop() const { return stayOnTop_; }
  // The plain text of the shown description (code page 1253).
  std::string DescriptionPlainText() const;
  // The hint of the entry list and how long it stays (-1: the tool tip's own time).
  const QString& listHint() const { return listHint_; }
  int listHintPause() const { return listHintPause_; }

  // What the feature controllers (one small class per feature, owned by the window) ask of
  // it: show a list or a list with its shown entry, clear the view, read or quietly write the
  // search box.
  void ApplyList(const EntryList& list);
  void ApplyOutcome(const std::optional<ListOutcome>& outcome);
  void ClearView();
  std::string SearchText() const;
  void SetSearchTextQuietly(const std::string& text);
  void FocusSearchBox();
  Session& session() { return session_; }
  // The selected item of the entry list; nothing when none is selected.
  std::optional<ListItem> SelectedItem() const;
  // When another program has changed the user's files since the load: reloads, and shows the
  // last list again with the entry shown before (when it is still there). Waits while a long
  // description search runs. Returns whether it reloaded.
  bool FollowUserFiles();
  // A word from the command line or from another start of the program: brings the window to
  // the front for the caller of `activation` (none when the window has just opened), and types
  // the word into the search box as a paste does once no dialog or long search is busy.
  void LookUpFromOutside(const QString& word, const std::optional<platform::ActivationToken>& activation);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectHandlers();
  void FormCreate();
  void FormShow();
  void WarnOfHeldUserFiles();
  void FormResize();
  void ApplyFirstOuterWidth();
  void ApplyAnchors();
  void ArrangeEntryLabels();
  void ShowInstallLabel();
  void WatchUserFolder();
  bool FollowUserFiles(bool showSelected);

  void ApplyEntryView(const std::optional<EntryView>& view);
  void ListHintOfShownEntry();
  int SelectedIndex() const;
  int KeyTarget(int key) const;
  void SelectItem(int index);

  void SetLanguage(bool greek);
  void FindKeyboardLayouts();
  void ActivateLanguageLayout();

  void Entry_TextChange();
  void Entry_TextKeyDown(int key);
  void Fill_List_ButtonClick();
  void WholeLex_ButtonClick();
  void Lang_ButtonClick();
  void Entries_ListClick();
  void Entries_ListMouseMove(const QPoint& position);
  void GoThroughHistory(HistoryMove move, uint64_t id = 0);
  void PopUpHistoryMenu(QMenu* menu, QToolButton* stepButton);
  void PopUpBelow(QMenu* menu, const QToolButton* button);
  void FillHistoryMenu(QMenu* menu);
  void Pin_ButtonClick();

  QToolButton* Button(Tool tool) const;

  Session& session_;
  std::unique_ptr<platform::KeyboardLayouts> layouts_;
  MainLexForm f_;
  std::unique_ptr<UserEntriesController> userEntries_;

  bool GreekMode_ = false;
  bool Navigating_ = false;
  bool loaded_ = false;
  bool userFilesWarned_ = false;
  bool stayOnTop_ = false;
  int GreekLayout_ = 0;
  int EnglishLayout_ = 0;
  // The font that list texts are measured with (the window canvas's font).
  QFont canvasFont_;
  int firstOuterWidth_ = 0;
  QSize lastClient_;
  int listAnchorHeight_ = kDesignListHeight;  // the list's height before it snaps to whole items
  QString listHint_;
  int listHintPause_ = -1;

  std::unique_ptr<ClipboardController> clipboard_;
  std::unique_ptr<PrintController> print_;
  std::unique_ptr<FigureController> figures_;
  std::unique_ptr<platform::Desktop> desktop_;
  DocumentsController* documents_;      // owned as a child
  InstallController* install_;          // owned as a child
  MaintenanceController* maintenance_;  // owned as a child
  std::unique_ptr<SearchDialogsController> searchDialogs_;
  QFileSystemWatcher* userFolderWatcher_;  // owned as a child; a hint that the files changed
  OutsideLookup* outsideLookup_ = nullptr;  // owned as a child; made for the first outside word
};

}  // namespace quorvel::ui

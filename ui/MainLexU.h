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
#include "ui/MainView.h"
#include "ui/ToolBar.h"

class QFileSystemWatcher;
class QMenu;
class QToolButton;

namespace quorvel::ui {

class ClipboardController;
class InputHold;
class DocumentsController;
class FigureController;
class InstallController;
class MaintenanceController;
class OutsideLookup;
class PrintController;
class SearchDialogsController;
class UserEntriesController;

class TMainLex : public QWidget, public MainView {
  Q_OBJECT

 public:
  // Runs FormCreate and finds the keyboard layouts through `layouts`, copies and pastes through
  // `clipboard`, and opens documents and programs through `desktop` (the desktop's own when
  // null). `session` must outlive the window; the first showing loads it.
  explicit TMainLex(Session& session, std::unique_ptr<platform::KeyboardLayouts> layouts = nullptr,
                    QWidget* parent = nullptr, std::unique_ptr<platform::Clipboard> clipboard = nullptr,
                    std::unique_ptr<platform::Desktop> desktop = nullptr);
  ~TMainLex() override;

  // The session the window shows, for tests; the controllers are given it, not asked.
  Session& session() { return session_; }
  const Session& session() const { return session_; }
  bool navigating() const { return Navigating_; }
  bool stayOnTop() const { return stayOnTop_; }
  // Two feature controllers, for tests.
  ClipboardController& clipboardController() { return *clipboard_; }
  PrintController& printController() { return *print_; }
  // The hint of the entry list and how long it stays (-1: the tool tip's own time).
  const QString& listHint() const { return listHint_; }
  int listHintPause() const { return listHintPause_; }

  // The view the feature controllers are given (MainView): every list and shown entry goes
  // through ApplyList and ApplyOutcome.
  QWidget* widget() override { return this; }
  void ApplyList(const EntryList& list) override;
  void ApplyOutcome(const std::optional<ListOutcome>& outcome) override;
  void ClearView() override;
  std::string SearchText() const override;
  void SetSearchTextQuietly(const std::string& text) override;
  void FocusSearchBox() override;
  bool GreekMode() const override { return GreekMode_; }
  bool greekLayoutFound() const override { return GreekLayout_ != 0; }
  std::optional<ListItem> SelectedItem() const override;
  std::string DescriptionPlainText() const override;
  // When another program has changed the user's files since the load: reloads, and shows the
  // last list again with the entry shown before (when it is still there). Waits while a long
  // description search runs. Returns whether it reloaded.
  bool FollowUserFiles() override;
  bool busy() const override;
  // A word from the command line or from another start of the program: brings the window to
  // the front for the caller of `activation` (none when the window has just opened), and types
  // the word into the search box as a paste does once no dialog or long search is busy.
  void LookUpFromOutside(const QString& word, const std::optional<platform::ActivationToken>& activation);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
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
  // The platform's services: made before the controllers that use them, gone after them.
  std::unique_ptr<platform::KeyboardLayouts> layouts_;
  std::unique_ptr<platform::Desktop> desktop_;
  // The window's controls, children of the window: Qt deletes them after every member below.
  MainLexForm f_;

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

  // A hint that another program changed the user's files.
  std::unique_ptr<QFileSystemWatcher> userFolderWatcher_;
  // The feature controllers: each gets the session, this window as its MainView and the controls
  // it handles; members are destroyed in reverse order, so they go before all they use.
  std::unique_ptr<ClipboardController> clipboard_;
  std::unique_ptr<PrintController> print_;
  std::unique_ptr<FigureController> figures_;
  std::unique_ptr<DocumentsController> documents_;
  std::unique_ptr<InstallController> install_;
  std::unique_ptr<MaintenanceController> maintenance_;
  std::unique_ptr<SearchDialogsController> searchDialogs_;
  std::unique_ptr<UserEntriesController> userEntries_;
  std::unique_ptr<OutsideLookup> outsideLookup_;  // made for the first word from outside
  std::unique_ptr<InputHold> inputHold_;  // while a description search runs
};

}  // namespace quorvel::ui

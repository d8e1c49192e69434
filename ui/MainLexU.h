// TMainLex, the dictionary browser: the search box with the entry list, the shown entry with
// its heading lines and description, the tool bar and the browsing history. The window owns the
// dictionary and the file locations; its handlers gather what the user did and hand it to the
// list search, the description document and the history model.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "core/BrowsingHistory.h"
#include "core/EntryIndex.h"
#include "core/EntryListWindow.h"
#include "core/Locations.h"
#include "platform/KeyboardLayouts.h"

class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QFrame;

namespace quorvel::ui {

class CaptionLabel;
class EntryListModel;
class RichTextView;
class SearchBox;

class TMainLex : public QWidget, public EntryListWindow {
  Q_OBJECT

 public:
  // Runs FormCreate: resolves the file locations from the current directory and finds the
  // keyboard layouts through `layouts` (the desktop's own when null).
  explicit TMainLex(std::unique_ptr<platform::KeyboardLayouts> layouts = nullptr,
                    QWidget* parent = nullptr);
  ~TMainLex() override;

  // EntryListWindow
  std::string SearchText() const override;
  void SetSearchText(const std::string& text) override;
  void ClearView() override;
  void ClearEntryText() override;
  void AppendItem(const std::string& text, int slot) override;
  int ItemCount() const override;
  std::string ItemText(int index) const override;
  int ItemSlot(int index) const override;
  void SetItemSlot(int index, int slot) override;
  void RemoveItem(int index) override;
  int SelectedIndex() const override;
  void SelectItem(int index) override;
  void ShowSelectedEntry() override;
  bool GreekMode() const override { return GreekMode_; }
  void SetLanguage(bool greek) override;
  void BeginBusy() override;
  void EndBusy() override;
  void DisableEditCommands() override;

  // The language from the first character of the search text; an empty text changes nothing.
  void SetLanguageFromText();
  // Lays out the tool bar: -1 all groups normal, 0 the raised group normal, 1-14 raise that group.
  void HighlightToolButton(int group);
  void ArrangeEntryLabels();

  const Dictionary& dictionary() const { return *dictionary_; }
  const Locations& locations() const { return locations_; }
  const BrowsingHistory& history() const { return history_; }
  const std::string& rtfHeader() const { return RtfHeader_; }
  bool navigating() const { return Navigating_; }
  bool greekLayoutFound() const { return GreekLayout_ != 0; }
  bool stayOnTop() const { return stayOnTop_; }
  // The plain text of the shown description (code page 1253).
  std::string DescriptionPlainText() const;
  // The hint of the entry list and how long it stays (-1: the tool tip's own time).
  const QString& listHint() const { return listHint_; }
  int listHintPause() const { return listHintPause_; }

  // Tool bar.
  QToolButton* Lang_Button = nullptr;
  QToolButton* Prev_Button = nullptr;
  QToolButton* PrevMenu_Button = nullptr;
  QToolButton* Next_Button = nullptr;
  QToolButton* NextMenu_Button = nullptr;
  QToolButton* Copy_Button = nullptr;
  QToolButton* Paste_Button = nullptr;
  QToolButton* Print_Button = nullptr;
  QToolButton* Search_Button = nullptr;
  QToolButton* DescrSearch_Button = nullptr;
  QToolButton* AutoTranslate_Button = nullptr;
  QToolButton* CustomEntries_Button = nullptr;
  QToolButton* Pinakes_Button = nullptr;
  QToolButton* Help_Button = nullptr;
  QToolButton* Pin_Button = nullptr;
  QToolButton* Exit_Button = nullptr;

  // Body.
  QLabel* Line_Image = nullptr;
  QLabel* Line2_Image = nullptr;
  QFrame* Panel2 = nullptr;
  SearchBox* Entry_Text = nullptr;
  QListView* Entries_List = nullptr;
  CaptionLabel* Entry_Label = nullptr;
  CaptionLabel* Trans_Label = nullptr;
  QLabel* Selmarin_Image = nullptr;
  RichTextView* Description_Text = nullptr;
  QLabel* GrImage = nullptr;
  QLabel* EnImage = nullptr;
  QLabel* AutoTrImage = nullptr;
  QLabel* CancelAutoTrImage = nullptr;
  QPushButton* Fill_List_Button = nullptr;
  QPushButton* WholeLex_Button = nullptr;
  QLineEdit* ClipBoard_Edit = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QLabel* InstallLabel = nullptr;
  QLabel* CopyrightLabel = nullptr;
  QLabel* QuenImage = nullptr;
  QLabel* Quenborath_Label = nullptr;

  // Menus.
  QMenu* PrevMenu = nullptr;
  QMenu* NextMenu = nullptr;
  QMenu* CustomEntriesMenu = nullptr;
  QAction* CustomEntriesItem = nullptr;
  QAction* InsertEntryItem = nullptr;
  QAction* ModifyEntryItem = nullptr;
  QAction* DeleteEntryItem = nullptr;
  QMenu* PinakesMenu = nullptr;
  QAction* PrefaceMenu = nullptr;
  QAction* SIMenu = nullptr;
  QAction* ChemicalMenu = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateToolBar();
  void CreateBody();
  void CreateMenus();
  void ConnectHandlers();

  void FormCreate();
  void FormShow();
  void FormResize();
  void ApplyAnchors();

  void FindKeyboardLayouts();
  void ActivateLanguageLayout();

  void Entry_TextChange();
  void Entry_TextKeyDown(int key);
  void Fill_List_ButtonClick();
  void WholeLex_ButtonClick();
  void Lang_ButtonClick();
  void Entries_ListClick() { ShowSelectedEntry(); }
  void Entries_ListMouseMove(const QPoint& position);
  void Prev_ButtonClick();
  void Next_ButtonClick();
  void PrevMenu_ButtonClick();
  void NextMenu_ButtonClick();
  void PrevMenuClick(uint64_t id);
  void NextMenuClick(uint64_t id);
  void Pin_ButtonClick();
  void Exit_ButtonClick();

  void LoadDescriptionDocument(const std::string& document);
  void ClearDescription();
  void FillHistoryMenu(QMenu* menu, bool back);
  // Runs a history command under Navigating, clearing it on every way out.
  void RunHistoryCommand(const std::function<void(const BrowsingHistory::GoTo&)>& command);
  void GoToHistoryItem(const HistoryItem& item);
  void PopUpHistoryMenu(QMenu* menu, QToolButton* stepButton);
  int ToolGroupOf(const QObject* button) const;

  std::unique_ptr<Dictionary> dictionary_;
  Locations locations_;
  BrowsingHistory history_;
  std::string RtfHeader_;
  std::unique_ptr<platform::KeyboardLayouts> layouts_;
  EntryListModel* model_ = nullptr;

  bool GreekMode_ = false;
  bool Navigating_ = false;
  bool stayOnTop_ = false;
  int GreekLayout_ = 0;
  int EnglishLayout_ = 0;
  int busyDepth_ = 0;
  // The font that list texts are measured with (the window canvas's font).
  QFont canvasFont_;
  QSize lastClient_;
  int listAnchorHeight_ = 0;  // the list's height before it snaps to whole items
  QString listHint_;
  int listHintPause_ = -1;
};

}  // namespace quorvel::ui

// The main window's controls as designed: names, kinds, places, fonts, colours and pictures of
// the tool bar, the search box and entry list, the two heading lines, the description, the
// hidden helper controls, the footer links and the pop-up menus. TMainLex creates its form
// once and gives the controls their behaviour.
#pragma once

#include <QColor>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace quorvel::ui {

class CaptionLabel;
class EntryListModel;
class EntryListView;
class LinkLabel;
class RichTextView;
class SearchBox;
class ToolBar;

inline constexpr int kDesignWidth = 641;  // client area at design
inline constexpr int kDesignHeight = 346;
inline constexpr int kDesignListHeight = 228;
inline constexpr int kEntryLabelHeight = 28;  // the heading lines as designed; each is made
inline constexpr int kTransLabelHeight = 32;  // tall enough for two whole lines
inline const QColor kRenderingColour(219, 179, 89);  // "$0059B3DB"

// Every pointer is owned by the window the form was created on.
struct MainLexForm {
  ToolBar* toolBar = nullptr;

  QLabel* Line_Image = nullptr;
  QLabel* Line2_Image = nullptr;
  QFrame* Panel2 = nullptr;
  SearchBox* Entry_Text = nullptr;
  EntryListModel* model = nullptr;
  EntryListView* Entries_List = nullptr;
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

  LinkLabel* InstallLabel = nullptr;
  LinkLabel* CopyrightLabel = nullptr;
  LinkLabel* QuenImage = nullptr;
  LinkLabel* Quenborath_Label = nullptr;

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
};

// Creates the controls on `window` (the window's colour and font included).
void CreateMainLexForm(QWidget* window, MainLexForm& form);

// The height of the list that shows whole items inside its frame, for a designed height.
int ListHeightForItems(int height);

}  // namespace quorvel::ui

#include "ui/MainLexU.h"

#include <QFileSystemWatcher>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextDocument>
#include <QToolButton>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "core/UserEntriesFolder.h"
#include "ui/BusyCursor.h"
#include "ui/CaptionLabel.h"
#include "ui/ClipboardController.h"
#include "ui/DocumentsController.h"
#include "ui/EntryListModel.h"
#include "ui/EntryListView.h"
#include "ui/FigureController.h"
#include "ui/HintText.h"
#include "ui/InstallController.h"
#include "ui/InputHold.h"
#include "ui/LinkLabel.h"
#include "ui/MaintenanceController.h"
#include "ui/OutsideLookup.h"
#include "ui/PrintController.h"
#include "ui/ProblemMessage.h"
#include "ui/RichTextView.h"
#include "ui/ScreenPlacement.h"
#include "ui/SearchBox.h"
#include "ui/SearchDialogsController.h"
#include "ui/TextCodec.h"
#include "ui/ToolBar.h"
#include "ui/UserEntriesController.h"

namespace quorvel::ui {
namespace {

constexpr int kMinimumWidth = 263;
constexpr int kMinimumHeight = 183;
constexpr int kCompactHintPause = 10000;  // milliseconds

std::optional<ListKey> ListKeyOf(int key) {
  switch (key) {
    case Qt::Key_Down:
      return ListKey::Down;
    case Qt::Key_Up:
      return ListKey::Up;
    case Qt::Key_PageUp:
      return ListKey::PageUp;
    case Qt::Key_PageDown:
      return ListKey::PageDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

TMainLex::TMainLex(Session& session, std::unique_ptr<platform::KeyboardLayouts> layouts,
                   QWidget* parent, std::unique_ptr<platform::Clipboard> clipboard,
                   std::unique_ptr<platform::Desktop> desktop)
    : QWidget(parent),
      session_(session),
      layouts_(layouts ? std::move(layouts) : platform::CreateSystemKeyboardLayouts()),
      desktop_(desktop ? std::move(desktop) : platform::CreateSystemDesktop()) {
  CreateMainLexForm(this, f_);
  clipboard_ = std::make_unique<ClipboardController>(
      *this, f_, clipboard ? std::move(clipboard) : platform::CreateSystemClipboard());
  print_ = std::make_unique<PrintController>(session_, *this, f_.Description_Text);
  figures_ = std::make_unique<FigureController>(session_, *this, f_.Description_Text);
  const QString programDir = QString::fromLocal8Bit(session_.locations().ProgramDir);
  documents_ = std::make_unique<DocumentsController>(programDir, *desktop_, this, f_);
  install_ = std::make_unique<InstallController>(session_, *this, f_.InstallLabel);
  maintenance_ = std::make_unique<MaintenanceController>(session_.fileSystem(), programDir, this, f_, [this] {
    session_.Reload();
    ClearView();
    WatchUserFolder();
    searchDialogs_->PrepareWordIndex();
  });
  userFolderWatcher_ = std::make_unique<QFileSystemWatcher>();
  connect(userFolderWatcher_.get(), &QFileSystemWatcher::directoryChanged, this, [this] { FollowUserFiles(); });
  searchDialogs_ = std::make_unique<SearchDialogsController>(session_, *this);
  connect(searchDialogs_.get(), &SearchDialogsController::searchStarted, this,
          [this] { inputHold_ = std::make_unique<InputHold>(this); });
  connect(searchDialogs_.get(), &SearchDialogsController::searchEnded, this, [this] {
    inputHold_.reset();
    // Another program's change that came during the search is followed now.
    FollowUserFiles();
  });
  resize(kDesignWidth, kDesignHeight);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setMouseTracking(true);
  f_.Entries_List->viewport()->installEventFilter(this);
  ConnectHandlers();
  userEntries_ = std::make_unique<UserEntriesController>(
      session_, *this, UserEntriesController::Controls{Button(Tool::CustomEntries), f_.CustomEntriesMenu,
                                             f_.CustomEntriesItem, f_.InsertEntryItem, f_.ModifyEntryItem,
                                             f_.DeleteEntryItem, f_.Entries_List, f_.model, f_.Trans_Label});
  lastClient_ = size();
  // Centred with the width of its first showing before it has a native window, so that the
  // window manager maps it there at once.
  PlaceCentredOnPointerScreen(this, QSize(ToolBar::NormalRight(Tool::Exit) + 12, height()));
  FormCreate();
}

TMainLex::~TMainLex() = default;

QToolButton* TMainLex::Button(Tool tool) const { return f_.toolBar->button(tool); }

void TMainLex::ConnectHandlers() {
  connect(f_.Entry_Text, &QLineEdit::textChanged, this, &TMainLex::Entry_TextChange);
  connect(f_.Entry_Text, &SearchBox::keyDown, this, &TMainLex::Entry_TextKeyDown);
  connect(f_.Entry_Text, &QLineEdit::returnPressed, f_.Fill_List_Button, &QPushButton::click);
  connect(f_.Entries_List, &EntryListView::enterPressed, f_.Fill_List_Button, &QPushButton::click);
  connect(f_.Entries_List, &EntryListView::mouseSelected, this, &TMainLex::Entries_ListClick);
  connect(f_.Entries_List, &EntryListView::keyboardSelected, this, &TMainLex::Entries_ListClick);
  connect(f_.Fill_List_Button, &QPushButton::clicked, this, &TMainLex::Fill_List_ButtonClick);
  connect(f_.WholeLex_Button, &QPushButton::clicked, this, &TMainLex::WholeLex_ButtonClick);
  connect(Button(Tool::Lang), &QToolButton::clicked, this, &TMainLex::Lang_ButtonClick);
  connect(Button(Tool::Prev), &QToolButton::clicked, this, [this] { GoThroughHistory(HistoryMove::kStepBack); });
  connect(Button(Tool::Next), &QToolButton::clicked, this, [this] { GoThroughHistory(HistoryMove::kStepForward); });
  connect(Button(Tool::PrevMenu), &QToolButton::clicked, this,
          [this] { PopUpHistoryMenu(f_.PrevMenu, Button(Tool::Prev)); });
  connect(Button(Tool::NextMenu), &QToolButton::clicked, this,
          [this] { PopUpHistoryMenu(f_.NextMenu, Button(Tool::Next)); });
  Button(Tool::NextMenu)->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Button(Tool::NextMenu), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    FillHistoryMenu(f_.NextMenu);
    if (!f_.NextMenu->isEmpty()) f_.NextMenu->popup(Button(Tool::NextMenu)->mapToGlobal(at));
  });
  connect(Button(Tool::Search), &QToolButton::clicked, searchDialogs_.get(),
          &SearchDialogsController::Search_ButtonClick);
  connect(Button(Tool::DescrSearch), &QToolButton::clicked, searchDialogs_.get(),
          &SearchDialogsController::DescrSearch_ButtonClick);
  connect(Button(Tool::Pinakes), &QToolButton::clicked, this,
          [this] { PopUpBelow(f_.PinakesMenu, Button(Tool::Pinakes)); });
  connect(Button(Tool::Copy), &QToolButton::clicked, clipboard_.get(), &ClipboardController::Copy_ButtonClick);
  connect(Button(Tool::Paste), &QToolButton::clicked, clipboard_.get(), &ClipboardController::Paste_ButtonClick);
  connect(Button(Tool::AutoTranslate), &QToolButton::clicked, clipboard_.get(),
          &ClipboardController::AutoTranslate_ButtonClick);
  connect(Button(Tool::Print), &QToolButton::clicked, print_.get(), &PrintController::Print_ButtonClick);
  connect(Button(Tool::Pin), &QToolButton::clicked, this, &TMainLex::Pin_ButtonClick);
  connect(Button(Tool::Exit), &QToolButton::clicked, this, &QWidget::close);
  // The find keys go through the marked words from anywhere in the window.
  connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, f_.Description_Text,
          &RichTextView::GoToNextMark);
  connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this), &QShortcut::activated, f_.Description_Text,
          &RichTextView::GoToPreviousMark);
}

void TMainLex::FormCreate() {
  FindKeyboardLayouts();
  GreekMode_ = false;
  ActivateLanguageLayout();
  f_.Entry_Text->setGreekKeyboard(false);
  QPalette rendering = f_.Trans_Label->palette();
  rendering.setColor(QPalette::WindowText, kRenderingColour);
  f_.Trans_Label->setPalette(rendering);
}

void TMainLex::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Until the description header has been read, every showing tries again.
  if (!loaded_ || session_.rtfHeader().empty()) FormShow();
}

void TMainLex::FormShow() {
  BusyCursor busy;
  f_.toolBar->HighlightToolButton(-1);
  const QToolButton* exit = Button(Tool::Exit);
  firstOuterWidth_ = exit->x() + exit->width() + 12;
  ApplyFirstOuterWidth();
  // Under a window manager the frame is known only once the window is framed and exposed.
  if (QWindow* window = windowHandle()) window->installEventFilter(this);
  canvasFont_ = f_.Entries_List->font();
  session_.Reload();
  loaded_ = true;
  ClearView();
  WatchUserFolder();
  ShowInstallLabel();
  if (session_.userFilesHeld() && !userFilesWarned_) WarnOfHeldUserFiles();
  // The description search's word index is made in the background once the window shows.
  QTimer::singleShot(0, this, [this] { searchDialogs_->PrepareWordIndex(); });
}

bool TMainLex::busy() const { return searchDialogs_ && searchDialogs_->searching(); }

// Closing waits for a description search to end, as a window that searched on its own thread
// would close only after.
void TMainLex::closeEvent(QCloseEvent* event) {
  searchDialogs_->FinishSearch();
  QWidget::closeEvent(event);
}

// The published files fail silently (the window opens with what could be read); the user's own
// entries exist nowhere else, so the user hears once that they could not be read whole and
// will not be written over. The message waits until the window is on the screen.
void TMainLex::WarnOfHeldUserFiles() {
  userFilesWarned_ = true;
  QTimer::singleShot(0, this, [this] {
    ShowProblem(this, QStringLiteral("Τα αρχεία των επεξεργασμένων λημμάτων δεν ήταν δυνατό να διαβαστούν "
                                     "ολόκληρα. Όσο το πρόγραμμα είναι ανοιχτό, δεν θα γίνει καμία αλλαγή σε αυτά."));
  });
}

// The outer width (frame included) of the first showing.
void TMainLex::ApplyFirstOuterWidth() {
  resize(firstOuterWidth_ - (frameGeometry().width() - width()), height());
}

// The install is offered while the program folder is read-only media (a program file or folder
// this user cannot write, or no program file); an installed package is the installation, and
// offers none.
void TMainLex::ShowInstallLabel() {
  FileSystem& fs = session_.fileSystem();
  const Locations& locations = session_.locations();
  const bool packaged = fs.Kind(locations.ProgramDir + kPackagedMarkerName) != FileKind::kMissing;
  if (packaged || !ProgramIsReadOnly(fs, locations)) {
    f_.InstallLabel->hide();
    f_.CopyrightLabel->move(5, f_.CopyrightLabel->y());
  }
}

// The folder of the user's files is watched: a commit there (of this program too) is a hint to
// look at the files' stamps. Network file systems may never tell, so the window also looks
// when it is activated and before it reads a description or edits.
void TMainLex::WatchUserFolder() {
  if (!userFolderWatcher_->directories().isEmpty()) {
    userFolderWatcher_->removePaths(userFolderWatcher_->directories());
  }
  const std::string& index = session_.locations().UserIndexFile;
  const size_t slash = index.rfind('/');
  if (slash != std::string::npos) userFolderWatcher_->addPath(QString::fromLocal8Bit(index.substr(0, slash)));
}

bool TMainLex::FollowUserFiles() { return FollowUserFiles(!f_.Selmarin_Image->isVisible()); }

bool TMainLex::FollowUserFiles(bool showSelected) {
  if (!loaded_ || busy() || !session_.UserFilesChanged()) return false;
  const std::optional<ListItem> selected = SelectedItem();
  const EntryRef entry = selected ? session_.RefOf(selected->slot) : EntryRef();
  const int scrolled = f_.Entries_List->verticalScrollBar()->value();
  BusyCursor busy;
  ApplyOutcome(session_.Follow(entry, showSelected));
  f_.Entries_List->verticalScrollBar()->setValue(scrolled);
  if (SelectedIndex() >= 0) f_.Entries_List->scrollTo(f_.model->index(SelectedIndex()));
  return true;
}

void TMainLex::LookUpFromOutside(const QString& word,
                                 const std::optional<platform::ActivationToken>& activation) {
  if (!outsideLookup_) outsideLookup_ = std::make_unique<OutsideLookup>(*this, f_.Entry_Text);
  outsideLookup_->Take(word, activation);
}

void TMainLex::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FollowUserFiles();
}

// --- Showing what the session gives back ---------------------------------------------------

void TMainLex::ApplyList(const EntryList& list) {
  if (list.searchText) SetSearchTextQuietly(*list.searchText);
  if (list.greek) SetLanguage(*list.greek);
  ClearView();
  for (const ListItem& item : list.items) f_.model->Append(item.text, item.slot);
  if (list.selected >= 0) SelectItem(list.selected);
}

void TMainLex::ApplyOutcome(const std::optional<ListOutcome>& outcome) {
  if (!outcome) return;
  ApplyList(outcome->list);
  if (outcome->shown) ApplyEntryView(outcome->shown);
}

void TMainLex::ApplyEntryView(const std::optional<EntryView>& view) {
  f_.Selmarin_Image->hide();
  if (!view) return;
  f_.Entry_Label->setCaption(ToQString(DoubleAmpersands(view->heading)));
  f_.Trans_Label->setCaption(ToQString(DoubleAmpersands(view->rendering)));
  canvasFont_ = f_.Entry_Label->font();
  f_.ModifyEntryItem->setEnabled(true);
  if (view->deletable) f_.DeleteEntryItem->setEnabled(*view->deletable);
  if (view->document) {
    BusyCursor busy;
    // A document that the view does not take as RTF leaves it empty.
    f_.Description_Text->LoadRtf(*view->document);
    if (DescriptionPlainText().compare(0, 6, "{\\rtf1") == 0) f_.Description_Text->Clear();
  }
  // Where a description search's word stands; an entry from any other list marks nothing.
  f_.Description_Text->MarkWords(view->marks);
  f_.Memo1->setPlainText(ToQString(DescriptionPlainText()));
  ArrangeEntryLabels();
  ListHintOfShownEntry();
}

// In compact form the list's hint is the whole entry.
void TMainLex::ListHintOfShownEntry() {
  if (f_.Description_Text->width() != 0 && f_.Description_Text->height() != 0) {
    listHint_.clear();
    return;
  }
  // Like the application's hint pause, the longer time stays once it has been set.
  listHintPause_ = kCompactHintPause;
  listHint_ = f_.Entry_Label->caption();
  if (!f_.Trans_Label->caption().trimmed().isEmpty()) {
    listHint_ += QStringLiteral(" [") + f_.Trans_Label->caption() + QStringLiteral("]");
  }
  const std::string plain = Trim(DescriptionPlainText());
  if (!plain.empty()) listHint_ += QStringLiteral("\r\n") + ToQString(plain);
}

void TMainLex::ClearView() {
  f_.Entry_Label->setCaption(QString());
  f_.Trans_Label->setCaption(QString());
  f_.model->Clear();
  f_.Description_Text->Clear();
  f_.Memo1->clear();
  f_.ModifyEntryItem->setEnabled(false);
  f_.DeleteEntryItem->setEnabled(false);
  const QWidget* view = f_.Description_Text;
  f_.Selmarin_Image->move(view->x() + (view->width() - f_.Selmarin_Image->width()) / 2,
                          f_.Selmarin_Image->y());
  f_.Selmarin_Image->show();
}

void TMainLex::SetSearchTextQuietly(const std::string& text) {
  if (SearchText() == text) return;
  const bool navigating = Navigating_;
  Navigating_ = true;
  f_.Entry_Text->setText(ToQString(text));
  Navigating_ = navigating;
}

void TMainLex::FocusSearchBox() { f_.Entry_Text->setFocus(); }

std::string TMainLex::SearchText() const { return ToCp1253(f_.Entry_Text->text()); }

std::optional<ListItem> TMainLex::SelectedItem() const {
  const int i = SelectedIndex();
  if (i < 0) return std::nullopt;
  return ListItem{f_.model->text(i), f_.model->slot(i)};
}

int TMainLex::SelectedIndex() const {
  const QModelIndexList selected = f_.Entries_List->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void TMainLex::SelectItem(int index) {
  const QModelIndex item = f_.model->index(index);
  f_.Entries_List->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
  f_.Entries_List->scrollTo(item);
}

std::string TMainLex::DescriptionPlainText() const { return f_.Description_Text->PlainText(); }

// --- The search box, the list and the language ----------------------------------------------

void TMainLex::Entry_TextChange() {
  if (Navigating_) return;
  BusyCursor busy;
  FollowUserFiles();
  ApplyOutcome(session_.SearchAsTyped(SearchText(), GreekMode_));
}

// The item an arrow or page key moves to; -1 for none.
int TMainLex::KeyTarget(int key) const {
  const std::optional<ListKey> listKey = ListKeyOf(key);
  if (!listKey) return -1;
  return ListKeyTarget(*listKey, SelectedIndex(), f_.model->count(),
                       f_.Entries_List->height() / EntryListView::kItemHeight);
}

void TMainLex::Entry_TextKeyDown(int key) {
  const int target = KeyTarget(key);
  if (target < 0) return;
  f_.Entries_List->setFocus();
  SelectItem(target);
  Entries_ListClick();
}

void TMainLex::Entries_ListClick() {
  const int i = SelectedIndex();
  if (i < 0) return f_.Selmarin_Image->hide();
  // Files changed by another program: the list is made again, and the entry clicked, found
  // again there, is shown.
  if (FollowUserFiles(true)) return;
  ApplyEntryView(session_.ShowEntry(f_.model->slot(i), f_.model->text(i), GreekMode_));
}

void TMainLex::Fill_List_ButtonClick() {
  BusyCursor busy;
  ApplyList(session_.Search(SearchRequest{kDefaultSearchMode, SearchText(), GreekMode_, 0, false, {}}));
}

void TMainLex::WholeLex_ButtonClick() {
  f_.Fill_List_Button->setFocus();
  ApplyList(session_.ListAll());
}

void TMainLex::Lang_ButtonClick() {
  SetLanguage(!GreekMode_);
  f_.Entry_Text->setFocus();
  f_.Entry_Text->setText(QString());
}

// The glyph follows the language; the keyboard layout is activated even when it stays.
void TMainLex::SetLanguage(bool greek) {
  if (greek != GreekMode_) {
    GreekMode_ = greek;
    Button(Tool::Lang)->setIcon(QIcon((greek ? f_.GrImage : f_.EnImage)->pixmap()));
  }
  ActivateLanguageLayout();
  f_.Entry_Text->setGreekKeyboard(GreekMode_ && GreekLayout_ == 0);
}

void TMainLex::FindKeyboardLayouts() {
  for (const platform::KeyboardLayout& layout : layouts_->Installed(20)) {
    if (layout.language == "Greek" && GreekLayout_ == 0) {
      GreekLayout_ = layout.handle;
    } else if ((layout.language == "English" || layout.language.empty()) && EnglishLayout_ == 0) {
      EnglishLayout_ = layout.handle;
    }
  }
}

void TMainLex::ActivateLanguageLayout() {
  // A language without a layout keeps the layout that is active.
  const int layout = GreekMode_ ? GreekLayout_ : EnglishLayout_;
  if (layout != 0) layouts_->Activate(layout);
}

// --- The history menus ---------------------------------------------------------------------

// Prev_ButtonClick, Next_ButtonClick and the two menus' items.
void TMainLex::GoThroughHistory(HistoryMove move, uint64_t id) {
  FollowUserFiles();
  ApplyOutcome(session_.GoThroughHistory(move, GreekMode_, id));
}

void TMainLex::FillHistoryMenu(QMenu* menu) {
  const bool back = menu == f_.PrevMenu;
  menu->clear();
  for (const HistoryItem& item : back ? session_.history().back() : session_.history().forward()) {
    // The caption shows as it stands: an "&" in it is no accelerator mark.
    QAction* action = menu->addAction(ToQString(DoubleAmpersands(item.caption)));
    const uint64_t id = item.id;
    connect(action, &QAction::triggered, this, [this, back, id] {
      GoThroughHistory(back ? HistoryMove::kChooseBack : HistoryMove::kChooseForward, id);
    });
  }
}

// The menu drops below the step button, not below the narrow list button.
void TMainLex::PopUpHistoryMenu(QMenu* menu, QToolButton* stepButton) {
  FillHistoryMenu(menu);
  PopUpBelow(menu, stepButton);
}

// An empty menu shows nothing and takes no click.
void TMainLex::PopUpBelow(QMenu* menu, const QToolButton* button) {
  if (!menu->isEmpty()) PopUpMenuBelow(menu, button);
}

// --- Hover, hints, resizing, stay on top -----------------------------------------------------

bool TMainLex::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
    windowHandle()->removeEventFilter(this);
    ApplyFirstOuterWidth();
    return false;
  }
  if (watched != f_.Entries_List->viewport()) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseMove) {
    Entries_ListMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
  } else if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (listHint_.isEmpty()) {
      QToolTip::hideText();
    } else {
      // Entry texts are plain text, whatever marks they hold.
      QToolTip::showText(help->globalPos(), HintRichText(listHint_, help->globalPos()),
                         f_.Entries_List->viewport(), QRect(), listHintPause_);
    }
    return true;
  }
  return false;
}

void TMainLex::mouseMoveEvent(QMouseEvent* event) {
  f_.toolBar->HighlightToolButton(0);
  QWidget::mouseMoveEvent(event);
}

void TMainLex::Entries_ListMouseMove(const QPoint& position) {
  f_.toolBar->HighlightToolButton(0);
  if (f_.Description_Text->width() == 0 || f_.Description_Text->height() == 0) return;
  const QModelIndex item = f_.Entries_List->indexAt(position);
  const QString text = item.isValid() ? ToQString(f_.model->text(item.row())) : QString();
  listHint_ = QFontMetrics(canvasFont_).horizontalAdvance(text) > f_.Entries_List->width() ? text : QString();
}

void TMainLex::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyAnchors();
  FormResize();
}

// Keeps each control's distance to the edges it is anchored to.
void TMainLex::ApplyAnchors() {
  const int dw = width() - lastClient_.width();
  const int dh = height() - lastClient_.height();
  lastClient_ = size();
  if (dw == 0 && dh == 0) return;
  f_.Line_Image->resize(std::max(0, f_.Line_Image->width() + dw), f_.Line_Image->height());
  f_.Description_Text->resize(std::max(0, f_.Description_Text->width() + dw),
                              std::max(0, f_.Description_Text->height() + dh));
  listAnchorHeight_ += dh;
  f_.Entries_List->resize(f_.Entries_List->width(), ListHeightForItems(listAnchorHeight_));
  for (QWidget* foot : {static_cast<QWidget*>(f_.InstallLabel), static_cast<QWidget*>(f_.CopyrightLabel)}) {
    foot->move(foot->x(), foot->y() + dh);
  }
  for (QWidget* corner : {static_cast<QWidget*>(f_.QuenImage), static_cast<QWidget*>(f_.Quenborath_Label)}) {
    corner->move(corner->x() + dw, corner->y() + dh);
  }
}

void TMainLex::FormResize() {
  RichTextView* view = f_.Description_Text;
  const int listBottom = f_.Entries_List->y() + f_.Entries_List->height();
  if (listBottom != view->y() + view->height()) {
    view->resize(view->width(), std::max(0, listBottom - view->y()));
  }
  const int outerWidth = frameGeometry().width();
  if (view->x() < outerWidth && view->x() + view->width() > outerWidth - 20) {
    view->resize(std::max(0, outerWidth - view->x() - 15), view->height());
  }
  f_.Line2_Image->setGeometry(view->x(), f_.Line2_Image->y(), view->width(), f_.Line2_Image->height());
  if (!f_.Selmarin_Image->isHidden()) {
    f_.Selmarin_Image->move(view->x() + (view->width() - f_.Selmarin_Image->width()) / 2,
                            f_.Selmarin_Image->y());
  }
  canvasFont_ = f_.Entry_Label->font();
  ArrangeEntryLabels();
}

void TMainLex::ArrangeEntryLabels() {
  for (CaptionLabel* label : {f_.Entry_Label, f_.Trans_Label}) {
    label->setGeometry(f_.Description_Text->x(), label->y(), f_.Description_Text->width(),
                       label->TwoLineHeight(label == f_.Entry_Label ? kEntryLabelHeight : kTransLabelHeight));
  }
}

void TMainLex::Pin_ButtonClick() {
  stayOnTop_ = !stayOnTop_;
  Button(Tool::Pin)->setChecked(stayOnTop_);
  // Only the stacking order changes: the native window is kept, not recreated.
  if (QWindow* window = windowHandle()) window->setFlag(Qt::WindowStaysOnTopHint, stayOnTop_);
}

}  // namespace quorvel::ui

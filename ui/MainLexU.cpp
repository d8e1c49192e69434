#include "ui/MainLexU.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include "core/DescriptionFile.h"
#include "core/EntryDocument.h"
#include "core/ListSearch.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "platform/DurableFileWriter.h"
#include "ui/Artwork.h"
#include "ui/CaptionLabel.h"
#include "ui/EntryListModel.h"
#include "ui/EntryListView.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"

namespace quorvel::ui {
namespace {

// Client area at design; the first showing sets the width from the tool bar.
constexpr int kDesignWidth = 641;
constexpr int kDesignHeight = 346;
constexpr int kMinimumWidth = 263;
constexpr int kMinimumHeight = 183;
constexpr int kCompactHintPause = 10000;  // milliseconds

const QColor kWindowColour(136, 0, 0);    // "$00000088"
const QColor kRenderingColour(219, 179, 89);  // "$0059B3DB"
const QColor kSearchColour(128, 0, 0);    // maroon
const QColor kFootColour(192, 192, 192);  // silver

QFont ArialPixels(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// One button of a tool-bar group, with its two geometries (left, top, width, height).
struct ToolGeometry {
  QToolButton* TMainLex::*button;
  QRect normal;
  QRect raised;
};

// Group n (1-14) is kToolGroups[n - 1]; the first button of a group tells its state.
struct ToolGroup {
  ToolGeometry buttons[2];
  int count;
};

const ToolGroup kToolGroups[14] = {
    {{{&TMainLex::Lang_Button, {4, 2, 49, 39}, {3, 1, 51, 41}}}, 1},
    {{{&TMainLex::Prev_Button, {60, 2, 36, 39}, {59, 1, 38, 41}},
      {&TMainLex::PrevMenu_Button, {96, 2, 13, 39}, {97, 1, 15, 41}}}, 2},
    {{{&TMainLex::Next_Button, {108, 2, 36, 39}, {107, 1, 38, 41}},
      {&TMainLex::NextMenu_Button, {144, 2, 13, 39}, {145, 1, 15, 41}}}, 2},
    {{{&TMainLex::Copy_Button, {164, 2, 36, 39}, {163, 1, 38, 41}}}, 1},
    {{{&TMainLex::Paste_Button, {200, 2, 36, 39}, {199, 1, 38, 41}}}, 1},
    {{{&TMainLex::Print_Button, {236, 2, 36, 39}, {235, 1, 38, 41}}}, 1},
    {{{&TMainLex::Search_Button, {278, 2, 36, 39}, {277, 1, 38, 41}}}, 1},
    {{{&TMainLex::DescrSearch_Button, {314, 2, 36, 39}, {313, 1, 38, 41}}}, 1},
    {{{&TMainLex::AutoTranslate_Button, {350, 2, 36, 39}, {349, 1, 38, 41}}}, 1},
    {{{&TMainLex::CustomEntries_Button, {392, 2, 45, 39}, {391, 1, 47, 41}}}, 1},
    {{{&TMainLex::Pinakes_Button, {437, 2, 41, 39}, {436, 1, 43, 41}}}, 1},
    {{{&TMainLex::Help_Button, {478, 2, 38, 39}, {477, 1, 40, 41}}}, 1},
    {{{&TMainLex::Pin_Button, {520, 11, 25, 22}, {519, 10, 27, 24}}}, 1},
    {{{&TMainLex::Exit_Button, {547, 2, 45, 39}, {546, 1, 47, 41}}}, 1},
};

// The tool buttons as designed: left, width, glyph, hint.
struct ToolDesign {
  QToolButton* TMainLex::*button;
  const char* name;
  int left;
  int width;
  const char* glyph;
  const char* hint;
};

const ToolDesign kToolDesign[16] = {
    {&TMainLex::Lang_Button, "Lang_Button", 4, 53, "lang_en", "Επιλογή Γλώσσας"},
    {&TMainLex::Prev_Button, "Prev_Button", 65, 38, "prev", "Προηγούμενο Λήμμα"},
    {&TMainLex::PrevMenu_Button, "PrevMenu_Button", 103, 14, "prevmenu",
     "Λίστα Προηγουμένων Λημμάτων"},
    {&TMainLex::Next_Button, "Next_Button", 116, 38, "next", "Επόμενο Λήμμα"},
    {&TMainLex::NextMenu_Button, "NextMenu_Button", 155, 13, "nextmenu",
     "Λίστα Επομένων Λημμάτων"},
    {&TMainLex::Copy_Button, "Copy_Button", 177, 38, "copy", "Αντιγραφή"},
    {&TMainLex::Paste_Button, "Paste_Button", 215, 38, "paste", "Επικόλληση"},
    {&TMainLex::Print_Button, "Print_Button", 254, 38, "print", "Εκτύπωση Λήμματος"},
    {&TMainLex::Search_Button, "Search_Button", 299, 38, "search", "Αναζητήσεις"},
    {&TMainLex::DescrSearch_Button, "DescrSearch_Button", 338, 38, "descrsearch",
     "Αναζήτηση στο περιεχόμενο του λεξικού"},
    {&TMainLex::AutoTranslate_Button, "AutoTranslate_Button", 377, 38, "autotr_off",
     "Γρήγορη Μετάφραση"},
    {&TMainLex::CustomEntries_Button, "CustomEntries_Button", 422, 47, "custom",
     "Επεξεργασία Λημμάτων"},
    {&TMainLex::Pinakes_Button, "Pinakes_Button", 471, 43, "pinakes", "Πίνακες"},
    {&TMainLex::Help_Button, "Help_Button", 515, 40, "help", "Βοήθεια"},
    {&TMainLex::Pin_Button, "Pin_Button", 560, 25, "pin", "Παραμονή στην κορυφή"},
    {&TMainLex::Exit_Button, "Exit_Button", 589, 47, "exit", "Εξοδος"},
};

// The glyph keeps its own size unless the button is too small for it.
void SetToolGeometry(QToolButton* button, const QRect& rect) {
  button->setGeometry(rect);
  QSize glyph = button->property("glyphSize").toSize();
  const QSize room = rect.size() - QSize(4, 4);
  if (glyph.width() > room.width() || glyph.height() > room.height()) {
    glyph.scale(room, Qt::KeepAspectRatio);
  }
  button->setIconSize(glyph);
}

int ListHeightForItems(int height) {
  // Whole items inside a frame of 2 pixels on each side.
  const int frame = 4;
  const int items = std::max(0, (height - frame) / EntryListView::kItemHeight);
  return items * EntryListView::kItemHeight + frame;
}

}  // namespace

TMainLex::TMainLex(std::unique_ptr<platform::KeyboardLayouts> layouts, QWidget* parent)
    : QWidget(parent),
      dictionary_(std::make_unique<Dictionary>()),
      layouts_(layouts ? std::move(layouts) : platform::CreateSystemKeyboardLayouts()) {
  setObjectName(QStringLiteral("MainLex"));
  setWindowTitle(QStringLiteral("Orvanta"));
  setFont(ArialPixels(11));
  resize(kDesignWidth, kDesignHeight);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setMouseTracking(true);
  CreateToolBar();
  CreateBody();
  CreateMenus();
  ConnectHandlers();
  lastClient_ = size();
  FormCreate();
}

TMainLex::~TMainLex() = default;

void TMainLex::CreateToolBar() {
  for (const ToolDesign& design : kToolDesign) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(design.name));
    button->setToolTip(QString::fromUtf8(design.hint));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMouseTracking(true);
    // A move over a button is the button's own, not the window's.
    button->setAttribute(Qt::WA_NoMousePropagation);
    const bool pin = design.button == &TMainLex::Pin_Button;
    const QRect rect = pin ? QRect(design.left, 12, design.width, 22)
                           : QRect(design.left, 2, design.width, 42);
    const QString glyph = QString::fromLatin1(design.glyph);
    button->setProperty("glyphSize", ArtworkSize(glyph));
    button->setIcon(ArtworkIcon(glyph));
    SetToolGeometry(button, rect);
    button->installEventFilter(this);
    this->*design.button = button;
  }
  setStyleSheet(QStringLiteral(
      "QToolButton { border: 1px solid #4a0000; border-radius: 3px; padding: 0px;"
      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #b03030, stop:1 #700000); }"
      "QToolButton:pressed { background: #5a0000; }"));
}

void TMainLex::CreateBody() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kWindowColour);
  setPalette(palette);
  setAutoFillBackground(true);

  Line_Image = new QLabel(this);
  Line_Image->setObjectName(QStringLiteral("Line_Image"));
  Line_Image->setScaledContents(true);
  Line_Image->setGeometry(0, 46, kDesignWidth, 4);
  Line_Image->setPixmap(ArtworkPixmap(QStringLiteral("line"), QSize(kDesignWidth, 4)));

  Line2_Image = new QLabel(this);
  Line2_Image->setObjectName(QStringLiteral("Line2_Image"));
  Line2_Image->setScaledContents(true);
  Line2_Image->setGeometry(260, 116, 376, 4);
  Line2_Image->setPixmap(ArtworkPixmap(QStringLiteral("line"), QSize(376, 4)));

  Panel2 = new QFrame(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setGeometry(4, 53, 248, 37);
  Panel2->setAutoFillBackground(true);
  QPalette white = Panel2->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  Panel2->setPalette(white);

  Entry_Text = new SearchBox(Panel2);
  Entry_Text->setObjectName(QStringLiteral("Entry_Text"));
  Entry_Text->setFrame(false);
  Entry_Text->setFont(ArialPixels(17, true));
  QPalette searchPalette = Entry_Text->palette();
  searchPalette.setColor(QPalette::Text, kSearchColour);
  searchPalette.setColor(QPalette::Base, Qt::white);
  Entry_Text->setPalette(searchPalette);
  Entry_Text->setGeometry(4, 5, 240, 27);
  Entry_Text->setToolTip(QStringLiteral("Λήμμα προς Αναζήτηση"));

  model_ = new EntryListModel(this);
  auto* list = new EntryListView(this);
  list->setObjectName(QStringLiteral("Entries_List"));
  list->setModel(model_);
  list->setFont(ArialPixels(16));
  list->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  list->setLineWidth(2);
  list->viewport()->setMouseTracking(true);
  list->viewport()->installEventFilter(this);
  list->setAttribute(Qt::WA_NoMousePropagation);
  listAnchorHeight_ = 228;
  list->setGeometry(4, 95, 247, ListHeightForItems(listAnchorHeight_));
  Entries_List = list;

  Entry_Label = new CaptionLabel(this);
  Entry_Label->setObjectName(QStringLiteral("Entry_Label"));
  Trans_Label = new CaptionLabel(this);
  Trans_Label->setObjectName(QStringLiteral("Trans_Label"));
  for (CaptionLabel* label : {Entry_Label, Trans_Label}) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setCaption(QStringLiteral("."));
  }
  Entry_Label->setFont(ArialPixels(13, true));
  Trans_Label->setFont(ArialPixels(15, true));
  QPalette entryPalette = Entry_Label->palette();
  entryPalette.setColor(QPalette::WindowText, Qt::white);
  Entry_Label->setPalette(entryPalette);
  Entry_Label->setGeometry(260, 51, 376, 28);
  Trans_Label->setGeometry(260, 81, 376, 32);

  Selmarin_Image = new QLabel(this);
  Selmarin_Image->setObjectName(QStringLiteral("Selmarin_Image"));
  Selmarin_Image->setAttribute(Qt::WA_TransparentForMouseEvents);
  Selmarin_Image->setGeometry(274, 56, 347, 60);
  Selmarin_Image->setPixmap(ArtworkPixmap(QStringLiteral("selmarin"), QSize(347, 60)));

  Description_Text = new RichTextView(this);
  Description_Text->setObjectName(QStringLiteral("Description_Text"));
  Description_Text->setReadOnly(true);
  Description_Text->setFont(ArialPixels(12));
  Description_Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Description_Text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Description_Text->setGeometry(260, 123, 376, 201);

  auto hiddenPicture = [this](const char* name, const char* glyph) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    const QString artwork = QString::fromLatin1(glyph);
    picture->setPixmap(ArtworkPixmap(artwork, ArtworkSize(artwork) * 2));
    picture->hide();
    return picture;
  };
  GrImage = hiddenPicture("GrImage", "lang_gr");
  EnImage = hiddenPicture("EnImage", "lang_en");
  AutoTrImage = hiddenPicture("AutoTrImage", "autotr_off");
  CancelAutoTrImage = hiddenPicture("CancelAutoTrImage", "autotr_on");

  Fill_List_Button = new QPushButton(this);
  Fill_List_Button->setObjectName(QStringLiteral("Fill_List_Button"));
  Fill_List_Button->setGeometry(0, 0, 1, 1);
  Fill_List_Button->setDefault(true);
  Fill_List_Button->lower();

  WholeLex_Button = new QPushButton(QStringLiteral("Όλα τα Λήμματα"), this);
  WholeLex_Button->setObjectName(QStringLiteral("WholeLex_Button"));
  WholeLex_Button->setFocusPolicy(Qt::NoFocus);
  WholeLex_Button->hide();

  ClipBoard_Edit = new QLineEdit(this);
  ClipBoard_Edit->setObjectName(QStringLiteral("ClipBoard_Edit"));
  ClipBoard_Edit->hide();
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->hide();
  Button1 = new QPushButton(this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->hide();
  Button2 = new QPushButton(QStringLiteral("L"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->hide();
  Button3 = new QPushButton(this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->hide();

  QFont foot(QStringLiteral("Tahoma"));
  foot.setPixelSize(12);
  auto footLabel = [this, &foot](const char* name, const QString& caption, const QString& hint) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(foot);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kFootColour);
    label->setPalette(p);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(hint);
    return label;
  };
  InstallLabel = footLabel("InstallLabel", QStringLiteral("Εγκατάσταση"),
                           QStringLiteral("Εγκατάσταση Orvanta στο σκληρό δίσκο"));
  InstallLabel->setGeometry(5, 327, 120, 16);
  CopyrightLabel = footLabel("CopyrightLabel", QStringLiteral("Copyright ©"),
                             QStringLiteral("Πληροφορίες Copyright"));
  CopyrightLabel->setGeometry(260, 327, 120, 16);
  Quenborath_Label = footLabel("Quenborath_Label", QStringLiteral("ΕΚΔΟΣΕΙΣ Quenborath"),
                               QStringLiteral("Παρουσίαση Εκδόσεων Quenborath"));
  Quenborath_Label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  // The label ends where designed; a font wider than the designed one moves its left edge
  // and the logo beside it to the left, so that they never overlap.
  const int publisherWidth =
      std::max(130, QFontMetrics(foot).horizontalAdvance(Quenborath_Label->text()) + 2);
  Quenborath_Label->setGeometry(636 - publisherWidth, 327, publisherWidth, 16);
  QuenImage = new QLabel(this);
  QuenImage->setObjectName(QStringLiteral("QuenImage"));
  QuenImage->setCursor(Qt::PointingHandCursor);
  QuenImage->setToolTip(QStringLiteral("Παρουσίαση Εκδόσεων Quenborath"));
  QuenImage->setGeometry(Quenborath_Label->x() - 17, 324, 17, 15);
  QuenImage->setPixmap(ArtworkPixmap(QStringLiteral("quen"), QSize(17, 15)));

  // Tab order: the search box first, then the list.
  setTabOrder(Entry_Text, Entries_List);
  Entry_Text->setFocus();
}

void TMainLex::CreateMenus() {
  PrevMenu = new QMenu(this);
  PrevMenu->setObjectName(QStringLiteral("PrevMenu"));
  NextMenu = new QMenu(this);
  NextMenu->setObjectName(QStringLiteral("NextMenu"));

  CustomEntriesMenu = new QMenu(this);
  CustomEntriesMenu->setObjectName(QStringLiteral("CustomEntriesMenu"));
  CustomEntriesItem = CustomEntriesMenu->addAction(QStringLiteral("Εμφάνιση Επεξεργασμένων Λημμάτων"));
  InsertEntryItem = CustomEntriesMenu->addAction(QStringLiteral("Εισαγωγή Νέου Λήμματος"));
  ModifyEntryItem = CustomEntriesMenu->addAction(QStringLiteral("Τροποποίηση Λήμματος"));
  DeleteEntryItem = CustomEntriesMenu->addAction(QStringLiteral("Διαγραφή Λήμματος"));
  CustomEntriesItem->setIcon(ArtworkIcon(QStringLiteral("menu_list")));
  InsertEntryItem->setIcon(ArtworkIcon(QStringLiteral("menu_insert")));
  ModifyEntryItem->setIcon(ArtworkIcon(QStringLiteral("menu_modify")));
  DeleteEntryItem->setIcon(ArtworkIcon(QStringLiteral("menu_delete")));

  PinakesMenu = new QMenu(this);
  PinakesMenu->setObjectName(QStringLiteral("PinakesMenu"));
  PrefaceMenu = PinakesMenu->addAction(QStringLiteral("Πρόλογος"));
  SIMenu = PinakesMenu->addAction(QStringLiteral("Διεθνές Σύστημα Μονάδων"));
  ChemicalMenu = PinakesMenu->addAction(QStringLiteral("Πίνακας Χημικών Στοιχείων"));
}

void TMainLex::ConnectHandlers() {
  connect(Entry_Text, &QLineEdit::textChanged, this, &TMainLex::Entry_TextChange);
  connect(Entry_Text, &SearchBox::keyDown, this, &TMainLex::Entry_TextKeyDown);
  connect(Entry_Text, &QLineEdit::returnPressed, Fill_List_Button, &QPushButton::click);
  auto* list = static_cast<EntryListView*>(Entries_List);
  connect(list, &EntryListView::enterPressed, Fill_List_Button, &QPushButton::click);
  connect(list, &QListView::clicked, this, &TMainLex::Entries_ListClick);
  connect(list, &EntryListView::keyboardSelected, this, &TMainLex::Entries_ListClick);
  connect(Fill_List_Button, &QPushButton::clicked, this, &TMainLex::Fill_List_ButtonClick);
  connect(WholeLex_Button, &QPushButton::clicked, this, &TMainLex::WholeLex_ButtonClick);
  connect(Lang_Button, &QToolButton::clicked, this, &TMainLex::Lang_ButtonClick);
  connect(Prev_Button, &QToolButton::clicked, this, &TMainLex::Prev_ButtonClick);
  connect(Next_Button, &QToolButton::clicked, this, &TMainLex::Next_ButtonClick);
  connect(PrevMenu_Button, &QToolButton::clicked, this, &TMainLex::PrevMenu_ButtonClick);
  connect(NextMenu_Button, &QToolButton::clicked, this, &TMainLex::NextMenu_ButtonClick);
  NextMenu_Button->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(NextMenu_Button, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    FillHistoryMenu(NextMenu, false);
    NextMenu->popup(NextMenu_Button->mapToGlobal(at));
  });
  connect(CustomEntries_Button, &QToolButton::clicked, this,
          [this] { CustomEntriesMenu->popup(QCursor::pos()); });
  connect(Pinakes_Button, &QToolButton::clicked, this,
          [this] { PinakesMenu->popup(QCursor::pos()); });
  connect(Pin_Button, &QToolButton::clicked, this, &TMainLex::Pin_ButtonClick);
  connect(Exit_Button, &QToolButton::clicked, this, &TMainLex::Exit_ButtonClick);
}


void TMainLex::FormCreate() {
  try {
    locations_ = ResolveFileLocations(QDir::currentPath().toLocal8Bit().toStdString(),
                                      SystemFoldersFromEnvironment());
    FindKeyboardLayouts();
    GreekMode_ = false;
    ActivateLanguageLayout();
    Entry_Text->setGreekKeyboard(false);
    QPalette rendering = Trans_Label->palette();
    rendering.setColor(QPalette::WindowText, kRenderingColour);
    Trans_Label->setPalette(rendering);
  } catch (...) {
  }
}

void TMainLex::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (RtfHeader_.empty()) FormShow();
}

void TMainLex::FormShow() {
  try {
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Orvanta"));
    HighlightToolButton(-1);
    const int frame = frameGeometry().width() - width();
    resize(Exit_Button->x() + Exit_Button->width() + 12 - frame, height());
    model_->Clear();
    canvasFont_ = Entries_List->font();
    DurableFileWriter writer;
    LoadEntryIndex(*dictionary_, locations_, writer);
    RtfHeader_ = ReadRtfHeader(locations_.DescriptionFile());
    ClearView();
    while (busyDepth_ > 0) EndBusy();
    const QFileInfo program(QString::fromLocal8Bit(locations_.ProgramDir + kProgramFileName));
    const QFile::Permissions anyWrite =
        QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    if (program.exists() && program.isWritable() && (program.permissions() & anyWrite)) {
      InstallLabel->hide();
      CopyrightLabel->move(5, CopyrightLabel->y());
    }
  } catch (...) {
  }
}

void TMainLex::ClearView() {
  Entry_Label->setCaption(QString());
  Trans_Label->setCaption(QString());
  model_->Clear();
  ClearDescription();
  ModifyEntryItem->setEnabled(false);
  DeleteEntryItem->setEnabled(false);
  const int left =
      Description_Text->x() + (Description_Text->width() - Selmarin_Image->width()) / 2;
  Selmarin_Image->move(left, Selmarin_Image->y());
  Selmarin_Image->show();
}

void TMainLex::ClearEntryText() {
  Trans_Label->setCaption(QString());
  ClearDescription();
}


std::string TMainLex::SearchText() const { return ToCp1253(Entry_Text->text()); }

void TMainLex::SetSearchText(const std::string& text) {
  if (SearchText() == text) return;
  Entry_Text->setText(ToQString(text));
}

void TMainLex::AppendItem(const std::string& text, int slot) { model_->Append(text, slot); }
int TMainLex::ItemCount() const { return model_->count(); }

std::string TMainLex::ItemText(int index) const {
  return index >= 0 && index < model_->count() ? model_->text(index) : std::string();
}

int TMainLex::ItemSlot(int index) const {
  return index >= 0 && index < model_->count() ? model_->slot(index) : 0;
}

void TMainLex::SetItemSlot(int index, int slot) {
  if (index >= 0 && index < model_->count()) model_->setSlot(index, slot);
}

void TMainLex::RemoveItem(int index) { model_->Remove(index); }

int TMainLex::SelectedIndex() const {
  const QModelIndexList selected = Entries_List->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void TMainLex::SelectItem(int index) {
  if (index < 0 || index >= model_->count()) {
    Entries_List->selectionModel()->clear();
    return;
  }
  const QModelIndex item = model_->index(index);
  Entries_List->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
  Entries_List->scrollTo(item);
}

void TMainLex::BeginBusy() {
  if (busyDepth_++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void TMainLex::EndBusy() {
  if (busyDepth_ > 0 && --busyDepth_ == 0) QGuiApplication::restoreOverrideCursor();
}

void TMainLex::DisableEditCommands() {
  ModifyEntryItem->setEnabled(false);
  DeleteEntryItem->setEnabled(false);
}


void TMainLex::ShowSelectedEntry() {
  Selmarin_Image->hide();
  const int i = SelectedIndex();
  if (i < 0) return;
  const int slot = model_->slot(i);
  if (slot < 1 || slot >= kIndexSlots) return;
  const TEnglishEntry& e = dictionary_->EnglishIndex[static_cast<size_t>(slot)];
  const QString heading = ToQString(DoubleAmpersands(e.Headword));
  const QString rendering = ToQString(DoubleAmpersands(EntryTranslation(*dictionary_, slot)));
  if (!GreekMode_) {
    Entry_Label->setCaption(heading);
    Trans_Label->setCaption(rendering);
  } else {
    std::string text(UpToNul(model_->text(i)));
    if (text.size() >= kUserMark.size() && text.ends_with(kUserMark)) {
      text.resize(text.size() - kUserMark.size());
    }
    Entry_Label->setCaption(ToQString(DoubleAmpersands(text)));
    Trans_Label->setCaption(heading);
  }
  canvasFont_ = Entry_Label->font();
  ModifyEntryItem->setEnabled(true);
  if (e.Origin == kOriginPublished || e.Origin == kOriginUser || e.Origin == kOriginAddition) {
    DeleteEntryItem->setEnabled(e.Origin == kOriginUser);
    BusyScope busy(*this);
    const auto document = BuildDescriptionDocument(*dictionary_, locations_, RtfHeader_, slot);
    if (document) LoadDescriptionDocument(*document);
  }
  ArrangeEntryLabels();
  if (Description_Text->width() != 0 && Description_Text->height() != 0) {
    listHint_.clear();
  } else {
    // Like the application's hint pause, the longer time stays once it has been set.
    listHintPause_ = kCompactHintPause;
    QString hint = Entry_Label->caption();
    if (!Trans_Label->caption().trimmed().isEmpty()) {
      hint += QStringLiteral(" [") + Trans_Label->caption() + QStringLiteral("]");
    }
    const std::string plain = Trim(DescriptionPlainText());
    if (!plain.empty()) hint += QStringLiteral("\r\n") + ToQString(plain);
    listHint_ = hint;
  }
  history_.EntryShown(model_->text(i), slot, e.Number);
}

void TMainLex::ArrangeEntryLabels() {
  for (CaptionLabel* label : {Entry_Label, Trans_Label}) {
    label->setGeometry(Description_Text->x(), label->y(), Description_Text->width(),
                       label == Entry_Label ? 28 : 32);
  }
}

void TMainLex::LoadDescriptionDocument(const std::string& document) {
  // A document that the view does not take as RTF leaves it empty.
  Description_Text->LoadRtf(document);
  if (DescriptionPlainText().compare(0, 6, "{\\rtf1") == 0) ClearDescription();
}

void TMainLex::ClearDescription() { Description_Text->Clear(); }

std::string TMainLex::DescriptionPlainText() const { return Description_Text->PlainText(); }


void TMainLex::Entry_TextChange() {
  if (Navigating_) return;
  try {
    history_.ClearForward();
    FillEntryList(*dictionary_, *this, SearchMode::Start, 0, false);
    if (ItemCount() == 0) return;
    SelectItem(0);
    const int slot = ItemSlot(0);
    if (slot < 1 || slot >= kIndexSlots) return;
    const TEnglishEntry& e = dictionary_->EnglishIndex[static_cast<size_t>(slot)];
    const std::string search = SearchText();
    std::string typed;
    std::string key;
    if (!GreekMode_) {
      typed = SystemLower(Trim(search));
      key = SystemLower(EnglishSearchKey(e.Headword, true));
    } else {
      typed = FoldGreekText(Trim(GreekSearchKey(search, true)));
      if (e.GreekSlot >= dictionary_->GreekIndex.size()) return;
      key = GreekSearchKey(dictionary_->GreekIndex[e.GreekSlot].Term, true);
    }
    if (typed == key) Entries_ListClick();
  } catch (...) {
  }
}

void TMainLex::Entry_TextKeyDown(int key) {
  const int idx = SelectedIndex();
  const int n = ItemCount();
  const int p = Entries_List->height() / EntryListView::kItemHeight;
  int target = -1;
  switch (key) {
    case Qt::Key_Down:
      if (idx < n - 1) target = idx + 1;
      break;
    case Qt::Key_Up:
      if (idx > 0) target = idx - 1;
      break;
    case Qt::Key_PageUp:
      if (idx > 0) target = idx > p ? idx - p : 0;
      break;
    case Qt::Key_PageDown:
      if (idx < n - 1) target = idx > n - 1 - p ? n - 1 : idx + p;
      break;
    default:
      return;
  }
  if (target < 0) return;
  Entries_List->setFocus();
  SelectItem(target);
  Entries_ListClick();
}

void TMainLex::Fill_List_ButtonClick() {
  history_.ClearForward();
  FillEntryList(*dictionary_, *this, kDefaultSearchMode, 0, false);
}

void TMainLex::WholeLex_ButtonClick() {
  Fill_List_Button->setFocus();
  ListAllEntries(*dictionary_, *this);
}

void TMainLex::Lang_ButtonClick() {
  SetLanguage(!GreekMode_);
  Entry_Text->setFocus();
  Entry_Text->setText(QString());
}

void TMainLex::SetLanguage(bool greek) {
  if (!greek && GreekMode_) {
    GreekMode_ = false;
    Lang_Button->setIcon(QIcon(EnImage->pixmap()));
  } else if (greek && !GreekMode_) {
    GreekMode_ = true;
    Lang_Button->setIcon(QIcon(GrImage->pixmap()));
  }
  ActivateLanguageLayout();
  Entry_Text->setGreekKeyboard(GreekMode_ && GreekLayout_ == 0);
}

void TMainLex::SetLanguageFromText() {
  const std::string text = SearchText();
  if (text.empty()) return;
  SetLanguage(IsGreekInitial(static_cast<unsigned char>(text[0])));
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


void TMainLex::GoToHistoryItem(const HistoryItem& item) {
  SetSearchText(item.caption);
  SetLanguageFromText();
  FillEntryList(*dictionary_, *this, SearchMode::Specific, item.slot, false);
}

void TMainLex::RunHistoryCommand(
    const std::function<void(const BrowsingHistory::GoTo&)>& command) {
  Navigating_ = true;
  try {
    command([this](const HistoryItem& item) { GoToHistoryItem(item); });
  } catch (...) {
  }
  Navigating_ = false;
}

void TMainLex::Prev_ButtonClick() {
  RunHistoryCommand([this](const BrowsingHistory::GoTo& goTo) { history_.StepBack(goTo); });
}

void TMainLex::Next_ButtonClick() {
  RunHistoryCommand([this](const BrowsingHistory::GoTo& goTo) { history_.StepForward(goTo); });
}

void TMainLex::PrevMenuClick(uint64_t id) {
  RunHistoryCommand(
      [this, id](const BrowsingHistory::GoTo& goTo) { history_.ChooseBack(id, goTo); });
}

void TMainLex::NextMenuClick(uint64_t id) {
  RunHistoryCommand(
      [this, id](const BrowsingHistory::GoTo& goTo) { history_.ChooseForward(id, goTo); });
}

void TMainLex::FillHistoryMenu(QMenu* menu, bool back) {
  menu->clear();
  for (const HistoryItem& item : back ? history_.back() : history_.forward()) {
    // The caption shows as it stands: an "&" in it is no accelerator mark.
    QAction* action = menu->addAction(ToQString(DoubleAmpersands(item.caption)));
    const uint64_t id = item.id;
    if (back) {
      connect(action, &QAction::triggered, this, [this, id] { PrevMenuClick(id); });
    } else {
      connect(action, &QAction::triggered, this, [this, id] { NextMenuClick(id); });
    }
  }
}

void TMainLex::PopUpHistoryMenu(QMenu* menu, QToolButton* stepButton) {
  FillHistoryMenu(menu, menu == PrevMenu);
  const QRect window = frameGeometry();
  menu->popup(QPoint(window.left() + stepButton->x() + 4,
                     window.top() + stepButton->y() + stepButton->height() + 22));
}

void TMainLex::PrevMenu_ButtonClick() { PopUpHistoryMenu(PrevMenu, Prev_Button); }
void TMainLex::NextMenu_ButtonClick() { PopUpHistoryMenu(NextMenu, Next_Button); }


void TMainLex::HighlightToolButton(int group) {
  for (int n = 1; n <= 14; ++n) {
    const ToolGroup& g = kToolGroups[n - 1];
    QToolButton* first = this->*g.buttons[0].button;
    const bool raised = first->y() == g.buttons[0].raised.y();
    const bool normal = first->y() == g.buttons[0].normal.y();
    if (n == group) {
      if (normal) {
        for (int b = 0; b < g.count; ++b) {
          QToolButton* button = this->*g.buttons[b].button;
          SetToolGeometry(button, g.buttons[b].raised);
          button->raise();
        }
      }
    } else if (raised || group == -1) {
      for (int b = 0; b < g.count; ++b) {
        SetToolGeometry(this->*g.buttons[b].button, g.buttons[b].normal);
      }
      if (n == 1) first->raise();
    }
  }
}

int TMainLex::ToolGroupOf(const QObject* button) const {
  for (int n = 1; n <= 14; ++n) {
    const ToolGroup& g = kToolGroups[n - 1];
    for (int b = 0; b < g.count; ++b) {
      if (this->*g.buttons[b].button == button) return n;
    }
  }
  return 0;
}

bool TMainLex::eventFilter(QObject* watched, QEvent* event) {
  if (Entries_List && watched == Entries_List->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      Entries_ListMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::ToolTip) {
      const auto* help = static_cast<QHelpEvent*>(event);
      if (listHint_.isEmpty()) {
        QToolTip::hideText();
      } else {
        // Entry texts are plain text, whatever marks they hold.
        QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(listHint_, Qt::WhiteSpaceNormal),
                           Entries_List->viewport(), QRect(), listHintPause_);
      }
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::MouseMove) {
    if (const int group = ToolGroupOf(watched)) HighlightToolButton(group);
  }
  return QWidget::eventFilter(watched, event);
}

void TMainLex::mouseMoveEvent(QMouseEvent* event) {
  HighlightToolButton(0);
  QWidget::mouseMoveEvent(event);
}

void TMainLex::Entries_ListMouseMove(const QPoint& position) {
  HighlightToolButton(0);
  if (Description_Text->width() == 0 || Description_Text->height() == 0) return;
  const QModelIndex item = Entries_List->indexAt(position);
  if (!item.isValid()) {
    listHint_.clear();
    return;
  }
  const QString text = ToQString(model_->text(item.row()));
  listHint_ = QFontMetrics(canvasFont_).horizontalAdvance(text) > Entries_List->width()
                  ? text
                  : QString();
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
  Line_Image->resize(std::max(0, Line_Image->width() + dw), Line_Image->height());
  Description_Text->resize(std::max(0, Description_Text->width() + dw),
                           std::max(0, Description_Text->height() + dh));
  listAnchorHeight_ += dh;
  Entries_List->resize(Entries_List->width(), ListHeightForItems(listAnchorHeight_));
  for (QWidget* foot : {static_cast<QWidget*>(InstallLabel), static_cast<QWidget*>(CopyrightLabel)}) {
    foot->move(foot->x(), foot->y() + dh);
  }
  for (QWidget* corner : {static_cast<QWidget*>(QuenImage), static_cast<QWidget*>(Quenborath_Label)}) {
    corner->move(corner->x() + dw, corner->y() + dh);
  }
}

void TMainLex::FormResize() {
  const int listBottom = Entries_List->y() + Entries_List->height();
  if (listBottom != Description_Text->y() + Description_Text->height()) {
    Description_Text->resize(Description_Text->width(),
                             std::max(0, listBottom - Description_Text->y()));
  }
  const int outerWidth = frameGeometry().width();
  const int left = Description_Text->x();
  if (left < outerWidth && left + Description_Text->width() > outerWidth - 20) {
    Description_Text->resize(std::max(0, outerWidth - left - 15), Description_Text->height());
  }
  Line2_Image->setGeometry(left, Line2_Image->y(), Description_Text->width(),
                           Line2_Image->height());
  if (!Selmarin_Image->isHidden()) {
    Selmarin_Image->move(left + (Description_Text->width() - Selmarin_Image->width()) / 2,
                         Selmarin_Image->y());
  }
  canvasFont_ = Entry_Label->font();
  ArrangeEntryLabels();
}

void TMainLex::Pin_ButtonClick() {
  stayOnTop_ = !stayOnTop_;
  // Only the stacking order changes: the native window is kept, not recreated.
  if (QWindow* window = windowHandle()) {
    window->setFlag(Qt::WindowStaysOnTopHint, stayOnTop_);
  }
}

void TMainLex::Exit_ButtonClick() { close(); }

}  // namespace quorvel::ui

#include "ui/MainLexForm.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

#include "ui/Artwork.h"
#include "ui/CaptionLabel.h"
#include "ui/EntryListModel.h"
#include "ui/EntryListView.h"
#include "ui/LinkLabel.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/ToolBar.h"

namespace quorvel::ui {
namespace {

const QColor kWindowColour(136, 0, 0);    // "$00000088"
const QColor kSearchColour(128, 0, 0);    // maroon
const QColor kFootColour(192, 192, 192);  // silver

QFont ArialPixels(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* Rule(QWidget* window, const char* name, const QRect& rect) {
  auto* rule = Named(new QLabel(window), name);
  rule->setScaledContents(true);
  rule->setGeometry(rect);
  rule->setPixmap(ArtworkPixmap(QStringLiteral("line"), rect.size()));
  return rule;
}

void CreateSearchArea(QWidget* window, MainLexForm& f) {
  f.Panel2 = Named(new QFrame(window), "Panel2");
  f.Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  f.Panel2->setGeometry(4, 53, 248, 37);
  f.Panel2->setAutoFillBackground(true);
  QPalette white = f.Panel2->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  f.Panel2->setPalette(white);

  f.Entry_Text = Named(new SearchBox(f.Panel2), "Entry_Text");
  f.Entry_Text->setFrame(false);
  f.Entry_Text->setFont(ArialPixels(17, true));
  QPalette search = f.Entry_Text->palette();
  search.setColor(QPalette::Text, kSearchColour);
  search.setColor(QPalette::Base, Qt::white);
  f.Entry_Text->setPalette(search);
  f.Entry_Text->setGeometry(4, 5, 240, 27);
  f.Entry_Text->setToolTip(QStringLiteral("Λήμμα προς Αναζήτηση"));
  f.Entry_Text->setAccessibleName(QStringLiteral("Λήμμα προς Αναζήτηση"));

  f.model = new EntryListModel(window);
  f.Entries_List = Named(new EntryListView(window), "Entries_List");
  f.Entries_List->setModel(f.model);
  f.Entries_List->setFont(ArialPixels(16));
  f.Entries_List->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  f.Entries_List->setLineWidth(2);
  f.Entries_List->viewport()->setMouseTracking(true);
  f.Entries_List->setAttribute(Qt::WA_NoMousePropagation);
  f.Entries_List->setGeometry(4, 95, 247, ListHeightForItems(kDesignListHeight));
  f.Entries_List->setAccessibleName(QStringLiteral("Λήμματα"));
}

void CreateEntryArea(QWidget* window, MainLexForm& f) {
  f.Entry_Label = Named(new CaptionLabel(window), "Entry_Label");
  f.Trans_Label = Named(new CaptionLabel(window), "Trans_Label");
  for (CaptionLabel* label : {f.Entry_Label, f.Trans_Label}) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setCaption(QStringLiteral("."));
  }
  // A screen reader reads the heading lines as shown, and what they are as their description.
  f.Entry_Label->setAccessibleDescription(QStringLiteral("Λήμμα"));
  f.Trans_Label->setAccessibleDescription(QStringLiteral("Απόδοση"));
  f.Entry_Label->setFont(ArialPixels(13, true));
  f.Trans_Label->setFont(ArialPixels(15, true));
  QPalette entry = f.Entry_Label->palette();
  entry.setColor(QPalette::WindowText, Qt::white);
  f.Entry_Label->setPalette(entry);
  f.Entry_Label->setGeometry(260, 51, 376, f.Entry_Label->TwoLineHeight(kEntryLabelHeight));
  f.Trans_Label->setGeometry(260, 81, 376, f.Trans_Label->TwoLineHeight(kTransLabelHeight));

  // The title picture lies beneath every other control: in a window narrower than designed,
  // where it reaches under the search box and the list, they stay whole over it.
  f.Selmarin_Image = Named(new QLabel(window), "Selmarin_Image");
  f.Selmarin_Image->setAttribute(Qt::WA_TransparentForMouseEvents);
  f.Selmarin_Image->setGeometry(274, 56, 347, 60);
  f.Selmarin_Image->setPixmap(ArtworkPixmap(QStringLiteral("selmarin"), QSize(347, 60)));
  f.Selmarin_Image->setAccessibleName(QStringLiteral("Orvanta"));
  f.Selmarin_Image->lower();

  f.Description_Text = Named(new RichTextView(window), "Description_Text");
  // Read-only, and selectable with the keys as with the mouse (Shift with the arrows, Home
  // and End), so that a figure reference can be selected from the keyboard too.
  f.Description_Text->setReadOnly(true);
  f.Description_Text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  f.Description_Text->setFont(ArialPixels(12));
  f.Description_Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  f.Description_Text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  f.Description_Text->setGeometry(260, 123, 376, 201);
  f.Description_Text->setAccessibleName(QStringLiteral("Ερμηνεία"));
}

// A control that is never shown: a work area, a picture kept for a glyph, a button that only
// a key clicks. It stays a child of the window (found by its name, freed with the window) but,
// as a window of its own that is never shown, it is neither in the window's accessibility tree
// nor in its tab order.
template <typename Widget>
Widget* Hidden(Widget* widget, const char* name) {
  Named(widget, name)->setWindowFlags(Qt::Window);
  widget->setFocusPolicy(Qt::NoFocus);
  widget->hide();
  return widget;
}

QLabel* HiddenPicture(QWidget* window, const char* name, const char* glyph) {
  auto* picture = Hidden(new QLabel(window), name);
  const QString artwork = QString::fromLatin1(glyph);
  picture->setPixmap(ArtworkPixmap(artwork, ArtworkSize(artwork) * 2));
  return picture;
}

void CreateHiddenControls(QWidget* window, MainLexForm& f) {
  f.GrImage = HiddenPicture(window, "GrImage", "lang_gr");
  f.EnImage = HiddenPicture(window, "EnImage", "lang_en");
  f.AutoTrImage = HiddenPicture(window, "AutoTrImage", "autotr_off");
  f.CancelAutoTrImage = HiddenPicture(window, "CancelAutoTrImage", "autotr_on");

  f.Fill_List_Button = Named(new QPushButton(window), "Fill_List_Button");
  f.Fill_List_Button->setGeometry(0, 0, 1, 1);
  f.Fill_List_Button->setDefault(true);
  f.Fill_List_Button->lower();
  f.Fill_List_Button->setAccessibleName(QStringLiteral("Αναζήτηση Λημμάτων"));
  f.WholeLex_Button = Hidden(new QPushButton(QStringLiteral("Όλα τα Λήμματα"), window), "WholeLex_Button");

  f.ClipBoard_Edit = Hidden(new QLineEdit(window), "ClipBoard_Edit");
  f.Memo1 = Hidden(new QPlainTextEdit(window), "Memo1");
  f.Button1 = Hidden(new QPushButton(window), "Button1");
  f.Button2 = Hidden(new QPushButton(QStringLiteral("L"), window), "Button2");
  f.Button3 = Hidden(new QPushButton(window), "Button3");
}

LinkLabel* FootLabel(QWidget* window, const char* name, const QString& caption, const QString& hint) {
  QFont foot(QStringLiteral("Tahoma"));
  foot.setPixelSize(12);
  auto* label = Named(new LinkLabel(caption, window), name);
  label->setFont(foot);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, kFootColour);
  label->setPalette(p);
  label->setToolTip(hint);
  label->setAccessibleName(caption);
  label->setAccessibleDescription(hint);
  return label;
}

void CreateFooter(QWidget* window, MainLexForm& f) {
  f.InstallLabel = FootLabel(window, "InstallLabel", QStringLiteral("Εγκατάσταση"),
                             QStringLiteral("Εγκατάσταση Orvanta στο σκληρό δίσκο"));
  f.InstallLabel->setGeometry(5, 327, 120, 16);
  f.CopyrightLabel = FootLabel(window, "CopyrightLabel", QStringLiteral("Copyright ©"),
                               QStringLiteral("Πληροφορίες Copyright"));
  f.CopyrightLabel->setGeometry(260, 327, 120, 16);
  f.Quenborath_Label = FootLabel(window, "Quenborath_Label", QStringLiteral("ΕΚΔΟΣΕΙΣ Quenborath"),
                                 QStringLiteral("Παρουσίαση Εκδόσεων Quenborath"));
  f.Quenborath_Label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  // The label ends where designed; a font wider than the designed one moves its left edge
  // and the logo beside it to the left, so that they never overlap.
  const int publisherWidth =
      std::max(130, f.Quenborath_Label->fontMetrics().horizontalAdvance(f.Quenborath_Label->text()) + 2);
  f.Quenborath_Label->setGeometry(636 - publisherWidth, 327, publisherWidth, 16);
  f.QuenImage = Named(new LinkLabel(QString(), window), "QuenImage");
  f.QuenImage->setToolTip(QStringLiteral("Παρουσίαση Εκδόσεων Quenborath"));
  f.QuenImage->setAccessibleName(QStringLiteral("Παρουσίαση Εκδόσεων Quenborath"));
  f.QuenImage->setGeometry(f.Quenborath_Label->x() - 17, 324, 17, 15);
  f.QuenImage->setPixmap(ArtworkPixmap(QStringLiteral("quen"), QSize(17, 15)));
}

QAction* Item(QMenu* menu, const char* name, const QString& text, const char* icon = nullptr) {
  QAction* item = menu->addAction(text);
  item->setObjectName(QString::fromLatin1(name));
  if (icon) item->setIcon(ArtworkIcon(QString::fromLatin1(icon)));
  return item;
}

QMenu* Menu(QWidget* window, const char* name, const QString& accessibleName) {
  auto* menu = Named(new QMenu(window), name);
  menu->setAccessibleName(accessibleName);
  return menu;
}

void CreateMenus(QWidget* window, MainLexForm& f) {
  f.PrevMenu = Menu(window, "PrevMenu", QStringLiteral("Λίστα Προηγουμένων Λημμάτων"));
  f.NextMenu = Menu(window, "NextMenu", QStringLiteral("Λίστα Επομένων Λημμάτων"));
  f.CustomEntriesMenu = Menu(window, "CustomEntriesMenu", QStringLiteral("Επεξεργασία Λημμάτων"));
  f.CustomEntriesItem = Item(f.CustomEntriesMenu, "CustomEntriesItem",
                             QStringLiteral("Εμφάνιση Επεξεργασμένων Λημμάτων"), "menu_list");
  f.InsertEntryItem = Item(f.CustomEntriesMenu, "InsertEntryItem",
                           QStringLiteral("Εισαγωγή Νέου Λήμματος"), "menu_insert");
  f.ModifyEntryItem = Item(f.CustomEntriesMenu, "ModifyEntryItem",
                           QStringLiteral("Τροποποίηση Λήμματος"), "menu_modify");
  f.DeleteEntryItem = Item(f.CustomEntriesMenu, "DeleteEntryItem",
                           QStringLiteral("Διαγραφή Λήμματος"), "menu_delete");
  f.PinakesMenu = Menu(window, "PinakesMenu", QStringLiteral("Πίνακες"));
  f.PrefaceMenu = Item(f.PinakesMenu, "PrefaceMenu", QStringLiteral("Πρόλογος"));
  f.SIMenu = Item(f.PinakesMenu, "SIMenu", QStringLiteral("Διεθνές Σύστημα Μονάδων"));
  f.ChemicalMenu = Item(f.PinakesMenu, "ChemicalMenu", QStringLiteral("Πίνακας Χημικών Στοιχείων"));
}

}  // namespace

int ListHeightForItems(int height) {
  // Whole items inside a frame of 2 pixels on each side.
  const int frame = 4;
  const int items = std::max(0, (height - frame) / EntryListView::kItemHeight);
  return items * EntryListView::kItemHeight + frame;
}

void CreateMainLexForm(QWidget* window, MainLexForm& f) {
  window->setObjectName(QStringLiteral("MainLex"));
  window->setWindowTitle(QStringLiteral("Orvanta"));
  window->setFont(ArialPixels(11));
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, kWindowColour);
  window->setPalette(palette);
  window->setAutoFillBackground(true);

  f.toolBar = new ToolBar(window);
  f.Line_Image = Rule(window, "Line_Image", QRect(0, 46, kDesignWidth, 4));
  f.Line2_Image = Rule(window, "Line2_Image", QRect(260, 116, 376, 4));
  CreateSearchArea(window, f);
  CreateEntryArea(window, f);
  CreateHiddenControls(window, f);
  CreateFooter(window, f);
  CreateMenus(window, f);
  // Tab order: the search box first, then the list.
  QWidget::setTabOrder(f.Entry_Text, f.Entries_List);
  f.Entry_Text->setFocus();
}

}  // namespace quorvel::ui

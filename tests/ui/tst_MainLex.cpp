// The dictionary browser driven as a user drives it: typing, keys, clicks on the tool bar and
// the history menus, mouse moves and resizing, on a small program folder built for each test.
#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWindow>

#include <filesystem>
#include <memory>

#include "core/Cp1253.h"
#include "core/Session.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/CaptionLabel.h"
#include "ui/MainLexU.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/EntryListModel.h"
#include "ui/TextCodec.h"
#include "ui/ToolBar.h"

using quorvel::test::DictionaryFixture;
using quorvel::test::PublishedEntry;
using quorvel::test::PublishedTerm;
using quorvel::test::UserLine;
using quorvel::ui::TMainLex;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }

// The published entries, in list order; entry numbers are the line ordinals.
std::vector<PublishedEntry> Entries() {
  std::vector<PublishedEntry> entries = {
      {"a-frame", "{A frame of two legs.}"},
      {"anchor", "{Anchor text.}"},
      {"bow", "{Bow text.}"},
      {"rope & line", "{Rope text.}", 1, Cp("σκοινί & σχοινί & καλώδιο")},
  };
  for (int i = 1; i <= 30; ++i) {
    entries.push_back({QStringLiteral("sea %1").arg(i, 2, 10, QLatin1Char('0')).toStdString(),
                       "{Sea text.}"});
  }
  entries.push_back({"ship", "{Ship text.}"});                        // 35
  entries.push_back({"shipyard", "{Shipyard text.}"});                // 36
  entries.push_back({"splice of a very long rope between two heavy anchors", "{Splice.}"});  // 37
  entries.push_back({"stern", "{Stern text.}"});                      // 38
  return entries;
}

constexpr int kShip = 35;
constexpr int kStern = 38;

std::vector<PublishedTerm> Terms() {
  return {{2, Cp("άγκυρα")}, {36, Cp("ναυπηγείο")}, {kShip, Cp("πλοίο")}, {3, Cp("πλώρη")},
          {kStern, Cp("πρύμνη")}};
}

// Types text into a widget one character at a time, Greek letters included.
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

void MoveMouse(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text();
  return texts;
}

QStringList Captions(const std::vector<quorvel::HistoryItem>& items) {
  QStringList captions;
  for (const auto& item : items) captions << quorvel::ui::ToQString(item.caption);
  return captions;
}

}  // namespace

class tst_MainLex : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startupState();
  void firstShowingLaysOutTheToolBar();
  void installLabelWithoutAWritableProgramFile();
  void typingShowsOnlyAnExactMatch();
  void headwordWithKeyPunctuationIsNotShownByTyping();
  void greekTypingFoldsCapitalsAndAccents();
  void greekKeyboardWithoutGreekLayout();
  void arrowAndPageKeysStopAtTheListEnds();
  void enterRebuildsTheListAndClearsTheView();
  void languageButtonTwice();
  void userEntryMarkInBothLanguages();
  void additionShownUnderItsCaption();
  void ampersandsAreDoubledInCaptions();
  void historyBackAndForward();
  void historyEdgeCases();
  void historyMenus();
  void hoverRaisesOneGroup();
  void listHintForLongItems();
  void compactFormAtMinimumSize();
  void pinButtonTwice();
  void exitButtonClosesTheWindow();
  void listSelectionsByMouseShowTheEntry();
  void emptyHistoryMenuShowsNothing();
  void menusDropBelowTheirButtons();
  void everyControlHasAnAccessibleName();

 private:
  // The window's controls, found by their names.
  template <typename T = QWidget>
  T* W(const char* name) const {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QToolButton* Tool(const char* name) const { return W<QToolButton>(name); }
  QAction* Item(const char* name) const { return W<QAction>(name); }
  quorvel::ui::SearchBox* SearchBox() const { return W<quorvel::ui::SearchBox>("Entry_Text"); }
  QListView* List() const { return W<QListView>("Entries_List"); }
  quorvel::ui::RichTextView* Description() const { return W<quorvel::ui::RichTextView>("Description_Text"); }
  const quorvel::ui::EntryListModel* Model() const {
    return static_cast<const quorvel::ui::EntryListModel*>(List()->model());
  }
  int ItemCount() const { return Model()->count(); }
  int SelectedIndex() const {
    const QModelIndexList selected = List()->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
  }
  const quorvel::BrowsingHistory& History() const { return window_->session().history(); }

  void Type(const QString& text) { TypeText(SearchBox(), text); }
  void Retype(const QString& text) {
    SearchBox()->clear();
    Type(text);
  }
  QString EntryCaption() const { return W<quorvel::ui::CaptionLabel>("Entry_Label")->caption(); }
  QString TransCaption() const { return W<quorvel::ui::CaptionLabel>("Trans_Label")->caption(); }
  QString ItemText(int i) const { return quorvel::ui::ToQString(Model()->text(i)); }
  void ClickItem(int row) {
    QListView* list = List();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  }
  std::unique_ptr<TMainLex> NewWindow();

  std::unique_ptr<DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<TMainLex> window_;
  quorvel::platform::FakeKeyboardLayouts* layouts_ = nullptr;
  std::vector<quorvel::platform::KeyboardLayout> installed_ = {{1, "English"}, {2, "Greek"}};
  enum class ProgramFile { Writable, Missing, ReadOnly };
  ProgramFile programFile_ = ProgramFile::Writable;
};

void tst_MainLex::init() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished(Entries(), Terms());
  // A user entry after "bow" and an addition to "stern".
  fixture_->WriteUserEntries({{3, 100, "boat", "{Boat text.}"},
                              {kStern, kStern, "", "{\\f60\\fs22 My own note.}"}});
  fixture_->WriteUserGreekLines({DictionaryFixture::UserGreekLine(2, 100, Cp("βάρκα"))});
  if (programFile_ != ProgramFile::Missing) fixture_->WriteFile("Quorvel", "program");
  if (programFile_ == ProgramFile::ReadOnly) {
    std::filesystem::permissions(fixture_->programDir() + "Quorvel", std::filesystem::perms::owner_read |
                                                                         std::filesystem::perms::group_read |
                                                                         std::filesystem::perms::others_read);
  }
  session_ = std::make_unique<quorvel::Session>(
      fixture_->locations(), fs_,
      [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = NewWindow();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  // Under a window manager the window takes the keyboard focus a little after it shows; the
  // tests that look at the focus check it themselves.
  (void)QTest::qWaitForWindowActive(window_.get());
}

std::unique_ptr<TMainLex> tst_MainLex::NewWindow() {
  auto layouts = std::make_unique<quorvel::platform::FakeKeyboardLayouts>(installed_);
  layouts_ = layouts.get();
  return std::make_unique<TMainLex>(*session_, std::move(layouts));
}

void tst_MainLex::cleanup() {
  window_.reset();
  session_.reset();
  fixture_.reset();
  installed_ = {{1, "English"}, {2, "Greek"}};
  programFile_ = ProgramFile::Writable;
}

void tst_MainLex::startupState() {
  QCOMPARE(window_->session().dictionary().englishCount, 39);
  QVERIFY(!window_->session().rtfHeader().empty());
  QCOMPARE(ItemCount(), 0);
  QCOMPARE(EntryCaption(), QString());
  QCOMPARE(TransCaption(), QString());
  const QTextEdit* description = Description();
  const QLabel* title = W<QLabel>("Selmarin_Image");
  QVERIFY(title->isVisible());
  QCOMPARE(title->size(), QSize(347, 60));
  QCOMPARE(title->x(), description->x() + (description->width() - title->width()) / 2);
  QVERIFY(!Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());
  QVERIFY(!window_->GreekMode());
  QCOMPARE(layouts_->Active(), 1);
  QCOMPARE(window_->frameGeometry().width(), 604);
  QCOMPARE(Tool("Exit_Button")->geometry(), QRect(547, 2, 45, 39));
  QCOMPARE(Tool("Lang_Button")->geometry(), QRect(4, 2, 49, 39));
  QCOMPARE(Tool("Pin_Button")->geometry(), QRect(520, 11, 25, 22));
  QCOMPARE(Tool("Lang_Button")->toolTip(), QStringLiteral("Επιλογή Γλώσσας"));
  QCOMPARE(Tool("Exit_Button")->toolTip(), QStringLiteral("Εξοδος"));
  QCOMPARE(window_->palette().color(QPalette::Window), QColor(136, 0, 0));
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Trans_Label")->palette().color(QPalette::WindowText), QColor(219, 179, 89));
  // The description keeps its bottom with the list's, 15 pixels from the right edge.
  const QWidget* list = List();
  QCOMPARE(description->y() + description->height(), list->y() + list->height());
  QCOMPARE(description->x() + description->width(), 604 - 15);
  // The program file is writable: no installation offered, the copyright label in its place.
  QVERIFY(W<QLabel>("InstallLabel")->isHidden());
  QCOMPARE(W<QLabel>("CopyrightLabel")->x(), 5);
  QTRY_VERIFY(SearchBox()->hasFocus());
}

void tst_MainLex::firstShowingLaysOutTheToolBar() {
  QWidget unshown;
  quorvel::ui::ToolBar toolBar(&unshown);
  using quorvel::ui::Tool;
  QCOMPARE(toolBar.button(Tool::Lang)->width(), 53);
  QCOMPARE(toolBar.button(Tool::Exit)->x(), 589);
  toolBar.HighlightToolButton(-1);
  QCOMPARE(toolBar.button(Tool::Lang)->geometry(), QRect(4, 2, 49, 39));
  QCOMPARE(toolBar.button(Tool::Exit)->geometry(), QRect(547, 2, 45, 39));
  QCOMPARE(toolBar.button(Tool::NextMenu)->geometry(), QRect(144, 2, 13, 39));
  // A screen reader announces a tool button by its hint.
  for (QToolButton* button : unshown.findChildren<QToolButton*>()) {
    QVERIFY(!button->accessibleName().isEmpty());
    QCOMPARE(button->accessibleName(), button->toolTip());
  }
}

// Without a program file, or with one that nobody may write (a read-only copy, whoever runs
// it), the installation is offered.
void tst_MainLex::installLabelWithoutAWritableProgramFile() {
  for (const ProgramFile file : {ProgramFile::Missing, ProgramFile::ReadOnly}) {
    cleanup();
    programFile_ = file;
    init();
    QVERIFY(!W<QLabel>("InstallLabel")->isHidden());
    QCOMPARE(W<QLabel>("CopyrightLabel")->x(), 260);
  }
}

void tst_MainLex::typingShowsOnlyAnExactMatch() {
  // A blank typed first disappears at once.
  Type(QStringLiteral(" "));
  QCOMPARE(SearchBox()->text(), QString());
  QCOMPARE(ItemCount(), 0);

  Type(QStringLiteral("shi"));
  QCOMPARE(ItemCount(), 2);
  QCOMPARE(ItemText(0), QStringLiteral("ship"));
  QCOMPARE(SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QString());
  QVERIFY(W<QLabel>("Selmarin_Image")->isVisible());

  Type(QStringLiteral("p"));
  QCOMPARE(SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
  QCOMPARE(TransCaption(), QStringLiteral("πλοίο"));
  QVERIFY(W<QLabel>("Selmarin_Image")->isHidden());
  QCOMPARE(QString::fromStdString(window_->DescriptionPlainText()).trimmed(),
           QStringLiteral("Ship text."));
  // The hidden memo keeps the plain description of the shown entry.
  QCOMPARE(W<QPlainTextEdit>("Memo1")->toPlainText(),
           quorvel::ui::ToQString(window_->DescriptionPlainText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  QVERIFY(Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());

  // Capitals fold on the typed side too.
  Retype(QStringLiteral("SHIPYARD"));
  QCOMPARE(EntryCaption(), QStringLiteral("shipyard"));
  QCOMPARE(TransCaption(), QStringLiteral("ναυπηγείο"));
}

void tst_MainLex::headwordWithKeyPunctuationIsNotShownByTyping() {
  Type(QStringLiteral("a-frame"));
  QVERIFY(ItemCount() >= 1);
  QCOMPARE(ItemText(0), QStringLiteral("a-frame"));
  QCOMPARE(SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QString());
  // Picking it from the list shows it.
  ClickItem(0);
  QCOMPARE(EntryCaption(), QStringLiteral("a-frame"));
}

void tst_MainLex::greekTypingFoldsCapitalsAndAccents() {
  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  QVERIFY(window_->GreekMode());
  Type(QStringLiteral("ΠΛΟΙΟ"));
  QCOMPARE(ItemText(0), QStringLiteral("πλοίο"));
  QCOMPARE(EntryCaption(), QStringLiteral("πλοίο"));
  QCOMPARE(TransCaption(), QStringLiteral("ship"));
  const int capitalsCount = ItemCount();

  Retype(QStringLiteral("πλοίο"));
  QCOMPARE(ItemCount(), capitalsCount);
  QCOMPARE(EntryCaption(), QStringLiteral("πλοίο"));

  // Greek letters typed in English mode leave the language alone.
  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  Type(QStringLiteral("πλ"));
  QVERIFY(!window_->GreekMode());
}

void tst_MainLex::greekKeyboardWithoutGreekLayout() {
  cleanup();
  installed_ = {{1, "English"}};
  init();
  QVERIFY(!window_->greekLayoutFound());
  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  QVERIFY(window_->GreekMode());
  QCOMPARE(layouts_->Active(), 1);  // the request for the missing layout is skipped
  QTest::keyClicks(SearchBox(), QStringLiteral("plo;io"));
  QCOMPARE(SearchBox()->text(), QStringLiteral("πλοίο"));
  QCOMPARE(EntryCaption(), QStringLiteral("πλοίο"));
  Retype(QString());
  QTest::keyClicks(SearchBox(), QStringLiteral("W:iS"));
  QCOMPARE(SearchBox()->text(), QStringLiteral("ΣϊΣ"));
  // Back in English the keys type Latin letters again.
  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  QTest::keyClicks(SearchBox(), QStringLiteral("bow"));
  QCOMPARE(EntryCaption(), QStringLiteral("bow"));
}

void tst_MainLex::arrowAndPageKeysStopAtTheListEnds() {
  Type(QStringLiteral("sea"));
  QCOMPARE(ItemCount(), 30);
  QCOMPARE(SelectedIndex(), 0);
  QTest::keyClick(SearchBox(), Qt::Key_Up);
  QCOMPARE(SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QString());
  QTest::keyClick(SearchBox(), Qt::Key_PageUp);
  QCOMPARE(SelectedIndex(), 0);

  QTest::keyClick(SearchBox(), Qt::Key_Down);
  QCOMPARE(SelectedIndex(), 1);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 02"));
  QVERIFY(List()->hasFocus());

  // 228 pixels of list hold 14 items.
  QTest::keyClick(SearchBox(), Qt::Key_PageDown);
  QCOMPARE(SelectedIndex(), 15);
  QTest::keyClick(SearchBox(), Qt::Key_PageDown);
  QCOMPARE(SelectedIndex(), 29);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 30"));
  QTest::keyClick(SearchBox(), Qt::Key_Down);
  QCOMPARE(SelectedIndex(), 29);
  QTest::keyClick(SearchBox(), Qt::Key_PageDown);
  QCOMPARE(SelectedIndex(), 29);

  QTest::keyClick(SearchBox(), Qt::Key_PageUp);
  QCOMPARE(SelectedIndex(), 15);
  QTest::keyClick(SearchBox(), Qt::Key_PageUp);
  QCOMPARE(SelectedIndex(), 1);
  QTest::keyClick(SearchBox(), Qt::Key_PageUp);
  QCOMPARE(SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 01"));
  // The keys do not change the search text.
  QCOMPARE(SearchBox()->text(), QStringLiteral("sea"));
}

void tst_MainLex::enterRebuildsTheListAndClearsTheView() {
  Type(QStringLiteral("ship"));
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
  const int count = ItemCount();
  QTest::keyClick(SearchBox(), Qt::Key_Return);
  QCOMPARE(ItemCount(), count);
  QCOMPARE(SelectedIndex(), -1);
  QCOMPARE(EntryCaption(), QString());
  QCOMPARE(TransCaption(), QString());
  QVERIFY(window_->DescriptionPlainText().empty());
  QVERIFY(W<QLabel>("Selmarin_Image")->isVisible());
}

void tst_MainLex::languageButtonTwice() {
  const qint64 englishGlyph = Tool("Lang_Button")->icon().cacheKey();
  Type(QStringLiteral("ship"));
  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  QVERIFY(window_->GreekMode());
  QCOMPARE(layouts_->Active(), 2);
  QCOMPARE(SearchBox()->text(), QString());
  QCOMPARE(ItemCount(), 0);
  QVERIFY(SearchBox()->hasFocus());
  QVERIFY(Tool("Lang_Button")->icon().cacheKey() != englishGlyph);

  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  QVERIFY(!window_->GreekMode());
  QCOMPARE(layouts_->Active(), 1);
  QCOMPARE(SearchBox()->text(), QString());
}

void tst_MainLex::userEntryMarkInBothLanguages() {
  Type(QStringLiteral("boat"));
  QCOMPARE(ItemText(0), QStringLiteral("boat *"));
  QCOMPARE(EntryCaption(), QStringLiteral("boat"));
  QCOMPARE(TransCaption(), QStringLiteral("βάρκα"));
  QVERIFY(Item("DeleteEntryItem")->isEnabled());
  QCOMPARE(QString::fromStdString(window_->DescriptionPlainText()).trimmed(),
           QStringLiteral("Boat text."));

  QTest::mouseClick(Tool("Lang_Button"), Qt::LeftButton);
  Type(QStringLiteral("βάρκα"));
  QCOMPARE(ItemText(0), QStringLiteral("βάρκα *"));
  QCOMPARE(EntryCaption(), QStringLiteral("βάρκα"));
  QCOMPARE(TransCaption(), QStringLiteral("boat"));
}

void tst_MainLex::additionShownUnderItsCaption() {
  Type(QStringLiteral("stern"));
  QCOMPARE(EntryCaption(), QStringLiteral("stern"));
  const QString plain = quorvel::ui::ToQString(window_->DescriptionPlainText());
  const qsizetype published = plain.indexOf(QStringLiteral("Stern text."));
  const qsizetype caption = plain.indexOf(QStringLiteral("Συμπλήρωση δική σας:"));
  const qsizetype note = plain.indexOf(QStringLiteral("My own note."));
  QVERIFY(published >= 0);
  QVERIFY(caption > published);
  QVERIFY(note > caption);
  QVERIFY(Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());

  // Without the user's description file the published text stands alone.
  QFile::remove(QString::fromStdString(window_->session().locations().UserDescrFile));
  Retype(QStringLiteral("stern"));
  const QString alone = quorvel::ui::ToQString(window_->DescriptionPlainText());
  QVERIFY(alone.contains(QStringLiteral("Stern text.")));
  QVERIFY(!alone.contains(QStringLiteral("Συμπλήρωση")));
}

void tst_MainLex::ampersandsAreDoubledInCaptions() {
  Type(QStringLiteral("rope"));
  ClickItem(0);
  QCOMPARE(EntryCaption(), QStringLiteral("rope && line"));
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Entry_Label")->text(), QStringLiteral("rope & line"));
  QCOMPARE(TransCaption(), QStringLiteral("σκοινί && σχοινί && καλώδιο"));
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Trans_Label")->text(), QStringLiteral("σκοινί & σχοινί & καλώδιο"));
}

void tst_MainLex::historyBackAndForward() {
  for (const char* word : {"anchor", "bow", "ship"}) Retype(QString::fromLatin1(word));
  QCOMPARE(Captions(History().back()), QStringList({"bow", "anchor"}));

  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("bow"));
  QCOMPARE(SearchBox()->text(), QStringLiteral("bow"));
  QCOMPARE(ItemCount(), 1);
  QCOMPARE(Captions(History().back()), QStringList({"anchor"}));
  QCOMPARE(Captions(History().forward()), QStringList({"ship"}));

  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(History().back()), QStringList());
  QCOMPARE(Captions(History().forward()), QStringList({"bow", "ship"}));

  QTest::mouseClick(Tool("Next_Button"), Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("bow"));
  QCOMPARE(Captions(History().back()), QStringList({"anchor"}));
  QCOMPARE(Captions(History().forward()), QStringList({"ship"}));
  QVERIFY(!window_->navigating());

  // Typing empties the forward list only.
  Retype(QStringLiteral("stern"));
  QCOMPARE(Captions(History().forward()), QStringList());
  QCOMPARE(Captions(History().back()), QStringList({"bow", "anchor"}));
}

void tst_MainLex::historyEdgeCases() {
  // Nothing to go back or forward to.
  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);
  QTest::mouseClick(Tool("Next_Button"), Qt::LeftButton);
  QCOMPARE(ItemCount(), 0);
  QCOMPARE(EntryCaption(), QString());

  // The same entry twice: it tops the back list; a back step shows it again.
  Type(QStringLiteral("anchor"));
  ClickItem(0);
  QCOMPARE(Captions(History().back()), QStringList({"anchor"}));
  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(History().back()), QStringList());
  QCOMPARE(Captions(History().forward()), QStringList({"anchor"}));

  // 17 entries shown: the back list holds the 15 left most recently.
  Retype(QStringLiteral("sea"));
  for (int row = 0; row < 17; ++row) ClickItem(row);
  const QStringList back = Captions(History().back());
  QCOMPARE(back.size(), 15);
  QCOMPARE(back.first(), QStringLiteral("sea 16"));
  QCOMPARE(back.last(), QStringLiteral("sea 02"));

  // A user entry comes back without its mark in the search box, and no search runs.
  Retype(QStringLiteral("boat"));
  Retype(QStringLiteral("bow"));
  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);
  QCOMPARE(SearchBox()->text(), QStringLiteral("boat"));
  QCOMPARE(ItemCount(), 1);
  QCOMPARE(ItemText(0), QStringLiteral("boat *"));
  QCOMPARE(EntryCaption(), QStringLiteral("boat"));
}

void tst_MainLex::historyMenus() {
  for (const char* word : {"anchor", "bow", "ship", "stern"}) Retype(QString::fromLatin1(word));
  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);  // shows ship, forward [stern]

  QTest::mouseClick(Tool("PrevMenu_Button"), Qt::LeftButton);
  QMenu* prev = W<QMenu>("PrevMenu");
  QTRY_VERIFY(prev->isVisible());
  QCOMPARE(MenuTexts(prev), QStringList({"bow", "anchor"}));
  const QToolButton* step = Tool("Prev_Button");
  QCOMPARE(prev->pos(), window_->frameGeometry().topLeft() + step->mapTo(window_.get(), QPoint(4, step->height() + 22)));
  // Choosing "anchor" keeps the newer "bow" and empties the forward list.
  prev->actions().at(1)->trigger();
  prev->hide();
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(History().back()), QStringList({"ship", "bow"}));
  QCOMPARE(Captions(History().forward()), QStringList());

  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);  // ship, forward [anchor]
  QTest::mouseClick(Tool("Prev_Button"), Qt::LeftButton);  // bow, forward [ship, anchor]
  QTest::mouseClick(Tool("NextMenu_Button"), Qt::LeftButton);
  QMenu* next = W<QMenu>("NextMenu");
  QTRY_VERIFY(next->isVisible());
  QCOMPARE(MenuTexts(next), QStringList({"ship", "anchor"}));
  next->actions().at(1)->trigger();
  next->hide();
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(History().forward()), QStringList());
  QVERIFY(!window_->navigating());
}

void tst_MainLex::hoverRaisesOneGroup() {
  MoveMouse(Tool("Prev_Button"), QPoint(5, 5));
  QCOMPARE(Tool("Prev_Button")->geometry(), QRect(59, 1, 38, 41));
  QCOMPARE(Tool("PrevMenu_Button")->geometry(), QRect(97, 1, 15, 41));
  // Onto the narrow button of the same group: nothing moves.
  MoveMouse(Tool("PrevMenu_Button"), QPoint(3, 5));
  QCOMPARE(Tool("Prev_Button")->geometry(), QRect(59, 1, 38, 41));

  MoveMouse(Tool("Pin_Button"), QPoint(3, 3));
  QCOMPARE(Tool("Pin_Button")->geometry(), QRect(519, 10, 27, 24));
  QCOMPARE(Tool("Prev_Button")->geometry(), QRect(60, 2, 36, 39));
  QCOMPARE(Tool("PrevMenu_Button")->geometry(), QRect(96, 2, 13, 39));

  // The window's background and the list return it to normal; the description does not.
  MoveMouse(Tool("Exit_Button"), QPoint(3, 3));
  MoveMouse(Description()->viewport(), QPoint(10, 10));
  QCOMPARE(Tool("Exit_Button")->geometry(), QRect(546, 1, 47, 41));
  MoveMouse(window_.get(), QPoint(300, 340));
  QCOMPARE(Tool("Exit_Button")->geometry(), QRect(547, 2, 45, 39));
  MoveMouse(Tool("Help_Button"), QPoint(3, 3));
  MoveMouse(List()->viewport(), QPoint(10, 10));
  QCOMPARE(Tool("Help_Button")->geometry(), QRect(478, 2, 38, 39));
}

void tst_MainLex::listHintForLongItems() {
  Type(QStringLiteral("s"));
  QListView* list = List();
  const QRect first = list->visualRect(list->model()->index(0, 0));
  MoveMouse(list->viewport(), first.center());
  QCOMPARE(window_->listHint(), QString());

  Retype(QStringLiteral("splice"));
  const QRect splice = list->visualRect(list->model()->index(0, 0));
  MoveMouse(list->viewport(), splice.center());
  QCOMPARE(window_->listHint(),
           QStringLiteral("splice of a very long rope between two heavy anchors"));
  // Below the last item there is no item, and no hint.
  MoveMouse(list->viewport(), QPoint(10, list->viewport()->height() - 3));
  QCOMPARE(window_->listHint(), QString());
}

void tst_MainLex::compactFormAtMinimumSize() {
  window_->resize(263, 183);
  QCOMPARE(window_->size(), QSize(263, 183));
  QCOMPARE(Description()->width(), 0);
  // The title picture, wider than the view, stands left of it by half the difference.
  Retype(QString());
  QCOMPARE(W<QLabel>("Selmarin_Image")->x(), 260 + (0 - 347) / 2);
  QWidget* list = List();
  QCOMPARE((list->height() - 4) % 16, 0);
  QCOMPARE(Description()->y() + Description()->height(),
           list->y() + list->height());

  Type(QStringLiteral("ship"));
  QCOMPARE(window_->listHint(), QStringLiteral("ship [πλοίο]\r\nShip text."));
  QCOMPARE(window_->listHintPause(), 10000);
  // Moving over the list keeps the entry's hint.
  MoveMouse(list, QPoint(10, 5));
  MoveMouse(List()->viewport(), QPoint(10, 40));
  QCOMPARE(window_->listHint(), QStringLiteral("ship [πλοίο]\r\nShip text."));

  // Back to the normal width the description returns 15 pixels from the outer edge.
  const int frame = window_->frameGeometry().width() - window_->width();
  window_->resize(604 - frame, 346);
  QCOMPARE(Description()->x() + Description()->width(), 604 - 15);
  Retype(QStringLiteral("bow"));
  QCOMPARE(window_->listHint(), QString());
}

void tst_MainLex::pinButtonTwice() {
  const QRect before = window_->geometry();
  const qint64 glyph = Tool("Pin_Button")->icon().cacheKey();
  QTest::mouseClick(Tool("Pin_Button"), Qt::LeftButton);
  QVERIFY(window_->stayOnTop());
  QVERIFY(window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  // The pin keeps its glyph and shows pressed while the window stays on top.
  QVERIFY(Tool("Pin_Button")->isChecked());
  QCOMPARE(Tool("Pin_Button")->icon().cacheKey(), glyph);
  QTest::mouseClick(Tool("Pin_Button"), Qt::LeftButton);
  QVERIFY(!Tool("Pin_Button")->isChecked());
  QVERIFY(!window_->stayOnTop());
  QVERIFY(!window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(window_->geometry(), before);
  QVERIFY(window_->isVisible());
}

void tst_MainLex::exitButtonClosesTheWindow() {
  QTest::mouseClick(Tool("Exit_Button"), Qt::LeftButton);
  QVERIFY(!window_->isVisible());
}

// Whatever the mouse does to select an item shows it, so the highlight is always the shown
// entry and the arrow keys step from it; a right click selects nothing.
void tst_MainLex::listSelectionsByMouseShowTheEntry() {
  Type(QStringLiteral("sea"));
  QWidget* viewport = List()->viewport();
  const auto at = [this](int row) { return List()->visualRect(Model()->index(row)).center(); };
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at(0));
  QTest::mouseMove(viewport, at(2));
  QTest::mouseMove(viewport, at(3));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at(3));
  QCOMPARE(SelectedIndex(), 3);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 04"));

  QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, at(6));
  QCOMPARE(SelectedIndex(), 3);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 04"));

  QTest::keyClick(SearchBox(), Qt::Key_Down);
  QCOMPARE(SelectedIndex(), 4);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 05"));
  // A press below the last item selects nothing and shows nothing new.
  Retype(QStringLiteral("ship"));
  const QStringList back = Captions(History().back());
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(10, viewport->height() - 3));
  QCOMPARE(Captions(History().back()), back);
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
}

// An empty history opens no menu, and the menus that open later show and take their clicks.
void tst_MainLex::emptyHistoryMenuShowsNothing() {
  QMenu* prev = W<QMenu>("PrevMenu");
  QTest::mouseClick(Tool("PrevMenu_Button"), Qt::LeftButton);
  QVERIFY(!prev->isVisible());
  QVERIFY(QApplication::activePopupWidget() == nullptr);
  QTest::mouseClick(Tool("NextMenu_Button"), Qt::LeftButton);
  QVERIFY(QApplication::activePopupWidget() == nullptr);

  for (const char* word : {"anchor", "bow", "ship"}) Retype(QString::fromLatin1(word));
  QTest::mouseClick(Tool("PrevMenu_Button"), Qt::LeftButton);
  QTRY_VERIFY(prev->isVisible() && prev->windowHandle()->isExposed());
  QCOMPARE(MenuTexts(prev), QStringList({"bow", "anchor"}));
  const QRect second = prev->actionGeometry(prev->actions().at(1));
  QTest::mouseClick(prev, Qt::LeftButton, Qt::NoModifier, second.center());
  QTRY_VERIFY(!prev->isVisible());
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
}

void tst_MainLex::menusDropBelowTheirButtons() {
  // Far enough from the screen's right edge that the menus need not be moved to fit.
  window_->move(20, 20);
  QTRY_COMPARE(window_->frameGeometry().topLeft(), QPoint(20, 20));
  for (const auto& [button, name] : {std::pair{"CustomEntries_Button", "CustomEntriesMenu"},
                                     std::pair{"Pinakes_Button", "PinakesMenu"}}) {
    QTest::mouseClick(Tool(button), Qt::LeftButton);
    QMenu* menu = W<QMenu>(name);
    QTRY_VERIFY(menu->isVisible());
    // From the frame's outer corner: the button's place in the window, plus 4 and 22 for the
    // frame's border and title bar.
    const QToolButton* opener = Tool(button);
    QCOMPARE(menu->pos(), QPoint(20, 20) + opener->mapTo(window_.get(), QPoint(4, opener->height() + 22)));
    menu->hide();
  }
}

// A screen reader names every control a user reaches, the menus included.
void tst_MainLex::everyControlHasAnAccessibleName() {
  QList<QWidget*> reached;
  for (QWidget* control : window_->findChildren<QWidget*>()) {
    if (control->isVisibleTo(window_.get()) &&
        ((control->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton*>(control) ||
         control->cursor().shape() == Qt::PointingHandCursor)) {
      reached << control;
    }
  }
  for (QMenu* menu : window_->findChildren<QMenu*>()) reached << menu;
  reached << Description() << List() << SearchBox();
  for (QWidget* control : reached) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
  }
  QCOMPARE(QAccessible::queryAccessibleInterface(List())->text(QAccessible::Name), QStringLiteral("Λήμματα"));
}

QTEST_MAIN(tst_MainLex)
#include "tst_MainLex.moc"

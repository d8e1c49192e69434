// The dictionary browser driven as a user drives it: typing, keys, clicks on the tool bar and
// the history menus, mouse moves and resizing, on a small program folder built for each test.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWindow>

#include <memory>

#include "core/Cp1253.h"
#include "platform/KeyboardLayouts.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/CaptionLabel.h"
#include "ui/MainLexU.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"

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

 private:
  void Type(const QString& text) { TypeText(window_->Entry_Text, text); }
  void Retype(const QString& text) {
    window_->Entry_Text->clear();
    Type(text);
  }
  QString EntryCaption() const { return window_->Entry_Label->caption(); }
  QString TransCaption() const { return window_->Trans_Label->caption(); }
  QString ItemText(int i) const { return quorvel::ui::ToQString(window_->ItemText(i)); }
  void ClickItem(int row) {
    QListView* list = window_->Entries_List;
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  }

  std::unique_ptr<DictionaryFixture> fixture_;
  std::unique_ptr<TMainLex> window_;
  quorvel::platform::FakeKeyboardLayouts* layouts_ = nullptr;
  QString savedDir_;
  std::vector<quorvel::platform::KeyboardLayout> installed_ = {{1, "English"}, {2, "Greek"}};
  enum class ProgramFile { Writable, Missing };
  ProgramFile programFile_ = ProgramFile::Writable;
};

void tst_MainLex::init() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished(Entries(), Terms());
  // A user entry after "bow" and an addition to "stern".
  fixture_->WriteUserEntries({{3, 100, "boat", "{Boat text.}"},
                              {kStern, kStern, "", "{\\f60\\fs22 My own note.}"}});
  fixture_->WriteUserGreekLines({DictionaryFixture::UserGreekLine(2, 100, Cp("βάρκα"))});
  if (programFile_ == ProgramFile::Writable) fixture_->WriteFile("Quorvel", "program");
  const std::string config = fixture_->programDir() + "config";
  QDir().mkpath(QString::fromStdString(config));
  fixture_->WriteFile("config/Quorvel.ini", fixture_->userDir() + "\r\n");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config));
  qputenv("HOME", QByteArray::fromStdString(fixture_->programDir()));

  savedDir_ = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(fixture_->programDir()));
  auto layouts = std::make_unique<quorvel::platform::FakeKeyboardLayouts>(installed_);
  layouts_ = layouts.get();
  window_ = std::make_unique<TMainLex>(std::move(layouts));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_MainLex::cleanup() {
  window_.reset();
  QDir::setCurrent(savedDir_);
  fixture_.reset();
  installed_ = {{1, "English"}, {2, "Greek"}};
  programFile_ = ProgramFile::Writable;
}

void tst_MainLex::startupState() {
  QCOMPARE(window_->dictionary().englishCount, 39);
  QVERIFY(!window_->rtfHeader().empty());
  QCOMPARE(window_->ItemCount(), 0);
  QCOMPARE(EntryCaption(), QString());
  QCOMPARE(TransCaption(), QString());
  const QTextEdit* description = window_->Description_Text;
  const QLabel* title = window_->Selmarin_Image;
  QVERIFY(title->isVisible());
  QCOMPARE(title->size(), QSize(347, 60));
  QCOMPARE(title->x(), description->x() + (description->width() - title->width()) / 2);
  QVERIFY(!window_->ModifyEntryItem->isEnabled());
  QVERIFY(!window_->DeleteEntryItem->isEnabled());
  QVERIFY(!window_->GreekMode());
  QCOMPARE(layouts_->Active(), 1);
  QCOMPARE(window_->frameGeometry().width(), 604);
  QCOMPARE(window_->Exit_Button->geometry(), QRect(547, 2, 45, 39));
  QCOMPARE(window_->Lang_Button->geometry(), QRect(4, 2, 49, 39));
  QCOMPARE(window_->Pin_Button->geometry(), QRect(520, 11, 25, 22));
  QCOMPARE(window_->Lang_Button->toolTip(), QStringLiteral("Επιλογή Γλώσσας"));
  QCOMPARE(window_->Exit_Button->toolTip(), QStringLiteral("Εξοδος"));
  QCOMPARE(window_->palette().color(QPalette::Window), QColor(136, 0, 0));
  QCOMPARE(window_->Trans_Label->palette().color(QPalette::WindowText), QColor(219, 179, 89));
  // The description keeps its bottom with the list's, 15 pixels from the right edge.
  const QWidget* list = window_->Entries_List;
  QCOMPARE(description->y() + description->height(), list->y() + list->height());
  QCOMPARE(description->x() + description->width(), 604 - 15);
  // The program file is writable: no installation offered, the copyright label in its place.
  QVERIFY(window_->InstallLabel->isHidden());
  QCOMPARE(window_->CopyrightLabel->x(), 5);
  QVERIFY(window_->Entry_Text->hasFocus());
}

void tst_MainLex::firstShowingLaysOutTheToolBar() {
  TMainLex unshown(std::make_unique<quorvel::platform::FakeKeyboardLayouts>(installed_));
  QCOMPARE(unshown.Lang_Button->width(), 53);
  QCOMPARE(unshown.Exit_Button->x(), 589);
  unshown.HighlightToolButton(-1);
  QCOMPARE(unshown.Lang_Button->geometry(), QRect(4, 2, 49, 39));
  QCOMPARE(unshown.Exit_Button->geometry(), QRect(547, 2, 45, 39));
  QCOMPARE(unshown.NextMenu_Button->geometry(), QRect(144, 2, 13, 39));
}

void tst_MainLex::installLabelWithoutAWritableProgramFile() {
  cleanup();
  programFile_ = ProgramFile::Missing;
  init();
  QVERIFY(!window_->InstallLabel->isHidden());
  QCOMPARE(window_->CopyrightLabel->x(), 260);
}

void tst_MainLex::typingShowsOnlyAnExactMatch() {
  // A blank typed first disappears at once.
  Type(QStringLiteral(" "));
  QCOMPARE(window_->Entry_Text->text(), QString());
  QCOMPARE(window_->ItemCount(), 0);

  Type(QStringLiteral("shi"));
  QCOMPARE(window_->ItemCount(), 2);
  QCOMPARE(ItemText(0), QStringLiteral("ship"));
  QCOMPARE(window_->SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QString());
  QVERIFY(window_->Selmarin_Image->isVisible());

  Type(QStringLiteral("p"));
  QCOMPARE(window_->SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
  QCOMPARE(TransCaption(), QStringLiteral("πλοίο"));
  QVERIFY(window_->Selmarin_Image->isHidden());
  QCOMPARE(QString::fromStdString(window_->DescriptionPlainText()).trimmed(),
           QStringLiteral("Ship text."));
  QVERIFY(window_->ModifyEntryItem->isEnabled());
  QVERIFY(!window_->DeleteEntryItem->isEnabled());

  // Capitals fold on the typed side too.
  Retype(QStringLiteral("SHIPYARD"));
  QCOMPARE(EntryCaption(), QStringLiteral("shipyard"));
  QCOMPARE(TransCaption(), QStringLiteral("ναυπηγείο"));
}

void tst_MainLex::headwordWithKeyPunctuationIsNotShownByTyping() {
  Type(QStringLiteral("a-frame"));
  QVERIFY(window_->ItemCount() >= 1);
  QCOMPARE(ItemText(0), QStringLiteral("a-frame"));
  QCOMPARE(window_->SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QString());
  // Picking it from the list shows it.
  ClickItem(0);
  QCOMPARE(EntryCaption(), QStringLiteral("a-frame"));
}

void tst_MainLex::greekTypingFoldsCapitalsAndAccents() {
  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
  QVERIFY(window_->GreekMode());
  Type(QStringLiteral("ΠΛΟΙΟ"));
  QCOMPARE(ItemText(0), QStringLiteral("πλοίο"));
  QCOMPARE(EntryCaption(), QStringLiteral("πλοίο"));
  QCOMPARE(TransCaption(), QStringLiteral("ship"));
  const int capitalsCount = window_->ItemCount();

  Retype(QStringLiteral("πλοίο"));
  QCOMPARE(window_->ItemCount(), capitalsCount);
  QCOMPARE(EntryCaption(), QStringLiteral("πλοίο"));

  // Greek letters typed in English mode leave the language alone.
  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
  Type(QStringLiteral("πλ"));
  QVERIFY(!window_->GreekMode());
}

void tst_MainLex::greekKeyboardWithoutGreekLayout() {
  cleanup();
  installed_ = {{1, "English"}};
  init();
  QVERIFY(!window_->greekLayoutFound());
  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
  QVERIFY(window_->GreekMode());
  QCOMPARE(layouts_->Active(), 1);  // the request for the missing layout is skipped
  QTest::keyClicks(window_->Entry_Text, QStringLiteral("plo;io"));
  QCOMPARE(window_->Entry_Text->text(), QStringLiteral("πλοίο"));
  QCOMPARE(EntryCaption(), QStringLiteral("πλοίο"));
  Retype(QString());
  QTest::keyClicks(window_->Entry_Text, QStringLiteral("W:iS"));
  QCOMPARE(window_->Entry_Text->text(), QStringLiteral("ΣϊΣ"));
  // Back in English the keys type Latin letters again.
  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
  QTest::keyClicks(window_->Entry_Text, QStringLiteral("bow"));
  QCOMPARE(EntryCaption(), QStringLiteral("bow"));
}

void tst_MainLex::arrowAndPageKeysStopAtTheListEnds() {
  Type(QStringLiteral("sea"));
  QCOMPARE(window_->ItemCount(), 30);
  QCOMPARE(window_->SelectedIndex(), 0);
  QTest::keyClick(window_->Entry_Text, Qt::Key_Up);
  QCOMPARE(window_->SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QString());
  QTest::keyClick(window_->Entry_Text, Qt::Key_PageUp);
  QCOMPARE(window_->SelectedIndex(), 0);

  QTest::keyClick(window_->Entry_Text, Qt::Key_Down);
  QCOMPARE(window_->SelectedIndex(), 1);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 02"));
  QVERIFY(window_->Entries_List->hasFocus());

  // 228 pixels of list hold 14 items.
  QTest::keyClick(window_->Entry_Text, Qt::Key_PageDown);
  QCOMPARE(window_->SelectedIndex(), 15);
  QTest::keyClick(window_->Entry_Text, Qt::Key_PageDown);
  QCOMPARE(window_->SelectedIndex(), 29);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 30"));
  QTest::keyClick(window_->Entry_Text, Qt::Key_Down);
  QCOMPARE(window_->SelectedIndex(), 29);
  QTest::keyClick(window_->Entry_Text, Qt::Key_PageDown);
  QCOMPARE(window_->SelectedIndex(), 29);

  QTest::keyClick(window_->Entry_Text, Qt::Key_PageUp);
  QCOMPARE(window_->SelectedIndex(), 15);
  QTest::keyClick(window_->Entry_Text, Qt::Key_PageUp);
  QCOMPARE(window_->SelectedIndex(), 1);
  QTest::keyClick(window_->Entry_Text, Qt::Key_PageUp);
  QCOMPARE(window_->SelectedIndex(), 0);
  QCOMPARE(EntryCaption(), QStringLiteral("sea 01"));
  // The keys do not change the search text.
  QCOMPARE(window_->Entry_Text->text(), QStringLiteral("sea"));
}

void tst_MainLex::enterRebuildsTheListAndClearsTheView() {
  Type(QStringLiteral("ship"));
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
  const int count = window_->ItemCount();
  QTest::keyClick(window_->Entry_Text, Qt::Key_Return);
  QCOMPARE(window_->ItemCount(), count);
  QCOMPARE(window_->SelectedIndex(), -1);
  QCOMPARE(EntryCaption(), QString());
  QCOMPARE(TransCaption(), QString());
  QVERIFY(window_->DescriptionPlainText().empty());
  QVERIFY(window_->Selmarin_Image->isVisible());
}

void tst_MainLex::languageButtonTwice() {
  const qint64 englishGlyph = window_->Lang_Button->icon().cacheKey();
  Type(QStringLiteral("ship"));
  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
  QVERIFY(window_->GreekMode());
  QCOMPARE(layouts_->Active(), 2);
  QCOMPARE(window_->Entry_Text->text(), QString());
  QCOMPARE(window_->ItemCount(), 0);
  QVERIFY(window_->Entry_Text->hasFocus());
  QVERIFY(window_->Lang_Button->icon().cacheKey() != englishGlyph);

  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
  QVERIFY(!window_->GreekMode());
  QCOMPARE(layouts_->Active(), 1);
  QCOMPARE(window_->Entry_Text->text(), QString());
}

void tst_MainLex::userEntryMarkInBothLanguages() {
  Type(QStringLiteral("boat"));
  QCOMPARE(ItemText(0), QStringLiteral("boat *"));
  QCOMPARE(EntryCaption(), QStringLiteral("boat"));
  QCOMPARE(TransCaption(), QStringLiteral("βάρκα"));
  QVERIFY(window_->DeleteEntryItem->isEnabled());
  QCOMPARE(QString::fromStdString(window_->DescriptionPlainText()).trimmed(),
           QStringLiteral("Boat text."));

  QTest::mouseClick(window_->Lang_Button, Qt::LeftButton);
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
  QVERIFY(window_->ModifyEntryItem->isEnabled());
  QVERIFY(!window_->DeleteEntryItem->isEnabled());

  // Without the user's description file the published text stands alone.
  QFile::remove(QString::fromStdString(window_->locations().UserDescrFile));
  Retype(QStringLiteral("stern"));
  const QString alone = quorvel::ui::ToQString(window_->DescriptionPlainText());
  QVERIFY(alone.contains(QStringLiteral("Stern text.")));
  QVERIFY(!alone.contains(QStringLiteral("Συμπλήρωση")));
}

void tst_MainLex::ampersandsAreDoubledInCaptions() {
  Type(QStringLiteral("rope"));
  ClickItem(0);
  QCOMPARE(EntryCaption(), QStringLiteral("rope && line"));
  QCOMPARE(window_->Entry_Label->text(), QStringLiteral("rope & line"));
  QCOMPARE(TransCaption(), QStringLiteral("σκοινί && σχοινί && καλώδιο"));
  QCOMPARE(window_->Trans_Label->text(), QStringLiteral("σκοινί & σχοινί & καλώδιο"));
}

void tst_MainLex::historyBackAndForward() {
  for (const char* word : {"anchor", "bow", "ship"}) Retype(QString::fromLatin1(word));
  QCOMPARE(Captions(window_->history().back()), QStringList({"bow", "anchor"}));

  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("bow"));
  QCOMPARE(window_->Entry_Text->text(), QStringLiteral("bow"));
  QCOMPARE(window_->ItemCount(), 1);
  QCOMPARE(Captions(window_->history().back()), QStringList({"anchor"}));
  QCOMPARE(Captions(window_->history().forward()), QStringList({"ship"}));

  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(window_->history().back()), QStringList());
  QCOMPARE(Captions(window_->history().forward()), QStringList({"bow", "ship"}));

  QTest::mouseClick(window_->Next_Button, Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("bow"));
  QCOMPARE(Captions(window_->history().back()), QStringList({"anchor"}));
  QCOMPARE(Captions(window_->history().forward()), QStringList({"ship"}));
  QVERIFY(!window_->navigating());

  // Typing empties the forward list only.
  Retype(QStringLiteral("stern"));
  QCOMPARE(Captions(window_->history().forward()), QStringList());
  QCOMPARE(Captions(window_->history().back()), QStringList({"bow", "anchor"}));
}

void tst_MainLex::historyEdgeCases() {
  // Nothing to go back or forward to.
  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);
  QTest::mouseClick(window_->Next_Button, Qt::LeftButton);
  QCOMPARE(window_->ItemCount(), 0);
  QCOMPARE(EntryCaption(), QString());

  // The same entry twice: it tops the back list; a back step shows it again.
  Type(QStringLiteral("anchor"));
  ClickItem(0);
  QCOMPARE(Captions(window_->history().back()), QStringList({"anchor"}));
  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(window_->history().back()), QStringList());
  QCOMPARE(Captions(window_->history().forward()), QStringList({"anchor"}));

  // 17 entries shown: the back list holds the 15 left most recently.
  Retype(QStringLiteral("sea"));
  for (int row = 0; row < 17; ++row) ClickItem(row);
  const QStringList back = Captions(window_->history().back());
  QCOMPARE(back.size(), 15);
  QCOMPARE(back.first(), QStringLiteral("sea 16"));
  QCOMPARE(back.last(), QStringLiteral("sea 02"));

  // A user entry comes back without its mark in the search box, and no search runs.
  Retype(QStringLiteral("boat"));
  Retype(QStringLiteral("bow"));
  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);
  QCOMPARE(window_->Entry_Text->text(), QStringLiteral("boat"));
  QCOMPARE(window_->ItemCount(), 1);
  QCOMPARE(ItemText(0), QStringLiteral("boat *"));
  QCOMPARE(EntryCaption(), QStringLiteral("boat"));
}

void tst_MainLex::historyMenus() {
  for (const char* word : {"anchor", "bow", "ship", "stern"}) Retype(QString::fromLatin1(word));
  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);  // shows ship, forward [stern]

  QTest::mouseClick(window_->PrevMenu_Button, Qt::LeftButton);
  QMenu* prev = window_->PrevMenu;
  QTRY_VERIFY(prev->isVisible());
  QCOMPARE(MenuTexts(prev), QStringList({"bow", "anchor"}));
  const QRect frame = window_->frameGeometry();
  const QToolButton* step = window_->Prev_Button;
  QCOMPARE(prev->pos(), QPoint(frame.left() + step->x() + 4,
                               frame.top() + step->y() + step->height() + 22));
  // Choosing "anchor" keeps the newer "bow" and empties the forward list.
  prev->actions().at(1)->trigger();
  prev->hide();
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(window_->history().back()), QStringList({"ship", "bow"}));
  QCOMPARE(Captions(window_->history().forward()), QStringList());

  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);  // ship, forward [anchor]
  QTest::mouseClick(window_->Prev_Button, Qt::LeftButton);  // bow, forward [ship, anchor]
  QTest::mouseClick(window_->NextMenu_Button, Qt::LeftButton);
  QMenu* next = window_->NextMenu;
  QTRY_VERIFY(next->isVisible());
  QCOMPARE(MenuTexts(next), QStringList({"ship", "anchor"}));
  next->actions().at(1)->trigger();
  next->hide();
  QCOMPARE(EntryCaption(), QStringLiteral("anchor"));
  QCOMPARE(Captions(window_->history().forward()), QStringList());
  QVERIFY(!window_->navigating());
}

void tst_MainLex::hoverRaisesOneGroup() {
  MoveMouse(window_->Prev_Button, QPoint(5, 5));
  QCOMPARE(window_->Prev_Button->geometry(), QRect(59, 1, 38, 41));
  QCOMPARE(window_->PrevMenu_Button->geometry(), QRect(97, 1, 15, 41));
  // Onto the narrow button of the same group: nothing moves.
  MoveMouse(window_->PrevMenu_Button, QPoint(3, 5));
  QCOMPARE(window_->Prev_Button->geometry(), QRect(59, 1, 38, 41));

  MoveMouse(window_->Pin_Button, QPoint(3, 3));
  QCOMPARE(window_->Pin_Button->geometry(), QRect(519, 10, 27, 24));
  QCOMPARE(window_->Prev_Button->geometry(), QRect(60, 2, 36, 39));
  QCOMPARE(window_->PrevMenu_Button->geometry(), QRect(96, 2, 13, 39));

  // The window's background and the list return it to normal; the description does not.
  MoveMouse(window_->Exit_Button, QPoint(3, 3));
  MoveMouse(window_->Description_Text->viewport(), QPoint(10, 10));
  QCOMPARE(window_->Exit_Button->geometry(), QRect(546, 1, 47, 41));
  MoveMouse(window_.get(), QPoint(300, 340));
  QCOMPARE(window_->Exit_Button->geometry(), QRect(547, 2, 45, 39));
  MoveMouse(window_->Help_Button, QPoint(3, 3));
  MoveMouse(window_->Entries_List->viewport(), QPoint(10, 10));
  QCOMPARE(window_->Help_Button->geometry(), QRect(478, 2, 38, 39));
}

void tst_MainLex::listHintForLongItems() {
  Type(QStringLiteral("s"));
  QListView* list = window_->Entries_List;
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
  QCOMPARE(window_->Description_Text->width(), 0);
  // The title picture, wider than the view, stands left of it by half the difference.
  Retype(QString());
  QCOMPARE(window_->Selmarin_Image->x(), 260 + (0 - 347) / 2);
  QWidget* list = window_->Entries_List;
  QCOMPARE((list->height() - 4) % 16, 0);
  QCOMPARE(window_->Description_Text->y() + window_->Description_Text->height(),
           list->y() + list->height());

  Type(QStringLiteral("ship"));
  QCOMPARE(window_->listHint(), QStringLiteral("ship [πλοίο]\r\nShip text."));
  QCOMPARE(window_->listHintPause(), 10000);
  // Moving over the list keeps the entry's hint.
  MoveMouse(list, QPoint(10, 5));
  MoveMouse(window_->Entries_List->viewport(), QPoint(10, 40));
  QCOMPARE(window_->listHint(), QStringLiteral("ship [πλοίο]\r\nShip text."));

  // Back to the normal width the description returns 15 pixels from the outer edge.
  const int frame = window_->frameGeometry().width() - window_->width();
  window_->resize(604 - frame, 346);
  QCOMPARE(window_->Description_Text->x() + window_->Description_Text->width(), 604 - 15);
  Retype(QStringLiteral("bow"));
  QCOMPARE(window_->listHint(), QString());
}

void tst_MainLex::pinButtonTwice() {
  const QRect before = window_->geometry();
  QTest::mouseClick(window_->Pin_Button, Qt::LeftButton);
  QVERIFY(window_->stayOnTop());
  QVERIFY(window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  QTest::mouseClick(window_->Pin_Button, Qt::LeftButton);
  QVERIFY(!window_->stayOnTop());
  QVERIFY(!window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(window_->geometry(), before);
  QVERIFY(window_->isVisible());
}

void tst_MainLex::exitButtonClosesTheWindow() {
  QTest::mouseClick(window_->Exit_Button, Qt::LeftButton);
  QVERIFY(!window_->isVisible());
}

QTEST_MAIN(tst_MainLex)
#include "tst_MainLex.moc"

// Copy, paste and quick translation, driven from the tool bar: the copy rules against a
// clipboard held in memory, and quick translation against the display's real clipboard, with
// xclip as the other program that copies, and another X client's window taking the focus.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListView>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "core/Cp1253.h"
#include "core/Session.h"
#include "platform/Clipboard.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/ui/ForeignWindow.h"
#include "ui/ClipboardController.h"
#include "tests/ui/SlowDescriptions.h"
#include "ui/MainLexU.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"

using quorvel::platform::FakeClipboard;
using quorvel::test::DictionaryFixture;
using quorvel::ui::TMainLex;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }

std::unique_ptr<QMimeData> TextData(const QString& text) {
  auto data = std::make_unique<QMimeData>();
  data->setText(text);
  return data;
}

// xclip on the display's clipboard: `xclip -o` (reading, while the event loop serves the
// program's own clipboard) and `xclip -i` (another program copying, which serves its copy
// until another copy replaces it).
class Xclip {
 public:
  ~Xclip() {
    for (auto& p : owners_) {
      p->kill();
      p->waitForFinished(2000);
    }
  }
  // Copies `bytes` as `target` (UTF8_STRING and its kin for text).
  void Copy(const QByteArray& bytes, const QString& target = QString()) {
    auto process = std::make_unique<QProcess>();
    QStringList args = {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-quiet")};
    if (!target.isEmpty()) args << QStringLiteral("-t") << target;
    process->start(QStringLiteral("xclip"), args);
    QVERIFY(process->waitForStarted());
    process->write(bytes);
    process->closeWriteChannel();
    owners_.push_back(std::move(process));
  }
  // What the clipboard gives as `target`; nothing when it gives nothing.
  static std::optional<QByteArray> Read(const QString& target = QString()) {
    QProcess process;
    QStringList args = {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")};
    if (!target.isEmpty()) args << QStringLiteral("-t") << target;
    process.start(QStringLiteral("xclip"), args);
    // The program may own the clipboard: keep its event loop running while xclip asks.
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 10000) QTest::qWait(10);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
    return process.readAllStandardOutput();
  }

 private:
  std::vector<std::unique_ptr<QProcess>> owners_;
};

}  // namespace

class tst_Clipboard : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void copyTakesWhatTheFocusedFieldShows();
  void pasteLooksUpTheClipboardText();
  void quickTranslationLooksUpAnotherProgramsCopy();
  void quickTranslationMinimisesWhenAnotherProgramIsActive();
  void quickTranslationWaitsForALongSearch();

 private:
  // A window with the clipboard in memory, or the display's when `fake` is false.
  void Open(bool fake);
  template <typename T = QWidget>
  T* W(const char* name) const {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  quorvel::ui::SearchBox* SearchBox() const { return W<quorvel::ui::SearchBox>("Entry_Text"); }
  quorvel::ui::RichTextView* Description() const { return W<quorvel::ui::RichTextView>("Description_Text"); }
  quorvel::ui::ClipboardController* Controller() const {
    return &window_->clipboardController();
  }
  void Click(const char* tool) { QTest::mouseClick(W<QToolButton>(tool), Qt::LeftButton); }
  void Type(const QString& text) {
    SearchBox()->clear();
    for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, SearchBox(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
  void ClickItem(const QString& text);
  QString SelectedItemText() const {
    const auto item = window_->SelectedItem();
    return item ? quorvel::ui::ToQString(item->text) : QString();
  }

  std::unique_ptr<DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  quorvel::test::SlowDown slow_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<TMainLex> window_;
  FakeClipboard* clipboard_ = nullptr;
};

void tst_Clipboard::init() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished({{"a-frame", "{A frame.}"},
                            {"anchor", "{Anchor text.}"},
                            {"bow", "{Bow text.}"},
                            {"ship", "{{\\b Ship} text, a vessel.}"},
                            {"shipyard", "{Shipyard text.}"}},
                           {{2, Cp("άγκυρα")}, {4, Cp("πλοίο")}});
  fixture_->WriteUserEntries({{3, 100, "boat", "{Boat text.}"}});
}

void tst_Clipboard::Open(bool fake) {
  session_ = std::make_unique<quorvel::Session>(fixture_->locations(), fs_, quorvel::test::SlowConverter(slow_));
  std::unique_ptr<FakeClipboard> memory;
  if (fake) memory = std::make_unique<FakeClipboard>();
  clipboard_ = memory.get();
  window_ = std::make_unique<TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(
                     std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}),
      nullptr, std::move(memory));
  window_->show();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void tst_Clipboard::cleanup() {
  window_.reset();
  session_.reset();
  fixture_.reset();
}

void tst_Clipboard::ClickItem(const QString& text) {
  auto* list = W<QListView>("Entries_List");
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QModelIndex index = list->model()->index(row, 0);
    if (index.data().toString() == text) {
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
      return;
    }
  }
  QFAIL(qPrintable(QStringLiteral("no list item ") + text));
}

void tst_Clipboard::copyTakesWhatTheFocusedFieldShows() {
  Open(true);
  // Nothing focused but the empty search box, nothing selected: nothing is copied.
  Click("Copy_Button");
  QCOMPARE(clipboard_->changes(), 0);

  // Typing selects the nearest entry: its list text is copied.
  Type(QStringLiteral("ship"));
  QCOMPARE(Controller()->FocusedField(), QStringLiteral("ENTRY_TEXT"));
  Click("Copy_Button");
  QCOMPARE(clipboard_->data().text(), QStringLiteral("ship"));

  // Without a list selection: the search text, or its selected part; the box keeps its state.
  QTest::keyClick(SearchBox(), Qt::Key_Return);
  QVERIFY(!window_->SelectedItem());
  SearchBox()->setText(QStringLiteral("shipyard"));
  QTest::keyClick(SearchBox(), Qt::Key_Return);
  SearchBox()->setCursorPosition(3);
  Click("Copy_Button");
  QCOMPARE(clipboard_->data().text(), QStringLiteral("shipyard"));
  QVERIFY(!SearchBox()->hasSelectedText());
  QCOMPARE(SearchBox()->cursorPosition(), 3);
  SearchBox()->setSelection(4, 4);
  Click("Copy_Button");
  QCOMPARE(clipboard_->data().text(), QStringLiteral("yard"));
  QCOMPARE(SearchBox()->selectedText(), QStringLiteral("yard"));

  // A list item wins, the user mark included, even with the search box focused last.
  Type(QStringLiteral("bo"));
  ClickItem(QStringLiteral("boat *"));
  QCOMPARE(Controller()->FocusedField(), QStringLiteral("ENTRIES_LIST"));
  QTest::mouseClick(SearchBox(), Qt::LeftButton);
  QCOMPARE(Controller()->FocusedField(), QStringLiteral("ENTRY_TEXT"));
  Click("Copy_Button");
  QCOMPARE(clipboard_->data().text(), QStringLiteral("boat *"));

  // The description: all of it as rich text beside plain text, or the selected characters.
  Type(QStringLiteral("ship"));
  QTest::mouseClick(Description()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QCOMPARE(Controller()->FocusedField(), QStringLiteral("DESCRIPTION_TEXT"));
  Description()->Select(0, 0);
  Click("Copy_Button");
  QVERIFY(clipboard_->data().text().startsWith(QStringLiteral("Ship text, a vessel.")));
  QVERIFY(clipboard_->data().data(QStringLiteral("text/rtf")).startsWith("{\\rtf1"));
  QCOMPARE(Description()->SelectionLength(), 0);
  Description()->Select(5, 4);
  Click("Copy_Button");
  QCOMPARE(clipboard_->data().text(), QStringLiteral("text"));
  QVERIFY(!clipboard_->data().hasFormat(QStringLiteral("text/rtf")));
  // Focus entering the search box selects its text.
  SearchBox()->setFocus(Qt::OtherFocusReason);
  QCOMPARE(SearchBox()->selectedText(), QStringLiteral("ship"));
}

void tst_Clipboard::pasteLooksUpTheClipboardText() {
  Open(true);
  clipboard_->CopyElsewhere(TextData(QStringLiteral("  Ship\r\n")));
  Click("Paste_Button");
  QVERIFY(SearchBox()->hasFocus());
  QCOMPARE(SelectedItemText(), QStringLiteral("ship"));
  QCOMPARE(quorvel::ui::ToQString(Description()->PlainText()).trimmed(), QStringLiteral("Ship text, a vessel."));
  // What code page 1253 lacks becomes "?"; Greek stays.
  clipboard_->CopyElsewhere(TextData(QStringLiteral("ship☃")));
  Click("Paste_Button");
  QCOMPARE(SearchBox()->text(), QStringLiteral("ship?"));
  QCOMPARE(SelectedItemText(), QStringLiteral("ship"));
  // Control characters inside the text do not break the search.
  clipboard_->CopyElsewhere(TextData(QStringLiteral("\tanc\x01hor\x7f")));
  Click("Paste_Button");
  QCOMPARE(SelectedItemText(), QStringLiteral("anchor"));
  // A clipboard without text leaves the box empty.
  auto picture = std::make_unique<QMimeData>();
  picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
  clipboard_->CopyElsewhere(std::move(picture));
  Click("Paste_Button");
  QCOMPARE(SearchBox()->text(), QString());
  QVERIFY(!window_->SelectedItem());
  // A text of 100,000 characters is looked up without freezing the window.
  clipboard_->CopyElsewhere(TextData(QStringLiteral("shipyard") + QString(100000 - 8, QLatin1Char('x'))));
  QElapsedTimer timer;
  timer.start();
  Click("Paste_Button");
  qInfo("pasting 100,000 characters took %lld ms", static_cast<long long>(timer.elapsed()));
  QCOMPARE(SelectedItemText(), QStringLiteral("shipyard"));
  QVERIFY(SearchBox()->text().startsWith(QStringLiteral("shipyardxxx")));
}

void tst_Clipboard::quickTranslationLooksUpAnotherProgramsCopy() {
  Open(false);
  Xclip xclip;
  xclip.Copy("left over");
  QTRY_COMPARE(Xclip::Read(), std::optional<QByteArray>("left over"));

  // On: the clipboard is emptied, the title and the button say so.
  Click("AutoTranslate_Button");
  QVERIFY(Controller()->QuickTranslateOn());
  QCOMPARE(window_->windowTitle(), QStringLiteral("Orvanta - Γρήγορη Μετάφραση"));
  QToolButton* button = W<QToolButton>("AutoTranslate_Button");
  QCOMPARE(button->toolTip(), QStringLiteral("Τερματισμός Γρήγορης Μετάφρασης"));
  QCOMPARE(button->accessibleName(), QStringLiteral("Τερματισμός Γρήγορης Μετάφρασης"));
  QCOMPARE(Xclip::Read().value_or(QByteArray()), QByteArray());

  // Another program copies a word while the dictionary is minimised: it comes back with the
  // word looked up.
  window_->showMinimized();
  QTRY_VERIFY(window_->isMinimized());
  xclip.Copy("ship");
  QTRY_COMPARE(SearchBox()->text(), QStringLiteral("ship"));
  QTRY_VERIFY(!window_->isMinimized());
  QVERIFY(window_->isVisible());
  QCOMPARE(SelectedItemText(), QStringLiteral("ship"));
  QCOMPARE(quorvel::ui::ToQString(Description()->PlainText()).trimmed(), QStringLiteral("Ship text, a vessel."));
  // Greek text too, and a copy that names no entry exactly only lists.
  xclip.Copy(QStringLiteral("ΆΓΚΥΡΑ").toUtf8());
  QTRY_COMPARE(SearchBox()->text(), QStringLiteral("ΆΓΚΥΡΑ"));
  xclip.Copy("bo");
  QTRY_COMPARE(SearchBox()->text(), QStringLiteral("bo"));

  // A picture is no text: nothing happens.
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("p.png"));
  QImage(8, 8, QImage::Format_RGB32).save(png);
  QFile file(png);
  QVERIFY(file.open(QIODevice::ReadOnly));
  xclip.Copy(file.readAll(), QStringLiteral("image/png"));
  QTRY_COMPARE(Xclip::Read(QStringLiteral("TARGETS")).value_or(QByteArray()).contains("image/png"), true);
  QTest::qWait(300);
  QCOMPARE(SearchBox()->text(), QStringLiteral("bo"));

  // The program's own copy starts no lookup; other programs get it, rich text included.
  ClickItem(QStringLiteral("boat *"));
  Click("Copy_Button");
  QCOMPARE(Xclip::Read(), std::optional<QByteArray>("boat *"));
  QTest::qWait(200);
  QCOMPARE(SearchBox()->text(), QStringLiteral("bo"));
  QTest::mouseClick(Description()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  Description()->Select(0, 0);
  Click("Copy_Button");
  QVERIFY(Xclip::Read(QStringLiteral("text/rtf")).value_or(QByteArray()).startsWith("{\\rtf1"));
  QCOMPARE(Xclip::Read().value_or(QByteArray()).trimmed(), QByteArray("Boat text."));
  QCOMPARE(SearchBox()->text(), QStringLiteral("bo"));

  // Off: the old title and hint, and copies elsewhere are no longer looked up.
  Click("AutoTranslate_Button");
  QCOMPARE(window_->windowTitle(), QStringLiteral("Orvanta"));
  QCOMPARE(button->toolTip(), QStringLiteral("Γρήγορη Μετάφραση"));
  QCOMPARE(button->accessibleName(), QStringLiteral("Γρήγορη Μετάφραση"));
  xclip.Copy("anchor");
  QTRY_COMPARE(Xclip::Read(), std::optional<QByteArray>("anchor"));
  QTest::qWait(300);
  QCOMPARE(SearchBox()->text(), QStringLiteral("bo"));
}

void tst_Clipboard::quickTranslationMinimisesWhenAnotherProgramIsActive() {
  Open(false);
  // Off: turning to another program leaves the window as it is.
  {
    quorvel::test::ForeignWindow other;
    QTRY_VERIFY(other.Shown());
    other.Activate();
    QTRY_VERIFY(!window_->isActiveWindow());
    QTest::qWait(200);
    QVERIFY(!window_->isMinimized());
  }
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  Click("AutoTranslate_Button");
  // On: the window minimises itself.
  quorvel::test::ForeignWindow other;
  QTRY_VERIFY(other.Shown());
  other.Activate();
  QTRY_VERIFY(window_->isMinimized());
  // A copy brings it back.
  Xclip xclip;
  xclip.Copy("anchor");
  QTRY_VERIFY(!window_->isMinimized());
  QCOMPARE(SearchBox()->text(), QStringLiteral("anchor"));
}


// A copy made elsewhere while a long description search runs (on its worker thread) is looked
// up once the search has ended, never while the search reads the dictionary.
void tst_Clipboard::quickTranslationWaitsForALongSearch() {
  Open(true);
  Click("AutoTranslate_Button");
  slow_.milliseconds = 300;
  QVERIFY(quorvel::test::StartDescriptionSearch(*window_, QStringLiteral("anchor text")));
  clipboard_->CopyElsewhere(TextData(QStringLiteral("ship")));
  QTest::qWait(100);
  QVERIFY(window_->busy());
  QCOMPARE(SearchBox()->text(), QStringLiteral("anchor text"));
  QTRY_VERIFY_WITH_TIMEOUT(!window_->busy(), 20000);
  QTRY_COMPARE(SearchBox()->text(), QStringLiteral("ship"));
  QCOMPARE(SelectedItemText(), QStringLiteral("ship"));
}

QTEST_MAIN(tst_Clipboard)
#include "tst_Clipboard.moc"

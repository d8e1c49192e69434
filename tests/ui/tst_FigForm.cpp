// Figures: selecting a figure reference in the description opens its drawing in the figure
// viewer, which any click closes; a drawing that cannot be shown gives nothing at all.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

#include "core/Cp1253.h"
#include "core/Locations.h"
#include "core/Session.h"
#include "platform/Clipboard.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/EntryListModel.h"
#include "ui/FigFormU.h"
#include "ui/MainLexU.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"

using quorvel::test::DictionaryFixture;
using quorvel::ui::TFigForm;
using quorvel::ui::TMainLex;
using quorvel::test::RtfText;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }

void WriteBitmap(const QString& path, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor(30, 90, 160));
  QVERIFY(image.save(path, "BMP"));
}

constexpr int kEntryNumber = 77;

}  // namespace

class tst_FigForm : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();

  void wordOrWholeReferenceOpensItsDrawing();
  void nothingWhenTheDrawingCannotBeShown();
  void sampleDictionaryFigureOpensFromItsReference();

 private:
  // A window on the fixture folder (the sample's program folder when `programDir` is given).
  void Open(const std::string& programDir = std::string());
  quorvel::ui::RichTextView* Description() const {
    return window_->findChild<quorvel::ui::RichTextView*>("Description_Text");
  }
  void Type(const QString& text) {
    auto* box = window_->findChild<quorvel::ui::SearchBox*>("Entry_Text");
    box->clear();
    for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
  void ClickItem(const QString& text);
  // The number of the selected item's entry.
  int Number() const {
    return session_->dictionary().EnglishIndex[static_cast<size_t>(window_->SelectedItem()->slot)].Number;
  }
  // The unit where `utf8` begins in the shown description (the `n`th time).
  int UnitOf(const char* utf8, int n = 0) const;
  // Double-clicks the word that starts at `unit`, as a user selects a word.
  void DoubleClickWord(int unit);
  // Runs `select`; gives the file of the figure window that opened (empty when none did),
  // after `inspect` has looked at the window and `close` has clicked it away.
  QString OpenedFigure(const std::function<void()>& select,
                       const std::function<void(TFigForm*)>& inspect = {},
                       const std::function<void(TFigForm*)>& close = {});

  std::unique_ptr<DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<TMainLex> window_;
  QTemporaryDir userDir_;
};

void tst_FigForm::Open(const std::string& programDir) {
  quorvel::Locations locations;
  if (programDir.empty()) {
    locations = fixture_->locations();
  } else {
    locations.ProgramDir = programDir;
    quorvel::SetUserFilePaths(locations, userDir_.path().toStdString());
  }
  session_ = std::make_unique<quorvel::Session>(
      locations, fs_, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = std::make_unique<TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(
                     std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}),
      nullptr, std::make_unique<quorvel::platform::FakeClipboard>());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_FigForm::cleanup() {
  window_.reset();
  session_.reset();
  fixture_.reset();
}

void tst_FigForm::ClickItem(const QString& text) {
  auto* list = window_->findChild<QListView*>("Entries_List");
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QModelIndex index = list->model()->index(row, 0);
    if (index.data().toString() == text) {
      list->scrollTo(index);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
      return;
    }
  }
  QFAIL(qPrintable(QStringLiteral("no list item ") + text));
}

int tst_FigForm::UnitOf(const char* utf8, int n) const {
  const std::u32string& text = Description()->DisplayText();
  const std::u32string wanted = QString::fromUtf8(utf8).toStdU32String();
  size_t at = text.find(wanted);
  for (int i = 0; i < n && at != std::u32string::npos; ++i) at = text.find(wanted, at + 1);
  return at == std::u32string::npos ? -1 : static_cast<int>(at);
}

void tst_FigForm::DoubleClickWord(int unit) {
  quorvel::ui::RichTextView* view = Description();
  view->Select(unit, 0);
  const QPoint inWord = view->cursorRect().center() + QPoint(4, 0);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, inWord);
}

QString tst_FigForm::OpenedFigure(const std::function<void()>& select,
                                  const std::function<void(TFigForm*)>& inspect,
                                  const std::function<void(TFigForm*)>& close) {
  QString opened;
  int opens = 0;
  QTimer poll;
  poll.setInterval(20);
  connect(&poll, &QTimer::timeout, this, [&] {
    auto* figure = qobject_cast<TFigForm*>(QApplication::activeModalWidget());
    if (!figure || !figure->windowHandle() || !figure->windowHandle()->isExposed()) return;
    // One selection opens one figure: a second one is a fault the caller sees.
    opened = ++opens == 1 ? figure->FigFileName() : QStringLiteral("<opened twice>");
    if (inspect) inspect(figure);
    if (QTest::currentTestFailed()) {
      figure->reject();
    } else if (close) {
      close(figure);
    } else {
      QTest::mouseClick(figure->findChild<QLabel*>("FigImage"), Qt::LeftButton);
    }
    if (figure->isVisible()) {
      opened = QStringLiteral("<not closed by the click>");
      figure->reject();
    }
  });
  poll.start();
  select();
  QTest::qWait(400);
  // A figure still on its way to the screen (a loaded machine) is given the time to be handled.
  (void)QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 5000);
  poll.stop();
  if (QApplication::activeModalWidget()) {
    QApplication::activeModalWidget()->close();
    qWarning("a window stayed open");
    return QStringLiteral("<left open>");
  }
  return opened;
}

void tst_FigForm::wordOrWholeReferenceOpensItsDrawing() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished(
      {{"hitch", "{" + RtfText("Κόμποι {Σχήμα 2} και ο απλός {Σχήμα}, με 0: {Σχήμα 0}.") + "}", 1, {}, kEntryNumber}});
  const QString content = QString::fromStdString(fixture_->programDir()) + QStringLiteral("content/");
  QVERIFY(QDir().mkpath(content));
  WriteBitmap(content + QStringLiteral("fig772.bmp"), QSize(40, 30));
  WriteBitmap(content + QStringLiteral("fig77.bmp"), QSize(64, 20));
  Open();
  Type(QStringLiteral("hitch"));
  QVERIFY(!Description()->DisplayText().empty());

  // The word alone, by a double-click: the numbered drawing, in a frameless modal window the
  // size of its black panel, which frames the picture by 2 pixels, centred on the main window.
  QString numbered = OpenedFigure([&] { DoubleClickWord(UnitOf("Σχήμα")); }, [&](TFigForm* figure) {
    QVERIFY(figure->isModal());
    QVERIFY(figure->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(figure->size(), QSize(44, 34));
    const QFrame* panel = figure->findChild<QFrame*>("FigPanel");
    QCOMPARE(panel->geometry(), figure->rect());
    const QLabel* picture = figure->findChild<QLabel*>("FigImage");
    QCOMPARE(QRect(picture->mapTo(figure, QPoint(0, 0)), picture->size()), QRect(2, 2, 40, 30));
    const QImage shown = figure->grab().toImage();
    QCOMPARE(shown.pixelColor(1, 15), QColor(Qt::black));
    QCOMPARE(shown.pixelColor(20, 15), QColor(30, 90, 160));
    const QPoint offset = figure->frameGeometry().center() - window_->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QCOMPARE(figure->accessibleName(), QStringLiteral("Σχήμα"));
  });
  QCOMPARE(numbered, content + QStringLiteral("fig772.bmp"));
  QCOMPARE(Description()->SelectedText(), Cp("Σχήμα"));

  // Brace to brace, with and without a digit; "0" counts as none. A click on the panel closes.
  const auto clickPanel = [](TFigForm* figure) {
    QTest::mouseClick(figure->findChild<QFrame*>("FigPanel"), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
  };
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα 2}"), 9); }, {}, clickPanel),
           content + QStringLiteral("fig772.bmp"));
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα}"), 7); }),
           content + QStringLiteral("fig77.bmp"));
  QCOMPARE(OpenedFigure([&] { DoubleClickWord(UnitOf("Σχήμα", 1)); }, [](TFigForm* figure) {
    QCOMPARE(figure->size(), QSize(68, 24));
  }), content + QStringLiteral("fig77.bmp"));
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα 0}"), 9); }),
           content + QStringLiteral("fig77.bmp"));
  // A click on the window itself closes it too.
  QCOMPARE(OpenedFigure([&] { DoubleClickWord(UnitOf("Σχήμα", 2)); }, {},
                        [](TFigForm* figure) { QTest::mouseClick(figure, Qt::LeftButton, Qt::NoModifier, QPoint(0, 0)); }),
           content + QStringLiteral("fig77.bmp"));
}

void tst_FigForm::nothingWhenTheDrawingCannotBeShown() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished(
      {{"hitch", "{" + RtfText("Δες {Σχήμα 3} ή {Σχήμα 4} ή το σχήμα, και {Σχήμα}.") + "}", 1, {}, kEntryNumber}});
  Open();
  Type(QStringLiteral("hitch"));
  // No content folder.
  QCOMPARE(OpenedFigure([&] { DoubleClickWord(UnitOf("Σχήμα")); }), QString());
  const QString content = QString::fromStdString(fixture_->programDir()) + QStringLiteral("content/");
  QVERIFY(QDir().mkpath(content));
  // The drawing's file is missing; another drawing's file is no picture; an empty file.
  QFile garbage(content + QStringLiteral("fig774.bmp"));
  QVERIFY(garbage.open(QIODevice::WriteOnly));
  garbage.write("BM this is not a bitmap");
  garbage.close();
  QFile(content + QStringLiteral("fig77.bmp")).open(QIODevice::WriteOnly);
  QCOMPARE(OpenedFigure([&] { DoubleClickWord(UnitOf("Σχήμα")); }), QString());
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα 4}"), 9); }), QString());
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα}"), 7); }), QString());
  // Not references: the word in lower case, the caret alone. Then the drawing exists.
  WriteBitmap(content + QStringLiteral("fig773.bmp"), QSize(10, 10));
  QCOMPARE(OpenedFigure([&] { DoubleClickWord(UnitOf("σχήμα")); }), QString());
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("Σχήμα"), 0); }), QString());
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα 3}"), 9); }),
           content + QStringLiteral("fig773.bmp"));
  // Without a selected list item there is no entry to take the drawing from.
  QTest::keyClick(window_->findChild<quorvel::ui::SearchBox*>("Entry_Text"), Qt::Key_Return);
  QCOMPARE(OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα 3}"), 9); }), QString());
}

void tst_FigForm::sampleDictionaryFigureOpensFromItsReference() {
  const QString dist = QStringLiteral(QUORVEL_DIST_DIR);
  if (!QFile::exists(dist + QStringLiteral("/data/Quorvel.tbo"))) QSKIP("the sample program folder is not built");
  Open(dist.toStdString() + "/");
  Type(QStringLiteral("knot"));
  ClickItem(QStringLiteral("knot (rope)"));
  // The third of the knots' drawings, by its word; the anchor's one drawing brace to brace.
  QSize pictureSize;
  const QString knot = OpenedFigure([&] { DoubleClickWord(UnitOf("Σχήμα 3")); }, [&](TFigForm* figure) {
    pictureSize = figure->findChild<QLabel*>("FigImage")->size();
  });
  QCOMPARE(knot, dist + QStringLiteral("/content/fig%1%2.bmp").arg(Number()).arg(3));
  QCOMPARE(pictureSize, QImage(knot).size());
  QVERIFY(!pictureSize.isEmpty());

  Type(QStringLiteral("anchor"));
  const QString anchor = OpenedFigure([&] { Description()->Select(UnitOf("{Σχήμα}"), 7); });
  QCOMPARE(anchor, dist + QStringLiteral("/content/fig%1.bmp").arg(Number()));
}

QTEST_MAIN(tst_FigForm)
#include "tst_FigForm.moc"

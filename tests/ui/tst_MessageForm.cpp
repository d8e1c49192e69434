// The description search dialog opened from the tool bar: its look, the word typed and
// confirmed or cancelled as a user does, the list it leaves, and a long search that keeps the
// windows painted.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "tests/ui/ModalSteps.h"
#include "tests/ui/SearchDialogsFixture.h"
#include "ui/CaptionLabel.h"

using quorvel::test::Child;
using quorvel::test::SearchDialogsWindow;
using quorvel::test::TypeText;

namespace {

// Counts the paint events a widget receives while `counting` is set.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && counting) ++paints;
    return false;
  }
  std::atomic<bool> counting{false};
  int paints = 0;
};

}  // namespace

class tst_MessageForm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void looksAsDesignedAndCancels();
  void descriptionSearch_data();
  void descriptionSearch();
  void foundEntriesShowAsUsual();
  void longSearchKeepsTheWindowPaintedAndHoldsInput();

 private:
  std::unique_ptr<SearchDialogsWindow> w_;
};

void tst_MessageForm::init() { w_ = std::make_unique<SearchDialogsWindow>(); }
void tst_MessageForm::cleanup() { w_.reset(); }

void tst_MessageForm::looksAsDesignedAndCancels() {
  w_->Type(QStringLiteral("anchor"));
  const QRect owner = w_->window().frameGeometry();
  QVERIFY(w_->WithDialog("DescrSearch_Button", [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Αναζήτηση στις Ερμηνείες"));
    auto* label1 = Child<QLabel>(dialog, "Label1");
    QCOMPARE(label1->text(), QStringLiteral("Λέξη προς Αναζήτηση:"));
    QVERIFY(label1->font().bold());
    auto* label2 = Child<QLabel>(dialog, "Label2");
    QCOMPARE(label2->text(), QStringLiteral("Σημείωση:"));
    QVERIFY(label2->font().underline());
    auto* note = Child<QPlainTextEdit>(dialog, "Memo1");
    QCOMPARE(note->toPlainText(),
             QStringLiteral("Η αναζήτηση αυτή ίσως χρειαστεί\nμερικά λεπτά για να ολοκληρωθεί."));
    QVERIFY(note->isReadOnly());
    QCOMPARE(note->frameShape(), QFrame::NoFrame);
    // Both lines show whole.
    QVERIFY(note->document()->size().height() <= note->viewport()->height());
    auto* ok = Child<QPushButton>(dialog, "BitBtn1");
    QCOMPARE(ok->text(), QStringLiteral("ΟΚ"));
    QVERIFY(ok->isDefault());
    QCOMPARE(Child<QPushButton>(dialog, "BitBtn2")->text(), QStringLiteral("Άκυρο"));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)));
    QString why;
    QVERIFY2(quorvel::test::CentredOn(dialog, owner, why), qPrintable(why));
    QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("DescrSearch_Edit"));
    QCOMPARE(Child<QLineEdit>(dialog, "DescrSearch_Edit")->text(), QString());
    QString unnamed;
    QVERIFY2(quorvel::test::EveryControlNamed(dialog, unnamed), qPrintable(unnamed));
    TypeText(dialog.focusWidget(), QStringLiteral("ship"));
    QTest::mouseClick(Child(dialog, "BitBtn2"), Qt::LeftButton);
  }));
  // Cancel changes nothing.
  QCOMPARE(w_->ItemTexts(), QStringList{"anchor"});
  QCOMPARE(w_->SearchBox()->text(), QStringLiteral("anchor"));
  QCOMPARE(w_->W<quorvel::ui::CaptionLabel>("Entry_Label")->caption(), QStringLiteral("anchor"));
  QTRY_VERIFY(w_->SearchBox()->hasFocus());
}

void tst_MessageForm::descriptionSearch_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<QStringList>("items");
  QTest::addColumn<QString>("searchText");
  QTest::addColumn<bool>("greekAfter");

  // "ship" stands alone in anchor's description, in the user entry and in stern's addition;
  // flagship's, lightship's and shipyard's hold it only inside longer words.
  QTest::newRow("English, whole words") << QStringLiteral("ship") << QStringList{"anchor", "boat *", "stern"}
                                        << QStringLiteral("ship") << false;
  QTest::newRow("leading blanks dropped") << QStringLiteral("  anchor") << QStringList{"anchor"}
                                          << QStringLiteral("anchor") << false;
  QTest::newRow("trailing blank before a letter") << QStringLiteral("ship ") << QStringList() << QStringLiteral("ship ")
                                                  << false;
  QTest::newRow("words of an addition") << QStringLiteral("note") << QStringList{"stern"} << QStringLiteral("note")
                                        << false;
  QTest::newRow("Greek capitals fold, English headwords listed")
      << QStringLiteral("ΠΛΟΙΟ") << QStringList{"ship"} << QStringLiteral("ΠΛΟΙΟ") << true;
  QTest::newRow("Greek, not inside longer words") << QStringLiteral("σκαρι") << QStringList{"slip"}
                                                  << QStringLiteral("σκαρι") << true;
  QTest::newRow("empty word") << QString() << QStringList() << QString() << false;
}

// Typed into the field and confirmed with Enter.
void tst_MessageForm::descriptionSearch() {
  QFETCH(QString, word);
  QFETCH(QStringList, items);
  QFETCH(QString, searchText);
  QFETCH(bool, greekAfter);

  w_->Type(QStringLiteral("anchor"));
  QVERIFY(w_->WithDialog("DescrSearch_Button", [&](QDialog& dialog) {
    TypeText(dialog.focusWidget(), word);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  }));
  QCOMPARE(w_->ItemTexts(), items);
  QCOMPARE(w_->SearchBox()->text(), searchText);
  QCOMPARE(w_->window().GreekMode(), greekAfter);
  QCOMPARE(w_->SelectedIndex(), -1);
  QCOMPARE(w_->W<quorvel::ui::CaptionLabel>("Entry_Label")->caption(), QString());
  QVERIFY(!w_->window().navigating());
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  QTRY_VERIFY(w_->SearchBox()->hasFocus());
  // The search leaves the history as it was.
  QCOMPARE(w_->session().history().currentCaption(), std::string("anchor"));
}

void tst_MessageForm::foundEntriesShowAsUsual() {
  QVERIFY(w_->WithDialog("DescrSearch_Button", [](QDialog& dialog) {
    TypeText(dialog.focusWidget(), QStringLiteral("πλοίο"));
    QTest::mouseClick(Child(dialog, "BitBtn1"), Qt::LeftButton);
  }));
  QListView* list = w_->List();
  QCOMPARE(w_->ItemTexts(), QStringList{"ship"});
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualRect(list->model()->index(0, 0)).center());
  QCOMPARE(w_->W<quorvel::ui::CaptionLabel>("Trans_Label")->caption(), QStringLiteral("ship"));
  QVERIFY(w_->W<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("a vessel")));
}

// While a long description search runs on its worker thread, the window still paints and runs
// its timers, holds the user's keys back, and then shows the list under the word.
void tst_MessageForm::longSearchKeepsTheWindowPaintedAndHoldsInput() {
  PaintCounter counter;
  w_->window().installEventFilter(&counter);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    ++ticks;
    w_->window().update();
  });
  w_->slowDown().milliseconds = 150;
  ticker.start(20);
  // Once the search runs, the user types into the search box.
  QString typedMeanwhile;
  QTimer typer;
  QObject::connect(&typer, &QTimer::timeout, [&] {
    if (!w_->window().busy() || counter.counting) return;
    counter.counting = true;
    QTest::keyClicks(w_->SearchBox(), QStringLiteral("xyz"));
    typedMeanwhile = w_->SearchBox()->text();
  });
  typer.start(20);
  QVERIFY(w_->WithDialog("DescrSearch_Button", [](QDialog& dialog) {
    TypeText(dialog.focusWidget(), QStringLiteral("ship"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  }));
  typer.stop();
  QVERIFY2(counter.counting, "the search ended before the user could type");
  counter.counting = false;
  ticker.stop();
  QCOMPARE(typedMeanwhile, QStringLiteral("ship"));
  QVERIFY(ticks >= 5);
  QVERIFY(counter.paints >= 2);
  QVERIFY(w_->ItemTexts().contains(QStringLiteral("anchor")));
  QCOMPARE(w_->SearchBox()->text(), QStringLiteral("ship"));
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

QTEST_MAIN(tst_MessageForm)
#include "tst_MessageForm.moc"

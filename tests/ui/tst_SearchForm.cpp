// The search-criteria dialog opened from the tool bar, filled in with keys and confirmed or
// cancelled as a user does, and the list, search box and history it leaves behind.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "tests/ui/ModalSteps.h"
#include "tests/ui/SearchDialogsFixture.h"
#include "ui/CaptionLabel.h"
#include "ui/TextCodec.h"

using quorvel::test::Child;
using quorvel::test::SearchDialogsWindow;
using quorvel::test::TypeText;

class tst_SearchForm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void looksAsDesignedAndCancels();
  void criteria_data();
  void criteria();
  void cancelKeepsTheLastCriteria();
  void fieldsStartEmptyEachTime();

 private:
  // Shows ship, then anchor, then steps back: the list holds ship, shown, and the forward
  // history holds anchor.
  void ShowShipWithAForwardStep();
  QString EntryCaption() const { return w_->W<quorvel::ui::CaptionLabel>("Entry_Label")->caption(); }

  std::unique_ptr<SearchDialogsWindow> w_;
};

void tst_SearchForm::init() { w_ = std::make_unique<SearchDialogsWindow>(); }
void tst_SearchForm::cleanup() { w_.reset(); }

void tst_SearchForm::ShowShipWithAForwardStep() {
  w_->Type(QStringLiteral("ship"));
  w_->SearchBox()->clear();
  w_->Type(QStringLiteral("anchor"));
  QTest::mouseClick(w_->W("Prev_Button"), Qt::LeftButton);
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
  QCOMPARE(w_->session().history().forward().size(), size_t{1});
}

void tst_SearchForm::looksAsDesignedAndCancels() {
  const QRect owner = w_->window().frameGeometry();
  QVERIFY(w_->WithDialog("Search_Button", [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Κριτήρια Αναζήτησης Λημμάτων"));
    QCOMPARE(Child<QLabel>(dialog, "Label1")->text(), QStringLiteral("Αναζήτηση των Λημμάτων που:"));
    const char* labels[][2] = {{"Label2", "Αρχίζουν με:"}, {"Label3", "Περιέχουν:"}, {"Label4", "Καταλήγουν σε:"}};
    for (const auto& [name, text] : labels) {
      QCOMPARE(Child<QLabel>(dialog, name)->text(), QString::fromUtf8(text));
      QVERIFY(Child<QLabel>(dialog, name)->font().bold());
    }
    QVERIFY(!Child<QLabel>(dialog, "Image1")->pixmap().isNull());
    auto* ok = Child<QPushButton>(dialog, "BitBtn1");
    auto* cancel = Child<QPushButton>(dialog, "BitBtn2");
    QVERIFY(ok->isDefault());
    QCOMPARE(cancel->text(), QStringLiteral("Άκυρο"));
    // A fixed single border without border icons, centred on the main window.
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)));
    QString why;
    QVERIFY2(quorvel::test::CentredOn(dialog, owner, why), qPrintable(why));
    // The start field first, then the others in order, then the buttons.
    QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("Start_Edit"));
    for (const char* next : {"Contain_edit", "End_Edit", "BitBtn1", "BitBtn2"}) {
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
      QCOMPARE(dialog.focusWidget()->objectName(), QString::fromLatin1(next));
    }
    // A screen reader names every control in Greek.
    QString unnamed;
    QVERIFY2(quorvel::test::EveryControlNamed(dialog, unnamed), qPrintable(unnamed));
    TypeText(Child(dialog, "Start_Edit"), QStringLiteral("zzz"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
  }));
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QCOMPARE(w_->ItemTexts(), QStringList());
  QCOMPARE(w_->SearchBox()->text(), QString());
  QTRY_VERIFY(w_->SearchBox()->hasFocus());
}

void tst_SearchForm::criteria_data() {
  QTest::addColumn<bool>("greekBefore");
  QTest::addColumn<QString>("start");
  QTest::addColumn<QString>("contain");
  QTest::addColumn<QString>("end");
  QTest::addColumn<QStringList>("items");
  QTest::addColumn<QString>("searchText");
  QTest::addColumn<bool>("greekAfter");

  const QString none;
  QTest::newRow("end only, English") << false << none << none << QStringLiteral("ship")
                                     << QStringList{"flagship", "lightship", "ship"} << QStringLiteral("ship") << false;
  QTest::newRow("contain only") << false << none << QStringLiteral("hip") << none
                                << QStringList{"flagship", "lightship", "ship", "shipyard"} << QStringLiteral("hip")
                                << false;
  QTest::newRow("start with leading blanks") << false << QStringLiteral("  ship") << none << none
                                             << QStringList{"ship", "shipyard"} << QStringLiteral("ship") << false;
  QTest::newRow("blanks only") << false << QStringLiteral("   ") << none << none << QStringList() << QString() << false;
  QTest::newRow("one Greek criterion keeps English") << false << QStringLiteral("σκ") << none << none << QStringList()
                                                     << QStringLiteral("σκ") << false;
  QTest::newRow("Greek capitals alone in Greek") << true << QStringLiteral("ΣΚ") << none << none
                                                 << QStringList{"σκάφος", "σκαρί"} << QStringLiteral("ΣΚ") << true;
  QTest::newRow("Greek start and end switch to Greek") << false << QStringLiteral("σκ") << none << QStringLiteral("ος")
                                                       << QStringList{"σκάφος"} << QString() << true;
  QTest::newRow("Greek capitals with a second criterion") << false << QStringLiteral("ΣΚ") << none
                                                          << QStringLiteral("ος") << QStringList() << QString() << true;
  QTest::newRow("all three, English") << true << QStringLiteral("s") << QStringLiteral("hi") << QStringLiteral("p")
                                      << QStringList{"ship"} << QString() << false;
}

// Typed into the fields and confirmed with Enter: the search box shows the one criterion (or
// nothing), the list holds what the criteria select, nothing is selected or shown, and the
// forward history is gone.
void tst_SearchForm::criteria() {
  QFETCH(bool, greekBefore);
  QFETCH(QString, start);
  QFETCH(QString, contain);
  QFETCH(QString, end);
  QFETCH(QStringList, items);
  QFETCH(QString, searchText);
  QFETCH(bool, greekAfter);

  ShowShipWithAForwardStep();
  if (greekBefore) QTest::mouseClick(w_->W("Lang_Button"), Qt::LeftButton);
  QCOMPARE(w_->window().GreekMode(), greekBefore);
  QVERIFY(w_->WithDialog("Search_Button", [&](QDialog& dialog) {
    TypeText(Child(dialog, "Start_Edit"), start);
    TypeText(Child(dialog, "Contain_edit"), contain);
    TypeText(Child(dialog, "End_Edit"), end);
    QTest::keyClick(Child(dialog, "End_Edit"), Qt::Key_Return);
  }));
  QCOMPARE(w_->ItemTexts(), items);
  QCOMPARE(w_->SearchBox()->text(), searchText);
  QCOMPARE(w_->window().GreekMode(), greekAfter);
  QCOMPARE(w_->SelectedIndex(), -1);
  QCOMPARE(EntryCaption(), QString());
  QVERIFY(w_->session().history().forward().empty());
  QCOMPARE(w_->session().criteria().start, quorvel::ui::ToCp1253(start));
  QCOMPARE(w_->session().criteria().end, quorvel::ui::ToCp1253(end));
  QVERIFY(!w_->window().navigating());
  QTRY_VERIFY(w_->SearchBox()->hasFocus());
}

void tst_SearchForm::cancelKeepsTheLastCriteria() {
  ShowShipWithAForwardStep();
  // OK with no criterion: the list and the search box stay, only the forward history goes.
  QVERIFY(w_->WithDialog("Search_Button", [](QDialog& dialog) { QTest::mouseClick(Child(dialog, "BitBtn1"), Qt::LeftButton); }));
  QCOMPARE(w_->ItemTexts(), QStringList{"ship"});
  QCOMPARE(w_->SearchBox()->text(), QStringLiteral("ship"));
  QCOMPARE(EntryCaption(), QStringLiteral("ship"));
  QVERIFY(w_->session().history().forward().empty());

  QVERIFY(w_->WithDialog("Search_Button", [](QDialog& dialog) {
    TypeText(Child(dialog, "Contain_edit"), QStringLiteral("nch"));
    QTest::mouseClick(Child(dialog, "BitBtn1"), Qt::LeftButton);
  }));
  QCOMPARE(w_->ItemTexts(), QStringList{"anchor"});
  QVERIFY(w_->WithDialog("Search_Button", [](QDialog& dialog) {
    TypeText(Child(dialog, "Start_Edit"), QStringLiteral("st"));
    QTest::mouseClick(Child(dialog, "BitBtn2"), Qt::LeftButton);
  }));
  QCOMPARE(w_->ItemTexts(), QStringList{"anchor"});
  QCOMPARE(w_->SearchBox()->text(), QStringLiteral("nch"));
  QCOMPARE(w_->session().criteria().contain, std::string("nch"));
  QCOMPARE(w_->session().criteria().start, std::string());
}

void tst_SearchForm::fieldsStartEmptyEachTime() {
  QVERIFY(w_->WithDialog("Search_Button", [](QDialog& dialog) {
    TypeText(Child(dialog, "Start_Edit"), QStringLiteral("an"));
    TypeText(Child(dialog, "End_Edit"), QStringLiteral("or"));
    QTest::keyClick(Child(dialog, "Start_Edit"), Qt::Key_Return);
  }));
  QCOMPARE(w_->ItemTexts(), QStringList{"anchor"});
  QVERIFY(w_->WithDialog("Search_Button", [](QDialog& dialog) {
    for (const char* field : {"Start_Edit", "Contain_edit", "End_Edit"}) {
      QCOMPARE(Child<QLineEdit>(dialog, field)->text(), QString());
    }
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
  }));
}

QTEST_MAIN(tst_SearchForm)
#include "tst_SearchForm.moc"

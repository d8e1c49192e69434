// The entry editor on its own, driven with keys and clicks: its two forms, its refusals and
// the texts it gives back.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/Cp1253.h"
#include "tests/ui/ModalSteps.h"
#include "ui/InsertEntryfrmU.h"

using quorvel::test::OnNextModal;
using quorvel::test::TypeText;
using quorvel::ui::EditMode;
using quorvel::ui::TInsertEntryFrm;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }

}  // namespace

class tst_InsertEntryFrm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void insertFormTakesTheTextsAsTyped();
  void refusalsKeepTheEditorOpen();
  void updateFormOfPublishedAndUserEntries();
  void cancelEmptiesTheFields();

 private:
  template <typename T>
  T* W(const char* name) const {
    T* widget = editor_->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QLineEdit* English() const { return W<QLineEdit>("InsertEntry_Text"); }
  QLineEdit* Greek() const { return W<QLineEdit>("InsertEntry_Trans"); }
  QPlainTextEdit* Description() const { return W<QPlainTextEdit>("InsertEntry_Descr"); }
  QPushButton* Ok() const { return W<QPushButton>("InsertOk_Button"); }
  // Shows the editor as a command does and waits until it is open.
  void Open(EditMode mode, const quorvel::EditedEntryTexts& texts = {}) {
    editor_->SetEditMode(mode, texts);
    editor_->open();
    QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
  }

  std::unique_ptr<TInsertEntryFrm> editor_;
  std::unique_ptr<quorvel::test::ModalGuard> guard_;
};

void tst_InsertEntryFrm::init() {
  editor_ = std::make_unique<TInsertEntryFrm>();
  guard_ = std::make_unique<quorvel::test::ModalGuard>();
}

void tst_InsertEntryFrm::cleanup() {
  editor_.reset();
  guard_.reset();
}

void tst_InsertEntryFrm::insertFormTakesTheTextsAsTyped() {
  Open(EditMode::kInsert);
  QCOMPARE(editor_->windowTitle(), QStringLiteral("Εισαγωγή Νέου Λήμματος"));
  QCOMPARE(Ok()->text(), QStringLiteral("Εισαγωγή"));
  QVERIFY(Ok()->isDefault());
  QCOMPARE(W<QLabel>("Label1")->text(), QStringLiteral("Λήμμα (Αγγλικά)"));
  QCOMPARE(W<QLabel>("Label3")->text(), QStringLiteral("Λήμμα (Ελληνικά)"));
  QCOMPARE(W<QLabel>("Label2")->text(), QStringLiteral("Περιγραφή"));
  QCOMPARE(English()->palette().color(QPalette::Base), QColor(250, 255, 255));
  QCOMPARE(Description()->palette().color(QPalette::Base), QColor(250, 255, 255));
  QCOMPARE(English()->palette().color(QPalette::Active, QPalette::Text), QColor(0, 128, 128));
  QCOMPARE(editor_->focusWidget(), English());
  for (QWidget* control : editor_->findChildren<QWidget*>()) {
    if (control->focusPolicy() != Qt::NoFocus) QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
  }

  // Blanks are kept, the headword stops at 80 characters, the lines end in CR LF.
  TypeText(English(), QStringLiteral("  mooring line ") + QString(80, QLatin1Char('x')));
  QCOMPARE(English()->text().size(), 80);
  QTest::keyClick(English(), Qt::Key_Tab);
  TypeText(editor_->focusWidget(), QStringLiteral("πρόσδεση"));
  QTest::keyClick(editor_->focusWidget(), Qt::Key_Tab);
  QCOMPARE(editor_->focusWidget(), Description());
  TypeText(Description(), QStringLiteral("one"));
  QTest::keyClick(Description(), Qt::Key_Return);
  QTest::keyClick(Description(), Qt::Key_Return);
  TypeText(Description(), QStringLiteral(" two€"));
  QVERIFY(editor_->isVisible());  // Enter in the description breaks the line
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(editor_->result(), int(QDialog::Accepted));
  const quorvel::NewEntryTexts texts = editor_->Texts();
  QCOMPARE(texts.english.substr(0, 15), std::string("  mooring line "));
  QCOMPARE(texts.greek, Cp("πρόσδεση"));
  QCOMPARE(texts.description, Cp("one\r\n\r\n two€"));
}

void tst_InsertEntryFrm::refusalsKeepTheEditorOpen() {
  Open(EditMode::kInsert);
  QStringList shown;
  const auto answer = [&shown](QWidget* box) {
    shown << static_cast<QMessageBox*>(box)->text();
    QTest::keyClick(box, Qt::Key_Return);
  };
  OnNextModal(answer);
  TypeText(Greek(), QStringLiteral("βάρκα"));
  QTest::keyClick(Greek(), Qt::Key_Return);  // the default button
  QTRY_COMPARE(shown.size(), 1);
  QCOMPARE(shown.last(), QStringLiteral("Πρέπει να συμπληρωθεί το Αγγλικό Λήμμα"));
  QVERIFY(editor_->isVisible());

  Greek()->clear();
  TypeText(English(), QStringLiteral("boat"));
  OnNextModal(answer);
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QTRY_COMPARE(shown.size(), 2);
  QCOMPARE(shown.last(), QStringLiteral("Πρέπει να συμπληρωθεί το Ελληνικό Λήμμα ή η Περιγραφή"));
  QVERIFY(editor_->isVisible());
  QCOMPARE(English()->text(), QStringLiteral("boat"));

  // A description of one blank fills it.
  QTest::keyClick(Description(), Qt::Key_Space);
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(editor_->result(), int(QDialog::Accepted));
  QCOMPARE(editor_->Texts().description, std::string(" "));
}

void tst_InsertEntryFrm::updateFormOfPublishedAndUserEntries() {
  Open(EditMode::kUpdate, {'A', "stern", Cp("πρύμνη"), Cp("My note,\r\nsecond line")});
  QCOMPARE(editor_->windowTitle(), QStringLiteral("Τροποποίηση Λήμματος"));
  QCOMPARE(Ok()->text(), QStringLiteral("Ok"));
  QVERIFY(!English()->isEnabled());
  QVERIFY(!Greek()->isEnabled());
  QCOMPARE(English()->text(), QStringLiteral("stern"));
  QCOMPARE(Greek()->text(), QStringLiteral("πρύμνη"));
  QCOMPARE(Description()->toPlainText(), QStringLiteral("My note,\nsecond line"));
  QCOMPARE(editor_->focusWidget(), Description());
  QTest::keyClick(Description(), Qt::Key_End, Qt::ControlModifier);
  TypeText(Description(), QStringLiteral("!"));
  QTest::mouseClick(Ok(), Qt::LeftButton);
  QCOMPARE(editor_->Texts().description, std::string("My note,\r\nsecond line!"));

  // Shown again, the editor takes the form it is given: the insert form as designed, and the
  // update form of a user entry, which can change everything.
  Open(EditMode::kInsert);
  QCOMPARE(editor_->windowTitle(), QStringLiteral("Εισαγωγή Νέου Λήμματος"));
  QCOMPARE(Ok()->text(), QStringLiteral("Εισαγωγή"));
  QVERIFY(English()->isEnabled());
  QCOMPARE(Description()->toPlainText(), QString());
  editor_->reject();
  Open(EditMode::kUpdate, {'C', "boat", Cp("βάρκα"), ""});
  QVERIFY(English()->isEnabled());
  QVERIFY(Greek()->isEnabled());
  QCOMPARE(editor_->focusWidget(), English());
  QCOMPARE(Description()->toPlainText(), QString());
}

void tst_InsertEntryFrm::cancelEmptiesTheFields() {
  Open(EditMode::kUpdate, {'C', "boat", Cp("βάρκα"), "text"});
  QTest::mouseClick(W<QPushButton>("InsertCancel_Button"), Qt::LeftButton);
  QCOMPARE(editor_->result(), int(QDialog::Rejected));
  QVERIFY(!editor_->isVisible());
  QCOMPARE(English()->text(), QString());
  QCOMPARE(Greek()->text(), QString());
  QCOMPARE(Description()->toPlainText(), QString());
}

QTEST_MAIN(tst_InsertEntryFrm)
#include "tst_InsertEntryFrm.moc"

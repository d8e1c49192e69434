// Printing an entry, driven from the tool bar: the document goes to a PDF file (no print dialog
// in the test), whose text poppler's pdftotext reads back.
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "core/Cp1253.h"
#include "core/Session.h"
#include "platform/Clipboard.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/EntryListModel.h"
#include "ui/MainLexU.h"
#include "ui/PrintController.h"
#include "ui/RichTextView.h"
#include "ui/SearchBox.h"

using quorvel::test::DictionaryFixture;
using quorvel::ui::TMainLex;
using quorvel::test::RtfText;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }

// Runs a program to its end; gives its standard output as UTF-8 text.
QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000)) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Whether `texts` occur in `text` in this order.
bool InOrder(const QString& text, const QStringList& texts) {
  qsizetype at = 0;
  for (const QString& t : texts) {
    at = text.indexOf(t, at);
    if (at < 0) {
      qWarning("\"%s\" missing or out of order in:\n%s", qPrintable(t), qPrintable(text));
      return false;
    }
    at += t.size();
  }
  return true;
}

const char* const kTitle = "Orvanta - Αγγλοελληνικό Ναυτικό Λεξικό - © Εκδόσεις Quenborath, με την";

}  // namespace

class tst_Print : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void englishEntryPrintsEveryPieceInPlace();
  void greekModeSwapsTheRows();
  void entryWithoutGreekTerm();
  void nothingSelectedOrCancelledPrintsNothing();

 private:
  quorvel::ui::SearchBox* SearchBox() const { return window_->findChild<quorvel::ui::SearchBox*>("Entry_Text"); }
  quorvel::ui::RichTextView* Description() const {
    return window_->findChild<quorvel::ui::RichTextView*>("Description_Text");
  }
  void Type(const QString& text) {
    SearchBox()->clear();
    for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, SearchBox(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
  // Presses the print button; the print goes to `pdf` unless `confirm` is false.
  void Print(bool confirm = true) {
    controller_->SetPrinterChoice([this, confirm](QPrinter& printer) {
      ++asked_;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf_);
      return confirm;
    });
    QTest::mouseClick(window_->findChild<QToolButton*>("Print_Button"), Qt::LeftButton);
  }
  // The text line by line, as it stands on the page.
  QString PdfText() const { return Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf_, QStringLiteral("-")}); }

  std::unique_ptr<DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<TMainLex> window_;
  quorvel::ui::PrintController* controller_ = nullptr;
  QTemporaryDir output_;
  QString pdf_;
  int asked_ = 0;
};

void tst_Print::init() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished(
      {{"a-frame", "{A frame of two legs joined at the top, for lifting.}"},
       {"anchor", "{{\\b Anchor:} " + RtfText("βαρύ εξάρτημα που κρατά το πλοίο.") + "}"},
       {"ship", "{{\\b Ship:} a large sea-going vessel." + RtfText(" Μεγάλο πλοίο.") +
                    "\\par {\\i Second paragraph} of the description.}"}},
      {{2, Cp("άγκυρα")}, {3, Cp("πλοίο")}});
  session_ = std::make_unique<quorvel::Session>(
      fixture_->locations(), fs_,
      [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = std::make_unique<TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(
                     std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}),
      nullptr, std::make_unique<quorvel::platform::FakeClipboard>());
  controller_ = &window_->printController();
  QVERIFY(controller_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  pdf_ = output_.filePath(QStringLiteral("print.pdf"));
  QFile::remove(pdf_);
  asked_ = 0;
}

void tst_Print::cleanup() {
  window_.reset();
  session_.reset();
  fixture_.reset();
}

void tst_Print::englishEntryPrintsEveryPieceInPlace() {
  Type(QStringLiteral("ship"));
  const std::string shownPlain = Description()->PlainText();
  Description()->Select(3, 5);
  Print();
  QCOMPARE(asked_, 1);
  QVERIFY(QFile::exists(pdf_));
  const QString text = PdfText();
  // Every label stands beside its text.
  for (const char* row : {"Λήμμα: +ship", "Απόδοση: +πλοίο", "Περιγραφή: +Ship: a large"}) {
    QVERIFY2(text.contains(QRegularExpression(QString::fromUtf8(row))), row);
  }
  QVERIFY(InOrder(text, {QString::fromUtf8(kTitle), QStringLiteral("Λήμμα:"), QStringLiteral("ship"),
                              QStringLiteral("Απόδοση:"), QStringLiteral("πλοίο"), QStringLiteral("Περιγραφή:"),
                              QStringLiteral("Ship:"), QStringLiteral("a large sea-going vessel."),
                              QStringLiteral("Μεγάλο πλοίο."), QStringLiteral("Second paragraph")}));
  // The print job is named after the headword.
  QVERIFY(Output(QStringLiteral("pdfinfo"), {pdf_}).contains(QStringLiteral("Zoriruv: ship")));
  // The view is as it was.
  QCOMPARE(Description()->PlainText(), shownPlain);
  QCOMPARE(Description()->SelectionStart(), 3);
  QCOMPARE(Description()->SelectionLength(), 5);
  QVERIFY(controller_->PrintText().find("{\\b\\f0\\fs22\\cf0     \\'73\\'68\\'69\\'70\\cell") != std::string::npos);
}

void tst_Print::greekModeSwapsTheRows() {
  QTest::mouseClick(window_->findChild<QToolButton*>("Lang_Button"), Qt::LeftButton);
  Type(QStringLiteral("άγκυρα"));
  QVERIFY(window_->GreekMode());
  Print();
  QVERIFY(InOrder(PdfText(), {QString::fromUtf8(kTitle), QStringLiteral("Λήμμα:"), QStringLiteral("άγκυρα"),
                              QStringLiteral("Απόδοση:"), QStringLiteral("anchor"), QStringLiteral("Περιγραφή:"),
                              QStringLiteral("Anchor:"), QStringLiteral("βαρύ εξάρτημα")}));
  // The job name keeps the headword in either language.
  QVERIFY(Output(QStringLiteral("pdfinfo"), {pdf_}).contains(QStringLiteral("Zoriruv: anchor")));
}

void tst_Print::entryWithoutGreekTerm() {
  Type(QStringLiteral("a-frame"));
  QListView* list = window_->findChild<QListView*>("Entries_List");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(list->model()->index(0, 0)).center());
  Print();
  const QString text = PdfText();
  QVERIFY(InOrder(text, {QStringLiteral("Λήμμα:"), QStringLiteral("a-frame"), QStringLiteral("Απόδοση:"),
                         QStringLiteral("Περιγραφή:"), QStringLiteral("A frame of two legs")}));
  // Nothing stands between the rendering's label and the description's.
  const QString between = text.section(QStringLiteral("Απόδοση:"), 1).section(QStringLiteral("Περιγραφή:"), 0, 0);
  QCOMPARE(between.trimmed(), QString());
}

void tst_Print::nothingSelectedOrCancelledPrintsNothing() {
  // A description is shown, but Enter rebuilds the list without a selection.
  Type(QStringLiteral("ship"));
  QTest::keyClick(SearchBox(), Qt::Key_Return);
  Print();
  QCOMPARE(asked_, 0);
  QVERIFY(!QFile::exists(pdf_));
  // The user cancels the print dialog.
  Type(QStringLiteral("ship"));
  Print(false);
  QCOMPARE(asked_, 1);
  QVERIFY(!QFile::exists(pdf_));
  QVERIFY(controller_->PrintText().empty());
}

QTEST_MAIN(tst_Print)
#include "tst_Print.moc"

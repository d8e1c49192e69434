// The searched word marked in an entry that a description search found, driven as a user
// drives it: the search through its dialog, a click on a found entry, the find keys from each
// field, copy and print, what a screen reader is told, and the marks going as the user moves on.
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <memory>
#include <string>

#include "core/Cp1253.h"
#include "tests/ui/ModalSteps.h"
#include "tests/ui/SearchDialogsFixture.h"
#include "ui/CaptionLabel.h"
#include "ui/FigFormU.h"
#include "ui/PrintController.h"
#include "ui/RichTextView.h"
#include "ui/TextCodec.h"
#include "ui/WordMarks.h"

using quorvel::test::DictionaryFixture;
using quorvel::test::SearchDialogsWindow;
using quorvel::ui::RichTextView;
using quorvel::test::RtfText;

namespace {

const QString kWord = QStringLiteral("σχήμα");

// "anchor" names the word once; "hawser" (entry 2, with drawing 2) four times in a description
// too long for the view, the first a figure reference, one in red text, one in a table cell;
// "σχήματος" is another word.
void WriteDictionary(DictionaryFixture& fixture) {
  const auto lines = [](int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + " of a story about ropes.\\par ";
    return text;
  };
  const std::string hawser =
      "{" + lines(40) + RtfText("Ο κόμπος {Σχήμα 2} δένει.") + "\\par " + lines(8) + "{\\cf1 " + RtfText("Κόκκινο σχήμα.") +
      "}\\par " + RtfText("Το σχήματος δε μετρά.") + "\\par \\trowd\\cellx2000\\cellx4000 " + RtfText("σχήμα") + "\\cell " +
      RtfText("κελί") + "\\cell\\row " + RtfText("Τέλος: σχήμα.") + "}";
  fixture.WritePublished({{"anchor", "{" + RtfText("Το σχήμα της άγκυρας.") + "}"}, {"hawser", hawser}},
                         {{1, quorvel::Utf8ToCp1253("άγκυρα")}, {2, quorvel::Utf8ToCp1253("παλαμάρι")}},
                         "\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}}"
                         "{\\colortbl ;\\red255\\green0\\blue0;}\r\n");
  QImage drawing(8, 8, QImage::Format_RGB32);
  drawing.fill(Qt::blue);
  QDir(QString::fromStdString(fixture.programDir())).mkpath(QStringLiteral("content"));
  drawing.save(QString::fromStdString(fixture.programDir()) + QStringLiteral("content/fig22.bmp"));
}

// Where the word stands whole in the shown document, found in the document itself.
QList<QTextCursor> WholeWords(QTextDocument* document) {
  const QRegularExpression whole(QStringLiteral("\\b") + kWord + QStringLiteral("\\b"),
                                 QRegularExpression::CaseInsensitiveOption |
                                     QRegularExpression::UseUnicodePropertiesOption);
  QList<QTextCursor> found;
  for (QTextCursor at = document->find(whole); !at.isNull(); at = document->find(whole, at)) found << at;
  return found;
}

QTextCharFormat FormatAt(QTextDocument* document, int position) {
  QTextCursor cursor(document);
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

}  // namespace

class tst_WordMarks : public QObject {
  Q_OBJECT

 private slots:
  void foundWordIsMarkedInTheViewAlone();

 private:
  RichTextView* View() const { return w_->W<RichTextView>("Description_Text"); }
  void Click(const char* button) { QTest::mouseClick(w_->W(button), Qt::LeftButton); }
  // Presses F3 (Shift+F3 when `back`) in `field`; the caret is then at mark `expected`, without
  // a selection, in sight, and no figure opened.
  void FindKey(QWidget* field, bool back, int expected);
  // What the Copy button and Ctrl+C (round the red mark) copy, and what the print gets: text,
  // rich text, RTF, the selection's text and rich text, the print document.
  QStringList CopyAndPrint();

  std::unique_ptr<SearchDialogsWindow> w_;
  int figuresOpened_ = 0;
  QTemporaryDir output_;
};

void tst_WordMarks::FindKey(QWidget* field, bool back, int expected) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_F3, back ? Qt::ShiftModifier : Qt::NoModifier);
  // The view reports selection changes to the figure rule through the event queue.
  QCoreApplication::processEvents();
  RichTextView* view = View();
  QCOMPARE(view->SelectionStart(), view->Marks().at(static_cast<size_t>(expected)).start);
  QCOMPARE(view->SelectionLength(), 0);
  QVERIFY(view->viewport()->rect().contains(view->cursorRect()));
  QCOMPARE(figuresOpened_, 0);
}

QStringList tst_WordMarks::CopyAndPrint() {
  RichTextView* view = View();
  view->setFocus();
  view->Select(0, 0);
  Click("Copy_Button");
  const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
  QStringList given{copied->text(), copied->html(), QString::fromLatin1(copied->data(QStringLiteral("text/rtf")))};
  view->Select(static_cast<int>(view->DisplayText().find(U"Κόκκινο")), 14);
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  copied = QGuiApplication::clipboard()->mimeData();
  given << copied->text() << copied->html();
  w_->window().printController().SetPrinterChoice([this](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output_.filePath(QStringLiteral("entry.pdf")));
    return true;
  });
  Click("Print_Button");
  return given << QString::fromLatin1(w_->window().printController().PrintText());
}

void tst_WordMarks::foundWordIsMarkedInTheViewAlone() {
  w_ = std::make_unique<SearchDialogsWindow>(WriteDictionary);
  // A figure that opens is counted and closed at once.
  QTimer figureWatch;
  connect(&figureWatch, &QTimer::timeout, this, [this] {
    if (auto* figure = qobject_cast<quorvel::ui::TFigForm*>(QApplication::activeModalWidget())) {
      ++figuresOpened_;
      figure->reject();
    }
  });
  figureWatch.start(5);
  QVERIFY(w_->WithDialog("DescrSearch_Button", [](QDialog& dialog) {
    quorvel::test::TypeText(dialog.focusWidget(), kWord);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  }));
  QCOMPARE(w_->ItemTexts(), (QStringList{"anchor", "hawser"}));
  QVERIFY(w_->ClickItem(QStringLiteral("hawser")));
  RichTextView* view = View();
  QTextDocument* shown = view->document();

  // Every whole occurrence, and nothing else, in the view's units and in its document.
  const std::vector<quorvel::ui::WordMark> marks = view->Marks();
  QCOMPARE(marks.size(), size_t{4});
  for (const quorvel::ui::WordMark& mark : marks) {
    QCOMPARE(quorvel::ui::ToQString(view->TextRange(mark.start, mark.length)).toLower(), kWord);
  }
  const QList<QTextCursor> words = WholeWords(shown);
  QCOMPARE(words.size(), 4);
  QVERIFY(!FormatAt(shown, static_cast<int>(shown->find(QStringLiteral("σχήματος")).selectionStart()))
               .hasProperty(QTextFormat::BackgroundBrush));
  // Each marked character reads on its mark; the black text's is the warm yellow, the red
  // text's a shade that red reads on; both stand out on the white page.
  QSet<QRgb> backgrounds;
  for (const QTextCursor& word : words) {
    for (int at = word.selectionStart(); at < word.selectionEnd(); ++at) {
      const QTextCharFormat format = FormatAt(shown, at);
      const QColor mark = format.background().color();
      const QColor text = format.foreground().style() == Qt::NoBrush ? view->palette().color(QPalette::Text)
                                                                      : format.foreground().color();
      QVERIFY2(quorvel::ui::ContrastRatio(mark, text) >= 4.5, qPrintable(mark.name() + " behind " + text.name()));
      QVERIFY(quorvel::ui::ContrastRatio(mark, Qt::white) >= 1.4);
      backgrounds << mark.rgb();
    }
  }
  QCOMPARE(backgrounds.size(), 2);
  QVERIFY(backgrounds.contains(quorvel::ui::WordMarkColour().rgb()));

  // What a screen reader is told of a marked character and of the one before the word.
  QAccessibleTextInterface* spoken = QAccessible::queryAccessibleInterface(view)->textInterface();
  QVERIFY(spoken);
  int from = 0, to = 0;
  const QString marked = spoken->attributes(words[0].selectionStart(), &from, &to);
  QVERIFY2(marked.contains(QStringLiteral("background-color:rgb(255,213,79)")), qPrintable(marked));
  const QString plain = spoken->attributes(words[0].selectionStart() - 2, &from, &to);
  QVERIFY2(!plain.contains(QStringLiteral("background-color")), qPrintable(plain));

  // The first mark lies below the first screen: the view has scrolled to it, caret there.
  QVERIFY(view->verticalScrollBar()->value() > view->viewport()->height());
  QCOMPARE(view->SelectionStart(), marks[0].start);
  QCOMPARE(view->SelectionLength(), 0);
  QVERIFY(view->viewport()->rect().contains(view->cursorRect()));

  // The find keys from each field, round and back; the figure reference is passed, not selected.
  FindKey(w_->SearchBox(), false, 1);
  FindKey(w_->List(), false, 2);
  FindKey(view, false, 3);
  FindKey(view, false, 0);
  FindKey(w_->SearchBox(), true, 3);
  FindKey(view, true, 2);
  // Selecting the reference's word opens its drawing: the figure check above is a real one.
  view->Select(marks[0].start, marks[0].length);
  QTRY_COMPARE(figuresOpened_, 1);

  // Copies and the print come from the entry, not from the marked view.
  const QStringList withMarks = CopyAndPrint();
  QCOMPARE(withMarks[3], QStringLiteral("Κόκκινο σχήμα."));
  QVERIFY(!withMarks[1].isEmpty() && !withMarks[4].isEmpty() && withMarks[2].startsWith(QStringLiteral("{\\rtf1")));
  for (const QString& given : withMarks) {
    QVERIFY2(!given.contains(QStringLiteral("background")) && !given.contains(QStringLiteral("\\highlight")) &&
                 !given.contains(QStringLiteral("\\cb")) && !given.contains(QStringLiteral("\\green213")),
             qPrintable(given));
  }
  // Quick translation's own copy is the same copy, and looks nothing up.
  Click("AutoTranslate_Button");
  view->Select(0, 0);
  Click("Copy_Button");
  QCOMPARE(QGuiApplication::clipboard()->mimeData()->html(), withMarks[1]);
  Click("AutoTranslate_Button");
  QCOMPARE(w_->SearchBox()->text(), kWord);
  QCOMPARE(view->Marks().size(), size_t{4});

  // Another found entry: its own mark, none of the last one's.
  QVERIFY(w_->ClickItem(QStringLiteral("anchor")));
  QCOMPARE(view->Marks().size(), size_t{1});
  QCOMPARE(WholeWords(view->document()).size(), 1);
  QVERIFY(FormatAt(view->document(), WholeWords(view->document())[0].selectionStart())
              .hasProperty(QTextFormat::BackgroundBrush));

  // Typing clears the view and its marks; F3 then has nothing to go to.
  w_->SearchBox()->setFocus();
  w_->SearchBox()->selectAll();
  w_->Type(QStringLiteral("π"));
  QVERIFY(view->Marks().empty());
  QVERIFY(view->PlainText().empty());
  QTest::keyClick(w_->SearchBox(), Qt::Key_F3);
  QCOMPARE(view->SelectionStart(), 0);

  // The same entry from a typed list in the same language: no marks, and the same copies and
  // print as with them.
  w_->Type(QStringLiteral("αλαμάρι"));
  QCOMPARE(w_->W<quorvel::ui::CaptionLabel>("Trans_Label")->caption(), QStringLiteral("hawser"));
  QVERIFY(view->Marks().empty());
  for (const QTextCursor& word : WholeWords(view->document())) {
    QVERIFY(!FormatAt(view->document(), word.selectionStart()).hasProperty(QTextFormat::BackgroundBrush));
  }
  const int caret = view->textCursor().position();
  QTest::keyClick(view, Qt::Key_F3);
  QCOMPARE(view->textCursor().position(), caret);
  QCOMPARE(CopyAndPrint(), withMarks);
  figureWatch.stop();
  w_.reset();
}

QTEST_MAIN(tst_WordMarks)
#include "tst_WordMarks.moc"

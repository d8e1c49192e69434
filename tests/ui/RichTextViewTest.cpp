// The description view: what it shows of an RTF document, and that selections, plain text
// and copies count in the model's units.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QtTest>

#include <string>

#include "richtext/Document.h"
#include "richtext/PlainText.h"
#include "ui/RichTextView.h"

namespace richtext = quorvel::richtext;
using quorvel::ui::RichTextView;

namespace {

// A description document as the program assembles one: a Greek font table, then the body.
std::string Rtf(const std::string& body) {
  return "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}"
         "{\\f1\\fnil\\fcharset0 Times New Roman;}}\\f0\\fs20 " +
         body + "}";
}

// "Σχήμα" as RTF escapes and as code page 1253 bytes.
const std::string kFigureWordRtf = "\\'d3\\'f7\\'de\\'ec\\'e1";
const std::string kFigureWordBytes = "\xd3\xf7\xde\xec\xe1";

richtext::Paragraph TextParagraph(std::u32string text, bool ended = true) {
  richtext::Paragraph paragraph;
  paragraph.items.emplace_back(richtext::Run{richtext::CharFormat{}, std::move(text)});
  paragraph.ended = ended;
  return paragraph;
}

// The view answers in the model's units exactly when its map covers every unit.
void CheckUnitsMatchModel(const RichTextView& view) {
  QVERIFY(view.DisplayText() == richtext::DisplayText(view.Model()));
}

QTextCharFormat FormatAt(const QTextDocument& document, const QString& text) {
  QTextCursor found = document.find(text);
  QTextCursor inside(found);
  inside.setPosition(found.selectionStart() + 1);
  return inside.charFormat();
}

}  // namespace

class tst_RichTextView : public QObject {
  Q_OBJECT

 private slots:
  void greekTextShowsAsUnicode() {
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf(kFigureWordRtf + " 1\\par end")));
    QCOMPARE(view.toPlainText(), QStringLiteral(u"Σχήμα 1\nend"));
    QCOMPARE(view.PlainText(), kFigureWordBytes + " 1\r\nend");
  }

  void charFormatsFollowTheRuns() {
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("{\\b bold} {\\i italic} {\\ul under} {\\strike gone} "
                             "x{\\super 2} {\\f1\\fs32 big} plain")));
    const QTextDocument& doc = *view.document();
    QCOMPARE(FormatAt(doc, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(!FormatAt(doc, "bold").fontItalic());
    QVERIFY(FormatAt(doc, "italic").fontItalic());
    QCOMPARE(FormatAt(doc, "italic").fontWeight(), int(QFont::Normal));
    QVERIFY(FormatAt(doc, "under").fontUnderline());
    QVERIFY(FormatAt(doc, "gone").fontStrikeOut());
    QCOMPARE(FormatAt(doc, "big").fontPointSize(), 16.0);
    QCOMPARE(FormatAt(doc, "big").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    QCOMPARE(FormatAt(doc, "plain").fontPointSize(), 10.0);
    QCOMPARE(FormatAt(doc, "plain").fontFamilies().toStringList(), QStringList{"Arial"});
    QTextCursor two = doc.find("2");
    QCOMPARE(two.charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
  }

  void tableBecomesQTextTable() {
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("before\\par\\trowd\\cellx1500\\cellx4500"
                             "\\intbl a1\\cell b1\\cell\\row"
                             "\\trowd\\cellx1500\\cellx4500\\intbl a2\\cell b2\\cell\\row after")));
    QTextCursor cursor = view.document()->find("b2");
    QTextTable* table = cursor.currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(table->cellAt(0, 1).firstCursorPosition().block().text(), QStringLiteral("b1"));
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 2);
    QCOMPARE(widths[0].rawValue(), 100.0);  // 1500 twips
    QCOMPARE(widths[1].rawValue(), 200.0);
    QCOMPARE(view.PlainText(), std::string("before\r\na1\tb1\t\r\na2\tb2\t\r\nafter"));

    // Dragging from one cell into another selects the block of cells between them: its
    // text runs from the first cell to the last, with the model's TABs and row marks.
    QTextCursor selection(view.document());
    selection.setPosition(view.document()->find("b1").selectionStart());
    selection.setPosition(view.document()->find("a2").selectionEnd(), QTextCursor::KeepAnchor);
    view.setTextCursor(selection);
    QCOMPARE(view.SelectedText(), std::string("a1\tb1\t\r\na2\tb2"));
    QCOMPARE(view.SelectionStart(), 7);
    selection.setPosition(view.document()->find("b1").selectionEnd());
    selection.setPosition(view.document()->find("b2").selectionEnd(), QTextCursor::KeepAnchor);
    view.setTextCursor(selection);
    QCOMPARE(view.SelectedText(), std::string("b1\t\r\na2\tb2"));
  }

  void everyCharacterMapsToItsOwnUnit() {
    // Paragraphs, a line break, a tab, a table with a two-paragraph cell and a short row.
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("one\\line two\\tab three\\par"
                             "\\trowd\\cellx1000\\cellx2000\\intbl p\\par q\\cell r\\cell\\row"
                             "\\trowd\\cellx1000\\intbl s\\cell\\row "
                             "{\\b last}\\par")));
    const std::u32string& units = view.DisplayText();
    QVERIFY(units == U"one\u2028two\tthree\u2029p\u2029q\tr\t\u2029s\t\u2029last\u2029");
    for (int i = 0; i < static_cast<int>(units.size()); ++i) {
      const char32_t unit = units[static_cast<std::size_t>(i)];
      if (unit < U'a' || unit > U'z') continue;
      view.Select(i, 1);
      QCOMPARE(view.textCursor().selectedText(), QString::fromUcs4(&unit, 1));
      QCOMPARE(view.SelectionStart(), i);
      QCOMPARE(view.SelectionLength(), 1);
    }
    view.selectAll();
    QCOMPARE(view.SelectedText(), view.PlainText());
  }

  void figureReferenceSelectionCountsInModelUnits() {
    // The reference stands after a paragraph and a table, where the document's own
    // positions run ahead of the model's.
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("intro\\par\\trowd\\cellx1000\\cellx2000\\intbl x\\cell y\\cell\\row"
                             "\\trowd\\cellx1000\\cellx2000\\intbl z\\cell w\\cell\\row see \\{" +
                             kFigureWordRtf + " 2\\}.\\par")));
    QTextCursor word = view.document()->find(QStringLiteral(u"Σχήμα"));
    QVERIFY(!word.isNull());
    view.setTextCursor(word);
    QCOMPARE(view.SelectedText(), kFigureWordBytes);
    QCOMPARE(view.SelectionLength(), 5);
    const int last = view.SelectionStart() + view.SelectionLength() - 1;
    QCOMPARE(view.TextRange(last, 4), std::string("\xe1 2}"));
    // Three paragraph marks stand before it, each two bytes in the plain text.
    QCOMPARE(view.PlainText().find(kFigureWordBytes),
             static_cast<std::size_t>(view.SelectionStart()) + 3);
    QCOMPARE(view.TextRange(last, 100), std::string("\xe1 2}.\r\n"));
  }

  void damagedDocumentsKeepTheUnitsOfTheirModel() {
    const std::string whole =
        Rtf("{\\b head} text\\line more\\par\\trowd\\cellx1000\\cellx2000\\intbl a\\par b\\cell c"
            "\\cell\\row\\trowd\\cellx1000\\intbl d\\cell\\row{\\pict\\pngblip 89504e47}tail\\par");
    RichTextView view;
    for (std::size_t length = 0; length <= whole.size(); ++length) {
      view.LoadRtf(whole.substr(0, length));
      CheckUnitsMatchModel(view);
      view.selectAll();
      QCOMPARE(view.SelectedText(), view.PlainText());
    }
  }

  void unusualModelsKeepOneUnitPerCharacter() {
    richtext::Document document;
    document.fonts.push_back({"Arial", 161});
    richtext::Paragraph odd = TextParagraph(U"a\u2029b\uFDD0c\nd\U0001F600e");
    richtext::Run hidden{richtext::CharFormat{}, U"hidden"};
    hidden.format.hidden = true;
    hidden.format.font = 7;  // no such font
    odd.items.push_back(hidden);
    document.blocks.emplace_back(odd);
    richtext::Table table;
    table.rows.push_back(richtext::Row{});  // a row without cells
    richtext::Row open;
    open.cells.push_back(richtext::Cell{{TextParagraph(U"f", false)}});
    open.ended = false;
    table.rows.push_back(open);
    document.blocks.emplace_back(table);
    document.blocks.emplace_back(richtext::Table{});
    document.blocks.emplace_back(TextParagraph(U"g", false));

    RichTextView view;
    view.ShowDocument(document);
    CheckUnitsMatchModel(view);
    QVERIFY(view.DisplayText() == U"a\u2029b\uFDD0c\nd\U0001F600e\u2029\u2029f\tg");
    for (const char32_t letter : std::u32string(U"abcdefg")) {
      const int unit = static_cast<int>(view.DisplayText().find(letter));
      view.Select(unit, 1);
      QCOMPARE(view.textCursor().selectedText(), QString::fromUcs4(&letter, 1));
      QCOMPARE(view.SelectionStart(), unit);
    }
    view.Select(7, 1);  // the character outside the code page's plane: one unit, "?"
    QCOMPARE(view.SelectedText(), std::string("?"));
  }

  void notRtfLeavesTheViewEmpty() {
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("old text")));
    QVERIFY(!view.LoadRtf("plain words, no RTF"));
    QVERIFY(view.toPlainText().isEmpty());
    QVERIFY(view.PlainText().empty());
    QCOMPARE(view.SelectionLength(), 0);
    QVERIFY(!view.CopyData());
  }

  void changingTheTextBehindTheModelEmptiesTheAnswers() {
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("text")));
    view.clear();
    view.selectAll();
    QVERIFY(view.PlainText().empty());
    QVERIFY(view.SelectedText().empty());
    QVERIFY(!view.CopyData());
    QVERIFY(view.LoadRtf(Rtf("again")));
    QCOMPARE(view.PlainText(), std::string("again"));
  }

  void copyGivesSelectionAsPlainTextOrTheWholeAsRichText() {
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("{\\b " + kFigureWordRtf + "} one\\par two")));
    view.Select(6, 3);
    view.CopySelectionOrAll();
    const QMimeData* selection = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(selection->text(), QStringLiteral("one"));
    QVERIFY(!selection->hasHtml());

    view.Select(0, 0);
    std::unique_ptr<QMimeData> whole = view.CopyData();
    QVERIFY(whole);
    QCOMPARE(whole->text(), QStringLiteral(u"Σχήμα one\ntwo"));
    QVERIFY(whole->hasHtml());
    QVERIFY(whole->html().contains(QStringLiteral("font-weight")));
    QVERIFY(whole->data("text/rtf").startsWith("{\\rtf1"));
    QCOMPARE(view.SelectionLength(), 0);
  }

  void pictureIsOneUnitWithItsImage() {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    RichTextView view;
    QVERIFY(view.LoadRtf(Rtf("a{\\pict\\pngblip\\picw8\\pich6\\picwgoal240\\pichgoal180 " +
                             png.toHex().toStdString() + "}b")));
    QCOMPARE(view.DisplayText().size(), std::size_t{3});
    QCOMPARE(view.PlainText(), std::string("ab"));
    view.Select(1, 1);
    QTextCursor cursor(view.document());
    cursor.setPosition(view.textCursor().selectionEnd());
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    QVERIFY(format.isValid());
    QCOMPARE(format.width(), 16.0);  // 240 twips
    QCOMPARE(format.height(), 12.0);
    const QImage shown =
        view.document()->resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    QCOMPARE(shown.size(), QSize(8, 6));
  }
};

QTEST_MAIN(tst_RichTextView)
#include "RichTextViewTest.moc"

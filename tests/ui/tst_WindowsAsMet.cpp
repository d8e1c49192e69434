// The windows as a person meets them on a desktop with a window manager (run at scale 1 and at
// QT_SCALE_FACTOR=2): every fixed text whole in the fonts the program depends on, dialogs that
// keep a fixed frame and never take the program off the screen, the window and its menus where
// they belong, and the keyboard and the screen reader reaching what the mouse reaches.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <tuple>

#include "core/Cp1253.h"
#include "core/Session.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/ui/ForeignWindow.h"
#include "tests/ui/ModalSteps.h"
#include "tests/ui/WindowManager.h"
#include "ui/FigFormU.h"
#include "ui/MainLexU.h"
#include "ui/RichTextView.h"
#include "ui/SelectCustomDirFormU.h"

using quorvel::test::OnNextModal;
using quorvel::test::TypeText;
using quorvel::test::RtfText;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }

QString WithoutMnemonic(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?=[^&])"))); }
QString Shown(const QString& text) {  // as a caption reads: no mnemonic, no closing colon
  return WithoutMnemonic(text).remove(QRegularExpression(QStringLiteral(":\\s*$"))).trimmed();
}

// The texts of the window `root` that its controls do not show whole, measured with the font
// each control draws with; a read-only memo that is not meant to scroll must hold its text.
QStringList CutTexts(const QWidget* root) {
  QStringList cut;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(root) || w->isWindow()) continue;
    const QFontMetrics metrics(w->font());
    QString text;
    bool whole = true;
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
      text = label->buddy() ? WithoutMnemonic(label->text()) : label->text();
      const QRect room = label->contentsRect();
      const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 10000), label->wordWrap() ? Qt::TextWordWrap : 0, text);
      whole = needed.width() <= room.width() && needed.height() <= room.height();
    } else if (auto* button = qobject_cast<QPushButton*>(w); button && !button->text().isEmpty()) {
      text = button->text();
      QStyleOptionButton option;
      option.initFrom(button);
      const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
      const int glyph = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
      whole = metrics.horizontalAdvance(WithoutMnemonic(text)) + glyph <= room.width() &&
              metrics.height() <= room.height();
    } else if (auto* memo = qobject_cast<QTextEdit*>(w);
               memo && memo->isReadOnly() && memo->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn) {
      text = memo->toPlainText();
      whole = memo->document()->size().height() <= memo->viewport()->height() && !memo->verticalScrollBar()->isVisible();
    } else if (auto* note = qobject_cast<QPlainTextEdit*>(w); note && note->isReadOnly()) {
      text = note->toPlainText();
      qreal height = 2 * note->document()->documentMargin();
      for (QTextBlock b = note->document()->begin(); b.isValid(); b = b.next()) height += b.layout()->boundingRect().height();
      whole = height <= note->viewport()->height();
    }
    if (!whole) cut << w->objectName() + QStringLiteral(": ") + text;
  }
  return cut;
}

// The controls of `root` whose spoken name lacks what the screen shows for them: a button's or
// a label's text, an edit's caption (the label whose buddy it is).
QStringList NamesWithoutTheirText(const QWidget* root) {
  QStringList lacking;
  const QList<QWidget*> controls = root->findChildren<QWidget*>();
  for (QWidget* w : controls) {
    if (!w->isVisibleTo(root) || w->isWindow()) continue;
    QString text = qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                   : qobject_cast<QLabel*>(w)        ? qobject_cast<QLabel*>(w)->text()
                                                     : QString();
    for (QWidget* other : controls) {
      if (auto* caption = qobject_cast<QLabel*>(other); caption && caption->buddy() == w) text = caption->text();
    }
    const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    if (!name.contains(Shown(text), Qt::CaseInsensitive)) lacking << w->objectName() + " \"" + name + '"';
  }
  return lacking;
}

// Counts the times Qt heard from the window manager that `window` was minimised.
struct MinimiseCount : QObject {
  explicit MinimiseCount(QWidget* window) { window->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    count += event->type() == QEvent::WindowStateChange && static_cast<QWidget*>(watched)->isMinimized();
    return false;
  }
  int count = 0;
};

}  // namespace

class tst_WindowsAsMet : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void everyFixedTextIsWhole();
  void dialogsKeepAFixedFrameAndTheProgramInSight();
  void windowPictureAndMenusStandWhereTheyBelong();
  void keyboardAndScreenReaderReachWhatTheMouseReaches();

 private:
  template <typename T = QWidget>
  T* W(const char* name) const {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  void Type(const QString& text) {
    W<QLineEdit>("Entry_Text")->clear();
    TypeText(W("Entry_Text"), text);
  }
  // Runs `open`, which shows a modal dialog and returns once it is closed; `work` runs on the
  // dialog on the screen (a dialog it leaves open is closed). Whether `work` ran.
  bool WithModal(const std::function<void()>& open, const std::function<void(QDialog*)>& work) {
    bool worked = false;
    OnNextModal([&](QWidget* modal) {
      if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && QTest::qWaitForWindowExposed(dialog)) {
        work(dialog);
        worked = true;
      }
      if (modal->isVisible()) modal->close();
    });
    open();
    quorvel::test::CancelWaitingSteps();
    return worked;
  }
  // Opens each dialog in turn, as its command does, and runs `work` on it.
  void ForEveryDialog(const std::function<void(const QString& name, QDialog*)>& work);
  bool Open();

  std::unique_ptr<quorvel::test::DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<quorvel::ui::TMainLex> window_;
  quorvel::platform::FakeDesktop* desktop_ = nullptr;
};

void tst_WindowsAsMet::init() {
  fixture_ = std::make_unique<quorvel::test::DictionaryFixture>();
  fixture_->WritePublished({{"anchor", "{Anchor.}"},
                            {"hitch", "{" + RtfText("Κόμποι {Σχήμα 2} και άλλοι.") + "}", 1, {}, 77},  // number 77
                            {"long rendering of a nautical term that needs two lines", "{Long.}", 1,
                             Cp("μακριά απόδοση ναυτικού όρου που πιάνει δύο γραμμές")},
                            {"ship", "{Ship.}"},
                            {"stern", "{Stern.}"}},
                           {{1, Cp("άγκυρα")}, {2, Cp("κόμπος")}, {4, Cp("πλοίο")}, {5, Cp("πρύμνη")}});
  fixture_->WriteUserEntries({{1, 100, "boat", "{Boat.}"}});
  fixture_->WriteFile("Quorvel", "program");
  QImage drawing(40, 30, QImage::Format_RGB32);
  drawing.fill(Qt::darkBlue);
  QDir().mkpath(QString::fromStdString(fixture_->programDir() + "content"));
  drawing.save(QString::fromStdString(fixture_->programDir() + "content/fig772.bmp"), "BMP");
  session_ = std::make_unique<quorvel::Session>(fixture_->locations(), fs_, [](std::string_view rtf) {
    return quorvel::richtext::RtfToPlainText(rtf);
  });
}

void tst_WindowsAsMet::cleanup() {
  quorvel::test::CancelWaitingSteps();
  window_.reset();
}

// The window, made in each test after what the test puts on the desktop first. No Greek
// keyboard layout: in Greek mode the program types Greek itself.
bool tst_WindowsAsMet::Open() {
  auto desktop = std::make_unique<quorvel::platform::FakeDesktop>();
  desktop_ = desktop.get();
  window_ = std::make_unique<quorvel::ui::TMainLex>(
      *session_,
      std::make_unique<quorvel::platform::FakeKeyboardLayouts>(std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}}),
      nullptr, std::make_unique<quorvel::platform::FakeClipboard>(), std::move(desktop));
  window_->show();
  return QTest::qWaitForWindowActive(window_.get());
}

void tst_WindowsAsMet::ForEveryDialog(const std::function<void(const QString& name, QDialog*)>& work) {
  const auto as = [&](const char* name) { return [&work, name](QDialog* d) { work(QString::fromLatin1(name), d); }; };
  const auto click = [this](const char* name) { return [this, name] { QTest::mouseClick(W(name), Qt::LeftButton); }; };
  QVERIFY(WithModal(click("Search_Button"), as("criteria")));
  QVERIFY(WithModal(click("DescrSearch_Button"), as("description search")));
  QVERIFY(WithModal([this] { W<QAction>("InsertEntryItem")->trigger(); }, as("editor, insert")));
  Type(QStringLiteral("ship"));
  QVERIFY(WithModal([this] { W<QAction>("ModifyEntryItem")->trigger(); }, as("editor, modify")));
  for (const auto& [mode, name] : {std::pair{quorvel::FolderMode::kNull, "folder, none known"},
                                   std::pair{quorvel::FolderMode::kInvalid, "folder, invalid"},
                                   std::pair{quorvel::FolderMode::kInstall, "folder, install"}}) {
    quorvel::ui::TSelectCustomDirForm folder(fs_, window_.get());
    folder.SetQuestion(mode == quorvel::FolderMode::kInstall ? quorvel::ui::InstallQuestion({})
                                                             : quorvel::ui::UserEntriesQuestion(mode));
    QVERIFY(WithModal([&] { folder.exec(); }, as(name)));
  }
  QVERIFY(WithModal(click("CopyrightLabel"), as("copyright")));
}

void tst_WindowsAsMet::everyFixedTextIsWhole() {
  QVERIFY(Open());
  // Both heading lines take two lines.
  Type(QStringLiteral("long"));
  auto* list = W<QListView>("Entries_List");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
  auto* rendering = W<QLabel>("Trans_Label");
  const QFontMetrics renderingMetrics(rendering->font());
  QVERIFY(renderingMetrics.boundingRect(rendering->rect(), Qt::TextWordWrap, rendering->text()).height() >
          renderingMetrics.lineSpacing());
  QStringList cut = CutTexts(window_.get());

  // The hint of an item longer than the list takes one or two lines; in the compact window,
  // where it is the whole entry, it is as wide as its longest line allows.
  const auto hint = [&] {
    const QPoint at = list->visualRect(list->model()->index(0, 0)).center();
    QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, {}, {});
    QApplication::sendEvent(list->viewport(), &move);
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    QWidget* tip = nullptr;
    (void)QTest::qWaitFor([&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QStringLiteral("qtooltip_label") && top->isVisible()) tip = top;
      }
      return tip != nullptr;
    });
    return tip ? tip->size() : QSize();
  };
  const QFontMetrics tipMetrics(QToolTip::font());
  QSize tip = hint();
  QVERIFY2(tip.height() < 3 * tipMetrics.lineSpacing() && tip.width() > list->width(), qPrintable(QDebug::toString(tip)));
  QToolTip::hideText();
  window_->resize(window_->minimumSize());
  Type(QStringLiteral("ship"));
  tip = hint();
  QVERIFY2(tip.width() >= tipMetrics.horizontalAdvance(QStringLiteral("ship [πλοίο]")), qPrintable(QDebug::toString(tip)));
  QToolTip::hideText();

  ForEveryDialog([&](const QString& name, QDialog* dialog) {
    for (const QString& text : CutTexts(dialog)) cut << name + QStringLiteral(": ") + text;
  });
  QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

void tst_WindowsAsMet::dialogsKeepAFixedFrameAndTheProgramInSight() {
  quorvel::test::WindowManager wm;
  QVERIFY(Open());
  QWidget* main = window_.get();
  ForEveryDialog([&](const QString& name, QDialog* dialog) {
    // A fixed size, so that the window manager offers no maximise.
    QVERIFY2(dialog->minimumSize() == dialog->maximumSize(), qPrintable(name));
    QVERIFY2(QTest::qWaitFor([&] { return !wm.AllowedActions(dialog->winId()).isEmpty(); }), qPrintable(name));
    QVERIFY2(!wm.AllowedActions(dialog->winId()).join(' ').contains(QStringLiteral("MAXIMIZE")), qPrintable(name));
    // Minimising the dialog, then the main window under it: both come back at once. (Each
    // step waits until the dialog is active: activating a window would bring it back too.)
    for (QWidget* minimised : {static_cast<QWidget*>(dialog), main}) {
      QVERIFY2(QTest::qWaitForWindowActive(dialog), qPrintable(name));
      QGuiApplication::sync();
      MinimiseCount heard(minimised);
      wm.Minimise(minimised->winId());
      QVERIFY2(QTest::qWaitFor([&] { return heard.count > 0; }), qPrintable(name));
      QVERIFY2(QTest::qWaitFor([&] {
                 return !wm.Minimised(dialog->winId()) && !wm.Minimised(main->winId()) && !dialog->isMinimized() &&
                        !main->isMinimized();
               }), qPrintable(name + QStringLiteral(" left minimised")));
    }
    int result = -1;
    connect(dialog, &QDialog::finished, this, [&](int r) { result = r; });
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("InsertEntry_Text"));
    if (name == QStringLiteral("copyright")) {
      // After a click on a link the focus is still on OK: Enter closes the window.
      QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("SiteLabel")), Qt::LeftButton);
      QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Return);
      QCOMPARE(desktop_->opened.size(), size_t{1});
    } else {
      // The close box cancels as the cancel button does (the editor forgets what was typed).
      if (field && field->isEnabled()) field->setText(QStringLiteral("typed"));
      wm.Close(dialog->winId());
    }
    QVERIFY2(QTest::qWaitFor([&] { return !dialog->isVisible(); }) && result == QDialog::Rejected, qPrintable(name));
    QVERIFY(!field || field->text().isEmpty());
  });
  QCOMPARE(session_->dictionary().englishCount, 6);  // the closed editor inserted nothing
}

void tst_WindowsAsMet::windowPictureAndMenusStandWhereTheyBelong() {
  quorvel::test::ForeignWindow other;
  QVERIFY(QTest::qWaitFor([&] { return other.Shown(); }, 15000));
  QCursor::setPos(QGuiApplication::primaryScreen()->geometry().center() + QPoint(100, 50));
  QVERIFY(Open());
  // Centred on the pointer's screen from the first showing, another window on the desktop or
  // not; only its frame, not known before it is mapped, may put the centre off.
  const QRect outer = window_->frameGeometry();
  const QPoint offset = outer.center() - window_->screen()->availableGeometry().center();
  const QSize frame = outer.size() - window_->size();
  QVERIFY2(std::abs(offset.x()) <= frame.width() / 2 + 1 && std::abs(offset.y()) <= frame.height() / 2 + 1,
           qPrintable(QDebug::toString(offset)));

  // In a narrow window the title picture lies under the search box and the list, which show
  // whole over it, and it has no background of its own.
  window_->resize(480, window_->height());
  Type(QStringLiteral("s"));
  auto* picture = W<QLabel>("Selmarin_Image");
  QVERIFY(picture->isVisible());
  W("Description_Text")->setFocus();  // no blinking caret in what is compared
  const QImage shown = window_->grab().toImage();
  for (const char* name : {"Panel2", "Entries_List"}) {
    QWidget* control = W(name);
    QVERIFY(control->geometry().intersects(picture->geometry()));
    const QImage own = control->grab().toImage().convertToFormat(shown.format());
    QVERIFY2(shown.copy(QRect(control->pos() * shown.devicePixelRatio(), own.size())) == own, name);
  }
  const QImage artwork = picture->pixmap().toImage();
  QCOMPARE(artwork.pixelColor(QPoint(66, 58) * artwork.devicePixelRatio()).alpha(), 0);  // below the star

  // The menus drop below their buttons wherever the window has been moved to (a menu that would
  // reach past the screen's edge, on a scaled screen, keeps to it).
  window_->resize(604, 346);
  window_->move(40, 60);
  QVERIFY(QTest::qWaitFor([&] { return window_->frameGeometry().topLeft() == QPoint(40, 60); }));
  for (const char* shownEntry : {"anchor", "ship", "stern"}) Type(QString::fromLatin1(shownEntry));
  QTest::mouseClick(W("Prev_Button"), Qt::LeftButton);
  for (const auto& [button, name, under] : {std::tuple{"PrevMenu_Button", "PrevMenu", "Prev_Button"},
                                            std::tuple{"NextMenu_Button", "NextMenu", "Next_Button"},
                                            std::tuple{"CustomEntries_Button", "CustomEntriesMenu", "CustomEntries_Button"},
                                            std::tuple{"Pinakes_Button", "PinakesMenu", "Pinakes_Button"}}) {
    QTest::mouseClick(W(button), Qt::LeftButton);
    auto* menu = W<QMenu>(name);
    QVERIFY2(QTest::qWaitFor([&] { return menu->isVisible(); }), name);
    // The window's outer corner, the button's place in it, and 4 and 22 for the frame's border
    // and title bar.
    const QPoint below = window_->frameGeometry().topLeft() + W(under)->mapTo(window_.get(), QPoint(4, W(under)->height() + 22));
    // Under this window manager's frame (not scaled with the screen), that is just below the
    // button.
    QVERIFY(std::abs(below.y() - W(under)->mapToGlobal(QPoint(0, W(under)->height())).y()) <= 12);
    QCOMPARE(menu->pos(), QPoint(std::min(below.x(), window_->screen()->geometry().right() + 1 - menu->width()), below.y()));
    menu->hide();
  }
}

void tst_WindowsAsMet::keyboardAndScreenReaderReachWhatTheMouseReaches() {
  QVERIFY(Open());
  // Greek mode without a Greek layout: the fields of both search dialogs type Greek.
  QTest::mouseClick(W("Lang_Button"), Qt::LeftButton);
  for (const char* button : {"Search_Button", "DescrSearch_Button"}) {
    QString typed;
    QVERIFY(WithModal([&] { QTest::mouseClick(W(button), Qt::LeftButton); }, [&](QDialog* dialog) {
      TypeText(dialog->focusWidget(), QStringLiteral("plo;io"));
      typed = qobject_cast<QLineEdit*>(dialog->focusWidget())->text();
    }));
    QCOMPARE(typed, QStringLiteral("πλοίο"));
  }
  QTest::mouseClick(W("Lang_Button"), Qt::LeftButton);

  // The description is selected with the keys; a figure reference so selected opens its
  // drawing, while moving the caret alone opens nothing.
  Type(QStringLiteral("hitch"));
  auto* view = W<quorvel::ui::RichTextView>("Description_Text");
  const auto figureAfter = [](const std::function<void()>& select) {  // Escape closes the figure
    QString opened;
    OnNextModal([&](QWidget* modal) {
      if (auto* figure = qobject_cast<quorvel::ui::TFigForm*>(modal)) opened = figure->FigFileName();
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    select();
    QTest::qWait(200);
    quorvel::test::CancelWaitingSteps();
    return opened;
  };
  const int brace = static_cast<int>(view->DisplayText().find(U'{'));
  view->setFocus();
  view->Select(brace, 0);
  QCOMPARE(figureAfter([&] {
             for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_End, Qt::Key_Home}) QTest::keyClick(view, key);
           }),
           QString());
  view->Select(brace, 0);
  QCOMPARE(figureAfter([&] { for (int i = 0; i < 6; ++i) QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier); }),
           QString::fromStdString(fixture_->programDir() + "content/fig772.bmp"));
  QCOMPARE(view->SelectedText(), Cp("{Σχήμα"));
  view->Select(0, 0);
  QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
  QVERIFY(view->SelectionLength() > 6);

  // A screen reader says what the screen shows, in the window and in every dialog.
  QStringList lacking = NamesWithoutTheirText(window_.get());
  ForEveryDialog([&](const QString& name, QDialog* dialog) {
    for (const QString& control : NamesWithoutTheirText(dialog)) lacking << name + QStringLiteral(": ") + control;
  });
  QVERIFY2(lacking.isEmpty(), qPrintable(lacking.join('\n')));

  // The hidden maintenance buttons are neither read out nor reached with Tab; their keys still
  // click them.
  QStringList reached;
  QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(window_.get());
  for (int i = 0; i < tree->childCount(); ++i) reached << tree->child(i)->object()->objectName();
  for (QWidget* w = window_->nextInFocusChain(); w != window_.get(); w = w->nextInFocusChain()) reached << w->objectName();
  for (const char* hidden : {"Button1", "Button2", "Button3"}) QVERIFY2(!reached.contains(QLatin1String(hidden)), hidden);
  QString byKey;
  OnNextModal([&](QWidget* modal) {
    byKey = modal->objectName();
    modal->close();
  });
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(window_.get(), Qt::Key_3, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  QVERIFY(QTest::qWaitFor([&] { return !byKey.isEmpty(); }));
  QCOMPARE(byKey, QStringLiteral("ToolMessage"));
}

QTEST_MAIN(tst_WindowsAsMet)
#include "tst_WindowsAsMet.moc"

// The main window's documents, driven as a user drives them: the tables menu, the help button,
// the copyright window with its links, the publisher's presentation, the hidden maintenance
// buttons through their keys, and Qt's own texts in Greek. The desktop is a fake that records
// what it was asked to open or start.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QScopeGuard>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "core/Session.h"
#include "platform/Desktop.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/CopyrightFormU.h"
#include "ui/GreekTexts.h"
#include "ui/LinkLabel.h"
#include "ui/MainLexU.h"
#include "ui/RichTextView.h"

using quorvel::platform::FakeDesktop;
using quorvel::test::DictionaryFixture;
using quorvel::ui::TMainLex;

namespace {

// What a message box showed.
struct Shown {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

// Runs `action`, which is expected to open modal windows; `answer` is called with each one as
// it appears (it must close it). Returns how many appeared.
int WithModals(const std::function<void()>& action, const std::function<void(QWidget*)>& answer) {
  int count = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    // A window is answered once; a new one may take the address of one that has gone.
    if (modal == nullptr || !modal->isVisible() || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    ++count;
    answer(modal);
  });
  timer.start(20);
  action();
  QTest::qWait(50);
  return count;
}

// Runs `action` and closes every message box it shows with its first button.
std::vector<Shown> MessagesOf(const std::function<void()>& action) {
  std::vector<Shown> shown;
  WithModals(action, [&shown](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      modal->close();
      return;
    }
    Shown message{box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons()) message.buttons << button->text();
    shown.push_back(message);
    box->buttons().first()->click();
  });
  return shown;
}

}  // namespace

class tst_Documents : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void tablesAndHelpOpenTheirDocuments();
  void missingDocumentsSayWhichOne();
  void desktopThatRefusesGivesTheSameMessages();
  void presentationStartsWithTheProgramFolder();
  void copyrightWindowShowsTextAndLinks();
  void copyrightWindowWithoutItsTextAndFailingLinks();
  void maintenanceKeysRunTheTools();
  void qtTextsAreGreek();

 private:
  template <typename T>
  T* W(const char* name) const {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }
  QAction* Item(const char* name) const { return window_->findChild<QAction*>(QString::fromLatin1(name)); }
  QString Path(const char* relative) const {
    return QString::fromStdString(fixture_->programDir()) + QString::fromLatin1(relative);
  }
  void NewWindow();

  std::unique_ptr<DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<TMainLex> window_;
  FakeDesktop* desktop_ = nullptr;
};

void tst_Documents::init() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished({{"anchor", "{Anchor text.}"}, {"bow", "{Bow text.}"}}, {});
  fixture_->WriteFile("Quorvel", "program");
  for (const char* document : {"content/Preface.htm", "content/PinSI.htm", "content/PinChem.htm", "content/Quorvel.htm"}) {
    fixture_->WriteFile(document, "<html></html>");
  }
  NewWindow();
}

void tst_Documents::NewWindow() {
  window_.reset();
  session_ = std::make_unique<quorvel::Session>(
      fixture_->locations(), fs_, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  auto desktop = std::make_unique<FakeDesktop>();
  desktop_ = desktop.get();
  window_ = std::make_unique<TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(std::vector<quorvel::platform::KeyboardLayout>{}),
      nullptr, nullptr, std::move(desktop));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_Documents::cleanup() {
  window_.reset();
  session_.reset();
  fixture_.reset();
}

void tst_Documents::tablesAndHelpOpenTheirDocuments() {
  const std::vector<Shown> none = MessagesOf([&] {
    Item("PrefaceMenu")->trigger();
    Item("SIMenu")->trigger();
    Item("ChemicalMenu")->trigger();
    QTest::mouseClick(window_->findChild<QToolButton*>(QStringLiteral("Help_Button")), Qt::LeftButton);
  });
  QVERIFY(none.empty());
  QCOMPARE(desktop_->opened.size(), size_t{4});
  QCOMPARE(desktop_->opened[0], QUrl::fromLocalFile(Path("content/Preface.htm")));
  QCOMPARE(desktop_->opened[1], QUrl::fromLocalFile(Path("content/PinSI.htm")));
  QCOMPARE(desktop_->opened[2], QUrl::fromLocalFile(Path("content/PinChem.htm")));
  QCOMPARE(desktop_->opened[3], QUrl::fromLocalFile(Path("content/Quorvel.htm")));
  // The menu's items in their order.
  const QList<QAction*> items = W<QMenu>("PinakesMenu")->actions();
  QCOMPARE(items.size(), 3);
  QCOMPARE(items[0]->text(), QStringLiteral("Πρόλογος"));
  QCOMPARE(items[1]->text(), QStringLiteral("Διεθνές Σύστημα Μονάδων"));
  QCOMPARE(items[2]->text(), QStringLiteral("Πίνακας Χημικών Στοιχείων"));
}

void tst_Documents::missingDocumentsSayWhichOne() {
  std::filesystem::remove_all(fixture_->programDir() + "content");
  const std::vector<Shown> shown = MessagesOf([&] {
    Item("PrefaceMenu")->trigger();
    Item("SIMenu")->trigger();
    Item("ChemicalMenu")->trigger();
    QTest::mouseClick(window_->findChild<QToolButton*>(QStringLiteral("Help_Button")), Qt::LeftButton);
    QTest::mouseClick(W<QLabel>("Quenborath_Label"), Qt::LeftButton);
  });
  QCOMPARE(shown.size(), size_t{5});
  const QStringList texts = {QStringLiteral("Το αρχείο προλόγου δε βρέθηκε"),
                             QStringLiteral("Το αρχείο του Διεθνούς Συστήματος Μονάδων δε βρέθηκε"),
                             QStringLiteral("Ο Πίνακας Χημικών Στοιχείων δε βρέθηκε"),
                             QStringLiteral("Το αρχείο βοήθειας δε βρέθηκε"),
                             QStringLiteral("Το πρόγραμμα της παρουσίασης δε βρέθηκε")};
  for (size_t i = 0; i < shown.size(); ++i) {
    QCOMPARE(shown[i].text, texts[static_cast<int>(i)]);
    QCOMPARE(shown[i].title, QStringLiteral("Πρόβλημα"));
    QCOMPARE(shown[i].icon, QMessageBox::Warning);
    QCOMPARE(shown[i].buttons, QStringList{QStringLiteral("OK")});
  }
  QVERIFY(desktop_->opened.empty());
  QVERIFY(desktop_->started.empty());
}

void tst_Documents::desktopThatRefusesGivesTheSameMessages() {
  desktop_->succeeds = false;
  const std::vector<Shown> shown = MessagesOf([&] { Item("SIMenu")->trigger(); });
  QCOMPARE(shown.size(), size_t{1});
  QCOMPARE(shown[0].text, QStringLiteral("Το αρχείο του Διεθνούς Συστήματος Μονάδων δε βρέθηκε"));
  QCOMPARE(desktop_->opened.size(), size_t{1});
}

void tst_Documents::presentationStartsWithTheProgramFolder() {
  fixture_->WriteFile("content/QuenPres", "#!/bin/sh\n");
  // A presentation that cannot run is not there for the user.
  QVERIFY(MessagesOf([&] { QTest::mouseClick(W<QLabel>("QuenImage"), Qt::LeftButton); }).size() == 1);
  std::filesystem::permissions(fixture_->programDir() + "content/QuenPres", std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  QVERIFY(MessagesOf([&] {
            QTest::mouseClick(W<QLabel>("Quenborath_Label"), Qt::LeftButton);
            QTest::mouseClick(W<QLabel>("QuenImage"), Qt::LeftButton);
          }).empty());
  QCOMPARE(desktop_->started.size(), size_t{2});
  QCOMPARE(desktop_->started[0].program, Path("content/QuenPres"));
  QCOMPARE(desktop_->started[0].arguments, QStringList{QString::fromStdString(fixture_->programDir())});
  desktop_->succeeds = false;
  const std::vector<Shown> refused = MessagesOf([&] { QTest::mouseClick(W<QLabel>("QuenImage"), Qt::LeftButton); });
  QCOMPARE(refused.size(), size_t{1});
  QCOMPARE(refused[0].text, QStringLiteral("Το πρόγραμμα της παρουσίασης δε βρέθηκε"));
}

void tst_Documents::copyrightWindowShowsTextAndLinks() {
  fixture_->WriteFile("content/copyright.rtf",
                      "{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0 Arial;}}\\f0 \\'C5\\'EA\\'E4\\'FC\\'F3\\'E5\\'E9\\'F2 Quenborath\\par}");
  W<QLineEdit>("Entry_Text")->clearFocus();
  int windows = WithModals([&] { QTest::mouseClick(W<QLabel>("CopyrightLabel"), Qt::LeftButton); },
                           [&](QWidget* modal) {
    // A failed check returns early: the window closes anyway.
    const auto close = qScopeGuard([modal] {
      if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) dialog->reject();
    });
    QCOMPARE(modal->objectName(), QStringLiteral("CopyrightForm"));
    QCOMPARE(modal->windowTitle(), QStringLiteral("Orvanta"));
    QCOMPARE(modal->size(), QSize(255, 288));
    auto* text = modal->findChild<quorvel::ui::RichTextView*>(QStringLiteral("CopyrightRTF"));
    QVERIFY(text != nullptr);
    // The text is loaded when the window becomes active, which the window manager decides.
    QTRY_COMPARE(text->toPlainText().trimmed(), QStringLiteral("Εκδόσεις Quenborath"));
    QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Έκδ.: 1.0"));
    auto* site = modal->findChild<QLabel*>(QStringLiteral("SiteLabel"));
    auto* mail = modal->findChild<QLabel*>(QStringLiteral("MailLabel"));
    QCOMPARE(site->text(), QStringLiteral("www.quenborath.example"));
    QVERIFY(site->font().underline());
    QCOMPARE(site->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(site->cursor().shape(), Qt::PointingHandCursor);
    // Every control lies inside the window.
    for (QWidget* child : modal->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(modal->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
    QTest::mouseClick(site, Qt::LeftButton);
    // The mail address is reached with the keyboard too.
    mail->setFocus();
    QTest::keyClick(mail, Qt::Key_Space);
    // The text follows the file each time the window becomes active: another window (one that
    // the modal window lets through) takes the activation and gives it back.
    fixture_->WriteFile("content/copyright.rtf", "{\\rtf1 Second text\\par}");
    QWidget other(modal, Qt::Window);
    other.show();
    other.activateWindow();
    QTRY_VERIFY(!modal->isActiveWindow());
    other.close();
    modal->activateWindow();
    QTRY_COMPARE(text->toPlainText().trimmed(), QStringLiteral("Second text"));
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  });
  QCOMPARE(windows, 1);
  QCOMPARE(desktop_->opened.size(), size_t{2});
  QCOMPARE(desktop_->opened[0], QUrl(QStringLiteral("http://www.quenborath.example")));
  QCOMPARE(desktop_->opened[1], QUrl(QStringLiteral("mailto:info@quenborath.example")));
  QTRY_VERIFY(W<QLineEdit>("Entry_Text")->hasFocus());
}

// A pipe where the text belongs: the window opens without waiting on it, empty.
void tst_Documents::copyrightWindowWithoutItsTextAndFailingLinks() {
  desktop_->succeeds = false;
  std::filesystem::create_directories(fixture_->programDir() + "content");
  QCOMPARE(mkfifo((fixture_->programDir() + "content/copyright.rtf").c_str(), 0600), 0);
  std::vector<Shown> messages;
  WithModals([&] { QTest::mouseClick(W<QLabel>("CopyrightLabel"), Qt::LeftButton); }, [&](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages.push_back({box->windowTitle(), box->text(), box->icon(), {}});
      box->buttons().first()->click();
      return;
    }
    auto* text = modal->findChild<quorvel::ui::RichTextView*>(QStringLiteral("CopyrightRTF"));
    QCOMPARE(text->toPlainText(), QString());
    // The message boxes open from inside this modal window: let them appear after this call.
    QTimer::singleShot(0, modal, [modal] {
      QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("SiteLabel")), Qt::LeftButton);
      QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("MailLabel")), Qt::LeftButton);
      QTest::keyClick(modal, Qt::Key_Escape);
    });
  });
  QCOMPARE(messages.size(), size_t{2});
  QCOMPARE(messages[0].text, QStringLiteral("Δεν είναι δυνατή η εκκίνηση του προγράμματος περιήγησης στο διαδίκτυο"));
  QCOMPARE(messages[1].text, QStringLiteral("Δεν είναι δυνατή η εκκίνηση του προγράμματος διαχείρισης αλληλογραφίας"));
  QCOMPARE(messages[0].title, QStringLiteral("Πρόβλημα"));
  QCOMPARE(messages[1].icon, QMessageBox::Warning);
}

void tst_Documents::maintenanceKeysRunTheTools() {
  fixture_->WriteFile("data/igr_.tbo", "ABC\r\nz\r\n");
  const auto keys = [&](Qt::Key key) {
    return MessagesOf([&] { QTest::keyClick(window_.get(), key, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier); });
  };
  const std::vector<Shown> range = keys(Qt::Key_3);
  QCOMPARE(range.size(), size_t{1});
  QCOMPARE(range[0].text, QStringLiteral("65  -  122"));
  // The check reads every published description: both load, so nothing is said.
  QVERIFY(keys(Qt::Key_2).empty());
  // The build without its sources says what it could not read.
  const std::vector<Shown> build = keys(Qt::Key_1);
  QCOMPARE(build.size(), size_t{1});
  QVERIFY2(!build[0].text.isEmpty(), "the build reports its failure");
  QCOMPARE(window_->session().dictionary().englishCount, 2);
}

void tst_Documents::qtTextsAreGreek() {
  QVERIFY(quorvel::ui::InstallGreekQtTexts());
  QMessageBox question(QMessageBox::Question, QStringLiteral("Orvanta"), QStringLiteral("?"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QStringList buttons;
  for (QAbstractButton* button : question.buttons()) buttons << button->text().remove(QLatin1Char('&'));
  QStringList greek = {QStringLiteral("Ναι"), QStringLiteral("Όχι"), QStringLiteral("Άκυρο")};
  buttons.sort();
  greek.sort();
  QCOMPARE(buttons, greek);

  QStringList menu;
  std::unique_ptr<QMenu> edit(W<QLineEdit>("Entry_Text")->createStandardContextMenu());
  for (QAction* action : edit->actions()) menu << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
  QVERIFY2(menu.contains(QStringLiteral("Αποκοπή")) && menu.contains(QStringLiteral("Επικόλληση")) &&
               menu.contains(QStringLiteral("Επιλογή όλων")),
           qPrintable(menu.join(QLatin1Char('|'))));
  std::unique_ptr<QMenu> description(W<QTextEdit>("Description_Text")->createStandardContextMenu());
  QStringList view;
  for (QAction* action : description->actions()) view << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
  QVERIFY2(view.contains(QStringLiteral("Αντιγραφή")) && view.contains(QStringLiteral("Επιλογή όλων")),
           qPrintable(view.join(QLatin1Char('|'))));
}

QTEST_MAIN(tst_Documents)
#include "tst_Documents.moc"

// The user's own entries from the main window, driven as a user drives them: the tool button's
// menu, the folder dialog, the entry editor and the delete question, on a program folder and a
// home folder made for each test. What the commands wrote is read back through the store's
// own reader.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <filesystem>
#include <memory>

#include "core/Cp1253.h"
#include "core/FileWriter.h"
#include "core/TextOps.h"
#include "core/Session.h"
#include "core/UserEntryStore.h"
#include "platform/KeyboardLayouts.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/ui/ModalSteps.h"
#include "ui/CaptionLabel.h"
#include "ui/EntryListModel.h"
#include "ui/MainLexU.h"
#include "ui/TextCodec.h"

namespace fs = std::filesystem;
using quorvel::Status;
using quorvel::StatusCode;
using quorvel::test::DictionaryFixture;
using quorvel::test::OnNextModal;
using quorvel::test::TypeText;
using quorvel::ui::TMainLex;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }
QString Q(const std::string& cp1253) { return quorvel::ui::ToQString(cp1253); }

std::string Entry(const char* typed) {
  return quorvel::StoredUserDescription(Cp(typed), quorvel::UserTextForm::Entry);
}
std::string Addition(const char* typed) {
  return quorvel::StoredUserDescription(Cp(typed), quorvel::UserTextForm::Addition);
}

// The store's writes as a user without super-user rights makes them (the tests may run as
// root): a folder that no one may write takes no new, renamed or removed names.
class UserRightsWriter : public quorvel::StdFileWriter {
 public:
  Status WriteFile(const std::string& path, std::string_view bytes) override {
    return Writable(path) ? StdFileWriter::WriteFile(path, bytes) : Refused(path);
  }
  Status ReplaceFile(const std::string& from, const std::string& to) override {
    return Writable(from) && Writable(to) ? StdFileWriter::ReplaceFile(from, to) : Refused(to);
  }
  Status RemoveFile(const std::string& path) override {
    return Writable(path) ? StdFileWriter::RemoveFile(path) : Refused(path);
  }

 private:
  static bool Writable(const std::string& path) {
    std::error_code error;
    const fs::perms folder = fs::status(fs::path(path).parent_path(), error).permissions();
    return (folder & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) != fs::perms::none;
  }
  static Status Refused(const std::string& path) {
    return Status::Error(StatusCode::kNoPermission, "cannot write in the folder of " + path);
  }
};

// What a message box showed.
struct Shown {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers a message box with the button of `answer`, after noting what it showed.
void Answer(QWidget* modal, const QString& answer, Shown* shown) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (!box) qFatal("a %s where a message box was expected", modal->metaObject()->className());
  if (shown) *shown = {box->windowTitle(), box->text(), box->icon()};
  for (QAbstractButton* button : box->buttons()) {
    if (button->text() == answer) return QTest::mouseClick(button, Qt::LeftButton);
  }
  qFatal("no button %s", qPrintable(answer));
}

template <typename T>
T* Control(QWidget* dialog, const char* name) {
  T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
  if (!widget) qFatal("no control %s in %s", name, qPrintable(dialog->objectName()));
  return widget;
}

// Fills the editor's fields (those given) and confirms with its default button.
void FillEditor(QWidget* editor, const QString& english, const QString& greek, const QString& description) {
  if (!english.isNull()) {
    auto* field = Control<QLineEdit>(editor, "InsertEntry_Text");
    field->selectAll();
    TypeText(field, english);
  }
  if (!greek.isNull()) {
    auto* field = Control<QLineEdit>(editor, "InsertEntry_Trans");
    field->selectAll();
    TypeText(field, greek);
  }
  if (!description.isNull()) {
    auto* field = Control<QPlainTextEdit>(editor, "InsertEntry_Descr");
    field->selectAll();
    const QStringList lines = description.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(field, Qt::Key_Return);
      TypeText(field, lines[i]);
    }
  }
  QTest::mouseClick(Control<QPushButton>(editor, "InsertOk_Button"), Qt::LeftButton);
}

}  // namespace

class tst_UserEntries : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void menuBelowTheButtonWithItsItemsAndStates();
  void editsStartingFromAReadOnlyProgramFolderWithoutSettings();
  void insertInBothLanguages();
  void modifyPublishedAdditionAndUserEntries();
  void deleteAsksBeforeAnythingElse();
  void settingsFileQuestions();
  void aChosenFolderWithEntriesOfItsOwn();
  void aReadOnlyUserFolderSavesNothingAndSaysSo();
  void listingNeverAsksForAFolder();

 private:
  template <typename T = QWidget>
  T* W(const char* name) const {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QAction* Item(const char* name) const { return W<QAction>(name); }
  QListView* List() const { return W<QListView>("Entries_List"); }
  const quorvel::ui::EntryListModel* Model() const {
    return static_cast<const quorvel::ui::EntryListModel*>(List()->model());
  }
  QStringList ItemTexts() const {
    QStringList texts;
    for (int i = 0; i < Model()->count(); ++i) texts << Q(Model()->text(i));
    return texts;
  }
  QString EntryCaption() const { return W<quorvel::ui::CaptionLabel>("Entry_Label")->caption(); }
  QString Description() const { return Q(window_->DescriptionPlainText()).trimmed(); }
  const quorvel::Locations& Locations() const { return window_->session().locations(); }

  // Types into the search box as a user does; the exact name shows its entry.
  void Search(const QString& text) {
    auto* box = W<QLineEdit>("Entry_Text");
    box->clear();
    TypeText(box, text);
  }
  void ClickItem(int row) {
    const QRect rect = List()->visualRect(Model()->index(row));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  }
  // The stored description of the user entry with this headword.
  std::string UserDescriptionOf(const std::string& headword) const {
    const std::vector<std::string> lines = fixture_->UserIndexLines();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (quorvel::Trim(lines[i].substr(10, 80)) == headword) return fixture_->UserDescriptions()[i];
    }
    return "-";
  }
  void SwitchLanguage() { QTest::mouseClick(W<QToolButton>("Lang_Button"), Qt::LeftButton); }
  // Opens the menu with the tool button and clicks the item; returns when the command is done.
  void Choose(const char* item) {
    QTest::mouseClick(W<QToolButton>("CustomEntries_Button"), Qt::LeftButton);
    auto* menu = W<QMenu>("CustomEntriesMenu");
    QTRY_VERIFY(menu->isVisible());
    QVERIFY2(Item(item)->isEnabled(), item);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(Item(item)).center());
  }
  // A program folder whose program file no one may write, without user files or settings,
  // found as the program finds it at start.
  void StartFromAReadOnlyProgramFolder();
  void StartWindow(const quorvel::Locations& locations);

  std::unique_ptr<DictionaryFixture> fixture_;
  UserRightsWriter writer_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<TMainLex> window_;
  std::unique_ptr<quorvel::test::ModalGuard> guard_;
  QString home_;
  QString config_;
  QByteArray savedHome_;
  QByteArray savedConfig_;
  fs::path savedCurrent_;
};

void tst_UserEntries::init() {
  fixture_ = std::make_unique<DictionaryFixture>();
  fixture_->WritePublished({{"anchor", "{Anchor text.}"}, {"bow", "{Bow text.}"}, {"ship", "{Ship text.}"},
                            {"stern", "{Stern text.}"}},
                           {{1, Cp("άγκυρα")}, {3, Cp("πλοίο")}, {2, Cp("πλώρη")}, {4, Cp("πρύμνη")}});
  // A user entry after "bow", one with an ampersand in its term, an addition to "stern".
  fixture_->WriteUserEntries({{2, 100, "boat", Entry("Boat text.")},
                              {3, 101, "shipyard knot", Entry("Knot text.")},
                              {4, 4, "", Addition("My own note.")}});
  fixture_->WriteUserGreekLines({DictionaryFixture::UserGreekLine(1, 100, Cp("βάρκα")),
                                 DictionaryFixture::UserGreekLine(1, 101, Cp("κόμπος & θηλιά"))});
  fixture_->WriteFile("Quorvel", "program");
  home_ = QString::fromStdString(fixture_->programDir() + "home");
  config_ = QString::fromStdString(fixture_->programDir() + "config");
  QVERIFY(QDir().mkpath(home_));
  savedHome_ = qgetenv("HOME");
  savedConfig_ = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QFile::encodeName(home_));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_));
  savedCurrent_ = fs::current_path();
  guard_ = std::make_unique<quorvel::test::ModalGuard>();
  StartWindow(fixture_->locations());
}

void tst_UserEntries::StartWindow(const quorvel::Locations& locations) {
  window_.reset();
  session_ = std::make_unique<quorvel::Session>(
      locations, writer_, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = std::make_unique<TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(
                     std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_UserEntries::StartFromAReadOnlyProgramFolder() {
  fs::remove_all(fixture_->userDir());
  fs::permissions(fixture_->programDir() + "Quorvel", fs::perms::owner_read | fs::perms::group_read);
  StartWindow(quorvel::ResolveFileLocations(fixture_->programDir(), quorvel::SystemFoldersFromEnvironment()));
  QVERIFY(!Locations().HasUserFolder());
  QVERIFY(Locations().SettingsFile.empty());
}

void tst_UserEntries::cleanup() {
  window_.reset();
  session_.reset();
  guard_.reset();
  fs::current_path(savedCurrent_);
  if (fs::exists(fixture_->userDir())) fs::permissions(fixture_->userDir(), fs::perms::owner_all);
  fixture_.reset();
  qputenv("HOME", savedHome_);
  qputenv("XDG_CONFIG_HOME", savedConfig_);
}

void tst_UserEntries::menuBelowTheButtonWithItsItemsAndStates() {
  QToolButton* button = W<QToolButton>("CustomEntries_Button");
  QCOMPARE(button->toolTip(), QStringLiteral("Επεξεργασία Λημμάτων"));
  QTest::mouseClick(button, Qt::LeftButton);
  auto* menu = W<QMenu>("CustomEntriesMenu");
  QTRY_VERIFY(menu->isVisible());
  const QRect frame = window_->frameGeometry();
  QCOMPARE(menu->pos(), QPoint(frame.left() + button->x() + 4, frame.top() + button->y() + button->height() + 22));
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    texts << action->text();
    QVERIFY(!action->icon().isNull());
  }
  QCOMPARE(texts, (QStringList{QStringLiteral("Εμφάνιση Επεξεργασμένων Λημμάτων"), QStringLiteral("Εισαγωγή Νέου Λήμματος"),
                               QStringLiteral("Τροποποίηση Λήμματος"), QStringLiteral("Διαγραφή Λήμματος")}));
  QVERIFY(Item("CustomEntriesItem")->isEnabled());
  QVERIFY(Item("InsertEntryItem")->isEnabled());
  QVERIFY(!Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());
  QTest::keyClick(menu, Qt::Key_Escape);
  QTRY_VERIFY(!menu->isVisible());
  // Right-clicking the button opens nothing.
  QTest::mouseClick(button, Qt::RightButton);
  QVERIFY(!menu->isVisible());

  Search(QStringLiteral("boat"));
  QVERIFY(Item("ModifyEntryItem")->isEnabled());
  QVERIFY(Item("DeleteEntryItem")->isEnabled());
  Search(QStringLiteral("stern"));
  QVERIFY(Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());
  Search(QString());
  QTest::keyClick(W<QLineEdit>("Entry_Text"), Qt::Key_Return);
  QVERIFY(!Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());
}

// A user starts the program from a folder they may not write, without settings, and adds,
// changes, lists and deletes an entry of their own.
void tst_UserEntries::editsStartingFromAReadOnlyProgramFolderWithoutSettings() {
  StartFromAReadOnlyProgramFolder();
  const QString folder = home_ + QStringLiteral("/Quorvel");
  QString caption;
  QString proposal;
  OnNextModal([&](QWidget* dialog) {
    caption = dialog->windowTitle();
    proposal = Control<QLineEdit>(dialog, "Dir_Edit")->text();
    OnNextModal([](QWidget* editor) {
      FillEditor(editor, QStringLiteral("mooring"), QStringLiteral("πρόσδεση"), QStringLiteral("Line one,\nline two."));
    });
    QTest::keyClick(Control<QLineEdit>(dialog, "Dir_Edit"), Qt::Key_Return);
  });
  Choose("InsertEntryItem");
  QCOMPARE(caption, QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα"));
  QCOMPARE(proposal, folder);
  QVERIFY(QFileInfo(folder + QStringLiteral("/Data")).isDir());
  QFile settings(config_ + QStringLiteral("/Quorvel.ini"));
  QVERIFY(settings.open(QIODevice::ReadOnly));
  QCOMPARE(settings.readAll(), QFile::encodeName(folder) + "\n");
  QCOMPARE(Q(Locations().SettingsFile), settings.fileName());
  QCOMPARE(Q(Locations().UserIndexFile), folder + QStringLiteral("/QuorvelIC.tbo"));
  QVERIFY(QFileInfo::exists(folder + QStringLiteral("/QuorvelC.tbo")));
  QCOMPARE(Model()->count(), 0);  // the view is cleared
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);

  Search(QStringLiteral("mooring"));
  QCOMPARE(ItemTexts(), QStringList{QStringLiteral("mooring *")});
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Trans_Label")->caption(), QStringLiteral("πρόσδεση"));
  QCOMPARE(Description(), QStringLiteral("Line one, \r\nline two."));

  // The folder is known now: the next commands ask nothing more.
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QStringLiteral("Line one,\nline two."));
    FillEditor(editor, QString(), QString(), QStringLiteral("Changed."));
  });
  Choose("ModifyEntryItem");
  QCOMPARE(Model()->count(), 0);
  Choose("CustomEntriesItem");
  QCOMPARE(ItemTexts(), QStringList{QStringLiteral("mooring *")});
  ClickItem(0);
  QCOMPARE(Description(), QStringLiteral("Changed."));

  OnNextModal([](QWidget* box) { Answer(box, QStringLiteral("Ναι"), nullptr); });
  Choose("DeleteEntryItem");
  QCOMPARE(Model()->count(), 0);
  Choose("CustomEntriesItem");
  QCOMPARE(Model()->count(), 0);
  QCOMPARE(window_->session().dictionary().englishCount, 4);
}

void tst_UserEntries::insertInBothLanguages() {
  OnNextModal([](QWidget* editor) {
    QCOMPARE(editor->windowTitle(), QStringLiteral("Εισαγωγή Νέου Λήμματος"));
    FillEditor(editor, QStringLiteral("  anchor chain"), QStringLiteral("αλυσίδα"), QStringLiteral("Links\nand more."));
  });
  Choose("InsertEntryItem");

  SwitchLanguage();
  Search(QStringLiteral("πλοίο"));
  OnNextModal([](QWidget* editor) {
    QVERIFY(Control<QLineEdit>(editor, "InsertEntry_Text")->text().isEmpty());
    FillEditor(editor, QStringLiteral("bowline"), QString(), QStringLiteral("A knot."));
  });
  Choose("InsertEntryItem");
  QVERIFY(window_->GreekMode());

  const std::vector<std::string> index = fixture_->UserIndexLines();
  QCOMPARE(index.size(), size_t(5));
  QCOMPARE(index[0].substr(0, 10), std::string("0000100102"));
  QCOMPARE(index[0].substr(10, 12), std::string("anchor chain"));
  QCOMPARE(index[2].substr(0, 10), std::string("0000200103"));
  QCOMPARE(index[2].substr(10, 7), std::string("bowline"));
  const std::vector<std::string> descriptions = fixture_->UserDescriptions();
  QCOMPARE(descriptions[0], Entry("Links\r\nand more."));
  QCOMPARE(descriptions[2], Entry("A knot."));
  const std::vector<std::string> greek = fixture_->UserGreekLines();
  QCOMPARE(greek.size(), size_t(3));
  QCOMPARE(greek[0], DictionaryFixture::UserGreekLine(1, 102, Cp("αλυσίδα")));

  Search(QStringLiteral("αλυσίδα"));
  QCOMPARE(ItemTexts(), QStringList{QStringLiteral("αλυσίδα *")});
  QCOMPARE(Description(), QStringLiteral("Links \r\nand more."));
}

void tst_UserEntries::modifyPublishedAdditionAndUserEntries() {
  // A published entry in English: only its addition can be given.
  Search(QStringLiteral("ship"));
  OnNextModal([](QWidget* editor) {
    QCOMPARE(editor->windowTitle(), QStringLiteral("Τροποποίηση Λήμματος"));
    QCOMPARE(Control<QPushButton>(editor, "InsertOk_Button")->text(), QStringLiteral("Ok"));
    auto* english = Control<QLineEdit>(editor, "InsertEntry_Text");
    QCOMPARE(english->text(), QStringLiteral("ship"));
    QVERIFY(!english->isEnabled());
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Trans")->text(), QStringLiteral("πλοίο"));
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QString());
    QCOMPARE(editor->focusWidget(), Control<QPlainTextEdit>(editor, "InsertEntry_Descr"));
    FillEditor(editor, QString(), QString(), QStringLiteral("Seen in port."));
  });
  Choose("ModifyEntryItem");
  QCOMPARE(Model()->count(), 0);
  std::vector<std::string> index = fixture_->UserIndexLines();
  QCOMPARE(index.size(), size_t(4));
  QCOMPARE(index[1].substr(0, 10), std::string("0000300003"));
  QCOMPARE(fixture_->UserDescriptions()[1], Addition("Seen in port."));

  // An entry with an addition, chosen in Greek: the addition alone, changed.
  SwitchLanguage();
  Search(QStringLiteral("πρύμνη"));
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Text")->text(), QStringLiteral("stern"));
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Trans")->text(), QStringLiteral("πρύμνη"));
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QStringLiteral("My own note."));
    FillEditor(editor, QString(), QString(), QStringLiteral("My new note."));
  });
  Choose("ModifyEntryItem");
  QCOMPARE(fixture_->UserDescriptions()[3], Addition("My new note."));

  // A user entry in Greek: its term from the list without the mark, its headword above it.
  Search(QStringLiteral("βάρκα"));
  QCOMPARE(ItemTexts(), QStringList{QStringLiteral("βάρκα *")});
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Text")->text(), QStringLiteral("boat"));
    QVERIFY(Control<QLineEdit>(editor, "InsertEntry_Text")->isEnabled());
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Trans")->text(), QStringLiteral("βάρκα"));
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QStringLiteral("Boat text."));
    FillEditor(editor, QStringLiteral("dinghy"), QString(), QString());
  });
  Choose("ModifyEntryItem");
  index = fixture_->UserIndexLines();
  QCOMPARE(index.size(), size_t(4));
  QCOMPARE(index[0].substr(0, 16), std::string("0000200102dinghy"));  // a new number
  QCOMPARE(UserDescriptionOf("dinghy"), Entry("Boat text."));
  QCOMPARE(fixture_->UserGreekLines()[0].substr(5), "00102" + Cp("βάρκα"));

  // A user entry in English left as it was keeps its texts exactly (an ampersand included).
  SwitchLanguage();
  Search(QStringLiteral("shipyard knot"));
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Trans_Label")->caption(), QStringLiteral("κόμπος && θηλιά"));
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Trans")->text(), QStringLiteral("κόμπος & θηλιά"));
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QStringLiteral("Knot text."));
    FillEditor(editor, QString(), QString(), QString());
  });
  Choose("ModifyEntryItem");
  QCOMPARE(UserDescriptionOf("shipyard knot"), Entry("Knot text."));
  QCOMPARE(fixture_->UserGreekLines()[1].substr(5), "00103" + Cp("κόμπος & θηλιά"));

  // Cancel changes nothing.
  const std::vector<std::string> before = fixture_->UserIndexLines();
  Search(QStringLiteral("dinghy"));
  OnNextModal([](QWidget* editor) { QTest::keyClick(editor, Qt::Key_Escape); });
  Choose("ModifyEntryItem");
  QCOMPARE(fixture_->UserIndexLines(), before);
  QCOMPARE(EntryCaption(), QStringLiteral("dinghy"));
}

void tst_UserEntries::deleteAsksBeforeAnythingElse() {
  Search(QStringLiteral("b"));
  QCOMPARE(ItemTexts(), (QStringList{QStringLiteral("bow"), QStringLiteral("boat *")}));
  ClickItem(1);
  QVERIFY(Item("DeleteEntryItem")->isEnabled());
  const std::optional<std::string> index = fixture_->ReadRaw("user/QuorvelIC.tbo");
  Shown question;
  OnNextModal([&question](QWidget* box) { Answer(box, QStringLiteral("Όχι"), &question); });
  Choose("DeleteEntryItem");
  QCOMPARE(question.title, QStringLiteral("Επιβεβαίωση Διαγραφής"));
  QCOMPARE(question.text, QStringLiteral("Να διαγραφεί το Λήμμα;"));
  QCOMPARE(question.icon, QMessageBox::NoIcon);
  QCOMPARE(fixture_->ReadRaw("user/QuorvelIC.tbo"), index);

  OnNextModal([](QWidget* box) { Answer(box, QStringLiteral("Ναι"), nullptr); });
  Choose("DeleteEntryItem");
  QCOMPARE(fixture_->UserIndexLines().size(), size_t(2));
  QCOMPARE(fixture_->UserGreekLines().size(), size_t(1));
  QCOMPARE(ItemTexts(), QStringList{QStringLiteral("bow")});
  QCOMPARE(Model()->slot(0), 2);
  QCOMPARE(EntryCaption(), QString());

  // The folder of the user's entries gone since start (a disk taken out): the question comes
  // first, then the folder dialog.
  fixture_->WriteFile("config/Quorvel.ini", fixture_->userDir() + "\n");
  StartWindow(quorvel::ResolveFileLocations(fixture_->programDir(), quorvel::SystemFoldersFromEnvironment()));
  QCOMPARE(Locations().UserIndexFile, fixture_->userDir() + "/QuorvelIC.tbo");
  Search(QStringLiteral("shipyard knot"));
  QVERIFY(Item("DeleteEntryItem")->isEnabled());
  fs::rename(fixture_->userDir(), fixture_->programDir() + "away");
  question = {};
  QString dialogText;
  OnNextModal([&](QWidget* box) {
    OnNextModal([&dialogText](QWidget* dialog) {
      dialogText = Control<QTextEdit>(dialog, "MsgMemo")->toPlainText();
      QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton);
    });
    Answer(box, QStringLiteral("Ναι"), &question);
  });
  Choose("DeleteEntryItem");
  QCOMPARE(question.text, QStringLiteral("Να διαγραφεί το Λήμμα;"));
  QVERIFY(dialogText.startsWith(QStringLiteral("Ο φάκελος που έχει οριστεί")));
  QVERIFY(!Locations().HasUserFolder());
  QVERIFY(fixture_->Exists("away/QuorvelIC.tbo"));
  // Without a folder the index holds no user entries: the list of them is gone too.
  QCOMPARE(window_->session().dictionary().englishCount, 4);
  QCOMPARE(Model()->count(), 0);
}

void tst_UserEntries::settingsFileQuestions() {
  // An empty first line: the "no folder yet" question; Cancel ends the command.
  fs::remove_all(fixture_->userDir());
  fixture_->WriteFile("config/Quorvel.ini", "\n");
  StartWindow(quorvel::ResolveFileLocations(fixture_->programDir(), quorvel::SystemFoldersFromEnvironment()));
  QString text;
  bool editorOpened = false;
  OnNextModal([&](QWidget* dialog) {
    text = Control<QTextEdit>(dialog, "MsgMemo")->toPlainText();
    OnNextModal([&editorOpened](QWidget* editor) {
      editorOpened = true;
      QTest::keyClick(editor, Qt::Key_Escape);
    });
    QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton);
  });
  Choose("InsertEntryItem");
  QVERIFY(text.startsWith(QStringLiteral("Για να επεξεργαστείτε λήμματα")));
  QVERIFY(!Locations().HasUserFolder());
  QVERIFY(!editorOpened);  // the command has ended
  quorvel::test::CancelWaitingSteps();
  QCOMPARE(fixture_->ReadRaw("config/Quorvel.ini"), std::optional<std::string>("\n"));

  // A first line naming a folder that is gone: the "not valid" question. A folder typed with
  // a trailing separator is used and remembered as typed.
  fixture_->WriteFile("config/Quorvel.ini", fixture_->programDir() + "gone\n");
  StartWindow(quorvel::ResolveFileLocations(fixture_->programDir(), quorvel::SystemFoldersFromEnvironment()));
  const QString typed = QString::fromStdString(fixture_->programDir()) + QStringLiteral("mine/");
  OnNextModal([&](QWidget* dialog) {
    text = Control<QTextEdit>(dialog, "MsgMemo")->toPlainText();
    auto* folder = Control<QLineEdit>(dialog, "Dir_Edit");
    folder->selectAll();
    TypeText(folder, typed);
    OnNextModal([](QWidget* editor) {
      FillEditor(editor, QStringLiteral("capstan"), QStringLiteral("εργάτης"), QString());
    });
    QTest::keyClick(folder, Qt::Key_Return);
  });
  Choose("InsertEntryItem");
  QVERIFY(text.startsWith(QStringLiteral("Ο φάκελος που έχει οριστεί")));
  QCOMPARE(fixture_->ReadRaw("config/Quorvel.ini"), std::optional<std::string>(typed.toStdString() + "\n"));
  QCOMPARE(Q(Locations().UserIndexFile), typed + QStringLiteral("/QuorvelIC.tbo"));
  QVERIFY(fixture_->Exists("mine/QuorvelIC.tbo"));
  QVERIFY(QFileInfo(typed + QStringLiteral("Data")).isDir());
  Search(QStringLiteral("capstan"));
  QCOMPARE(ItemTexts(), QStringList{QStringLiteral("capstan *")});
}

// The user points the "not valid" question at the folder that holds their entries: the edit
// is placed among them, with a number none of them has, and the list of the index before is
// not left leading to other entries.
void tst_UserEntries::aChosenFolderWithEntriesOfItsOwn() {
  const std::vector<std::string> before = fixture_->UserIndexLines();
  fixture_->WriteFile("config/Quorvel.ini", fixture_->programDir() + "gone\n");
  StartWindow(quorvel::ResolveFileLocations(fixture_->programDir(), quorvel::SystemFoldersFromEnvironment()));
  QCOMPARE(window_->session().dictionary().englishCount, 4);
  const QString folder = QString::fromStdString(fixture_->userDir());
  const auto choose = [folder](QWidget* dialog) {
    auto* field = Control<QLineEdit>(dialog, "Dir_Edit");
    field->selectAll();
    TypeText(field, folder);
    QTest::keyClick(field, Qt::Key_Return);
  };

  Search(QStringLiteral("s"));
  QCOMPARE(ItemTexts(), (QStringList{QStringLiteral("ship"), QStringLiteral("stern")}));
  ClickItem(1);
  OnNextModal([&](QWidget* dialog) {
    OnNextModal([](QWidget* editor) {
      QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Text")->text(), QStringLiteral("stern"));
      QTest::keyClick(editor, Qt::Key_Escape);
    });
    choose(dialog);
  });
  Choose("ModifyEntryItem");
  QCOMPARE(window_->session().dictionary().englishCount, 6);
  QCOMPARE(Model()->count(), 0);  // "ship" and "stern" are at other slots now
  QCOMPARE(fixture_->UserIndexLines(), before);

  Search(QStringLiteral("bowsprit"));
  OnNextModal([](QWidget* editor) { FillEditor(editor, QStringLiteral("bowsprit"), QString(), QStringLiteral("Spar.")); });
  Choose("InsertEntryItem");
  const std::vector<std::string> index = fixture_->UserIndexLines();
  QCOMPARE(index.size(), size_t(4));
  QCOMPARE(index[0], before[0]);
  QCOMPARE(index[1].substr(0, 18), std::string("0000200102bowsprit"));
  QCOMPARE(index[2].substr(0, 10), before[1].substr(0, 10));
  QCOMPARE(fixture_->UserDescriptions()[1], Entry("Spar."));
}

void tst_UserEntries::aReadOnlyUserFolderSavesNothingAndSaysSo() {
  const std::optional<std::string> index = fixture_->ReadRaw("user/QuorvelIC.tbo");
  const std::optional<std::string> descriptions = fixture_->ReadRaw("user/QuorvelC.tbo");
  fs::permissions(fixture_->userDir(), fs::perms::owner_read | fs::perms::owner_exec);
  Shown warning;
  OnNextModal([&warning](QWidget* editor) {
    OnNextModal([&warning](QWidget* box) { Answer(box, QStringLiteral("OK"), &warning); });
    FillEditor(editor, QStringLiteral("hawser"), QStringLiteral("παλαμάρι"), QString());
  });
  Choose("InsertEntryItem");
  QCOMPARE(warning.title, QStringLiteral("Orvanta"));
  QCOMPARE(warning.text, QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε.\n\n"
                                        "Δεν επιτρέπεται η εγγραφή στο φάκελο των επεξεργασμένων λημμάτων."));
  QCOMPARE(warning.icon, QMessageBox::Warning);
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);

  Search(QStringLiteral("boat"));
  warning = {};
  OnNextModal([&warning](QWidget* box) {
    OnNextModal([&warning](QWidget* message) { Answer(message, QStringLiteral("OK"), &warning); });
    Answer(box, QStringLiteral("Ναι"), nullptr);
  });
  Choose("DeleteEntryItem");
  QVERIFY(warning.text.startsWith(QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε.")));
  QCOMPARE(EntryCaption(), QStringLiteral("boat"));  // the view stays as it was
  QCOMPARE(fixture_->ReadRaw("user/QuorvelIC.tbo"), index);
  QCOMPARE(fixture_->ReadRaw("user/QuorvelC.tbo"), descriptions);
  QVERIFY(!fixture_->Exists("user/tempi.tbo"));
}

void tst_UserEntries::listingNeverAsksForAFolder() {
  Search(QStringLiteral("anchor"));
  Choose("CustomEntriesItem");
  QCOMPARE(W<QLineEdit>("Entry_Text")->text(), QString());
  QCOMPARE(ItemTexts(), (QStringList{QStringLiteral("boat *"), QStringLiteral("shipyard knot *"), QStringLiteral("stern")}));
  QVERIFY(!Item("ModifyEntryItem")->isEnabled());
  SwitchLanguage();
  Choose("CustomEntriesItem");
  QCOMPARE(ItemTexts().size(), 3);
  QVERIFY(ItemTexts().contains(QStringLiteral("βάρκα *")));

  StartFromAReadOnlyProgramFolder();
  Choose("CustomEntriesItem");
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QCOMPARE(Model()->count(), 0);
  QVERIFY(!Item("ModifyEntryItem")->isEnabled());
  QVERIFY(!Item("DeleteEntryItem")->isEnabled());
}

QTEST_MAIN(tst_UserEntries)
#include "tst_UserEntries.moc"

// The user's own entries from the main window, driven as a user drives them: the tool button's
// menu, the folder dialog, the entry editor and the message boxes, on a program folder and a
// home folder made for each test. What the commands wrote is read back through the store's
// own reader.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include <filesystem>
#include <memory>

#include "core/Cp1253.h"
#include "core/Session.h"
#include "core/TextOps.h"
#include "core/UserEntryStore.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/ui/ModalSteps.h"
#include "ui/CaptionLabel.h"
#include "ui/EntryListModel.h"
#include "ui/MainLexU.h"
#include "ui/SelectCustomDirFormU.h"
#include "ui/TextCodec.h"

namespace fs = std::filesystem;
using quorvel::Status;
using quorvel::test::DictionaryFixture;
using quorvel::test::OnNextModal;
using quorvel::test::TypeText;

namespace {

std::string Cp(const char* utf8) { return quorvel::Utf8ToCp1253(utf8); }
QString Q(const std::string& cp1253) { return quorvel::ui::ToQString(cp1253); }
std::string Entry(const char* typed) {
  return quorvel::StoredUserDescription(Cp(typed), quorvel::UserTextForm::Entry);
}
std::string Addition(const char* typed) {
  return quorvel::StoredUserDescription(Cp(typed), quorvel::UserTextForm::Addition);
}

// The file system as a user without super-user rights meets it (the tests may run as root):
// a folder that no one may write takes no new, renamed or removed names.
class UserRightsFileSystem : public quorvel::PosixFileSystem {
 public:
  UserRightsFileSystem() : PosixFileSystem(Durability::kUnflushed) {}
  Status WriteFile(const std::string& path, std::string_view bytes) override {
    return Writable(path) ? PosixFileSystem::WriteFile(path, bytes) : Refused();
  }
  Status ReplaceFile(const std::string& from, const std::string& to) override {
    return Writable(from) && Writable(to) ? PosixFileSystem::ReplaceFile(from, to) : Refused();
  }
  Status RemoveFile(const std::string& path) override {
    return Writable(path) ? PosixFileSystem::RemoveFile(path) : Refused();
  }

 private:
  static bool Writable(const std::string& path) {
    std::error_code error;
    const fs::perms folder = fs::status(fs::path(path).parent_path(), error).permissions();
    return (folder & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) != fs::perms::none;
  }
  static Status Refused() { return Status::Error(quorvel::StatusCode::kNoPermission, "read-only folder"); }
};

template <typename T>
T* Control(QWidget* dialog, const char* name) {
  T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
  if (!widget) qFatal("no control %s", name);
  return widget;
}

// Clicks the button `answer` of a message box; its title and text, with "!" for an icon.
QString Answer(QWidget* modal, const QString& answer) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (!box) qFatal("%s where a message box was expected", modal->metaObject()->className());
  const QString shown = box->windowTitle() + QStringLiteral("|") + box->text() +
                        (box->icon() == QMessageBox::NoIcon ? QString() : QStringLiteral("!"));
  for (QAbstractButton* button : box->buttons()) {
    // A programmatic click: a mouse event can meet a box the modal stack does not yet count.
    if (button->text() == answer) button->click();
  }
  return shown;
}

// Types into the given fields of the editor (a null text leaves a field) and clicks its OK.
void FillEditor(QWidget* editor, const QString& english, const QString& greek, const QString& description) {
  const std::pair<const char*, QString> fields[] = {
      {"InsertEntry_Text", english}, {"InsertEntry_Trans", greek}, {"InsertEntry_Descr", description}};
  for (const auto& [name, text] : fields) {
    if (text.isNull()) continue;
    QWidget* field = Control<QWidget>(editor, name);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(field, Qt::Key_Return);
      TypeText(field, lines[i]);
    }
  }
  QTest::mouseClick(Control<QPushButton>(editor, "InsertOk_Button"), Qt::LeftButton);
}

// Types `folder` into the folder dialog and confirms it with Enter.
void ChooseFolder(QWidget* dialog, const QString& folder) {
  auto* field = Control<QLineEdit>(dialog, "Dir_Edit");
  field->selectAll();
  TypeText(field, folder);
  QTest::keyClick(field, Qt::Key_Return);
}

}  // namespace

class tst_UserEntries : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void menuStatesAndTheListing();
  void editsStartingFromAReadOnlyProgramFolderWithoutSettings();
  void insertAndModifyInBothLanguages();
  void deleteAsksBeforeAnythingElse();
  void settingsFileQuestions();
  void aChosenFolderWithEntriesOfItsOwn();
  void aReadOnlyUserFolderSavesNothingAndSaysSo();
  void unreadableUserFilesAreSaidOnceAndNeverWritten();
  void folderDialogOkStepOfTheInstallMode();
  void quorvelToolsEditingBesideTheWindow();
  void aTooLongDescriptionIsNamedAndKept();

 private:
  // Runs quorvel-tools on the window's user folder, as another program beside it; its exit code.
  int Tools(const QStringList& arguments) const {
    QProcess tools;
    tools.setWorkingDirectory(QString::fromStdString(fixture_->programDir()));
    tools.start(QStringLiteral(QUORVEL_TOOLS_PROGRAM),
                QStringList{QStringLiteral("--user-dir"), QString::fromStdString(fixture_->userDir())} + arguments);
    if (!tools.waitForFinished(20000)) return -1;
    return tools.exitCode();
  }
  template <typename T = QWidget>
  T* W(const char* name) const { return Control<T>(window_.get(), name); }
  QAction* Item(const char* name) const { return W<QAction>(name); }
  const quorvel::ui::EntryListModel* Model() const {
    return static_cast<const quorvel::ui::EntryListModel*>(W<QListView>("Entries_List")->model());
  }
  QStringList Items() const {
    QStringList texts;
    for (int i = 0; i < Model()->count(); ++i) texts << Q(Model()->text(i));
    return texts;
  }
  QString Description() const { return Q(window_->DescriptionPlainText()).trimmed(); }
  const quorvel::Locations& Locations() const { return window_->session().locations(); }
  std::string Raw(const char* file) const { return fixture_->ReadRaw(file).value_or("-"); }
  // The stored description of the user entry with this headword.
  std::string DescriptionOf(const std::string& headword) const {
    const std::vector<std::string> lines = fixture_->UserIndexLines();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (quorvel::Trim(lines[i].substr(10, 80)) == headword) return fixture_->UserDescriptions()[i];
    }
    return "-";
  }

  void Search(const QString& text) {
    W<QLineEdit>("Entry_Text")->clear();
    TypeText(W<QLineEdit>("Entry_Text"), text);
  }
  void ClickItem(int row) {
    auto* list = W<QListView>("Entries_List");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(Model()->index(row)).center());
  }
  void SwitchLanguage() { QTest::mouseClick(W<QToolButton>("Lang_Button"), Qt::LeftButton); }
  // Opens the menu with the tool button and clicks the item; returns when the command is done.
  void Choose(const char* item) {
    QTest::mouseClick(W<QToolButton>("CustomEntries_Button"), Qt::LeftButton);
    auto* menu = W<QMenu>("CustomEntriesMenu");
    QTRY_VERIFY(menu->isVisible());
    QVERIFY2(Item(item)->isEnabled(), item);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Item(item)).center());
  }
  // The window on `settings` as the settings file (none for nothing), the locations found as
  // the program finds them at start.
  void Restart(const std::optional<std::string>& settings) {
    if (settings) fixture_->WriteFile("config/Quorvel.ini", *settings);
    StartWindow(quorvel::ResolveFileLocations(fs_, fixture_->programDir(), quorvel::SystemFoldersFromEnvironment()));
  }
  void StartWindow(const quorvel::Locations& locations);

  std::unique_ptr<DictionaryFixture> fixture_;
  UserRightsFileSystem fs_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<quorvel::ui::TMainLex> window_;
  QString home_;
  QByteArray savedHome_ = qgetenv("HOME");
  QByteArray savedConfig_ = qgetenv("XDG_CONFIG_HOME");
  fs::path savedCurrent_ = fs::current_path();
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
  QVERIFY(QDir().mkpath(home_ + QStringLiteral("/ships")));
  qputenv("HOME", QFile::encodeName(home_));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(fixture_->programDir() + "config"));
  StartWindow(fixture_->locations());
}

void tst_UserEntries::StartWindow(const quorvel::Locations& locations) {
  window_.reset();
  session_ = std::make_unique<quorvel::Session>(
      locations, fs_, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = std::make_unique<quorvel::ui::TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(
                     std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_UserEntries::cleanup() {
  quorvel::test::CancelWaitingSteps();
  window_.reset();
  session_.reset();
  fs::current_path(savedCurrent_);
  std::error_code ignored;
  fs::permissions(fixture_->userDir(), fs::perms::owner_all, ignored);
  fixture_.reset();
  qputenv("HOME", savedHome_);
  qputenv("XDG_CONFIG_HOME", savedConfig_);
}

void tst_UserEntries::menuStatesAndTheListing() {
  QToolButton* button = W<QToolButton>("CustomEntries_Button");
  QTest::mouseClick(button, Qt::LeftButton);
  auto* menu = W<QMenu>("CustomEntriesMenu");
  QTRY_VERIFY(menu->isVisible());
  QCOMPARE(menu->pos(), window_->frameGeometry().topLeft() + button->mapTo(window_.get(), QPoint(4, button->height() + 22)));
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text() + (action->isEnabled() ? "" : "-");
  QCOMPARE(texts.join(QLatin1Char('|')), QStringLiteral("Εμφάνιση Επεξεργασμένων Λημμάτων|Εισαγωγή Νέου Λήμματος|"
                                                        "Τροποποίηση Λήμματος-|Διαγραφή Λήμματος-"));
  QTest::keyClick(menu, Qt::Key_Escape);
  Search(QStringLiteral("boat"));
  QVERIFY(Item("ModifyEntryItem")->isEnabled() && Item("DeleteEntryItem")->isEnabled());
  Search(QStringLiteral("stern"));
  QVERIFY(Item("ModifyEntryItem")->isEnabled() && !Item("DeleteEntryItem")->isEnabled());

  // The listing empties the search box and lists the entries of origin C and A, in both
  // languages, with nothing shown.
  Choose("CustomEntriesItem");
  QCOMPARE(W<QLineEdit>("Entry_Text")->text(), QString());
  QCOMPARE(Items(), (QStringList{QStringLiteral("boat *"), QStringLiteral("shipyard knot *"), QStringLiteral("stern")}));
  QVERIFY(!Item("ModifyEntryItem")->isEnabled() && !Item("DeleteEntryItem")->isEnabled());
  SwitchLanguage();
  Choose("CustomEntriesItem");
  QCOMPARE(Items().size(), 3);
  QVERIFY(Items().contains(QStringLiteral("κόμπος & θηλιά *")));

  // Without any folder it never asks for one (a dialog would hold Choose until answered).
  fs::remove_all(fixture_->userDir());
  Restart(std::nullopt);
  Choose("CustomEntriesItem");
  QCOMPARE(Model()->count(), 0);
}

// A user starts the program from a folder they may not write, without settings, and adds,
// changes, lists and deletes an entry of their own.
void tst_UserEntries::editsStartingFromAReadOnlyProgramFolderWithoutSettings() {
  fs::remove_all(fixture_->userDir());
  fs::permissions(fixture_->programDir() + "Quorvel", fs::perms::owner_read);
  Restart(std::nullopt);
  QVERIFY(!Locations().HasUserFolder());
  const QString folder = home_ + QStringLiteral("/Quorvel");
  QStringList seen;
  OnNextModal([&](QWidget* dialog) {
    seen << dialog->windowTitle() << Control<QTextEdit>(dialog, "MsgMemo")->toPlainText()
         << Control<QLineEdit>(dialog, "Dir_Edit")->text();
    OnNextModal([&](QWidget* editor) {
      // The editor's two refusals keep it open.
      OnNextModal([&](QWidget* box) {
        seen << Answer(box, QStringLiteral("OK"));
        OnNextModal([&](QWidget* second) {
          seen << Answer(second, QStringLiteral("OK"));
          FillEditor(editor, QStringLiteral("mooring"), QStringLiteral("πρόσδεση"), QStringLiteral("Line one,\nline two."));
        });
        FillEditor(editor, QStringLiteral("mooring"), QStringLiteral(""), QString());
      });
      FillEditor(editor, QString(), QStringLiteral("πρόσδεση"), QString());
    });
    QTest::keyClick(Control<QLineEdit>(dialog, "Dir_Edit"), Qt::Key_Return);
  });
  Choose("InsertEntryItem");
  QCOMPARE(seen.value(0), QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα"));
  QCOMPARE(seen.value(1), QStringLiteral("Για να επεξεργαστείτε λήμματα στο Orvanta πρέπει να ορίσετε στον υπολογιστή "
                                         "σας το φάκελο μέσα στον οποίο θα αποθηκεύονται οι τροποποιήσεις.\n\n"
                                         "Για δική σας ευκολία μπορείτε να κρατήσετε το φάκελο που προτείνεται παρακάτω."));
  QCOMPARE(seen.value(2), folder);
  QCOMPARE(seen.value(3), QStringLiteral("Orvanta|Πρέπει να συμπληρωθεί το Αγγλικό Λήμμα"));
  QCOMPARE(seen.value(4), QStringLiteral("Orvanta|Πρέπει να συμπληρωθεί το Ελληνικό Λήμμα ή η Περιγραφή"));
  QVERIFY(QFileInfo(folder + QStringLiteral("/Data")).isDir());
  QCOMPARE(Raw("config/Quorvel.ini"), folder.toStdString() + "\n");
  QCOMPARE(Q(Locations().UserIndexFile), folder + QStringLiteral("/QuorvelIC.tbo"));
  QCOMPARE(Model()->count(), 0);  // the view is cleared after the insert
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);

  Search(QStringLiteral("mooring"));
  QCOMPARE(Items(), QStringList{QStringLiteral("mooring *")});
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Trans_Label")->caption(), QStringLiteral("πρόσδεση"));
  QCOMPARE(Description(), QStringLiteral("Line one, \r\nline two."));

  // The folder is known now: nothing more is asked.
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QStringLiteral("Line one,\nline two."));
    FillEditor(editor, QString(), QString(), QStringLiteral("Changed."));
  });
  Choose("ModifyEntryItem");
  Choose("CustomEntriesItem");
  QCOMPARE(Items(), QStringList{QStringLiteral("mooring *")});
  ClickItem(0);
  QCOMPARE(Description(), QStringLiteral("Changed."));
  OnNextModal([](QWidget* box) { Answer(box, QStringLiteral("Ναι")); });
  Choose("DeleteEntryItem");
  Choose("CustomEntriesItem");
  QCOMPARE(Model()->count(), 0);
  QCOMPARE(window_->session().dictionary().englishCount, 4);
}

void tst_UserEntries::insertAndModifyInBothLanguages() {
  // A published entry in English: only its addition can be given.
  Search(QStringLiteral("ship"));
  OnNextModal([](QWidget* editor) {
    QCOMPARE(editor->windowTitle() + Control<QPushButton>(editor, "InsertOk_Button")->text(),
             QStringLiteral("Τροποποίηση ΛήμματοςOk"));
    QVERIFY(!Control<QLineEdit>(editor, "InsertEntry_Text")->isEnabled());
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Trans")->text(), QStringLiteral("πλοίο"));
    QCOMPARE(editor->focusWidget(), Control<QWidget>(editor, "InsertEntry_Descr"));
    FillEditor(editor, QString(), QString(), QStringLiteral("Seen in port."));
  });
  Choose("ModifyEntryItem");
  QCOMPARE(fixture_->UserIndexLines()[1].substr(0, 10), std::string("0000300003"));
  QCOMPARE(fixture_->UserDescriptions()[1], Addition("Seen in port."));

  // In Greek: an insert, an addition changed, a user entry renamed.
  SwitchLanguage();
  OnNextModal([](QWidget* editor) {
    FillEditor(editor, QStringLiteral("  anchor chain"), QStringLiteral("αλυσίδα"), QStringLiteral("Links\nand more."));
  });
  Choose("InsertEntryItem");
  QCOMPARE(fixture_->UserIndexLines()[0].substr(0, 22), std::string("0000100102anchor chain"));
  QCOMPARE(fixture_->UserGreekLines()[0], DictionaryFixture::UserGreekLine(1, 102, Cp("αλυσίδα")));
  QCOMPARE(DescriptionOf("anchor chain"), Entry("Links\r\nand more."));
  Search(QStringLiteral("πρύμνη"));
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Text")->text(), QStringLiteral("stern"));
    QCOMPARE(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText(), QStringLiteral("My own note."));
    FillEditor(editor, QString(), QString(), QStringLiteral("My new note."));
  });
  Choose("ModifyEntryItem");
  QCOMPARE(fixture_->UserDescriptions().back(), Addition("My new note."));
  Search(QStringLiteral("βάρκα"));
  QCOMPARE(Items(), QStringList{QStringLiteral("βάρκα *")});
  OnNextModal([](QWidget* editor) {
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Text")->text(), QStringLiteral("boat"));
    QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Trans")->text(), QStringLiteral("βάρκα"));
    FillEditor(editor, QStringLiteral("dinghy"), QString(), QString());
  });
  Choose("ModifyEntryItem");
  QCOMPARE(DescriptionOf("dinghy"), Entry("Boat text."));
  QCOMPARE(DescriptionOf("boat"), "-");

  // A user entry in English left as it was keeps its texts exactly, its ampersand included.
  SwitchLanguage();
  Search(QStringLiteral("shipyard knot"));
  OnNextModal([](QWidget* editor) { FillEditor(editor, QString(), QString(), QString()); });
  Choose("ModifyEntryItem");
  QCOMPARE(DescriptionOf("shipyard knot"), Entry("Knot text."));
  QVERIFY(fixture_->UserGreekLines().back().ends_with("00104" + Cp("κόμπος & θηλιά")));

  // Cancel changes nothing and leaves the view.
  const std::string index = Raw("user/QuorvelIC.tbo");
  Search(QStringLiteral("dinghy"));
  OnNextModal([](QWidget* editor) { QTest::keyClick(editor, Qt::Key_Escape); });
  Choose("ModifyEntryItem");
  QCOMPARE(Raw("user/QuorvelIC.tbo"), index);
  QCOMPARE(Items(), QStringList{QStringLiteral("dinghy *")});
}

void tst_UserEntries::deleteAsksBeforeAnythingElse() {
  Search(QStringLiteral("b"));
  ClickItem(1);  // "boat *" after "bow"
  const std::string index = Raw("user/QuorvelIC.tbo");
  QString question;
  OnNextModal([&question](QWidget* box) { question = Answer(box, QStringLiteral("Όχι")); });
  Choose("DeleteEntryItem");
  QCOMPARE(question, QStringLiteral("Επιβεβαίωση Διαγραφής|Να διαγραφεί το Λήμμα;"));
  QCOMPARE(Raw("user/QuorvelIC.tbo"), index);
  OnNextModal([](QWidget* box) { Answer(box, QStringLiteral("Ναι")); });
  Choose("DeleteEntryItem");
  QCOMPARE(fixture_->UserIndexLines().size(), size_t(2));
  QCOMPARE(fixture_->UserGreekLines().size(), size_t(1));
  QCOMPARE(Items(), QStringList{QStringLiteral("bow")});  // the rest of the list stays
  QCOMPARE(Model()->slot(0), 2);

  // The user's folder gone since start (a disk taken out): the question, then the folder.
  Restart(fixture_->userDir() + "\n");
  Search(QStringLiteral("shipyard knot"));
  fs::rename(fixture_->userDir(), fixture_->programDir() + "away");
  QStringList seen;
  OnNextModal([&seen](QWidget* box) {
    OnNextModal([&seen](QWidget* dialog) {
      seen << Control<QTextEdit>(dialog, "MsgMemo")->toPlainText().left(26);
      QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton);
    });
    seen << Answer(box, QStringLiteral("Ναι"));
  });
  Choose("DeleteEntryItem");
  QCOMPARE(seen, (QStringList{QStringLiteral("Επιβεβαίωση Διαγραφής|Να διαγραφεί το Λήμμα;"),
                              QStringLiteral("Ο φάκελος που έχει οριστεί")}));
  QVERIFY(!Locations().HasUserFolder());
  QVERIFY(fixture_->Exists("away/QuorvelIC.tbo"));
  for (const QString& item : Items()) QVERIFY2(!item.endsWith(QStringLiteral(" *")), qPrintable(item));  // its user entries are gone
}

void tst_UserEntries::settingsFileQuestions() {
  // An empty first line asks as if no folder were known. The volume list and the folder tree
  // fill the folder field and leave the current directory; Cancel ends the command.
  fs::remove_all(fixture_->userDir());
  Restart("\n");
  const fs::path current = fs::current_path();
  QStringList seen;
  OnNextModal([&](QWidget* dialog) {
    seen << Control<QTextEdit>(dialog, "MsgMemo")->toPlainText().left(29);
    auto* volumes = Control<QComboBox>(dialog, "DriveComboBox1");
    QCOMPARE(volumes->itemText(0) + volumes->itemText(1), QStringLiteral("/") + home_);
    QTest::keyClick(volumes, Qt::Key_Down);
    seen << Control<QLineEdit>(dialog, "Dir_Edit")->text();
    auto* tree = Control<QTreeView>(dialog, "DirectoryListBox1");
    QTRY_COMPARE(tree->model()->rowCount(tree->rootIndex()), 1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(tree->model()->index(0, 0, tree->rootIndex())).center());
    seen << Control<QLineEdit>(dialog, "Dir_Edit")->text();
    QTest::keyClick(Control<QLineEdit>(dialog, "Dir_Edit"), Qt::Key_Escape);
  });
  Choose("InsertEntryItem");
  QCOMPARE(seen, (QStringList{QStringLiteral("Για να επεξεργαστείτε λήμματα"), home_, home_ + QStringLiteral("/ships")}));
  QVERIFY(QApplication::activeModalWidget() == nullptr);  // no editor
  QVERIFY(fs::current_path() == current);
  QCOMPARE(Raw("config/Quorvel.ini"), "\n");

  // A first line naming a folder that is gone asks again. A folder that cannot be made keeps
  // the dialog; one typed with a trailing separator is used and remembered as typed.
  Restart(fixture_->programDir() + "gone\n");
  const QString typed = QString::fromStdString(fixture_->programDir()) + QStringLiteral("mine/");
  seen.clear();
  OnNextModal([&](QWidget* dialog) {
    seen << Control<QTextEdit>(dialog, "MsgMemo")->toPlainText().left(26);
    OnNextModal([&](QWidget* box) {
      seen << Answer(box, QStringLiteral("OK"));
      OnNextModal([](QWidget* editor) { FillEditor(editor, QStringLiteral("capstan"), QStringLiteral("εργάτης"), QString()); });
      ChooseFolder(dialog, typed);
    });
    ChooseFolder(dialog, QString::fromStdString(fixture_->programDir()) + QStringLiteral("Quorvel/sub"));
  });
  Choose("InsertEntryItem");
  QCOMPARE(seen, (QStringList{QStringLiteral("Ο φάκελος που έχει οριστεί"),
                              QStringLiteral("Orvanta|Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. "
                                             "Παρακαλώ επιλέξτε άλλο φάκελο")}));
  QCOMPARE(Raw("config/Quorvel.ini"), typed.toStdString() + "\n");
  QCOMPARE(Q(Locations().UserIndexFile), typed + QStringLiteral("/QuorvelIC.tbo"));
  QVERIFY(QFileInfo(typed + QStringLiteral("Data")).isDir());
  Search(QStringLiteral("capstan"));
  QCOMPARE(Items(), QStringList{QStringLiteral("capstan *")});
}

// The user points the "not valid" question at the folder that holds their entries: the edit
// is placed among them, with a number none of them has, and the list is made again in the new
// index, so that it does not lead to other entries.
void tst_UserEntries::aChosenFolderWithEntriesOfItsOwn() {
  const std::vector<std::string> before = fixture_->UserIndexLines();
  Restart(fixture_->programDir() + "gone\n");
  const QString folder = QString::fromStdString(fixture_->userDir());
  Search(QStringLiteral("s"));
  QCOMPARE(Items(), (QStringList{QStringLiteral("ship"), QStringLiteral("stern")}));
  ClickItem(1);
  OnNextModal([folder](QWidget* dialog) {
    OnNextModal([](QWidget* editor) {
      QCOMPARE(Control<QLineEdit>(editor, "InsertEntry_Text")->text(), QStringLiteral("stern"));
      QTest::keyClick(editor, Qt::Key_Escape);
    });
    ChooseFolder(dialog, folder);
  });
  Choose("ModifyEntryItem");
  const quorvel::Dictionary& d = window_->session().dictionary();
  QCOMPARE(d.englishCount, 6);
  QVERIFY(Model()->count() >= 2);  // "ship" and "stern" are at other slots now
  for (int i = 0; i < Model()->count(); ++i) {
    QCOMPARE(Q(quorvel::ListText(d.EnglishIndex[Model()->slot(i)].Headword, d.EnglishIndex[Model()->slot(i)].Origin)),
             Items().value(i));
  }

  OnNextModal([](QWidget* editor) { FillEditor(editor, QStringLiteral("bowsprit"), QString(), QStringLiteral("Spar.")); });
  Choose("InsertEntryItem");
  const std::vector<std::string> index = fixture_->UserIndexLines();
  QCOMPARE(index.size(), size_t(4));
  QCOMPARE(index[0], before[0]);
  QCOMPARE(index[1].substr(0, 18), std::string("0000200102bowsprit"));
  QCOMPARE(DescriptionOf("bowsprit"), Entry("Spar."));
}

void tst_UserEntries::aReadOnlyUserFolderSavesNothingAndSaysSo() {
  const std::string index = Raw("user/QuorvelIC.tbo");
  const std::string descriptions = Raw("user/QuorvelC.tbo");
  fs::permissions(fixture_->userDir(), fs::perms::owner_read | fs::perms::owner_exec);
  QStringList seen;
  // The editor stays open with what was typed, for the user to copy, until cancelled.
  OnNextModal([&seen](QWidget* editor) {
    OnNextModal([&seen, editor](QWidget* box) {
      seen << Answer(box, QStringLiteral("OK"));
      QTimer::singleShot(0, editor, [&seen, editor] {
        seen << Control<QLineEdit>(editor, "InsertEntry_Text")->text();
        QTest::keyClick(editor, Qt::Key_Escape);
      });
    });
    FillEditor(editor, QStringLiteral("hawser"), QStringLiteral("παλαμάρι"), QString());
  });
  Choose("InsertEntryItem");
  Search(QStringLiteral("boat"));
  OnNextModal([&seen](QWidget* box) {
    OnNextModal([&seen](QWidget* message) { seen << Answer(message, QStringLiteral("OK")); });
    Answer(box, QStringLiteral("Ναι"));
  });
  Choose("DeleteEntryItem");
  const QString notSaved = QStringLiteral("Orvanta|Η αλλαγή δεν αποθηκεύτηκε.\n\n"
                                          "Δεν επιτρέπεται η εγγραφή στο φάκελο των επεξεργασμένων λημμάτων.!");
  QCOMPARE(seen, (QStringList{notSaved, QStringLiteral("hawser"), notSaved}));
  QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  QCOMPARE(W<quorvel::ui::CaptionLabel>("Entry_Label")->caption(), QStringLiteral("boat"));  // the view stays
  QCOMPARE(Raw("user/QuorvelIC.tbo"), index);
  QCOMPARE(Raw("user/QuorvelC.tbo"), descriptions);
}

// A folder where the user's descriptions belong: the window says so once, at start, and no
// edit writes the user files in that run.
void tst_UserEntries::unreadableUserFilesAreSaidOnceAndNeverWritten() {
  const std::string index = Raw("user/QuorvelIC.tbo");
  fs::remove(Locations().UserDescrFile);
  fs::create_directory(Locations().UserDescrFile);
  QStringList seen;
  OnNextModal([&seen](QWidget* box) { seen << Answer(box, QStringLiteral("OK")); });
  StartWindow(fixture_->locations());
  QTRY_COMPARE(seen.size(), 1);
  QVERIFY2(seen[0].startsWith(QStringLiteral("Πρόβλημα|Τα αρχεία των επεξεργασμένων λημμάτων")), qPrintable(seen[0]));
  window_->hide();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  QTest::qWait(50);
  QCOMPARE(seen.size(), 1);

  OnNextModal([&seen](QWidget* editor) {
    OnNextModal([&seen, editor](QWidget* box) {
      seen << Answer(box, QStringLiteral("OK"));
      QTimer::singleShot(0, editor, [editor] { QTest::keyClick(editor, Qt::Key_Escape); });
    });
    FillEditor(editor, QStringLiteral("hawser"), QStringLiteral("παλαμάρι"), QString());
  });
  Choose("InsertEntryItem");
  QTRY_COMPARE(seen.size(), 2);
  QVERIFY2(seen[1].contains(QStringLiteral("Η αλλαγή δεν αποθηκεύτηκε.")), qPrintable(seen[1]));
  QCOMPARE(Raw("user/QuorvelIC.tbo"), index);
  QVERIFY(fs::is_directory(Locations().UserDescrFile));
}

// The install mode needs only its own question and OK step.
void tst_UserEntries::folderDialogOkStepOfTheInstallMode() {
  QStringList steps;
  for (const int result : {QDialog::Rejected, QDialog::Accepted}) {
    quorvel::ui::TSelectCustomDirForm dialog(window_->session().fileSystem(), window_.get());
    dialog.SetQuestion({QStringLiteral("Εγκατάσταση"), quorvel::ui::FolderQuestion::Picture::kInstall, QString(),
                        [&steps](const QString& folder) {
                          steps << folder;
                          return steps.size() == 2;
                        }});
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!Control<QWidget>(&dialog, "Image1")->isVisible() && Control<QWidget>(&dialog, "Image2")->isVisible());
    QTest::mouseClick(Control<QPushButton>(&dialog, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(dialog.result(), result);
  }
  QCOMPARE(steps, QStringList(2, home_ + QStringLiteral("/Quorvel")));
}

// quorvel-tools beside the window deletes the user entry the window shows and adds another,
// which takes its number. The window follows the files; an edit of the entry it showed is
// refused as changed meanwhile, with the editor kept open, and never touches the new entry.
void tst_UserEntries::quorvelToolsEditingBesideTheWindow() {
  Search(QStringLiteral("shipyard knot"));
  QCOMPARE(Items(), QStringList{QStringLiteral("shipyard knot *")});
  QCOMPARE(Tools({QStringLiteral("delete"), QString::number(Model()->slot(0))}), 0);
  QCOMPARE(Tools({QStringLiteral("insert"), QStringLiteral("zebra new"), QStringLiteral("ζέβρα"), QStringLiteral("Striped.")}), 0);
  QTRY_VERIFY(!Items().contains(QStringLiteral("shipyard knot *")));  // the folder told the window
  QVERIFY(W<QLabel>("Selmarin_Image")->isVisible());

  Search(QStringLiteral("boat"));
  QCOMPARE(Description(), QStringLiteral("Boat text."));
  QStringList seen;
  OnNextModal([&](QWidget* editor) {
    // Meanwhile, in the other program.
    QCOMPARE(Tools({QStringLiteral("delete"), QString::number(Model()->slot(0))}), 0);
    QCOMPARE(Tools({QStringLiteral("insert"), QStringLiteral("yawl"), QString(), QStringLiteral("Two masts.")}), 0);
    OnNextModal([&, editor](QWidget* box) {
      seen << Answer(box, QStringLiteral("OK"));
      QTimer::singleShot(0, editor, [&seen, editor] {
        seen << Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText();
        QTest::keyClick(editor, Qt::Key_Escape);
      });
    });
    FillEditor(editor, QString(), QString(), QStringLiteral("Mine."));
  });
  Choose("ModifyEntryItem");
  QCOMPARE(seen, (QStringList{QStringLiteral("Orvanta|Η αλλαγή δεν αποθηκεύτηκε.\n\n"
                                             "Το λήμμα άλλαξε ή διαγράφηκε στο μεταξύ από άλλο πρόγραμμα.!"),
                              QStringLiteral("Mine.")}));
  QVERIFY(!Items().contains(QStringLiteral("boat *")));  // reloaded
  QCOMPARE(DescriptionOf("zebra new"), Entry("Striped."));
  QCOMPARE(DescriptionOf("yawl"), Entry("Two masts."));
  QCOMPARE(DescriptionOf("boat"), std::string("-"));
}

void tst_UserEntries::aTooLongDescriptionIsNamedAndKept() {
  const std::string index = Raw("user/QuorvelIC.tbo");
  const QString text(quorvel::kMaxTypedDescriptionCharacters + 3, QChar(0x03B1));
  QStringList seen;
  OnNextModal([&](QWidget* editor) {
    Control<QLineEdit>(editor, "InsertEntry_Text")->setText(QStringLiteral("hawser"));
    Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->setPlainText(text);
    OnNextModal([&, editor](QWidget* box) {
      seen << Answer(box, QStringLiteral("OK"));
      QTimer::singleShot(0, editor, [&seen, editor] {
        seen << QString::number(Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->toPlainText().size());
        QTest::keyClick(editor, Qt::Key_Escape);
      });
    });
    QTest::mouseClick(Control<QPushButton>(editor, "InsertOk_Button"), Qt::LeftButton);
  });
  Choose("InsertEntryItem");
  QCOMPARE(seen, (QStringList{QStringLiteral("Orvanta|Η αλλαγή δεν αποθηκεύτηκε: η περιγραφή ξεπερνά τους 7747 "
                                             "χαρακτήρες.!"),
                              QString::number(text.size())}));
  QCOMPARE(Raw("user/QuorvelIC.tbo"), index);
}

QTEST_MAIN(tst_UserEntries)
#include "tst_UserEntries.moc"

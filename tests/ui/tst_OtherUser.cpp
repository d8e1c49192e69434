// The program as an ordinary user meets it in a program folder that root owns (mode 0755, as a
// system-wide copy is installed), with folders that user cannot write: the install label is
// offered, an edit asks for a folder, and a folder this user cannot write is never taken.
//
// The checks need a folder another user owns. Started as root, the test makes one (a copy of
// the program folder the build makes), runs itself as the user "nobody" on it, and removes it;
// started as anyone else, it is skipped.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/Locations.h"
#include "core/Session.h"
#include "platform/Desktop.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/ui/ModalSteps.h"
#include "ui/EntryListModel.h"
#include "ui/LinkLabel.h"
#include "ui/MainLexU.h"

namespace fs = std::filesystem;
using quorvel::test::OnNextModal;
using quorvel::test::TypeText;

namespace {

constexpr const char* kProgramDirVariable = "QUORVEL_OTHER_USER_PROGRAM_DIR";

template <typename T>
T* Control(QWidget* parent, const char* name) {
  T* control = parent->findChild<T*>(QString::fromLatin1(name));
  if (!control) qFatal("no control %s", name);
  return control;
}

// Answers a message box with its one button; its title and text.
QString Answer(QWidget* modal) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (!box) qFatal("%s where a message box was expected", modal->metaObject()->className());
  const QString shown = box->text();
  box->buttons().first()->click();
  return shown;
}

void ChooseFolder(QWidget* dialog, const QString& folder) {
  auto* field = Control<QLineEdit>(dialog, "Dir_Edit");
  field->selectAll();
  TypeText(field, folder);
  QTest::keyClick(field, Qt::Key_Return);
}

const QString kFolderProblem =
    QStringLiteral("Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο φάκελο");

}  // namespace

class tst_OtherUser : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void aFolderRootOwnsIsReadOnlyMedia();
  void aRememberedFolderThisUserCannotWriteIsAskedForAgain();
  void theInstallRefusesAFolderThisUserCannotWrite();

 private:
  // A window on the program folder, as the program starts.
  void Start();
  void Choose(const char* item);

  fs::path program_;
  fs::path home_;
  std::optional<quorvel::Session> session_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<quorvel::ui::TMainLex> window_;
};

void tst_OtherUser::initTestCase() {
  if (!std::getenv(kProgramDirVariable)) QSKIP("needs a folder another user owns: run as root");
  QVERIFY(::geteuid() != 0);
  program_ = std::getenv(kProgramDirVariable);
  home_ = std::getenv("HOME");
}

void tst_OtherUser::init() { Start(); }

void tst_OtherUser::Start() {
  window_.reset();
  session_.emplace(quorvel::ResolveFileLocations(fs_, program_.string(), quorvel::SystemFoldersFromEnvironment()), fs_,
                   [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = std::make_unique<quorvel::ui::TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(std::vector<quorvel::platform::KeyboardLayout>{}),
      nullptr, nullptr, std::make_unique<quorvel::platform::FakeDesktop>());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_OtherUser::cleanup() {
  quorvel::test::CancelWaitingSteps();
  window_.reset();
  session_.reset();
  fs::remove_all(home_ / ".config");
  fs::remove_all(home_ / "Quorvel");
}

void tst_OtherUser::Choose(const char* item) {
  QTest::mouseClick(window_->findChild<QToolButton*>(QStringLiteral("CustomEntries_Button")), Qt::LeftButton);
  auto* menu = window_->findChild<QMenu*>(QStringLiteral("CustomEntriesMenu"));
  QTRY_VERIFY(menu->isVisible());
  QAction* action = window_->findChild<QAction*>(QString::fromLatin1(item));
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

// Without settings, the program does not put the user's entries into root's folder: it asks,
// refuses the program folder itself, and takes a folder in the user's home.
void tst_OtherUser::aFolderRootOwnsIsReadOnlyMedia() {
  QVERIFY(window_->findChild<quorvel::ui::LinkLabel*>(QStringLiteral("InstallLabel"))->isVisible());
  QStringList seen;
  const QString mine = QString::fromStdString((home_ / "Quorvel").string());
  OnNextModal([&](QWidget* dialog) {
    seen << dialog->windowTitle();
    OnNextModal([&, dialog](QWidget* box) {
      seen << Answer(box);
      OnNextModal([&](QWidget* editor) {
        Control<QLineEdit>(editor, "InsertEntry_Text")->setText(QStringLiteral("mooring"));
        Control<QPlainTextEdit>(editor, "InsertEntry_Descr")->setPlainText(QStringLiteral("Lines ashore."));
        QTest::mouseClick(Control<QPushButton>(editor, "InsertOk_Button"), Qt::LeftButton);
      });
      ChooseFolder(dialog, mine);
    });
    ChooseFolder(dialog, QString::fromStdString(program_.string()));
  });
  Choose("InsertEntryItem");
  QCOMPARE(seen, (QStringList{QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα"), kFolderProblem}));
  QVERIFY(fs::is_regular_file(home_ / "Quorvel/QuorvelIC.tbo"));
  QVERIFY(!fs::exists(program_ / "Data/QuorvelIC.tbo") && !fs::exists(program_ / "data/QuorvelIC.tbo"));
  QVERIFY(fs::is_regular_file(home_ / ".config/Quorvel.ini"));
}

// A settings file naming a folder this user cannot write (and that holds no entries) is taken
// for one that is not valid: the user is asked again instead of failing at every edit.
void tst_OtherUser::aRememberedFolderThisUserCannotWriteIsAskedForAgain() {
  fs::create_directories(home_ / ".config");
  {
    std::FILE* settings = std::fopen((home_ / ".config/Quorvel.ini").c_str(), "w");
    std::fputs((program_.string() + "\n").c_str(), settings);
    std::fclose(settings);
  }
  Start();
  QString question;
  OnNextModal([&](QWidget* dialog) {
    question = Control<QTextEdit>(dialog, "MsgMemo")->toPlainText().left(26);
    QTest::keyClick(Control<QLineEdit>(dialog, "Dir_Edit"), Qt::Key_Escape);
  });
  Choose("InsertEntryItem");
  QCOMPARE(question, QStringLiteral("Ο φάκελος που έχει οριστεί"));
}

// The install into a folder this user cannot write is refused in the dialog: nothing is
// copied, and neither the settings nor a launcher point there.
void tst_OtherUser::theInstallRefusesAFolderThisUserCannotWrite() {
  QStringList seen;
  OnNextModal([&](QWidget* dialog) {
    OnNextModal([&, dialog](QWidget* box) {
      seen << Answer(box);
      QTest::keyClick(Control<QLineEdit>(dialog, "Dir_Edit"), Qt::Key_Escape);
    });
    ChooseFolder(dialog, QString::fromStdString(program_.string()));
  });
  QTest::mouseClick(window_->findChild<quorvel::ui::LinkLabel*>(QStringLiteral("InstallLabel")), Qt::LeftButton);
  QCOMPARE(seen, QStringList{kFolderProblem});
  QVERIFY(!fs::exists(home_ / ".config/Quorvel.ini"));
  QVERIFY(!fs::exists(home_ / ".local/share/applications/Orvanta.desktop"));
}

// As root: a copy of the program folder owned by root, and this test run again as "nobody".
int RunAsNobody(int argc, char* argv[]) {
  const fs::path root = fs::temp_directory_path() / ("quorvel-tst-otheruser-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "home");
  fs::copy(QUORVEL_DIST_DIR, root / "program", fs::copy_options::recursive);
  // The build folder may lie where "nobody" cannot go: the test runs from a copy of its own.
  fs::copy_file(fs::canonical("/proc/self/exe"), root / "tst_OtherUser");
  fs::permissions(root, fs::perms(0755));
  std::string command = "chown -R 65534:65534 '" + (root / "home").string() + "' && cd / && setpriv --reuid=65534 "
                        "--regid=65534 --clear-groups env HOME='" + (root / "home").string() +
                        "' XDG_CONFIG_HOME='" + (root / "home/.config").string() + "' XDG_DATA_HOME='" +
                        (root / "home/.local/share").string() + "' XDG_RUNTIME_DIR= " + kProgramDirVariable + "='" +
                        (root / "program").string() + "/' '" + (root / "tst_OtherUser").string() + "'";
  for (int i = 1; i < argc; ++i) command += std::string(" '") + argv[i] + "'";
  const int status = std::system(command.c_str());
  fs::remove_all(root);
  return status == 0 ? 0 : 1;
}

int main(int argc, char* argv[]) {
  if (::geteuid() == 0 && !std::getenv(kProgramDirVariable)) return RunAsNobody(argc, argv);
  QApplication app(argc, argv);
  tst_OtherUser test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_OtherUser.moc"

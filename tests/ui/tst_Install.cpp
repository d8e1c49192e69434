// The install command driven as a user drives it, on a read-only copy of the program folder
// that the build makes (the program, its data, its documents and the presentation): the install
// label, the folder dialog's install question, the messages, and the installed copy started as
// its launcher starts it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextEdit>

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
#include "ui/LinkLabel.h"
#include "ui/MainLexU.h"

namespace fs = std::filesystem;
using quorvel::ui::TMainLex;

namespace {

void SetWritable(const fs::path& root, bool writable) {
  const auto apply = [writable](const fs::path& path) {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, writable ? fs::perms::owner_write : write,
                    writable ? fs::perm_options::add : fs::perm_options::remove);
  };
  for (const auto& entry : fs::recursive_directory_iterator(root)) apply(entry.path());
  apply(root);
}

// The value of `key` in a desktop entry, as written (no escapes in these tests' paths).
QString EntryValue(const fs::path& launcher, const QString& key) {
  QFile file(QString::fromStdString(launcher.string()));
  if (!file.open(QIODevice::ReadOnly)) return {};
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.startsWith(key.toUtf8() + "=")) return QString::fromUtf8(line.mid(key.size() + 1));
  }
  return {};
}

}  // namespace

class tst_Install : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void readOnlyCopyInstallsAndTheInstalledCopyStarts();
  void cancelInstallsNothing();
  void unreadableListSaysTheInstallFailed();

 private:
  // Clicks the install label and answers the dialog with `folder` (OK) or cancels it (empty);
  // returns the texts of the message boxes that followed.
  QStringList Install(const QString& folder);

  fs::path dir_;
  fs::path medium_;
  fs::path home_;
  std::optional<quorvel::Session> session_;
  quorvel::PosixFileSystem fs_;
  std::unique_ptr<TMainLex> window_;
  QString dialogCaption_;
  bool installPictureOnly_ = false;
};

void tst_Install::init() {
  dir_ = fs::temp_directory_path() / ("quorvel-tst-install-" + std::to_string(QCoreApplication::applicationPid()));
  fs::remove_all(dir_);
  medium_ = dir_ / "medium";
  home_ = dir_ / "home";
  fs::create_directories(home_);
  fs::copy(QUORVEL_DIST_DIR, medium_, fs::copy_options::recursive);
  fs::remove(medium_ / "quorvel-tools");
  SetWritable(medium_, false);
  qputenv("HOME", home_.c_str());
  qputenv("XDG_CONFIG_HOME", (home_ / ".config").c_str());
  qputenv("XDG_DATA_HOME", (home_ / ".local/share").c_str());
  fs::current_path(medium_);
  session_.emplace(quorvel::ResolveFileLocations(fs_, medium_.string(), quorvel::SystemFoldersFromEnvironment()), fs_,
                   [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  window_ = std::make_unique<TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(std::vector<quorvel::platform::KeyboardLayout>{}),
      nullptr, nullptr, std::make_unique<quorvel::platform::FakeDesktop>());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void tst_Install::cleanup() {
  quorvel::test::CancelWaitingSteps();
  window_.reset();
  session_.reset();
  fs::current_path(fs::temp_directory_path());
  SetWritable(medium_, true);
  fs::remove_all(dir_);
}

QStringList tst_Install::Install(const QString& folder) {
  QStringList messages;
  const std::function<void(QWidget*)> answerMessage = [&messages, &answerMessage](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    messages << box->text();
    quorvel::test::OnNextModal(answerMessage);
    box->buttons().first()->click();
  };
  quorvel::test::OnNextModal([&](QWidget* dialog) {
    dialogCaption_ = dialog->windowTitle();
    installPictureOnly_ = dialog->findChild<QLabel*>(QStringLiteral("Image2"))->isVisible() &&
                          !dialog->findChild<QLabel*>(QStringLiteral("Image1"))->isVisible();
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("Dir_Edit"));
    if (folder.isEmpty()) {
      QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
      return;
    }
    field->setText(folder);
    quorvel::test::OnNextModal(answerMessage);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  });
  auto* label = window_->findChild<quorvel::ui::LinkLabel*>(QStringLiteral("InstallLabel"));
  QTest::mouseClick(label, Qt::LeftButton);
  QTest::qWait(100);
  quorvel::test::CancelWaitingSteps();
  return messages;
}

void tst_Install::readOnlyCopyInstallsAndTheInstalledCopyStarts() {
  auto* label = window_->findChild<QLabel*>(QStringLiteral("InstallLabel"));
  QVERIFY2(label->isVisible(), "a read-only program file offers the install");
  const fs::path target = dir_ / "disk" / "Orvanta";
  const QStringList messages = Install(QString::fromStdString(target.string()));
  QCOMPARE(dialogCaption_, QStringLiteral("Επιλογή φακέλου για εγκατάσταση λεξικού"));
  QVERIFY(installPictureOnly_);
  QCOMPARE(messages, QStringList{QStringLiteral(
                         "Η εγκατάσταση ολοκληρώθηκε επιτυχώς. Για την εκκίνηση του Orvanta μπορείτε πλέον "
                         "να χρησιμοποιείτε το εικονίδιο στην επιφάνεια εργασίας.")});
  QVERIFY(fs::is_regular_file(target / "Quorvel"));
  QVERIFY(fs::is_regular_file(target / "content" / "QuenPres"));
  QVERIFY(fs::is_regular_file(target / "Data" / "Quorvel.tbo"));
  QVERIFY(fs::is_directory(target / "Data"));
  std::string remembered;
  QVERIFY(quorvel::ReadSettingsLine(fs_, (home_ / ".config" / "Quorvel.ini").string(), remembered).ok());
  QCOMPARE(QString::fromStdString(remembered), QString::fromStdString(target.string()));
  QVERIFY2(label->isVisible(), "the running copy keeps its install label");

  // The launcher starts the installed program in its folder; it keeps running.
  const fs::path launcher = home_ / "Desktop" / "Orvanta.desktop";
  QVERIFY(fs::is_regular_file(launcher));
  QString exec = EntryValue(launcher, QStringLiteral("Exec"));
  QVERIFY(exec.startsWith(QLatin1Char('"')) && exec.endsWith(QLatin1Char('"')));
  exec = exec.mid(1, exec.size() - 2);
  QProcess installed;
  installed.setProgram(exec);
  installed.setWorkingDirectory(EntryValue(launcher, QStringLiteral("Path")));
  installed.start();
  QVERIFY(installed.waitForStarted(5000));
  QVERIFY2(!installed.waitForFinished(2000), qPrintable(installed.readAllStandardError()));
  installed.terminate();
  installed.waitForFinished(5000);

  // The installed copy shows the dictionary.
  quorvel::Session copy(quorvel::ResolveFileLocations(fs_, target.string(), quorvel::SystemFoldersFromEnvironment()),
                        fs_, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  copy.Reload();
  QCOMPARE(copy.dictionary().englishCount, session_->dictionary().englishCount);
  QVERIFY(copy.dictionary().englishCount > 100);
  QCOMPARE(QString::fromStdString(copy.locations().UserIndexFile), QString::fromStdString((target / "QuorvelIC.tbo").string()));

  // Again: nothing new, and the same message.
  QCOMPARE(Install(QString::fromStdString(target.string())), messages);
}

void tst_Install::cancelInstallsNothing() {
  QVERIFY(Install(QString()).isEmpty());
  QVERIFY(!fs::exists(home_ / "Desktop" / "Orvanta.desktop"));
  QVERIFY(!fs::exists(home_ / ".config" / "Quorvel.ini"));
}

void tst_Install::unreadableListSaysTheInstallFailed() {
  SetWritable(medium_, true);
  fs::remove(medium_ / "content" / "fil.tbo");
  fs::create_directory(medium_ / "content" / "fil.tbo");
  SetWritable(medium_, false);
  const fs::path target = dir_ / "stopped";
  QCOMPARE(Install(QString::fromStdString(target.string())),
           QStringList{QStringLiteral("Η διαδικασία εγκατάστασης παρουσίασε προβλήματα")});
  QVERIFY2(fs::is_regular_file(target / "Quorvel"), "what was copied before the stop stays");
  QVERIFY(!fs::exists(home_ / "Desktop" / "Orvanta.desktop"));
  QVERIFY(!fs::exists(home_ / ".config" / "Quorvel.ini"));
}

QTEST_MAIN(tst_Install)
#include "tst_Install.moc"

// The program (build/dist/Quorvel) started again with a word hands it to the window already
// running, which looks it up and comes to the front, and the second start ends; on the desktop
// of scripts/with-desktop. But for the last test, which runs the program for both starts, the
// window is this test's own (serving the channel of the program folder build/dist), so that its
// search box can be read; xdotool and xprop say what the window manager made of it.
#include <QDeadlineTimer>
#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <atomic>
#include <memory>

#include "core/Session.h"
#include "platform/InstanceChannel.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "tests/ui/ForeignWindow.h"
#include "tests/ui/ModalSteps.h"
#include "ui/CaptionLabel.h"
#include "tests/ui/SlowDescriptions.h"
#include "ui/MainLexU.h"

using quorvel::platform::InstanceChannel;

namespace {

const QString kProgramDir = QStringLiteral(QUORVEL_DIST_DIR);

// The standard output of a desktop tool, trimmed.
QString Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(10000);
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
QString ActiveWindow() { return Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}); }
// The shown windows titled "Orvanta" of the process `pid`, one id a line.
QString WindowsOf(qint64 pid) {
  return Run(QStringLiteral("xdotool"),
             QStringLiteral("search --all --onlyvisible --pid %1 --name ^Orvanta$").arg(pid).split(u' '));
}

bool MakePrivateFolder(const QString& path) {
  return QDir().mkpath(path) && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

class tst_Instance : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void secondStartHandsItsWordToTheWindow();
  void wordWaitsForAnOpenDialogAndTheNewestWins();
  void wordWaitsForALongSearch();
  void programOpensWithItsWordAndTakesLaterOnes();

 private:
  // Starts the program in its folder; `runtime` is the folder of its socket.
  std::unique_ptr<QProcess> Start(const QStringList& args, const QString& runtime, const QString& startupId = {});
  // Runs a second start to its end while this event loop serves it; its exit code, -1 for none.
  int SecondStart(const QStringList& args, const QString& startupId = {});
  QString Text() const { return window_->findChild<QLineEdit*>(QStringLiteral("Entry_Text"))->text(); }
  QString Shown() const {
    return window_->findChild<quorvel::ui::CaptionLabel*>(QStringLiteral("Entry_Label"))->caption();
  }
  QString Id() const { return QString::number(window_->winId()); }

  QTemporaryDir dir_;
  std::unique_ptr<quorvel::test::DictionaryFixture> fixture_;
  quorvel::PosixFileSystem fs_;
  quorvel::test::SlowDown slow_;
  std::unique_ptr<quorvel::Session> session_;
  std::unique_ptr<quorvel::ui::TMainLex> window_;
  std::unique_ptr<InstanceChannel> channel_;
};

void tst_Instance::init() {
  const QString runtime = dir_.filePath(QStringLiteral("run"));
  QVERIFY(MakePrivateFolder(runtime));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
  // A start that failed to hand over would open its window for a user of its own.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("config"))));
  fixture_ = std::make_unique<quorvel::test::DictionaryFixture>();
  fixture_->WritePublished({{"anchor", "{Anchor text.}"}, {"bow", "{Bow text.}"}, {"ship", "{Ship text.}"}}, {});
  session_ = std::make_unique<quorvel::Session>(fixture_->locations(), fs_, quorvel::test::SlowConverter(slow_));
  window_ = std::make_unique<quorvel::ui::TMainLex>(
      *session_, std::make_unique<quorvel::platform::FakeKeyboardLayouts>(
                     std::vector<quorvel::platform::KeyboardLayout>{{1, "English"}, {2, "Greek"}}));
  // The window serves the channel of the program folder, as the program's first start does.
  channel_ = std::make_unique<InstanceChannel>(quorvel::platform::InstanceChannelName(kProgramDir));
  QCOMPARE(channel_->HandOverOrServe({}), InstanceChannel::Role::kServing);
  connect(channel_.get(), &InstanceChannel::requested, window_.get(),
          [this](const quorvel::platform::InstanceRequest& r) { window_->LookUpFromOutside(r.word, r.activation); });
  window_->show();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void tst_Instance::cleanup() {
  quorvel::test::CancelWaitingSteps();
  channel_.reset();
  window_.reset();
  session_.reset();
  fixture_.reset();
}

std::unique_ptr<QProcess> tst_Instance::Start(const QStringList& args, const QString& runtime,
                                              const QString& startupId) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
  if (!startupId.isEmpty()) environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), startupId);
  process->setProcessEnvironment(environment);
  process->setWorkingDirectory(kProgramDir);
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->start(kProgramDir + QStringLiteral("/Quorvel"), args);
  return process;
}

int tst_Instance::SecondStart(const QStringList& args, const QString& startupId) {
  const std::unique_ptr<QProcess> second = Start(args, qEnvironmentVariable("XDG_RUNTIME_DIR"), startupId);
  const QDeadlineTimer deadline(20000);
  while (second->state() != QProcess::NotRunning && !deadline.hasExpired()) QTest::qWait(10);
  if (second->state() == QProcess::NotRunning && second->exitStatus() == QProcess::NormalExit) {
    return second->exitCode();
  }
  second->kill();
  second->waitForFinished();
  return -1;
}

void tst_Instance::secondStartHandsItsWordToTheWindow() {
  quorvel::test::ForeignWindow other;
  QTRY_VERIFY(other.Shown());
  other.Activate();
  QTRY_VERIFY(ActiveWindow() != Id());
  QCOMPARE(SecondStart({QStringLiteral("anchor")}, QStringLiteral("tst-instance-1_TIME0")), 0);
  QCOMPARE(Text(), QStringLiteral("anchor"));
  QCOMPARE(Shown(), QStringLiteral("anchor"));
  // In front for the launch whose startup id it now bears, and the only window.
  QTRY_COMPARE(ActiveWindow(), Id());
  QTRY_VERIFY(window_->isActiveWindow());
  QCOMPARE(Run(QStringLiteral("xprop"), {QStringLiteral("-id"), Id(), QStringLiteral("_NET_STARTUP_ID")}),
           QStringLiteral("_NET_STARTUP_ID(UTF8_STRING) = \"tst-instance-1_TIME0\""));
  QCOMPARE(WindowsOf(QCoreApplication::applicationPid()), Id());

  // Arguments are joined; control characters and what code page 1253 lacks arrive as blanks and
  // question marks; the list language stays.
  other.Activate();
  QTRY_VERIFY(ActiveWindow() != Id());
  QCOMPARE(SecondStart({QStringLiteral("sea"), QStringLiteral("anchor\t日")}), 0);
  QCOMPARE(Text(), QStringLiteral("sea anchor ?"));
  QVERIFY(!window_->GreekMode());
  QTRY_COMPARE(ActiveWindow(), Id());

  // Without a word (or with a blank one) the window only comes back, un-minimised.
  QCOMPARE(SecondStart({QStringLiteral("bow")}), 0);
  window_->showMinimized();
  QTRY_VERIFY(window_->isMinimized());
  QCOMPARE(SecondStart({}), 0);
  QTRY_VERIFY(!window_->isMinimized());
  QTRY_COMPARE(ActiveWindow(), Id());
  QCOMPARE(SecondStart({QStringLiteral(" \t ")}), 0);
  QCOMPARE(Text(), QStringLiteral("bow"));
  QCOMPARE(Shown(), QStringLiteral("bow"));
}

// While a modal dialog is open the words wait, the newest replacing the older one.
void tst_Instance::wordWaitsForAnOpenDialogAndTheNewestWins() {
  QStringList duringDialog;
  quorvel::test::OnNextModal([&](QWidget* dialog) {
    for (const QString& word : {QStringLiteral("bow"), QStringLiteral("ship")}) {
      QCOMPARE(SecondStart({word}), 0);
      QTest::qWait(100);
      duringDialog << Text();
    }
    qobject_cast<QDialog*>(dialog)->reject();
  });
  QTest::mouseClick(window_->findChild<QToolButton*>(QStringLiteral("Search_Button")), Qt::LeftButton);
  QCOMPARE(duringDialog, QStringList(2, QString()));
  QTRY_COMPARE(Text(), QStringLiteral("ship"));
  QCOMPARE(Shown(), QStringLiteral("ship"));
}

// A word that comes while a long search runs on its worker thread waits for the search's end.
void tst_Instance::wordWaitsForALongSearch() {
  const std::unique_ptr<QProcess> second = Start({QStringLiteral("anchor")}, qEnvironmentVariable("XDG_RUNTIME_DIR"));
  slow_.milliseconds = 400;
  QVERIFY(quorvel::test::StartDescriptionSearch(*window_, QStringLiteral("anchor text")));
  QTRY_VERIFY_WITH_TIMEOUT(second->state() == QProcess::NotRunning, 20000);
  QVERIFY2(window_->busy(), "the second start ended while the search ran");
  QCOMPARE(Text(), QStringLiteral("anchor text"));
  QTRY_VERIFY_WITH_TIMEOUT(!window_->busy(), 20000);
  QCOMPARE(second->exitCode(), 0);
  QTRY_COMPARE(Shown(), QStringLiteral("anchor"));
}

// The program for both starts, on a socket folder of their own: the first opens with its word
// looked up, the second hands its word over and ends, the window comes to the front. The first
// killed leaves its socket behind; the next start removes it and opens the window.
void tst_Instance::programOpensWithItsWordAndTakesLaterOnes() {
  const QString runtime = dir_.filePath(QStringLiteral("run-program"));
  QVERIFY(MakePrivateFolder(runtime));
  // The Copy button (at 182, 21) copies the selected list item.
  const auto copied = [](const QString& window) {
    Run(QStringLiteral("xdotool"), QStringLiteral("mousemove --window %1 182 21 click 1").arg(window).split(u' '));
    return Run(QStringLiteral("xclip"), QStringLiteral("-o -selection clipboard").split(u' '));
  };
  for (const QString& word : {QStringLiteral("anchor"), QStringLiteral("ship")}) {
    const std::unique_ptr<QProcess> first = Start({word}, runtime);
    QTRY_VERIFY_WITH_TIMEOUT(!WindowsOf(first->processId()).isEmpty(), 20000);
    const QString shown = WindowsOf(first->processId());
    QTRY_COMPARE_WITH_TIMEOUT(copied(shown), word, 15000);
    if (word == QStringLiteral("anchor")) {
      quorvel::test::ForeignWindow other;
      QTRY_VERIFY(other.Shown());
      other.Activate();
      QTRY_VERIFY(ActiveWindow() != shown);
      const std::unique_ptr<QProcess> second = Start({QStringLiteral("bow")}, runtime);
      QTRY_VERIFY_WITH_TIMEOUT(second->state() == QProcess::NotRunning, 20000);
      QCOMPARE(second->exitCode(), 0);
      QTRY_COMPARE(ActiveWindow(), shown);
      QCOMPARE(WindowsOf(first->processId()), shown);
      QTRY_COMPARE_WITH_TIMEOUT(copied(shown), QStringLiteral("bow"), 15000);
    }
    first->kill();
    QVERIFY(first->waitForFinished(10000));
  }
}

QTEST_MAIN(tst_Instance)
#include "tst_Instance.moc"

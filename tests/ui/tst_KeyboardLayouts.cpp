// The keyboard layout follows the list language on a real X server: the server is given the
// layouts "us,gr", and the main window switches between their groups.
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <memory>

#include "core/Session.h"
#include "platform/KeyboardLayouts.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "tests/support/DictionaryFixture.h"
#include "ui/MainLexU.h"
#include "tests/ui/XkbKeymap.h"


class tst_KeyboardLayouts : public QObject {
  Q_OBJECT

 private slots:
  void groupNamesGiveLanguages();
  void activeGroupFollowsTheLanguage();
};

void tst_KeyboardLayouts::groupNamesGiveLanguages() {
  QCOMPARE(quorvel::platform::LanguageOfGroupName("English (US)"), std::string("English"));
  QCOMPARE(quorvel::platform::LanguageOfGroupName("Greek"), std::string("Greek"));
  QCOMPARE(quorvel::platform::LanguageOfGroupName("Greek (polytonic)"), std::string("Greek"));
  QCOMPARE(quorvel::platform::LanguageOfGroupName(""), std::string());
}

void tst_KeyboardLayouts::activeGroupFollowsTheLanguage() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("no X display");
  QVERIFY(quorvel::test::LoadUsGreekKeymap());
  auto probe = quorvel::platform::CreateSystemKeyboardLayouts();
  const auto installed = probe->Installed(20);
  QCOMPARE(installed.size(), size_t(2));
  QCOMPARE(installed[0].language, std::string("English"));
  QCOMPARE(installed[1].language, std::string("Greek"));
  probe->Activate(2);  // the window must switch back to English at start

  quorvel::test::DictionaryFixture fixture;
  fixture.WritePublished({{"ship", "{Ship.}"}});
  quorvel::PosixFileSystem fs;
  quorvel::Session session(fixture.locations(), fs,
                           [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  quorvel::ui::TMainLex window(session);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.greekLayoutFound());
  QCOMPARE(probe->Active(), 1);
  QToolButton* language = window.findChild<QToolButton*>(QStringLiteral("Lang_Button"));
  QTest::mouseClick(language, Qt::LeftButton);
  QVERIFY(window.GreekMode());
  QCOMPARE(probe->Active(), 2);
  QTest::mouseClick(language, Qt::LeftButton);
  QCOMPARE(probe->Active(), 1);
}

int main(int argc, char* argv[]) {
  // Without an X display the window test is skipped on the offscreen platform.
  if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tst_KeyboardLayouts test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_KeyboardLayouts.moc"

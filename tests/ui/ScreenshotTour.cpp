// Not a test: walks the main window through the states worth looking at (start, an English
// entry, a Greek term, the compact form, the two search dialogs) on the program folder it is
// started in, and saves a picture of each into the folder given as its argument.
#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QListView>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <string>

#include "core/Locations.h"
#include "core/Session.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "ui/MainLexU.h"
#include "ui/SearchBox.h"
#include "ui/TextCodec.h"

namespace {

void Save(QWidget& window, const QString& folder, const char* name) {
  QTest::qWait(200);
  window.grab().save(folder + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png"));
}

// Types the text and picks the first item of the list, as a user does when typing alone
// does not show the entry.
template <typename T = QWidget>
T* Control(const QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

void TypeAndPick(quorvel::ui::TMainLex& window, const QString& text) {
  for (const QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, Control(window, "Entry_Text"), Qt::Key_unknown, QString(ch),
                        Qt::NoModifier);
  }
  auto* list = Control<QListView>(window, "Entries_List");
  const QRect first = list->visualRect(list->model()->index(0, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
}

// Opens a dialog with its tool button, types `text` into its first field and saves the screen
// with the dialog over the window; then confirms the dialog (Enter) and saves the window.
void TourDialog(QWidget& window, const char* button, const QString& text, const QString& folder, const char* name) {
  QTimer::singleShot(300, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    for (const QChar ch : text) {
      QTest::sendKeyEvent(QTest::Click, dialog->focusWidget(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    QTest::qWait(200);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      screen->grabWindow(0).save(folder + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png"));
    }
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  });
  QTest::mouseClick(Control(window, button), Qt::LeftButton);
  Save(window, folder, (std::string(name) + "_result").c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  const int english = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 100;
  const int greek = argc > 3 ? QString::fromLatin1(argv[3]).toInt() : 200;
  quorvel::PosixFileSystem fs;
  quorvel::Session session(
      quorvel::ResolveFileLocations(fs, QDir::currentPath().toLocal8Bit().toStdString(),
                                    quorvel::SystemFoldersFromEnvironment()),
      fs, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  quorvel::ui::TMainLex window(session);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  Save(window, folder, "start");

  const auto& d = window.session().dictionary();
  TypeAndPick(window, quorvel::ui::ToQString(d.EnglishIndex[static_cast<size_t>(english)].Headword));
  Save(window, folder, "english");

  QTest::mouseClick(Control(window, "Lang_Button"), Qt::LeftButton);
  TypeAndPick(window, quorvel::ui::ToQString(d.GreekIndex[static_cast<size_t>(greek)].Term));
  Save(window, folder, "greek");

  window.resize(263, 183);
  TypeAndPick(window, QString());
  Save(window, folder, "compact");

  // The compact form's hint over the list, as the screen shows it.
  QWidget* viewport = Control<QListView>(window, "Entries_List")->viewport();
  const QPoint at(20, 8);
  QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &help);
  QTest::qWait(400);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    screen->grabWindow(0).save(folder + QStringLiteral("/compact_hint.png"));
  }

  // A tool button raised under the mouse.
  window.resize(600, 346);
  QWidget* search = Control(window, "Search_Button");
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(search->mapToGlobal(QPoint(5, 5))),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(search, &move);
  Save(window, folder, "hover");

  // The two search dialogs, framed by the window manager when there is one.
  window.resize(604, 346);
  TourDialog(window, "Search_Button", QStringLiteral("ship"), folder, "search_dialog");
  TourDialog(window, "DescrSearch_Button", QStringLiteral("πλοίο"), folder, "descrsearch_dialog");
  return 0;
}

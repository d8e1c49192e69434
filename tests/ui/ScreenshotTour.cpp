// Not a test: walks the main window through the states worth looking at (start, an English
// entry, a Greek term, a narrow window, the compact form with its hint, a raised tool button,
// an entry found by a description search with its word marked)
// and opens every dialog (the two search dialogs, the entry editor in both modes, the folder
// dialog in its three modes, the copyright window, a figure), on the program folder it is
// started in. Saves a picture of each into the folder given as its first argument: the main
// window's client area, and each dialog as the screen shows it, window manager frame included.
//   ui_screenshot_tour FOLDER [ENGLISH_SLOT [GREEK_SLOT]]
#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QListView>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <cstdio>
#include <string>

#include "core/Locations.h"
#include "core/Session.h"
#include "core/UserEntriesFolder.h"
#include "platform/Desktop.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "ui/CopyrightFormU.h"
#include "ui/FigFormU.h"
#include "ui/InsertEntryfrmU.h"
#include "ui/MainLexU.h"
#include "ui/MessageFormU.h"
#include "ui/SearchFormU.h"
#include "ui/SelectCustomDirFormU.h"
#include "ui/TextCodec.h"

namespace {

QString folder_;
int saved_ = 0;

QString PathOf(const char* name) { return folder_ + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png"); }

void Keep(const QPixmap& picture, const char* name) {
  if (picture.save(PathOf(name))) ++saved_;
}

// The window's client area, once what was asked of it is painted.
void Save(QWidget& window, const char* name) {
  QTest::qWait(60);
  Keep(window.grab(), name);
}

// What the screen shows of `window` with its frame and a margin of 8 pixels around it.
void SaveFramed(QWidget& window, const char* name) {
  QTest::qWait(120);
  if (QScreen* screen = window.screen()) {
    const QRect area = window.frameGeometry().adjusted(-8, -8, 8, 8);
    Keep(screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()), name);
  }
}

template <typename T = QWidget>
T* Control(const QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

void Type(QWidget* widget, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Types the text and picks the first item of the list, as a user does when typing alone does
// not show the entry.
void TypeAndPick(quorvel::ui::TMainLex& window, const QString& text) {
  Type(Control(window, "Entry_Text"), text);
  auto* list = Control<QListView>(window, "Entries_List");
  const QRect first = list->visualRect(list->model()->index(0, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
}

// Shows `dialog` (window-modal over the main window, as its command shows it), saves it as the
// screen shows it and closes it again.
void TourDialog(QDialog& dialog, const char* name) {
  dialog.open();
  if (QTest::qWaitForWindowExposed(&dialog)) SaveFramed(dialog, name);
  dialog.reject();
  QTest::qWait(20);
}

// The first drawing of the program folder's content, if any.
QString AnyFigure() {
  const QStringList figures =
      QDir(QStringLiteral("content")).entryList({QStringLiteral("fig*.bmp")}, QDir::Files, QDir::Name);
  return figures.isEmpty() ? QString() : QDir(QStringLiteral("content")).absoluteFilePath(figures.first());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  folder_ = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QDir().mkpath(folder_);
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
  Save(window, "main_start");

  const auto& d = window.session().dictionary();
  TypeAndPick(window, quorvel::ui::ToQString(d.EnglishIndex[static_cast<size_t>(english)].Headword));
  Save(window, "main_english");

  QTest::mouseClick(Control(window, "Lang_Button"), Qt::LeftButton);
  TypeAndPick(window, quorvel::ui::ToQString(d.GreekIndex[static_cast<size_t>(greek)].Term));
  Save(window, "main_greek");
  QTest::mouseClick(Control(window, "Lang_Button"), Qt::LeftButton);

  // Narrower than designed, with the title picture shown and an item selected (typing the
  // start of a word selects the first item without showing it).
  window.resize(480, 346);
  Type(Control(window, "Entry_Text"), QStringLiteral("sh"));
  Save(window, "main_narrow");

  window.resize(263, 183);
  TypeAndPick(window, QString());
  Save(window, "main_compact");
  // The compact form's hint over the list, as the screen shows it.
  QWidget* viewport = Control<QListView>(window, "Entries_List")->viewport();
  const QPoint at(20, 8);
  QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &help);
  QTest::qWait(300);
  if (QScreen* screen = window.screen()) Keep(screen->grabWindow(0), "main_compact_hint");

  // A tool button raised under the mouse.
  window.resize(600, 346);
  QWidget* search = Control(window, "Search_Button");
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(search->mapToGlobal(QPoint(5, 5))), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(search, &move);
  Save(window, "main_hover");
  window.resize(604, 346);

  // A description search for "vessel" through its dialog, and the first entry it found.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || !dialog->focusWidget()) return;
    answer.stop();
    Type(dialog->focusWidget(), QStringLiteral("vessel"));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
  });
  answer.start(10);
  QTest::mouseClick(Control(window, "DescrSearch_Button"), Qt::LeftButton);
  if (QTest::qWaitFor([&] { return !answer.isActive() && !window.busy(); }, 60000)) {
    auto* list = Control<QListView>(window, "Entries_List");
    const QRect first = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    Save(window, "main_found_marked");
  }

  {
    quorvel::ui::TSearchForm dialog(&window);
    TourDialog(dialog, "dialog_search");
  }
  {
    quorvel::ui::TMessageForm dialog(&window);
    TourDialog(dialog, "dialog_descrsearch");
  }
  {
    quorvel::ui::TInsertEntryFrm editor(&window);
    editor.SetEditMode(quorvel::ui::EditMode::kInsert);
    TourDialog(editor, "dialog_editor_insert");
  }
  {
    quorvel::ui::TInsertEntryFrm editor(&window);
    editor.SetEditMode(quorvel::ui::EditMode::kUpdate,
                       {'C', "boat hook", quorvel::ui::ToCp1253(QStringLiteral("κοντάρι")),
                        quorvel::ui::ToCp1253(QStringLiteral("Ένα κοντάρι με άγκιστρο."))});
    TourDialog(editor, "dialog_editor_modify");
  }
  const std::pair<quorvel::FolderMode, const char*> modes[] = {{quorvel::FolderMode::kNull, "dialog_folder_null"},
                                                               {quorvel::FolderMode::kInvalid, "dialog_folder_invalid"},
                                                               {quorvel::FolderMode::kInstall, "dialog_folder_install"}};
  for (const auto& [mode, name] : modes) {
    quorvel::ui::TSelectCustomDirForm dialog(fs, &window);
    dialog.SetQuestion(mode == quorvel::FolderMode::kInstall
                           ? quorvel::ui::InstallQuestion([](const QString&) { return false; })
                           : quorvel::ui::UserEntriesQuestion(mode));
    TourDialog(dialog, name);
  }
  {
    quorvel::platform::FakeDesktop desktop;
    quorvel::ui::TCopyrightForm about(desktop, QDir::currentPath() + QStringLiteral("/"), &window);
    TourDialog(about, "dialog_copyright");
  }
  if (const QString figure = AnyFigure(); !figure.isEmpty()) {
    quorvel::ui::TFigForm viewer(&window);
    if (viewer.LoadFigure(figure)) TourDialog(viewer, "dialog_figure");
  }
  std::printf("%d pictures in %s\n", saved_, qPrintable(folder_));
  return saved_ > 0 ? 0 : 1;
}

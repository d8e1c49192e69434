// The program entry: the application with its title, the eight windows in their order of
// creation (the dictionary browser first, the only one shown at start), the event loop. Before
// the windows, one program per user and program folder: a start that finds the window of an
// earlier one running hands it the word of its command line and ends.
#include <QApplication>
#include <QDir>

#include <cstdlib>
#include <memory>

#include "core/Locations.h"
#include "core/Session.h"
#include "platform/Desktop.h"
#include "platform/InstanceChannel.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"
#include "ui/Artwork.h"
#include "ui/CopyrightFormU.h"
#include "ui/DummyfrmU.h"
#include "ui/FigFormU.h"
#include "ui/GreekTexts.h"
#include "ui/InsertEntryfrmU.h"
#include "ui/MainLexU.h"
#include "ui/MessageFormU.h"
#include "ui/SearchFormU.h"
#include "ui/SelectCustomDirFormU.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// The word to look up: the arguments that Qt has left, joined by spaces.
QString CommandLineWord(const QStringList& arguments) { return arguments.mid(1).join(QLatin1Char(' ')); }

}  // namespace

int main(int argc, char* argv[]) {
  // Wayland tells only the focused window of clipboard changes, so quick translation could not
  // see copies made in other programs: on a Wayland desktop that also runs XWayland the program
  // runs through XWayland, unless the user has chosen a platform.
  if (IsSet("WAYLAND_DISPLAY") && IsSet("DISPLAY") && !IsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  // Read before Qt takes it: a start that hands its word over passes it on.
  const QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID");
  QApplication app(argc, argv);
  const quorvel::platform::InstanceRequest request{CommandLineWord(app.arguments()),
                                                   quorvel::platform::CallerActivation(startupId)};
  quorvel::platform::InstanceChannel channel(quorvel::platform::InstanceChannelName(QDir::currentPath()));
  if (channel.HandOverOrServe(request) == quorvel::platform::InstanceChannel::Role::kHandedOver) return 0;
  quorvel::ui::InstallGreekQtTexts();
  // The title is the main window's own; an application display name would be appended to
  // every dialog's caption. The program's picture shows in the task bar and window switchers.
  app.setWindowIcon(quorvel::ui::ArtworkIcon(QStringLiteral("orvanta")));

  // The program folder is the current directory, as the program was started.
  quorvel::PosixFileSystem fs;
  quorvel::Session session(
      quorvel::ResolveFileLocations(fs, QDir::currentPath().toLocal8Bit().toStdString(),
                                    quorvel::SystemFoldersFromEnvironment()),
      fs, [](std::string_view rtf) { return quorvel::richtext::RtfToPlainText(rtf); });
  quorvel::ui::TMainLex mainLex(session);
  quorvel::ui::TInsertEntryFrm insertEntryFrm(&mainLex);
  quorvel::ui::TDummyFrm dummyFrm;
  quorvel::ui::TMessageForm messageForm(&mainLex);
  quorvel::ui::TSearchForm searchForm(&mainLex);
  quorvel::ui::TSelectCustomDirForm selectCustomDirForm(fs, &mainLex);
  const std::unique_ptr<quorvel::platform::Desktop> desktop = quorvel::platform::CreateSystemDesktop();
  quorvel::ui::TCopyrightForm copyrightForm(*desktop, QString::fromLocal8Bit(session.locations().ProgramDir));
  quorvel::ui::TFigForm figForm(&mainLex);

  // The window has placed itself, centred on the screen that holds the pointer, when it was
  // made: the window manager maps it there and never places it elsewhere first.
  mainLex.show();
  if (!request.word.isEmpty()) mainLex.LookUpFromOutside(request.word, std::nullopt);
  QObject::connect(&channel, &quorvel::platform::InstanceChannel::requested, &mainLex,
                   [&mainLex](const quorvel::platform::InstanceRequest& later) {
                     mainLex.LookUpFromOutside(later.word, later.activation);
                   });
  return app.exec();
}

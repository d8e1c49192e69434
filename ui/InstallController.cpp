#include "ui/InstallController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <string>

#include "core/Installation.h"
#include "core/Locations.h"
#include "core/UserEntriesFolder.h"
#include "platform/LauncherFolders.h"
#include "ui/BusyCursor.h"
#include "ui/GreekMessageBox.h"
#include "ui/LinkLabel.h"
#include "ui/MainLexU.h"
#include "ui/SelectCustomDirFormU.h"

namespace quorvel::ui {
namespace {

const QString kInstalled = QStringLiteral(
    "Η εγκατάσταση ολοκληρώθηκε επιτυχώς. Για την εκκίνηση του Orvanta μπορείτε πλέον να "
    "χρησιμοποιείτε το εικονίδιο στην επιφάνεια εργασίας.");
const QString kProblems = QStringLiteral("Η εγκατάσταση παρουσίασε προβλήματα");
const QString kProcessProblems = QStringLiteral("Η διαδικασία εγκατάστασης παρουσίασε προβλήματα");

// The folder the six user paths point into; empty while they are empty.
std::string UserFolder(const Locations& locations) {
  const std::string& index = locations.UserIndexFile;
  const size_t slash = index.rfind('/');
  return slash == std::string::npos ? std::string() : index.substr(0, slash);
}

}  // namespace

InstallController::InstallController(TMainLex& window, LinkLabel* label) : QObject(&window), window_(window) {
  connect(label, &LinkLabel::clicked, this, &InstallController::InstallLabelClick);
}

void InstallController::InstallLabelClick() {
  TSelectCustomDirForm dialog(window_.session().fileSystem(), &window_);
  dialog.SetQuestion(InstallQuestion([this](const QString& folder) { return Install_Files(folder); }));
  stopped_ = false;
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  window_.activateWindow();
  const QString target = dialog.folder();
  // A failure that stopped the install would otherwise close the dialog without a word.
  if (stopped_ || (confirmed && !target.isEmpty() &&
                   !QFileInfo(QDir(target).absoluteFilePath(QString::fromLatin1(kProgramFileName))).isFile())) {
    ShowMessage(&window_, kProcessProblems);
  }
}

bool InstallController::Install_Files(const QString& folder) {
  Session& session = window_.session();
  const std::string target = QFile::encodeName(folder).toStdString();
  FileSystem& fs = session.fileSystem();
  InstallOutcome outcome;
  {
    BusyCursor busy;
    outcome = InstallFiles(fs, session.locations().ProgramDir, target,
                           LauncherFoldersFromEnvironment(), [&](const std::string& installed) {
      // The installed program keeps the user's entries in its folder; this copy keeps its own
      // folder for this run and learns where the settings file now is.
      const SettingsFileWrite written = WriteSettingsFile(
          fs, session.locations().SettingsFile, SystemFoldersFromEnvironment(), installed);
      if (written.status.ok()) {
        window_.ApplyOutcome(session.TakeUserEntriesFolder(UserFolder(session.locations()), written.path, EntryRef()));
      }
    });
  }
  stopped_ = !outcome.finished;
  if (outcome.finished) ShowMessage(&window_, outcome.complete ? kInstalled : kProblems);
  return outcome.finished;
}

}  // namespace quorvel::ui

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
#include "ui/MainView.h"
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

InstallController::InstallController(Session& session, MainView& view, LinkLabel* label) : session_(session), view_(view) {
  connect(label, &LinkLabel::clicked, this, &InstallController::InstallLabelClick);
}

void InstallController::InstallLabelClick() {
  TSelectCustomDirForm dialog(session_.fileSystem(), view_.widget());
  dialog.SetQuestion(InstallQuestion([this](const QString& folder) { return Install_Files(folder); }));
  stopped_ = false;
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  view_.widget()->activateWindow();
  const QString target = dialog.folder();
  // A failure that stopped the install would otherwise close the dialog without a word.
  if (stopped_ || (confirmed && !target.isEmpty() &&
                   !QFileInfo(QDir(target).absoluteFilePath(QString::fromLatin1(kProgramFileName))).isFile())) {
    ShowMessage(view_.widget(), kProcessProblems);
  }
}

bool InstallController::Install_Files(const QString& folder) {
  Session& session = session_;
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
        view_.ApplyOutcome(session.TakeUserEntriesFolder(UserFolder(session.locations()), written.path, EntryRef()));
      }
    });
  }
  stopped_ = !outcome.finished;
  if (outcome.finished) ShowMessage(view_.widget(), outcome.complete ? kInstalled : kProblems);
  return outcome.finished;
}

}  // namespace quorvel::ui

#include "tools/InstallCommand.h"

#include "core/Cp1253.h"
#include "core/Installation.h"
#include "core/Locations.h"
#include "core/Paths.h"
#include "core/UserEntriesFolder.h"
#include "platform/LauncherFolders.h"

namespace quorvel::tools {
namespace {

constexpr const char* kFolderProblem =
    "Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο φάκελο";
constexpr const char* kInstalled =
    "Η εγκατάσταση ολοκληρώθηκε επιτυχώς. Για την εκκίνηση του Orvanta μπορείτε πλέον να "
    "χρησιμοποιείτε το εικονίδιο στην επιφάνεια εργασίας.";
constexpr const char* kProblems = "Η εγκατάσταση παρουσίασε προβλήματα";
constexpr const char* kProcessProblems = "Η διαδικασία εγκατάστασης παρουσίασε προβλήματα";

}  // namespace

int RunInstall(ToolContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) return context.UsageError("install takes one TARGET");
  const std::string target = context.PathArgument(args[0]);
  FileSystem& fs = context.fs();
  if (!MakeChosenFolder(fs, target)) {
    context.PrintLine(Utf8ToCp1253(kFolderProblem));
    return kExitFailure;
  }
  const InstallOutcome outcome = InstallFiles(fs, context.locations().ProgramDir, target,
                                              LauncherFoldersFromEnvironment(), [&](const std::string& installed) {
    const SettingsFileWrite written = WriteSettingsFile(fs, context.locations().SettingsFile,
                                                        SystemFoldersFromEnvironment(), installed);
    if (!written.status.ok()) context.err() << "quorvel-tools: the settings file was not written: "
                                            << written.status.message() << '\n';
  });
  if (outcome.finished) context.PrintLine(Utf8ToCp1253(outcome.complete ? kInstalled : kProblems));
  // The window says so too when the program file did not arrive, or when the install stopped.
  const bool programThere = fs.Kind(JoinPath(target, kProgramFileName)) == FileKind::kRegular;
  if (!outcome.finished || !programThere) context.PrintLine(Utf8ToCp1253(kProcessProblems));
  if (!outcome.stop.ok()) context.err() << "quorvel-tools: the install stopped: " << outcome.stop.message() << '\n';
  return outcome.finished && outcome.complete && programThere ? kExitOk : kExitFailure;
}

}  // namespace quorvel::tools

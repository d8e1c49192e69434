// Installing the program from its program folder (typically a read-only medium) into a folder
// on the disk: the program file, the three published data files and the documents that the
// list content/fil.tbo names are copied without ever overwriting, the program file is made
// writable, a freedesktop launcher "Orvanta" is put on the desktop and in the desktop's menu,
// and the caller remembers the installed folder as the folder of the user's entries.
#pragma once

#include <functional>
#include <string>

#include "core/FileSystem.h"
#include "core/Status.h"

namespace quorvel {

inline constexpr const char* kContentListFileName = "fil.tbo";  // in the content folder
inline constexpr const char* kLauncherFileName = "Orvanta.desktop";
inline constexpr const char* kProgramIconFileName = "Orvanta.svg";  // in the content folder

// Where the launcher goes: the user's desktop folder and the folder of the desktop's menu
// entries ($XDG_DATA_HOME/applications). Either may be empty: no launcher there.
struct LauncherFolders {
  std::string desktop;
  std::string applications;
};

// The launcher's text (a freedesktop desktop entry, UTF-8): runs `program` in `folder`, with
// the icon `icon` when that is not empty. The paths are quoted and escaped as the format asks.
std::string LauncherText(const std::string& program, const std::string& folder,
                         const std::string& icon);

// Writes the launcher into each of `folders` (made when missing) in one step, replacing an
// older launcher, and makes it executable.
Status CreateLaunchers(FileSystem& fs, const LauncherFolders& folders,
                       const std::string& program, const std::string& folder,
                       const std::string& icon);

struct InstallOutcome {
  // The steps ran to the end. False when a failure stopped them (the list of documents could not
  // be read, a launcher could not be written): no launcher or settings after that point.
  bool finished = false;
  // Every copy and folder is in place (an existing file counts as in place).
  bool complete = false;
  Status stop = Status::Ok();  // why the steps stopped, when they did
};

// Receives the installed folder once the files and the launcher are in place; the caller makes
// it the remembered folder of the user's entries (the settings file).
using RememberFolder = std::function<void(const std::string& folder)>;

// Installs the program folder `programDir` (ending with "/") into `target`, whose "Data"
// sub-folder the caller has made. `target` is used as given; a relative one is taken inside
// the program folder. In order: the program file, its write bit, the content folder (one
// level), data/QuorvelI.tbo, data/QuorvelHI.tbo, data/Quorvel.tbo, then every line of
// content/fil.tbo (a line ending in "/" names a sub-folder, made one level at a time, that
// holds the files named after it; other lines name files), the launchers, `remember`. The
// launchers and `remember` come only when the program file and the three data files are in
// the target afterwards; without them the steps end there, not complete.
// A copy whose target is already there counts as done; a step that fails leaves `complete`
// false and the next step runs. A list line that would leave the content folder is refused
// (counted as failed).
InstallOutcome InstallFiles(FileSystem& fs, const std::string& programDir,
                            const std::string& target, const LauncherFolders& launchers,
                            const RememberFolder& remember);

}  // namespace quorvel

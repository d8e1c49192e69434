// The folder of the user's entries, made usable before an edit: whether the six user paths
// already point at the user's files, which folder to use without asking, or which question
// the folder dialog asks; the settings file that remembers the folder the user chose; and the
// folder that the dialog's OK makes. Everything goes through the file-system interface, so
// that tests can run it on a fake.
#pragma once

#include <string>

#include "core/FileSystem.h"
#include "core/Locations.h"
#include "core/Status.h"

namespace quorvel {

// The file whose presence in the program folder marks an installed package: such a program
// folder is read-only for everyone, the super-user included.
inline constexpr const char* kPackagedMarkerName = "packaged";

// Whether the program folder counts as read-only media: it holds the packaged marker, or this
// user cannot write the program file or the folder (FileSystem::IsReadOnly), or the program
// file is not there.
bool ProgramIsReadOnly(FileSystem& fs, const Locations& locations);

// Whether this user can make, write and rename files in `folder`: a probe file is made,
// renamed and removed there (nothing is left behind).
bool CanWriteIn(FileSystem& fs, const std::string& folder);

// The questions of the folder dialog.
enum class FolderMode {
  kNull,     // no folder is known yet
  kInvalid,  // the remembered folder is not a folder
  kInstall,  // the folder to install the program into
};

// What is to happen before an edit.
struct FolderDecision {
  enum class Step {
    kReady,   // the user index file is there: go ahead, nothing changes
    kUse,     // use `folder` without asking
    kAsk,     // ask the user in `mode`
    kFailed,  // the settings file could not be read: the edit ends, nothing changes
  };
  Step step = Step::kFailed;
  std::string folder;              // kUse
  FolderMode mode = FolderMode::kNull;  // kAsk
  Status status = Status::Ok();    // kFailed: why
};

// Decides from the six user paths, the settings file and the program folder of `locations`:
//   the user index file exists                      -> kReady (nothing is read);
//   a settings file exists: its first line is empty -> kAsk kNull; it names a folder that holds
//                           a user index file, or that this user can write in (CanWriteIn)
//                           -> kUse that folder as written; otherwise -> kAsk kInvalid;
//   no settings file: the program folder is read-only (ProgramIsReadOnly) -> kAsk kNull;
//                           otherwise kUse ProgramDir + "Data" (as it is spelled there, whether
//                           or not it exists; it is not created).
FolderDecision DecideUserEntriesFolder(FileSystem& fs, const Locations& locations);

// The proposed folder of the dialog in every mode: "Quorvel" in the home folder.
std::string ProposedFolder(const SystemFolders& folders);

// Whether `text` can be remembered as the one line of the settings file: not empty, no line
// break or other control character.
bool IsRememberableFolder(const std::string& text);

// The dialog's OK step for a non-empty folder text: creates its "Data" sub-folder with every
// missing parent (text + "/Data", or text + "Data" when the text ends in "/"; a "data" folder
// spelled otherwise counts as it). Returns whether `text` names a folder afterwards that this
// user can write in (CanWriteIn): a folder the user's entries or an installed program could
// not be written to is no answer. A text that is not rememberable makes nothing and gives
// false.
bool MakeChosenFolder(FileSystem& fs, const std::string& text);

struct SettingsFileWrite {
  std::string path;  // the settings file that names the folder now; on failure the old one
  Status status = Status::Ok();
};

// Makes the settings file's one line name `folder`: an empty `folder` keeps the old first
// line (an empty file when there was none). The existing `settingsFile` is rewritten in place;
// without one the file is made in the configuration folder (created when missing), else in
// the home folder. The file is replaced in one step (a temporary file written, flushed and
// renamed over it), so it is never left half written. On failure nothing is replaced.
SettingsFileWrite WriteSettingsFile(FileSystem& fs,
                                    const std::string& settingsFile, const SystemFolders& folders,
                                    const std::string& folder);

}  // namespace quorvel

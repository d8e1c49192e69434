#include "core/UserEntriesFolder.h"

#include <random>
#include <vector>

#include "core/Paths.h"
#include "core/TextOps.h"

namespace quorvel {
namespace {

// `folder` + "Data" as it is spelled there (in any letter case), else "Data". `folder` ends
// with "/".
std::string DataFolderIn(FileSystem& fs, const std::string& folder) {
  return ResolveCaseInsensitive(fs, folder + "Data");
}

FolderDecision Ask(FolderMode mode) {
  FolderDecision decision;
  decision.step = FolderDecision::Step::kAsk;
  decision.mode = mode;
  return decision;
}

FolderDecision Use(std::string folder) {
  FolderDecision decision;
  decision.step = FolderDecision::Step::kUse;
  decision.folder = std::move(folder);
  return decision;
}

// Writes `content` as the file `path` in one step.
Status ReplaceWhole(FileSystem& fs, const std::string& path, const std::string& content) {
  const std::string temporary = path + ".tmp";
  Status status = fs.WriteFile(temporary, content);
  if (status.ok()) status = fs.ReplaceFile(temporary, path);
  if (!status.ok()) DiscardTemporary(fs, temporary);
  return status;
}

}  // namespace

bool ProgramIsReadOnly(FileSystem& fs, const Locations& locations) {
  const std::string program = locations.ProgramDir + kProgramFileName;
  if (fs.Kind(locations.ProgramDir + kPackagedMarkerName) != FileKind::kMissing) return true;
  if (fs.Kind(program) != FileKind::kRegular || fs.IsReadOnly(program)) return true;
  const std::string folder = locations.ProgramDir.empty() ? std::string(".") : locations.ProgramDir;
  return fs.IsReadOnly(folder);
}

bool CanWriteIn(FileSystem& fs, const std::string& folder) {
  if (fs.Kind(folder) != FileKind::kFolder) return false;
  std::random_device random;
  const std::string name = JoinPath(folder, ".orvanta-probe-" + std::to_string(random()));
  const std::string renamed = name + ".renamed";
  Status status = fs.WriteFile(name, "probe");
  if (status.ok()) status = fs.ReplaceFile(name, renamed);
  DiscardTemporary(fs, name);
  DiscardTemporary(fs, renamed);
  return status.ok();
}

FolderDecision DecideUserEntriesFolder(FileSystem& fs, const Locations& locations) {
  if (!locations.UserIndexFile.empty() && fs.Kind(locations.UserIndexFile) == FileKind::kRegular) {
    FolderDecision ready;
    ready.step = FolderDecision::Step::kReady;
    return ready;
  }
  if (!locations.SettingsFile.empty() && fs.Kind(locations.SettingsFile) == FileKind::kRegular) {
    std::string line;
    const Status status = ReadSettingsLine(fs, locations.SettingsFile, line);
    if (!status.ok()) {
      FolderDecision failed;
      failed.status = status;
      return failed;
    }
    if (line.empty()) return Ask(FolderMode::kNull);
    // A remembered folder this user cannot write in is asked for again, unless it holds the
    // user's entries (which are then read, and said to be read-only when an edit fails).
    if (fs.Kind(line) == FileKind::kFolder &&
        (fs.Kind(JoinPath(line, "QuorvelIC.tbo")) == FileKind::kRegular || CanWriteIn(fs, line))) {
      return Use(line);
    }
    return Ask(FolderMode::kInvalid);
  }
  if (ProgramIsReadOnly(fs, locations)) return Ask(FolderMode::kNull);
  return Use(DataFolderIn(fs, locations.ProgramDir));
}

std::string ProposedFolder(const SystemFolders& folders) {
  return JoinPath(folders.homeDir.empty() ? "/" : folders.homeDir, "Quorvel");
}

bool IsRememberableFolder(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') return false;
  }
  return true;
}

bool MakeChosenFolder(FileSystem& fs, const std::string& text) {
  if (!IsRememberableFolder(text)) return false;
  // A failure to make the folder shows in the test that follows.
  (void)fs.MakeFolders(DataFolderIn(fs, text.back() == '/' ? text : text + "/"));
  return CanWriteIn(fs, text);
}

SettingsFileWrite WriteSettingsFile(FileSystem& fs,
                                    const std::string& settingsFile, const SystemFolders& folders,
                                    const std::string& folder) {
  SettingsFileWrite result;
  result.path = settingsFile;
  if (!folder.empty() && !IsRememberableFolder(folder)) {
    result.status = Status::Refused("a folder name with a line break cannot be remembered");
    return result;
  }
  std::string line = folder;
  if (!settingsFile.empty() && fs.Kind(settingsFile) == FileKind::kRegular) {
    std::string old;
    result.status = ReadSettingsLine(fs, settingsFile, old);
    if (!result.status.ok()) return result;
    if (line.empty()) line = old;
    result.status = ReplaceWhole(fs, settingsFile, line.empty() ? "" : line + "\n");
    return result;
  }

  const std::string content = line.empty() ? "" : line + "\n";
  std::vector<std::string> places;
  if (!folders.configDir.empty() && fs.MakeFolders(folders.configDir).ok()) {
    places.push_back(JoinPath(folders.configDir, kSettingsFileName));
  }
  if (!folders.homeDir.empty()) places.push_back(JoinPath(folders.homeDir, kSettingsFileName));
  result.status = Status::NotFound("neither a configuration folder nor a home folder is known");
  for (const std::string& place : places) {
    result.status = ReplaceWhole(fs, place, content);
    if (result.status.ok()) {
      result.path = place;
      break;
    }
  }
  return result;
}

}  // namespace quorvel

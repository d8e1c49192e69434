#include "core/Locations.h"

#include <cstdlib>

#include "core/Paths.h"

namespace quorvel {

SystemFolders SystemFoldersFromEnvironment() {
  SystemFolders folders;
  const char* home = std::getenv("HOME");
  folders.homeDir = home ? home : "";
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) {
    folders.configDir = config;
  } else if (!folders.homeDir.empty()) {
    folders.configDir = JoinPath(folders.homeDir, ".config");
  }
  return folders;
}

std::string Locations::DescriptionFile() const { return ProgramDir + DataFolder + "/" + DescriptionName; }
std::string Locations::EnglishIndexFile() const { return ProgramDir + DataFolder + "/" + EnglishIndexName; }
std::string Locations::GreekIndexFile() const { return ProgramDir + DataFolder + "/" + GreekIndexName; }

void ResolvePublishedFiles(FileSystem& fs, Locations& locations) {
  const std::string data = ResolveCaseInsensitive(fs, locations.ProgramDir + "data");
  locations.DataFolder = data.substr(locations.ProgramDir.size());
  const auto spelled = [&](const char* name) {
    const std::string path = ResolveCaseInsensitive(fs, JoinPath(data, name));
    return path.substr(path.rfind('/') + 1);
  };
  locations.DescriptionName = spelled("Quorvel.tbo");
  locations.EnglishIndexName = spelled("QuorvelI.tbo");
  locations.GreekIndexName = spelled("QuorvelHI.tbo");
}

void SetUserFilePaths(Locations& locations, const std::string& folder) {
  auto path = [&](const char* name) { return folder.empty() ? std::string() : folder + "/" + name; };
  locations.UserDescrFile = path("QuorvelC.tbo");
  locations.UserIndexFile = path("QuorvelIC.tbo");
  locations.UserGreekFile = path("QuorvelHIC.tbo");
  locations.TempDescrFile = path("templex.tbo");
  locations.TempIndexFile = path("tempi.tbo");
  locations.TempGreekFile = path("tempigr.tbo");
}

Status ReadSettingsLine(FileSystem& fs, const std::string& path, std::string& line) {
  constexpr uint64_t kSettingsLineLimit = 8192;
  line.clear();
  const Status status = fs.ReadRange(path, 0, kSettingsLineLimit, line);
  if (!status.ok()) return status;
  const size_t end = line.find_first_of("\r\n");
  if (end != std::string::npos) line.resize(end);
  return Status::Ok();
}

Locations ResolveFileLocations(FileSystem& fs, const std::string& currentDir, const SystemFolders& folders) {
  Locations locations;
  locations.ProgramDir = currentDir;
  if (locations.ProgramDir.empty() || locations.ProgramDir.back() != '/') locations.ProgramDir += '/';
  // Relative paths are the program folder's from now on; a failure shows in the reads.
  (void)fs.SetCurrentFolder(locations.ProgramDir);
  ResolvePublishedFiles(fs, locations);

  // Whatever stands under the user description file's name makes the folder the user's: a file
  // there that cannot be read is the user's file, damaged, and the load says so.
  const std::string dataFolder = ResolveCaseInsensitive(fs, locations.ProgramDir + "Data");
  if (fs.Kind(ResolveCaseInsensitive(fs, JoinPath(dataFolder, "QuorvelC.tbo"))) != FileKind::kMissing) {
    SetUserFilePaths(locations, dataFolder);
    return locations;
  }
  for (const std::string& folder : {folders.configDir, folders.homeDir}) {
    if (folder.empty()) continue;
    const std::string candidate = JoinPath(folder, kSettingsFileName);
    if (FileExists(fs, candidate)) {
      locations.SettingsFile = candidate;
      break;
    }
  }
  std::string line;
  if (!locations.SettingsFile.empty() && ReadSettingsLine(fs, locations.SettingsFile, line).ok() && !line.empty()) {
    SetUserFilePaths(locations, line);
  }
  return locations;
}

}  // namespace quorvel

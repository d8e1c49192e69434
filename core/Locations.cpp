#include "core/Locations.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/Paths.h"
#include "core/RegularFile.h"

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

std::string Locations::DescriptionFile() const {
  return ResolveCaseInsensitive(ProgramDir + kDescriptionFileName);
}
std::string Locations::EnglishIndexFile() const {
  return ResolveCaseInsensitive(ProgramDir + kEnglishIndexFileName);
}
std::string Locations::GreekIndexFile() const {
  return ResolveCaseInsensitive(ProgramDir + kGreekIndexFileName);
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

std::string ReadFirstLine(const std::string& path) {
  std::ifstream in;
  if (!OpenRegularFile(path, in)) return {};
  std::string line(kMaxFirstLineBytes, '\0');
  in.read(line.data(), static_cast<std::streamsize>(line.size()));
  line.resize(static_cast<size_t>(in.gcount()));
  const size_t end = line.find_first_of("\r\n");
  if (end != std::string::npos) line.resize(end);
  return line;
}

Locations ResolveFileLocations(const std::string& currentDir, const SystemFolders& folders) {
  Locations locations;
  locations.ProgramDir = currentDir;
  if (locations.ProgramDir.empty() || locations.ProgramDir.back() != '/') locations.ProgramDir += '/';
  std::error_code error;
  std::filesystem::current_path(locations.ProgramDir, error);

  const std::string dataFolder = ResolveCaseInsensitive(locations.ProgramDir + "Data");
  // Whatever stands under the user description file's name makes the folder the user's: a file
  // there that cannot be read is the user's file, damaged, and the load says so.
  if (std::filesystem::exists(ResolveCaseInsensitive(JoinPath(dataFolder, "QuorvelC.tbo")), error)) {
    SetUserFilePaths(locations, dataFolder);
    return locations;
  }
  for (const std::string& folder : {folders.configDir, folders.homeDir}) {
    if (folder.empty()) continue;
    const std::string candidate = JoinPath(folder, kSettingsFileName);
    if (FileExists(candidate)) {
      locations.SettingsFile = candidate;
      break;
    }
  }
  if (!locations.SettingsFile.empty()) {
    const std::string line = ReadFirstLine(locations.SettingsFile);
    if (!line.empty()) SetUserFilePaths(locations, line);
  }
  return locations;
}

}  // namespace quorvel

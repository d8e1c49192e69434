// Where the dictionary's files are: the program folder with the published data files, the
// user-entry folder with the user's files and their temporaries, and the settings file that
// names that folder. One Locations value is owned by the window (or a tool) and passed to
// every operation that opens a file.
#pragma once

#include <cstddef>
#include <string>

#include "core/FileSystem.h"
#include "core/Status.h"

namespace quorvel {

inline constexpr const char* kSettingsFileName = "Quorvel.ini";
inline constexpr const char* kProgramFileName = "Quorvel";

// The two places the settings file is looked for, in order.
struct SystemFolders {
  std::string configDir;  // $XDG_CONFIG_HOME, else $HOME/.config
  std::string homeDir;    // $HOME
};
SystemFolders SystemFoldersFromEnvironment();

struct Locations {
  std::string ProgramDir;    // ends with "/"
  // The program folder's data folder and the published files' names as they are spelled there
  // ("data", "Data", "quorveli.tbo", ...).
  std::string DataFolder = "data";
  std::string DescriptionName = "Quorvel.tbo";
  std::string EnglishIndexName = "QuorvelI.tbo";
  std::string GreekIndexName = "QuorvelHI.tbo";
  std::string SettingsFile;  // empty when none was found
  // The six user-entry paths: all set into one folder, or all empty.
  std::string UserDescrFile;
  std::string UserIndexFile;
  std::string UserGreekFile;
  std::string TempDescrFile;
  std::string TempIndexFile;
  std::string TempGreekFile;

  // The published files in the data folder of ProgramDir.
  std::string DescriptionFile() const;
  std::string EnglishIndexFile() const;
  std::string GreekIndexFile() const;

  bool HasUserFolder() const { return !UserIndexFile.empty(); }
};

// Finds the data folder of locations.ProgramDir and the published files in it as they are
// spelled there (in any letter case); names not there stay as the program spells them.
void ResolvePublishedFiles(FileSystem& fs, Locations& locations);

// Sets the six user-entry paths to `folder` + "/" + their names, or empties them all when
// `folder` is empty. The folder is used as given (a trailing separator gives "//").
void SetUserFilePaths(Locations& locations, const std::string& folder);

// Finds the files as the program does at start: `currentDir` becomes ProgramDir (and the
// process's current directory); the data folder is found as it is spelled; a "Data" folder
// holding the user description file makes that the user-entry folder; otherwise the first line
// of the first settings file that exists names it; otherwise the user-entry paths stay empty.
Locations ResolveFileLocations(FileSystem& fs, const std::string& currentDir, const SystemFolders& folders);

// The first line of the settings file `path` without its line end (at most 8 KiB of it, more
// than the longest path the system accepts). An empty file gives an empty line; a file that
// cannot be read gives its failure.
Status ReadSettingsLine(FileSystem& fs, const std::string& path, std::string& line);

}  // namespace quorvel

// Where the dictionary's files are: the program folder with the published data files, the
// user-entry folder with the user's files and their temporaries, and the settings file that
// names that folder. One Locations value is owned by the window (or a tool) and passed to
// every operation that opens a file.
#pragma once

#include <cstddef>
#include <string>

namespace quorvel {

inline constexpr const char* kDescriptionFileName = "data/Quorvel.tbo";
inline constexpr const char* kEnglishIndexFileName = "data/QuorvelI.tbo";
inline constexpr const char* kGreekIndexFileName = "data/QuorvelHI.tbo";
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
  std::string SettingsFile;  // empty when none was found
  // The six user-entry paths: all set into one folder, or all empty.
  std::string UserDescrFile;
  std::string UserIndexFile;
  std::string UserGreekFile;
  std::string TempDescrFile;
  std::string TempIndexFile;
  std::string TempGreekFile;

  // The published files, resolved in ProgramDir ("data" matched case-insensitively).
  std::string DescriptionFile() const;
  std::string EnglishIndexFile() const;
  std::string GreekIndexFile() const;

  bool HasUserFolder() const { return !UserIndexFile.empty(); }
};

// Sets the six user-entry paths to `folder` + "/" + their names, or empties them all when
// `folder` is empty. The folder is used as given (a trailing separator gives "//").
void SetUserFilePaths(Locations& locations, const std::string& folder);

// Finds the files as the program does at start: `currentDir` becomes ProgramDir (and the
// process's current directory); a "Data" folder holding the user description file makes that
// the user-entry folder; otherwise the first line of the first settings file that exists names
// it; otherwise the user-entry paths stay empty.
Locations ResolveFileLocations(const std::string& currentDir, const SystemFolders& folders);

// The first line of a text file without its line end, at most kMaxFirstLineBytes bytes of it;
// empty for an empty or missing file, or one that is no regular file.
inline constexpr size_t kMaxFirstLineBytes = 64 * 1024;
std::string ReadFirstLine(const std::string& path);

}  // namespace quorvel

// The data build: turns the source document (utils/Docs/OLO2.tbo: the RTF header, then one
// entry per line "English [Greek]. description") and the Greek term list (utils/Docs/Greek.txt:
// "Term = English" or "Term = English = Key") into the three published data files, plain and
// coded, with two reports of what did not link. Also the two checks of the built files.
// All paths are relative to the program folder, every file is read and written through the
// file system given; every message goes to the sink, in order.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"
#include "core/Status.h"

namespace quorvel::maintenance {

// Receives each message the build shows, as code page 1253 text.
using MessageSink = std::function<void(const std::string& message)>;

inline constexpr int kBuildHeaderLength = 511;
inline constexpr int kMaxBuildEntries = 30001;
inline constexpr int kMaxBuildGreekTerms = 30001;
inline constexpr int kMaxBuildEnglishLength = 123;
inline constexpr int kMaxBuildGreekLength = 114;
inline constexpr int kMaxBuildDescriptionLength = 31000;
inline constexpr int kMaxBuildLongTranslations = 999;
inline constexpr int kLinkSlots = 5;

struct BuildEntry {
  int number = 0;
  std::string english;
  std::string greek;
  int64_t offset = 0;
  int length = 0;
  std::array<int, kLinkSlots> links{};  // BuildGreekTerm numbers, 0 = empty
};

struct BuildGreekTerm {
  int number = 0;
  std::string term;
  std::string english;
  int firstLink = 0;
  int secondLink = 0;
};

// The comparison form of an English (SystemLower) or Greek (FoldGreekText) text: " - " joined
// to "-", then four rounds that each drop or join the first hyphen, parenthesis, apostrophe
// and slash of each kind.
std::string NormaliseKey(std::string_view text, bool greek);

// 0-25 for the first a-z among the first five characters of a key; -1 when there is none.
int FirstLetter(std::string_view key);

// Where the entries of each first letter lie: the smallest and largest entry number whose
// English key starts with it (0, -1 when none does).
struct LetterWindows {
  std::array<int, 26> first{};
  std::array<int, 26> last{};
};
LetterWindows DeriveLetterWindows(const std::vector<BuildEntry>& entries);

struct LinkOutcome {
  bool stopped = false;  // a malformed list line stopped the linking (its message was shown)
  int count = 0;         // Greek terms linked
};

// Links the lines of the Greek list to the entries (numbered from 1; entries[0] unused) and
// writes the two reports into `reportDir`.
LinkOutcome LinkGreekTerms(FileSystem& fs, const std::string& greekList, const std::string& reportDir,
                           std::vector<BuildEntry>& entries, std::vector<BuildGreekTerm>& terms,
                           const LetterWindows& windows, const MessageSink& show);

// Codes a plain index file line by line with the mirror coding (seed = line ordinal).
Status EncodeIndexFile(FileSystem& fs, const std::string& plain, const std::string& coded);
// Codes a whole plain description file with the position coding from position 1.
Status PositionEncodeFile(FileSystem& fs, const std::string& plain, const std::string& coded);

// The whole build in the program folder `programDir`: plain files, the linking, then the three
// coded files. True when it ended with "ok"; a malformed line, a capacity overflow or a file
// error stops it with a message and false.
bool BuildDataFiles(FileSystem& fs, const std::string& programDir, const MessageSink& show);

// Loads every published description as the entry view does and reports "Problem with k=" for
// each one that does not read as RTF. Returns the number of problems (-1: files missing).
int CheckAllDescriptions(FileSystem& fs, const std::string& programDir, const MessageSink& show);

// The smallest and largest byte of data/igr_.tbo (outside the line ends) as "min  -  max".
Status ByteRange(FileSystem& fs, const std::string& programDir, const MessageSink& show);

}  // namespace quorvel::maintenance

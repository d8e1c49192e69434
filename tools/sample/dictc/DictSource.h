// The editable sources of the sample dictionary: one record per line,
//   headword | Greek renderings | description | figures
// (see dictionary/README.md). This module splits and checks records and reads a source folder;
// it keeps the texts in UTF-8 as the author wrote them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::dictc {

inline constexpr size_t kMaxHeadwordBytes = 115;  // what the index reader keeps
inline constexpr size_t kMaxGreekBytes = 114;     // the build's Greek field
inline constexpr size_t kMaxRenderings = 5;       // the build's link slots per entry

// The drawing names that the figure generator knows.
bool IsKnownDrawing(std::string_view name);

struct FigureRef {
  int digit = 0;  // 0: the unnumbered drawing, referred to as {Σχήμα}
  std::string drawing;
};

struct SourceRecord {
  std::string file;  // where the record was read, for messages
  int line = 0;
  std::string headword;              // printable ASCII
  std::vector<std::string> greek;    // UTF-8 renderings, possibly none
  std::string description;           // UTF-8 with the light markup
  std::vector<FigureRef> figures;
};

// "file:line: " for messages about a record.
std::string Where(const SourceRecord& record);

struct ParsedRecord {
  std::optional<SourceRecord> record;
  std::string error;  // without location; set when `record` is empty
};
// Parses one record line (neither blank nor a comment).
ParsedRecord ParseRecordLine(std::string_view line);

// Blank lines and lines starting with "#" hold no record.
bool HoldsRecord(std::string_view line);

struct LoadedSource {
  std::vector<SourceRecord> records;
  std::string error;  // "file:line: message" of the first malformed line
};
// The records of one source text; `fileName` is used in messages.
LoadedSource ParseSourceText(std::string_view text, const std::string& fileName);
// The records of every "*.txt" file of `dir`, files in name order.
LoadedSource LoadSourceFolder(const std::filesystem::path& dir);

}  // namespace quorvel::dictc

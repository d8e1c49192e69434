// The fixed-width lines of the user's files, shared by everything that reads or writes them
// (the store, the index load, the tools, the tests): the English index line of a user entry or
// of a user's addition, and the Greek line of a user entry's term. Columns are 1-based as the
// files have them; numbers are zero-padded decimal.
//
//   index line:  attach 1-5 | own 6-10 | headword 11-90 | offset 91-98 | length 99-103
//   Greek line:  attach 1-5 | own 6-10 | term 11-...
//
// An addition's line has the published entry's number as both attach and own, and spaces for
// its headword. The offset is 1-based in the user description file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The largest entry number the 5-digit fields (and the index's 16-bit numbers) can hold.
inline constexpr uint32_t kMaxEntryNumber = 65535;
// The widths of the headword and Greek term a user entry can hold.
inline constexpr int kUserHeadwordWidth = 80;
inline constexpr int kUserTermWidth = 80;
inline constexpr size_t kUserIndexLineWidth = 103;

// The fields of a decoded user index line as they stand; a line too short has them cut or
// empty.
struct UserIndexFields {
  std::string_view attach;
  std::string_view own;
  std::string_view headword;  // padded with spaces
  std::string_view offset;
  std::string_view length;
  std::string_view place;     // offset and length together (13 columns), as the index keeps it
};
UserIndexFields UserIndexFieldsOf(std::string_view line);

// The fields of a decoded user Greek line; the term is the rest of the line, as typed.
struct UserGreekFields {
  std::string_view attach;
  std::string_view own;
  std::string_view term;  // at most kUserTermWidth characters of it count
};
UserGreekFields UserGreekFieldsOf(std::string_view line);

// An entry number field; nothing for one that is not a number or passes kMaxEntryNumber.
std::optional<uint32_t> EntryNumberField(std::string_view field);

// A user index line: `headword` cut and padded with spaces to kUserHeadwordWidth.
std::string FormatUserIndexLine(uint32_t attach, uint32_t own, std::string_view headword, uint64_t offset,
                                uint64_t length);
// Replaces the offset or length field of the user index line `line`.
// REQUIRES: line.size() >= kUserIndexLineWidth.
void SetUserIndexOffset(std::string& line, uint64_t offset);
void SetUserIndexLength(std::string& line, uint64_t length);

// A user Greek line: the term as typed, not padded.
std::string FormatUserGreekLine(uint32_t attach, uint32_t own, std::string_view term);

}  // namespace quorvel

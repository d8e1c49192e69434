#include "core/UserRecord.h"

#include "core/TextOps.h"

namespace quorvel {
namespace {

constexpr size_t kOffsetColumn = 91;
constexpr size_t kLengthColumn = 99;

}  // namespace

UserIndexFields UserIndexFieldsOf(std::string_view line) {
  UserIndexFields fields;
  fields.attach = Columns(line, 1, 5);
  fields.own = Columns(line, 6, 10);
  fields.headword = Columns(line, 11, 90);
  fields.offset = Columns(line, kOffsetColumn, 98);
  fields.length = Columns(line, kLengthColumn, 103);
  fields.place = Columns(line, kOffsetColumn, 103);
  return fields;
}

UserGreekFields UserGreekFieldsOf(std::string_view line) {
  UserGreekFields fields;
  fields.attach = Columns(line, 1, 5);
  fields.own = Columns(line, 6, 10);
  fields.term = Columns(line, 11, 10 + kUserTermWidth);
  return fields;
}

std::optional<uint32_t> EntryNumberField(std::string_view field) { return ParseDecimal(field, kMaxEntryNumber); }

std::string FormatUserIndexLine(uint32_t attach, uint32_t own, std::string_view headword, uint64_t offset,
                                uint64_t length) {
  std::string padded(headword.substr(0, kUserHeadwordWidth));
  padded.resize(kUserHeadwordWidth, ' ');
  return ZeroPad(attach, 5) + ZeroPad(own, 5) + padded + ZeroPad(offset, 8) + ZeroPad(length, 5);
}

void SetUserIndexOffset(std::string& line, uint64_t offset) { line.replace(kOffsetColumn - 1, 8, ZeroPad(offset, 8)); }

void SetUserIndexLength(std::string& line, uint64_t length) { line.replace(kLengthColumn - 1, 5, ZeroPad(length, 5)); }

std::string FormatUserGreekLine(uint32_t attach, uint32_t own, std::string_view term) {
  return ZeroPad(attach, 5) + ZeroPad(own, 5) + std::string(term);
}

}  // namespace quorvel

// Small byte-string operations on code page 1253 text shared by the whole program:
// blank trimming, the two lower-casings, fixed-column field access and decimal fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A blank is any byte of value 32 or less (space and control characters).
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// A-Z to a-z; every other byte unchanged.
std::string AsciiLower(std::string_view text);
// The code page 1253 case mapping: A-Z, the Greek capitals 0xC1-0xD9 and the accented capitals
// Ά Έ Ή Ί Ό Ύ Ώ Ϊ Ϋ to their small letters.
std::string SystemLower(std::string_view text);
unsigned char SystemLowerByte(unsigned char c);

// Bytes from 1-based column `first` to `last` inclusive of a line; shorter lines give what
// they have (possibly nothing).
std::string_view Columns(std::string_view line, size_t first, size_t last);
// From 1-based column `first` to the end.
std::string_view ColumnsFrom(std::string_view line, size_t first);

// An unsigned decimal field: digits only, surrounding blanks allowed. Nothing for an empty or
// malformed field or one above `max`.
std::optional<uint32_t> ParseDecimal(std::string_view field, uint32_t max = 0xFFFFFFFFu);

// `value` as decimal digits, left-padded with "0" to `width`.
std::string ZeroPad(uint64_t value, int width);

// The text up to its first zero byte.
std::string_view UpToNul(std::string_view text);

}  // namespace quorvel

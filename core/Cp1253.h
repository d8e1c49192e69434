// Code page 1253 (Windows Greek): the one 256-entry table through which every byte of
// dictionary text meets Unicode. Core keeps text as code page 1253 bytes; the windows,
// the tools' UTF-8 mode and the rich-text engine convert at their edges with these calls.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The character of a code page 1253 byte. The bytes the code page leaves undefined
// (0x81, 0x88, 0x8A, 0x8C-0x90, 0x98, 0x9A, 0x9C-0x9F, 0xAA, 0xD2, 0xFF) give U+FFFD.
char32_t Cp1253ToUnicode(unsigned char byte);

// The byte of a character, or nothing when code page 1253 lacks it.
std::optional<unsigned char> UnicodeToCp1253(char32_t ch);

// Whole-text conversions. A character the code page lacks becomes "?"; malformed UTF-8
// input gives one "?" per bad byte.
std::string Cp1253ToUtf8(std::string_view bytes);
std::string Utf8ToCp1253(std::string_view utf8);

// Appends the UTF-8 form of one character.
void AppendUtf8(std::string& out, char32_t ch);

// The characters of UTF-8 text; a malformed sequence gives U+FFFD for each bad byte.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace quorvel

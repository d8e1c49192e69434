// Strict conversion of the dictionary sources' UTF-8 into code page 1253: unlike the lenient
// conversion of core, a character the code page lacks or a malformed byte is an error that
// names the character, so the author can correct the source.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::dictc {

// Decodes the UTF-8 character at `pos` and advances `pos` past it. Nothing (and `pos`
// unchanged) for a malformed or truncated sequence. REQUIRES: pos < text.size().
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos);

// "U+2192 (→)" for a message.
std::string DescribeCodePoint(char32_t ch);

struct StrictCp1253 {
  std::string bytes;  // the code page 1253 text when `error` is empty
  std::string error;  // what could not be converted
};
StrictCp1253 ToCp1253Strict(std::string_view utf8);

}  // namespace quorvel::dictc

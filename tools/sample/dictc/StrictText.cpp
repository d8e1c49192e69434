#include "tools/sample/dictc/StrictText.h"

#include <cstdio>

#include "core/Cp1253.h"

namespace quorvel::dictc {

std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t ch = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    ch = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    ch = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    ch = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + extra >= text.size()) return std::nullopt;
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    ch = (ch << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values above U+10FFFF.
  if ((extra == 2 && ch < 0x800) || (extra == 3 && ch < 0x10000) || ch > 0x10FFFF ||
      (ch >= 0xD800 && ch <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += extra + 1;
  return ch;
}

std::string DescribeCodePoint(char32_t ch) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
  std::string text = code;
  if (ch >= 0x20 && ch != 0x7F) {
    text += " (";
    AppendUtf8(text, ch);
    text += ")";
  }
  return text;
}

StrictCp1253 ToCp1253Strict(std::string_view utf8) {
  StrictCp1253 result;
  size_t pos = 0;
  while (pos < utf8.size()) {
    const size_t at = pos;
    const std::optional<char32_t> ch = NextCodePoint(utf8, pos);
    if (!ch) {
      result.error = "malformed UTF-8 at byte " + std::to_string(at + 1);
      return result;
    }
    const std::optional<unsigned char> byte = UnicodeToCp1253(*ch);
    if (!byte) {
      result.error = "character " + DescribeCodePoint(*ch) + " is not in code page 1253";
      return result;
    }
    result.bytes += static_cast<char>(*byte);
  }
  return result;
}

}  // namespace quorvel::dictc

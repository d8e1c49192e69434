#include "core/Cp1253.h"

#include <array>

namespace quorvel {
namespace {

constexpr char32_t kUndefined = 0xFFFD;

// Bytes 0x80-0xFF; 0x00-0x7F are ASCII.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, kUndefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    kUndefined, 0x2030, kUndefined, 0x2039, kUndefined, kUndefined, kUndefined, kUndefined,
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    kUndefined, 0x2122, kUndefined, 0x203A, kUndefined, kUndefined, kUndefined, kUndefined,
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, kUndefined, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // C0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,
    0x03A0, 0x03A1, kUndefined, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // D0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // E0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // F0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, kUndefined,
};

// Decodes one UTF-8 sequence at text[i]; advances i. Returns nothing for a bad byte
// (and advances past it).
std::optional<char32_t> NextUtf8(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = 0;
  char32_t ch = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    ch = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    ch = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    ch = lead & 0x07;
  } else {
    ++i;
    return std::nullopt;
  }
  if (i + extra >= text.size()) {
    ++i;
    return std::nullopt;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return std::nullopt;
    }
    ch = (ch << 6) | (next & 0x3F);
  }
  i += extra + 1;
  return ch;
}

}  // namespace

char32_t Cp1253ToUnicode(unsigned char byte) {
  return byte < 0x80 ? char32_t{byte} : kHighHalf[byte - 0x80];
}

std::optional<unsigned char> UnicodeToCp1253(char32_t ch) {
  if (ch < 0x80) return static_cast<unsigned char>(ch);
  if (ch == kUndefined) return std::nullopt;
  static const std::array<unsigned char, 0x10000> reverse = [] {
    std::array<unsigned char, 0x10000> table{};
    for (int b = 0x80; b < 0x100; ++b) {
      const char32_t u = kHighHalf[b - 0x80];
      if (u != kUndefined) table[u] = static_cast<unsigned char>(b);
    }
    return table;
  }();
  if (ch >= 0x10000) return std::nullopt;
  const unsigned char b = reverse[ch];
  if (b == 0) return std::nullopt;
  return b;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

std::string Cp1253ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, Cp1253ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) out += NextUtf8(utf8, i).value_or(kUndefined);
  return out;
}

std::string Utf8ToCp1253(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto ch = NextUtf8(utf8, i);
    const auto byte = ch ? UnicodeToCp1253(*ch) : std::nullopt;
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

}  // namespace quorvel

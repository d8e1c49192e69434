#include "core/TextOps.h"

#include <string>

namespace quorvel {

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string TrimLeft(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return std::string(text.substr(begin));
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

unsigned char SystemLowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
  if (c >= 0xC1 && c <= 0xD9 && c != 0xD2) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0xA2: return 0xDC;  // Ά
    case 0xB8: return 0xDD;  // Έ
    case 0xB9: return 0xDE;  // Ή
    case 0xBA: return 0xDF;  // Ί
    case 0xBC: return 0xFC;  // Ό
    case 0xBE: return 0xFD;  // Ύ
    case 0xBF: return 0xFE;  // Ώ
    case 0xDA: return 0xFA;  // Ϊ
    case 0xDB: return 0xFB;  // Ϋ
    default: return c;
  }
}

std::string SystemLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(SystemLowerByte(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Columns(std::string_view line, size_t first, size_t last) {
  if (first == 0 || first > line.size() || last < first) return {};
  return line.substr(first - 1, last - first + 1);
}

std::string_view ColumnsFrom(std::string_view line, size_t first) {
  if (first == 0 || first > line.size()) return {};
  return line.substr(first - 1);
}

std::optional<uint32_t> ParseDecimal(std::string_view field, uint32_t max) {
  size_t begin = 0;
  size_t end = field.size();
  while (begin < end && IsBlank(field[begin])) ++begin;
  while (end > begin && IsBlank(field[end - 1])) --end;
  if (begin == end) return std::nullopt;
  uint64_t value = 0;
  for (size_t i = begin; i < end; ++i) {
    const char c = field[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > max) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

std::string ZeroPad(uint64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string_view UpToNul(std::string_view text) {
  const size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

}  // namespace quorvel

#include "core/Codec.h"

#include <array>

namespace quorvel {
namespace {

size_t WorkingLength(std::string_view text) {
  const size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text.size() : zero;
}

// The key of position p (1-based) is keys[p mod 3]: k1 at 1, 4, 7...; k2 at 2, 5...; k0 at 3, 6...
std::array<int, 3> MirrorKeys(int64_t seed) {
  const int64_t b = seed % 1000 + seed % 10;
  const int64_t k2 = (b / 100) % 6;
  const int64_t k1 = ((b % 100) / 10) % 6;
  const int64_t k0 = (b - 10 * k1 - 100 * k2) % 6;
  return {static_cast<int>(k0), static_cast<int>(k1), static_cast<int>(k2)};
}

std::string Mirror(int64_t seed, std::string_view text, int direction) {
  std::string result(text);
  const size_t n = WorkingLength(text) / 2;
  const size_t e = 2 * n;
  const auto keys = MirrorKeys(seed);
  // 1-based positions p and e - p map to 0-based indexes p - 1 and e - p - 1.
  for (size_t p = 1; p <= n; ++p) {
    const int k = direction * keys[p % 3];
    const auto low = static_cast<unsigned char>(text[p - 1]);
    const auto high = static_cast<unsigned char>(text[e - p - 1]);
    result[p - 1] = static_cast<char>(static_cast<unsigned char>(high + k));
    result[e - p - 1] = static_cast<char>(static_cast<unsigned char>(low + k));
  }
  return result;
}

int PositionShift(int64_t filePosition) {
  return static_cast<int>(filePosition % kPositionPeriod + kPositionBase);
}

int ShiftAmount(size_t position) {
  return static_cast<int>(static_cast<int64_t>(position) % kShiftPeriod + kShiftBase);
}

}  // namespace

std::string MirrorDecode(int64_t seed, std::string_view text) { return Mirror(seed, text, +1); }
std::string MirrorEncode(int64_t seed, std::string_view text) { return Mirror(seed, text, -1); }

std::string PositionDecode(int64_t start, std::string_view text) {
  const size_t length = WorkingLength(text);
  std::string result(length, '\0');
  for (size_t i = 0; i < length; ++i) {
    int v = static_cast<unsigned char>(text[i]) - PositionShift(start + static_cast<int64_t>(i));
    if (v < 10) v += 208;
    result[i] = static_cast<char>(v);
  }
  return result;
}

std::string PositionEncode(int64_t start, std::string_view text) {
  std::string result(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    int t = (static_cast<unsigned char>(text[i]) + PositionShift(start + static_cast<int64_t>(i))) % 256;
    if (t > 217) t -= 208;
    result[i] = static_cast<char>(t);
  }
  return result;
}

std::string ShiftEncode(std::string_view text) {
  const size_t length = WorkingLength(text);
  std::string result(length, '\0');
  for (size_t i = 0; i < length; ++i) {
    int v = static_cast<unsigned char>(text[i]) + ShiftAmount(i + 1);
    if (v > 254) v -= 223;
    result[i] = static_cast<char>(v);
  }
  return result;
}

std::string ShiftDecode(std::string_view text) {
  const size_t length = WorkingLength(text);
  std::string result(length, '\0');
  for (size_t i = 0; i < length; ++i) {
    int v = static_cast<unsigned char>(text[i]) - ShiftAmount(i + 1);
    if (v < 32) v += 223;
    result[i] = static_cast<char>(v);
  }
  return result;
}

}  // namespace quorvel

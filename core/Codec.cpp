#include "core/Codec.h"

#include <array>
#include <cstring>

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

// Adds to each byte of `word` the byte of `keys` in the same place, modulo 256 per byte: the low
// seven bits are added without a carry out of the byte, the top bit is added by exclusive or.
uint64_t AddBytes(uint64_t word, uint64_t keys) {
  constexpr uint64_t kHigh = 0x8080808080808080u;
  return ((word & ~kHigh) + (keys & ~kHigh)) ^ ((word ^ keys) & kHigh);
}

// The eight bytes of `word` in the opposite memory order.
uint64_t ReverseBytes(uint64_t word) {
  word = ((word & 0x00FF00FF00FF00FFu) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFu);
  word = ((word & 0x0000FFFF0000FFFFu) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFu);
  return (word << 32) | (word >> 32);
}

// Position p (1-based, p <= n) and position e - p swap, each taking key keys[p mod 3]. With
// m = p - 1: out[m] = in[e - 2 - m] + key and out[e - 2 - m] = in[m] + key, m from 0 to n - 1
// (the two meet at n - 1). Eight values of m are done at a time, the rest one by one.
void Mirror(int64_t seed, std::string_view text, int direction, std::string& out) {
  out.assign(text);
  const size_t n = WorkingLength(text) / 2;
  const size_t e = 2 * n;
  const auto keys = MirrorKeys(seed);
  // steps[i] is the key of every m with m mod 3 = i mod 3; wordKeys[j] holds the keys of m to
  // m + 7 from an m with m mod 3 = j.
  unsigned char steps[10];
  for (int i = 0; i < 3; ++i) steps[i] = static_cast<unsigned char>(direction * keys[(i + 1) % 3]);
  for (int i = 3; i < 10; ++i) steps[i] = steps[i - 3];
  uint64_t wordKeys[3];
  for (int j = 0; j < 3; ++j) std::memcpy(&wordKeys[j], steps + j, 8);
  // Through plain pointers: a char store could otherwise alias the string and be reloaded.
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  auto* o = reinterpret_cast<unsigned char*>(out.data());
  size_t m = 0;
  for (size_t j = 0; m + 8 <= n; m += 8, j = j == 0 ? 2 : j - 1) {  // j = m mod 3
    uint64_t front;
    uint64_t back;
    std::memcpy(&front, in + m, 8);          // in[m .. m + 7]
    std::memcpy(&back, in + e - 9 - m, 8);   // in[e - 2 - m - 7 .. e - 2 - m]
    const uint64_t toFront = AddBytes(ReverseBytes(back), wordKeys[j]);
    const uint64_t toBack = ReverseBytes(AddBytes(front, wordKeys[j]));
    std::memcpy(o + m, &toFront, 8);
    std::memcpy(o + e - 9 - m, &toBack, 8);
  }
  for (; m < n; ++m) {
    const unsigned char low = in[m];
    const unsigned char high = in[e - 2 - m];
    o[m] = static_cast<unsigned char>(high + steps[m % 3]);
    o[e - 2 - m] = static_cast<unsigned char>(low + steps[m % 3]);
  }
}

int PositionShift(int64_t filePosition) {
  return static_cast<int>(filePosition % kPositionPeriod + kPositionBase);
}

int ShiftAmount(size_t position) {
  return static_cast<int>(static_cast<int64_t>(position) % kShiftPeriod + kShiftBase);
}

}  // namespace

std::string MirrorDecode(int64_t seed, std::string_view text) {
  std::string out;
  Mirror(seed, text, +1, out);
  return out;
}
void MirrorDecode(int64_t seed, std::string_view text, std::string& out) { Mirror(seed, text, +1, out); }
std::string MirrorEncode(int64_t seed, std::string_view text) {
  std::string out;
  Mirror(seed, text, -1, out);
  return out;
}

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

#include "core/Checksum.h"

#include <bit>
#include <cstring>

namespace quorvel {
namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ull;
constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ull;
constexpr uint64_t kPrime5 = 0x27D4EB2F165667C5ull;

// The bytes at `p` as a little-endian number, whatever the machine's byte order.
template <typename Word>
uint64_t ReadLittle(const unsigned char* p) {
  Word value;
  std::memcpy(&value, p, sizeof value);
  if constexpr (std::endian::native == std::endian::big) {
    Word swapped = 0;
    for (size_t i = sizeof value; i-- > 0;) swapped = static_cast<Word>(swapped << 8 | p[i]);
    value = swapped;
  }
  return value;
}

uint64_t Read64(const unsigned char* p) { return ReadLittle<uint64_t>(p); }
uint64_t Read32(const unsigned char* p) { return ReadLittle<uint32_t>(p); }

uint64_t Round(uint64_t lane, uint64_t input) {
  lane += input * kPrime2;
  return std::rotl(lane, 31) * kPrime1;
}

uint64_t Merge(uint64_t sum, uint64_t lane) {
  sum ^= Round(0, lane);
  return sum * kPrime1 + kPrime4;
}

}  // namespace

uint64_t Checksum64(std::string_view bytes, uint64_t seed) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t left = bytes.size();
  uint64_t sum;
  if (left >= 32) {
    uint64_t lanes[4] = {seed + kPrime1 + kPrime2, seed + kPrime2, seed, seed - kPrime1};
    for (; left >= 32; left -= 32, p += 32) {
      for (int i = 0; i < 4; ++i) lanes[i] = Round(lanes[i], Read64(p + 8 * i));
    }
    sum = std::rotl(lanes[0], 1) + std::rotl(lanes[1], 7) + std::rotl(lanes[2], 12) + std::rotl(lanes[3], 18);
    for (const uint64_t lane : lanes) sum = Merge(sum, lane);
  } else {
    sum = seed + kPrime5;
  }
  sum += bytes.size();
  for (; left >= 8; left -= 8, p += 8) sum = std::rotl(sum ^ Round(0, Read64(p)), 27) * kPrime1 + kPrime4;
  if (left >= 4) {
    sum = std::rotl(sum ^ (Read32(p) * kPrime1), 23) * kPrime2 + kPrime3;
    left -= 4;
    p += 4;
  }
  for (; left > 0; --left, ++p) sum = std::rotl(sum ^ (*p * kPrime5), 11) * kPrime1;
  sum ^= sum >> 33;
  sum *= kPrime2;
  sum ^= sum >> 29;
  sum *= kPrime3;
  sum ^= sum >> 32;
  return sum;
}

}  // namespace quorvel

// A 64-bit checksum of bytes (FNV-1a): what the program writes beside a file to tell later
// that the file is still the one it wrote. Not a defence against deliberate tampering.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel {

inline constexpr uint64_t kChecksumStart = 14695981039346656037ull;

// The checksum of `bytes`, continued from `sum` (the checksum of the bytes before them), so
// that several pieces give the checksum of their concatenation.
inline uint64_t Checksum64(std::string_view bytes, uint64_t sum = kChecksumStart) {
  for (const char c : bytes) {
    sum ^= static_cast<unsigned char>(c);
    sum *= 1099511628211ull;
  }
  return sum;
}

}  // namespace quorvel

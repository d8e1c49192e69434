// Uncompressed Windows bitmap files: 8 bits per pixel with a 256-step grey palette, rows stored
// bottom-up and padded to four bytes, as every bitmap reader accepts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::figgen {

inline constexpr std::uint32_t kBmpHeaderSize = 14 + 40 + 256 * 4;

// The whole file for a picture of width x height grey values (0 black .. 255 white), given row by
// row from the top. REQUIRES: grey.size() == width * height, width and height above 0.
std::string encodeGreyBmp(int width, int height, const std::vector<std::uint8_t>& grey);

}  // namespace quorvel::figgen

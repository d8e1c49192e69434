#include "tools/sample/figgen/Bmp.h"

namespace quorvel::figgen {

namespace {

void put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::string encodeGreyBmp(int width, int height, const std::vector<std::uint8_t>& grey) {
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const std::uint32_t rowSize = (w + 3) / 4 * 4;
  const std::uint32_t imageSize = rowSize * h;
  std::string out;
  out.reserve(kBmpHeaderSize + imageSize);
  // File header.
  out += "BM";
  put32(out, kBmpHeaderSize + imageSize);
  put32(out, 0);
  put32(out, kBmpHeaderSize);
  // Information header.
  put32(out, 40);
  put32(out, w);
  put32(out, h);  // positive: bottom-up rows
  put16(out, 1);  // planes
  put16(out, 8);  // bits per pixel
  put32(out, 0);  // no compression
  put32(out, imageSize);
  put32(out, 2835);  // 72 dots per inch
  put32(out, 2835);
  put32(out, 256);
  put32(out, 0);
  // Palette: blue, green, red, reserved.
  for (std::uint32_t i = 0; i < 256; ++i) {
    const char c = static_cast<char>(i);
    out += {c, c, c, '\0'};
  }
  for (std::uint32_t row = h; row-- > 0;) {
    out.append(reinterpret_cast<const char*>(grey.data()) + static_cast<size_t>(row) * w, w);
    out.append(rowSize - w, '\0');
  }
  return out;
}

}  // namespace quorvel::figgen

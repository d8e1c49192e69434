#include "core/DescriptionFile.h"

#include <algorithm>
#include <fstream>

#include "core/Codec.h"
#include "core/RegularFile.h"

namespace quorvel {

std::string ReadRtfHeader(const std::string& descriptionFile) {
  std::ifstream in;
  if (!OpenRegularFile(descriptionFile, in)) return {};
  std::string block(kHeaderBlockSize, '\0');
  in.read(block.data(), kHeaderBlockSize);
  block.resize(static_cast<size_t>(in.gcount()));
  if (block.empty()) return {};
  return "{" + PositionDecode(1, block);
}

std::optional<std::string> ReadDescriptionText(const std::string& file, int64_t position,
                                               int64_t length, DescriptionCoding coding) {
  if (position < 0 || length < 0) return std::nullopt;
  std::ifstream in;
  if (!OpenRegularFile(file, in)) return std::nullopt;
  const int64_t count = std::min<int64_t>(length, kDescriptionBufferSize);
  std::string bytes(static_cast<size_t>(count), '\0');
  if (count > 0) {
    in.seekg(position);
    in.read(bytes.data(), count);
    if (in.gcount() != count) return std::nullopt;
  }
  if (coding == DescriptionCoding::Position) return PositionDecode(position + 1, bytes);
  return ShiftDecode(bytes);
}

std::optional<std::string> DescriptionFromBytes(std::string_view fileBytes, int64_t position,
                                                int64_t length, DescriptionCoding coding) {
  if (position < 0 || length < 0) return std::nullopt;
  const int64_t count = std::min<int64_t>(length, kDescriptionBufferSize);
  const auto size = static_cast<int64_t>(fileBytes.size());
  if (position > size || count > size - position) return std::nullopt;
  const std::string_view bytes = fileBytes.substr(static_cast<size_t>(position), static_cast<size_t>(count));
  if (coding == DescriptionCoding::Position) return PositionDecode(position + 1, bytes);
  return ShiftDecode(bytes);
}

}  // namespace quorvel

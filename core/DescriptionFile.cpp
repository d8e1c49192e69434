#include "core/DescriptionFile.h"

#include <algorithm>

#include "core/Codec.h"

namespace quorvel {

std::string ReadRtfHeader(FileSystem& fs, const std::string& descriptionFile) {
  std::string block;
  if (!fs.ReadRange(descriptionFile, 0, kHeaderBlockSize, block).ok() || block.empty()) return {};
  return "{" + PositionDecode(1, block);
}

std::optional<std::string> ReadDescriptionText(FileSystem& fs, const std::string& file, int64_t position,
                                               int64_t length, DescriptionCoding coding) {
  if (position < 0 || length < 0) return std::nullopt;
  const int64_t count = std::min<int64_t>(length, kDescriptionBufferSize);
  std::string bytes;
  if (!fs.ReadRange(file, static_cast<uint64_t>(position), static_cast<uint64_t>(count), bytes).ok() ||
      static_cast<int64_t>(bytes.size()) != count) {
    return std::nullopt;
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

#include "core/LineReader.h"

#include <fstream>

namespace quorvel {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  std::string content(static_cast<size_t>(size), '\0');
  in.seekg(0);
  in.read(content.data(), size);
  if (in.gcount() != size) return std::nullopt;
  return content;
}

std::string_view LineReader::Next() {
  const size_t begin = pos_;
  size_t end = begin;
  while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
  pos_ = end;
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n' && (pos_ == end || text_[pos_ - 1] == '\r')) ++pos_;
  return text_.substr(begin, end - begin);
}

}  // namespace quorvel

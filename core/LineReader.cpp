#include "core/LineReader.h"

#include <fstream>
#include <iterator>

namespace quorvel {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
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

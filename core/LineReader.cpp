#include "core/LineReader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/RegularFile.h"

namespace quorvel {

// The file is read in pieces to its end rather than by the size it claims, which a file that
// grows or shrinks meanwhile would belie; the claimed size only reserves the room.
std::optional<std::string> ReadWholeFile(const std::string& path, uint64_t maxBytes) {
  std::ifstream in;
  if (!OpenRegularFile(path, in)) return std::nullopt;
  std::string content;
  std::error_code error;
  const uintmax_t claimed = std::filesystem::file_size(path, error);
  if (!error) content.reserve(static_cast<size_t>(std::min<uintmax_t>(claimed, maxBytes)));
  constexpr size_t kPiece = 64 * 1024;
  char piece[kPiece];
  while (in.read(piece, kPiece) || in.gcount() > 0) {
    const auto count = static_cast<size_t>(in.gcount());
    if (content.size() + count > maxBytes) return std::nullopt;
    content.append(piece, count);
  }
  if (in.bad()) return std::nullopt;
  return content;
}

std::string_view LineReader::Next() {
  const size_t begin = pos_;
  const size_t end = LineEnd(begin);
  pos_ = end;
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n' && (pos_ == end || text_[pos_ - 1] == '\r')) ++pos_;
  return text_.substr(begin, end - begin);
}

// The next LF is looked up once and kept until a line passes it, so that text with lone CRs as
// line ends is not searched to its end for every line.
size_t LineReader::LineEnd(size_t from) {
  if (!lfKnown_ || nextLf_ < from) {
    const void* lf = std::memchr(text_.data() + from, '\n', text_.size() - from);
    nextLf_ = lf ? static_cast<size_t>(static_cast<const char*>(lf) - text_.data()) : text_.size();
    lfKnown_ = true;
  }
  const void* cr = std::memchr(text_.data() + from, '\r', nextLf_ - from);
  return cr ? static_cast<size_t>(static_cast<const char*>(cr) - text_.data()) : nextLf_;
}

}  // namespace quorvel

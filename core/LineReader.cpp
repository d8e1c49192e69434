#include "core/LineReader.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

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

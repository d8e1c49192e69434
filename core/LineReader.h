// Reads a text file line by line from memory: lines end at CR LF, LF or a lone CR, and a line
// end at the very end of the file does not start another line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// More than any file of the dictionary's formats holds (descriptions lie within 8-digit offsets).
inline constexpr uint64_t kMaxDataFileBytes = uint64_t{256} << 20;

class LineReader {
 public:
  // `text` must outlive the reader and the views it returns.
  explicit LineReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next line without its line end. REQUIRES: !AtEnd().
  std::string_view Next();

 private:
  // The first CR or LF at or after `from` (< the text's size), or the text's size.
  size_t LineEnd(size_t from);

  std::string_view text_;
  size_t pos_ = 0;
  size_t nextLf_ = 0;  // the first LF at or after the position it was looked up from
  bool lfKnown_ = false;
};

}  // namespace quorvel

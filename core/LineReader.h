// Reads a text file line by line from memory: lines end at CR LF, LF or a lone CR, and a line
// end at the very end of the file does not start another line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The whole content of a file; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

class LineReader {
 public:
  // `text` must outlive the reader and the views it returns.
  explicit LineReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next line without its line end. REQUIRES: !AtEnd().
  std::string_view Next();

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace quorvel

// The word index of the published descriptions: for every whole word of their folded texts, in
// each of the two folds the description search compares with (the English text and its Greek
// key), the published index lines whose description holds it. Lines are counted by ordinal in
// the published English index, so user entries, which shift slots, never change it. The index
// is kept between runs as a cache file whose layout the writer (WordIndexBuilder) and the
// readers (WordIndex::Open, WordIndex::FromBytes) below share.
//
// Cache file layout; numbers are little-endian, "varint" is base 128, low digits first, with the
// high bit set on every digit but a number's last:
//
//   offset size
//   0      8     "ORVWORDS"
//   8      4     layout version (kWordIndexVersion)
//   12     4     0
//   16     8     Checksum64 of the head's bytes from offset 24 to its end
//   24     8     checksum of the published files' contents (what the cache file is named by)
//   32     96    stamps of the description, English index and Greek index files: device,
//                inode, size, modification time in ns, 8 bytes each
//   128    4     lines: the published lines whose descriptions are indexed are 1..lines
//   132    4     failed line: lines + 1 when that line's description lies outside its file
//                (no line from it on is indexed), else 0
//   136    8     head size H: the header and the two directories
//   144    8     file size
//   152    4+4   block counts of the English fold and of the Greek fold
//   160          the directories, English then Greek: per block its first word (2-byte length,
//                then the bytes), offset (8), size (4) and Checksum64 of its bytes (8)
//   H            the blocks: runs of words in strictly ascending byte order (the English
//                fold's, then the Greek fold's), each word as varint length, bytes, varint
//                list size and its list: its lines ascending, each a varint of its difference
//                from the line before (the first from 0)
//
// The head's checksum covers the directories, whose checksums cover the blocks: a reader checks
// the head when it opens the file and each block when it reads it, so a damaged byte is found
// wherever it lies, and a file that breaks any of this is never used.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/FileSystem.h"

namespace quorvel {

// Raised whenever the layout, the folding of the texts or the converter's plain text changes, so
// that a cache made by another version of the program is passed over.
inline constexpr uint32_t kWordIndexVersion = 1;
// The bytes of a cache file that hold its stamps (HeaderStamps).
inline constexpr size_t kWordIndexStampBytes = 128;

// The stamps of the description, English index and Greek index files, in that order.
using PublishedStamps = std::array<FileStamp, 3>;

class WordIndex {
 public:
  enum Fold { kEnglish = 0, kGreek = 1 };

  // The index of a whole cache file in memory, every block checked; nothing when damaged.
  static std::optional<WordIndex> FromBytes(std::string bytes);
  // The index of the cache file `path`, of which only the head is read and checked now; a lookup
  // reads the block it needs through `fs`, which must outlive the index. Nothing when the file
  // cannot be read or its head is damaged.
  static std::optional<WordIndex> Open(FileSystem& fs, const std::string& path);
  // The stamps named by the first kWordIndexStampBytes bytes of a cache file, unchecked; nothing
  // when they do not begin a cache file of this layout.
  static std::optional<PublishedStamps> HeaderStamps(std::string_view header);

  const PublishedStamps& stamps() const { return stamps_; }
  uint64_t contentChecksum() const { return contentChecksum_; }
  int lines() const { return lines_; }
  int failedLine() const { return failedLine_; }

  // The bytes of the whole cache file with `stamps` in place of its own (for published files of
  // the same contents that were copied or touched). REQUIRES: made by FromBytes.
  std::string RestampedBytes(const PublishedStamps& stamps) const;

  // The lines whose folded text holds `word` as one of its whole words, ascending (none when the
  // word is not there). False when its block cannot be read or is damaged: no answer.
  bool Lookup(Fold fold, std::string_view word, std::vector<int>& lines) const;

 private:
  struct Block {
    std::string firstWord;
    uint64_t offset = 0;
    uint32_t size = 0;
    uint64_t checksum = 0;
  };

  WordIndex() = default;
  // Reads and checks the head held at the start of `bytes_`.
  bool ReadHead();
  bool ReadBlock(const Block& block, std::string& bytes) const;

  std::string bytes_;  // the whole file (FromBytes), or its head (Open)
  bool whole_ = false;
  FileSystem* fs_ = nullptr;  // for the blocks of a file opened with Open
  std::string path_;
  PublishedStamps stamps_{};
  uint64_t contentChecksum_ = 0;
  uint64_t fileSize_ = 0;
  int lines_ = 0;
  int failedLine_ = 0;
  std::array<std::vector<Block>, 2> blocks_;
};

// Collects the whole words of the lines' folded texts and writes the cache file.
class WordIndexBuilder {
 public:
  // Adds line `line`'s English folded text and its Greek key. Lines come in ascending order.
  void Add(int line, std::string_view englishText, std::string_view greekText);
  // Appends what `later` collected, all of whose lines come after the lines added here.
  void Append(WordIndexBuilder&& later);
  // The cache file's bytes for lines 1..lines (failedLine as in the layout above) of files with
  // `stamps`; nothing when the words take more room than the layout can address.
  std::optional<std::string> Finish(const PublishedStamps& stamps, uint64_t contentChecksum, int lines,
                                    int failedLine) const;

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view word) const { return std::hash<std::string_view>()(word); }
  };
  using Words = std::unordered_map<std::string, std::vector<uint32_t>, Hash, std::equal_to<>>;
  std::array<Words, 2> words_;
};

}  // namespace quorvel

#include "core/WordIndex.h"

#include <algorithm>
#include <utility>

#include "core/Checksum.h"
#include "core/EntryIndex.h"
#include "core/SearchKey.h"

namespace quorvel {
namespace {

constexpr std::string_view kMagic = "ORVWORDS";
constexpr size_t kChecksumAt = 16;
constexpr size_t kCheckedFrom = 24;  // the head's checksum covers its bytes from here on
constexpr size_t kContentChecksumAt = 24;
constexpr size_t kStampsAt = 32;
constexpr size_t kLinesAt = 128;
constexpr size_t kFailedLineAt = 132;
constexpr size_t kHeadSizeAt = 136;
constexpr size_t kFileSizeAt = 144;
constexpr size_t kBlockCountsAt = 152;
constexpr size_t kDirectoryAt = 160;
// A directory entry without its first word's bytes: length, offset, size, checksum.
constexpr size_t kDirectoryEntryBytes = 2 + 8 + 4 + 8;
// A block is closed once it holds this many bytes, so that a lookup reads a few kilobytes.
constexpr size_t kBlockBytes = 4096;
// More lines than the entry index has slots never come from a sound file; heads beyond this
// size neither.
constexpr uint32_t kMaxLines = kIndexSlots;
constexpr uint64_t kMaxHeadBytes = uint64_t{64} << 20;

uint64_t Get(std::string_view bytes, size_t at, int size) {
  uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  return value;
}
uint32_t Get32(std::string_view bytes, size_t at) { return static_cast<uint32_t>(Get(bytes, at, 4)); }
uint64_t Get64(std::string_view bytes, size_t at) { return Get(bytes, at, 8); }

void Put(std::string& bytes, uint64_t value, int size) {
  for (int i = 0; i < size; ++i, value >>= 8) bytes.push_back(static_cast<char>(value & 0xFF));
}
void Set64(std::string& bytes, size_t at, uint64_t value) {
  for (int i = 0; i < 8; ++i, value >>= 8) bytes[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
}

void PutVarint(std::string& bytes, uint64_t value) {
  while (value >= 0x80) {
    bytes.push_back(static_cast<char>(value | 0x80));
    value >>= 7;
  }
  bytes.push_back(static_cast<char>(value));
}

// Reads a varint of at most 32 bits from bytes[at, end); false when it runs past `end` or is
// too long.
bool GetVarint(std::string_view bytes, size_t& at, size_t end, uint32_t& value) {
  uint64_t result = 0;
  for (int shift = 0; shift <= 28 && at < end; shift += 7) {
    const auto digit = static_cast<unsigned char>(bytes[at++]);
    result |= uint64_t{digit & 0x7Fu} << shift;
    if ((digit & 0x80) == 0) {
      if (result > UINT32_MAX) return false;
      value = static_cast<uint32_t>(result);
      return true;
    }
  }
  return false;
}

void PutStamps(std::string& bytes, const PublishedStamps& stamps) {
  for (const FileStamp& stamp : stamps) {
    Put(bytes, stamp.device, 8);
    Put(bytes, stamp.inode, 8);
    Put(bytes, stamp.size, 8);
    Put(bytes, static_cast<uint64_t>(stamp.modifiedNs), 8);
  }
}

PublishedStamps GetStamps(std::string_view bytes) {
  PublishedStamps stamps;
  for (size_t i = 0; i < stamps.size(); ++i) {
    const size_t at = kStampsAt + 32 * i;
    stamps[i] = {Get64(bytes, at), Get64(bytes, at + 8), Get64(bytes, at + 16), static_cast<int64_t>(Get64(bytes, at + 24))};
  }
  return stamps;
}

bool BeginsCacheFile(std::string_view bytes) {
  return bytes.size() >= kWordIndexStampBytes && bytes.substr(0, kMagic.size()) == kMagic &&
         Get32(bytes, 8) == kWordIndexVersion && Get32(bytes, 12) == 0;
}

// The head's checksum: of its bytes after the checksum field.
uint64_t HeadChecksum(std::string_view head) { return Checksum64(head.substr(kCheckedFrom)); }

}  // namespace

std::optional<PublishedStamps> WordIndex::HeaderStamps(std::string_view header) {
  if (!BeginsCacheFile(header)) return std::nullopt;
  return GetStamps(header);
}

bool WordIndex::ReadHead() {
  const std::string_view bytes = bytes_;
  if (bytes.size() < kDirectoryAt || !BeginsCacheFile(bytes)) return false;
  const uint64_t headSize = Get64(bytes, kHeadSizeAt);
  fileSize_ = Get64(bytes, kFileSizeAt);
  if (headSize < kDirectoryAt || headSize > bytes.size() || headSize > fileSize_) return false;
  const std::string_view head = bytes.substr(0, static_cast<size_t>(headSize));
  if (Get64(head, kChecksumAt) != HeadChecksum(head)) return false;
  contentChecksum_ = Get64(head, kContentChecksumAt);
  stamps_ = GetStamps(head);
  const uint32_t lines = Get32(head, kLinesAt);
  const uint32_t failed = Get32(head, kFailedLineAt);
  if (lines > kMaxLines || (failed != 0 && failed != lines + 1)) return false;
  lines_ = static_cast<int>(lines);
  failedLine_ = static_cast<int>(failed);

  // The blocks follow the head one after the other and end with the file.
  uint64_t next = headSize;
  size_t at = kDirectoryAt;
  for (size_t fold = 0; fold < blocks_.size(); ++fold) {
    const uint32_t count = Get32(head, kBlockCountsAt + 4 * fold);
    if (count > (head.size() - at) / (kDirectoryEntryBytes + 1)) return false;
    std::vector<Block>& blocks = blocks_[fold];
    blocks.resize(count);
    for (Block& block : blocks) {
      if (head.size() - at < kDirectoryEntryBytes) return false;
      const size_t length = static_cast<size_t>(Get(head, at, 2));
      at += 2;
      if (length == 0 || head.size() - at < length + kDirectoryEntryBytes - 2) return false;
      block.firstWord.assign(head.substr(at, length));
      at += length;
      block.offset = Get64(head, at);
      block.size = Get32(head, at + 8);
      block.checksum = Get64(head, at + 12);
      at += kDirectoryEntryBytes - 2;
      if (block.offset != next || block.size == 0 || block.size > fileSize_ - next) return false;
      if (&block != &blocks.front() && !((&block - 1)->firstWord < block.firstWord)) return false;
      next += block.size;
    }
  }
  return at == head.size() && next == fileSize_;
}

bool WordIndex::ReadBlock(const Block& block, std::string& bytes) const {
  if (whole_) {
    bytes.assign(bytes_, static_cast<size_t>(block.offset), block.size);
  } else if (!fs_ || !fs_->ReadRange(path_, block.offset, block.size, bytes).ok()) {
    return false;
  }
  return bytes.size() == block.size && Checksum64(bytes) == block.checksum;
}

std::optional<WordIndex> WordIndex::FromBytes(std::string bytes) {
  WordIndex index;
  index.bytes_ = std::move(bytes);
  index.whole_ = true;
  if (!index.ReadHead() || index.fileSize_ != index.bytes_.size()) return std::nullopt;
  std::string block;
  for (const std::vector<Block>& blocks : index.blocks_) {
    for (const Block& b : blocks) {
      if (!index.ReadBlock(b, block)) return std::nullopt;
    }
  }
  return index;
}

std::optional<WordIndex> WordIndex::Open(FileSystem& fs, const std::string& path) {
  WordIndex index;
  index.fs_ = &fs;
  index.path_ = path;
  if (!fs.ReadRange(path, 0, kDirectoryAt, index.bytes_).ok() || index.bytes_.size() < kDirectoryAt) return std::nullopt;
  const uint64_t headSize = Get64(index.bytes_, kHeadSizeAt);
  if (headSize < kDirectoryAt || headSize > kMaxHeadBytes) return std::nullopt;
  if (!fs.ReadRange(path, 0, headSize, index.bytes_).ok() || index.bytes_.size() != headSize) return std::nullopt;
  if (!index.ReadHead()) return std::nullopt;
  return index;
}

std::string WordIndex::RestampedBytes(const PublishedStamps& stamps) const {
  std::string bytes = bytes_;
  std::string stampBytes;
  PutStamps(stampBytes, stamps);
  bytes.replace(kStampsAt, stampBytes.size(), stampBytes);
  const std::string_view head = std::string_view(bytes).substr(0, static_cast<size_t>(Get64(bytes, kHeadSizeAt)));
  Set64(bytes, kChecksumAt, HeadChecksum(head));
  return bytes;
}

bool WordIndex::Lookup(Fold fold, std::string_view word, std::vector<int>& lines) const {
  lines.clear();
  const std::vector<Block>& blocks = blocks_[fold];
  // The last block whose first word is not after `word`.
  const auto after = std::upper_bound(blocks.begin(), blocks.end(), word,
                                      [](std::string_view w, const Block& b) { return w < b.firstWord; });
  if (after == blocks.begin()) return true;
  std::string block;
  if (!ReadBlock(*(after - 1), block)) return false;
  const std::string_view bytes = block;
  size_t at = 0;
  while (at < bytes.size()) {
    uint32_t length = 0;
    uint32_t listSize = 0;
    if (!GetVarint(bytes, at, bytes.size(), length) || length > bytes.size() - at) return false;
    const std::string_view stored = bytes.substr(at, length);
    at += length;
    if (!GetVarint(bytes, at, bytes.size(), listSize) || listSize > bytes.size() - at) return false;
    const size_t end = at + listSize;
    if (stored > word) return true;
    if (stored < word) {
      at = end;
      continue;
    }
    uint64_t line = 0;
    while (at < end) {
      uint32_t difference = 0;
      if (!GetVarint(bytes, at, end, difference)) return false;
      line += difference;
      if (difference == 0 || line > static_cast<uint64_t>(lines_)) return false;
      lines.push_back(static_cast<int>(line));
    }
    return true;
  }
  return true;
}

void WordIndexBuilder::Add(int line, std::string_view englishText, std::string_view greekText) {
  const auto line32 = static_cast<uint32_t>(line);
  for (const int fold : {WordIndex::kEnglish, WordIndex::kGreek}) {
    Words& words = words_[static_cast<size_t>(fold)];
    ForEachWholeWord(fold == WordIndex::kEnglish ? englishText : greekText, [&](std::string_view word) {
      auto found = words.find(word);
      if (found == words.end()) found = words.emplace(std::string(word), std::vector<uint32_t>()).first;
      std::vector<uint32_t>& lines = found->second;
      if (lines.empty() || lines.back() != line32) lines.push_back(line32);
    });
  }
}

void WordIndexBuilder::Append(WordIndexBuilder&& later) {
  for (size_t fold = 0; fold < words_.size(); ++fold) {
    for (auto& [word, lines] : later.words_[fold]) {
      std::vector<uint32_t>& mine = words_[fold][word];
      if (mine.empty()) {
        mine = std::move(lines);
      } else {
        mine.insert(mine.end(), lines.begin(), lines.end());
      }
    }
  }
  later.words_ = {};
}

std::optional<std::string> WordIndexBuilder::Finish(const PublishedStamps& stamps, uint64_t contentChecksum,
                                                    int lines, int failedLine) const {
  std::string directory;
  std::string blocks;
  std::array<uint32_t, 2> counts{};
  std::vector<size_t> offsetFields;  // where each block's offset goes in the directory, from the head's end
  for (size_t fold = 0; fold < words_.size(); ++fold) {
    std::vector<const Words::value_type*> sorted;
    for (const auto& entry : words_[fold]) sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) { return a->first < b->first; });
    std::string block;
    std::string list;
    for (size_t i = 0; i < sorted.size(); ++i) {
      const std::string& word = sorted[i]->first;
      if (block.empty()) {
        if (word.size() > 0xFFFF) return std::nullopt;
        Put(directory, word.size(), 2);
        directory += word;
      }
      list.clear();
      uint32_t previous = 0;
      for (const uint32_t line : sorted[i]->second) {
        PutVarint(list, line - previous);
        previous = line;
      }
      PutVarint(block, word.size());
      block += word;
      PutVarint(block, list.size());
      block += list;
      if (block.size() >= kBlockBytes || i + 1 == sorted.size()) {
        if (block.size() > UINT32_MAX) return std::nullopt;
        offsetFields.push_back(directory.size());
        Put(directory, blocks.size(), 8);  // from the head's end for now
        Put(directory, block.size(), 4);
        Put(directory, Checksum64(block), 8);
        blocks += block;
        block.clear();
        ++counts[fold];
      }
    }
  }
  const uint64_t headSize = kDirectoryAt + directory.size();
  for (const size_t field : offsetFields) Set64(directory, field, Get64(directory, field) + headSize);

  std::string bytes(kMagic);
  Put(bytes, kWordIndexVersion, 4);
  Put(bytes, 0, 4);
  Put(bytes, 0, 8);  // the head's checksum, set below
  Put(bytes, contentChecksum, 8);
  PutStamps(bytes, stamps);
  Put(bytes, static_cast<uint32_t>(lines), 4);
  Put(bytes, static_cast<uint32_t>(failedLine), 4);
  Put(bytes, headSize, 8);
  Put(bytes, headSize + blocks.size(), 8);
  Put(bytes, counts[0], 4);
  Put(bytes, counts[1], 4);
  bytes += directory;
  Set64(bytes, kChecksumAt, HeadChecksum(bytes));
  bytes += blocks;
  return bytes;
}

}  // namespace quorvel

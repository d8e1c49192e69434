// Fuzz target of the word index's cache reader: any bytes, read whole or opened for their blocks,
// are refused or looked up without a crash, and a lookup gives lines in ascending order within
// the lines the file names.
//
// Input layout: one flag byte, then the cache file. With flag bit 0 set, the checksums of the
// head and of the blocks its directory names are set right first, so that the fuzzer reaches
// past them into the directory and the blocks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/Checksum.h"
#include "core/WordIndex.h"
#include "platform/PosixFileSystem.h"

using namespace quorvel;

namespace {

uint64_t Get(const std::string& bytes, size_t at, int size) {
  uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

void Set64(std::string& bytes, size_t at, uint64_t value) {
  for (int i = 0; i < 8; ++i, value >>= 8) bytes[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xFF);
}

// Sets the block checksums the directory names and then the head's, where they lie in the bytes.
void SetChecksums(std::string& bytes) {
  if (bytes.size() < 160) return;
  const uint64_t head = Get(bytes, 136, 8);
  if (head < 160 || head > bytes.size()) return;
  size_t at = 160;
  for (int fold = 0; fold < 2; ++fold) {
    for (uint64_t count = Get(bytes, 152 + 4 * static_cast<size_t>(fold), 4); count > 0; --count) {
      if (head - at < 2) return;
      const size_t length = static_cast<size_t>(Get(bytes, at, 2));
      if (head - at < 2 + length + 20) return;
      at += 2 + length;
      const uint64_t offset = Get(bytes, at, 8);
      const uint64_t size = Get(bytes, at + 8, 4);
      if (offset <= bytes.size() && size <= bytes.size() - offset) {
        Set64(bytes, at + 12, Checksum64(std::string_view(bytes).substr(static_cast<size_t>(offset), static_cast<size_t>(size))));
      }
      at += 20;
    }
  }
  Set64(bytes, 16, Checksum64(std::string_view(bytes).substr(24, static_cast<size_t>(head) - 24)));
}

void Probe(const WordIndex& index, const std::string& bytes) {
  std::vector<std::string> words = {"ship", "a", std::string("\xF0\xEB\xEF\xE9\xEF")};
  for (size_t i = 1; i <= 6 && !bytes.empty(); ++i) words.push_back(bytes.substr(bytes.size() * i / 7, i));
  std::vector<int> lines;
  for (const WordIndex::Fold fold : {WordIndex::kEnglish, WordIndex::kGreek}) {
    for (const std::string& word : words) {
      if (!index.Lookup(fold, word, lines)) continue;
      for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] < 1 || lines[i] > index.lines() || (i > 0 && lines[i] <= lines[i - 1])) std::abort();
      }
    }
  }
}

const std::string& FilePath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("quorvel-fuzz-words-" + std::to_string(::getpid()) + ".idx")).string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) SetChecksums(bytes);
  (void)WordIndex::HeaderStamps(bytes);
  if (const auto whole = WordIndex::FromBytes(bytes)) Probe(*whole, bytes);
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << bytes;
  PosixFileSystem fs;
  if (const auto opened = WordIndex::Open(fs, FilePath())) Probe(*opened, bytes);
  return 0;
}

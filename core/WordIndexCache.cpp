#include "core/WordIndexCache.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

#include "core/Checksum.h"
#include "core/ParallelChunks.h"
#include "core/Paths.h"

namespace quorvel {
namespace {

// Description offsets are stored in 31 bits and lengths in 16.
constexpr uint64_t kMaxDescriptionFileBytes = (uint64_t{1} << 31) + 65536;
constexpr uint64_t kMaxIndexFileBytes = uint64_t{1} << 28;
constexpr uint64_t kMaxCacheFileBytes = uint64_t{1} << 30;
// Lines are handed to the threads in chunks of this many.
constexpr int kChunkLines = 256;
constexpr std::string_view kNameSuffix = ".idx";

std::string NamePrefix() { return "words-v" + std::to_string(kWordIndexVersion) + "-"; }

Status StampFiles(FileSystem& fs, const std::array<std::string, 3>& files, PublishedStamps& stamps) {
  for (size_t i = 0; i < files.size(); ++i) {
    const Status status = fs.Stamp(files[i], stamps[i]);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

// The first line whose description lies outside the file, or 0.
int FailedLine(std::string_view descriptions, const std::vector<PublishedPlace>& places) {
  std::string_view stored;
  for (size_t i = 0; i < places.size(); ++i) {
    if (!PublishedStoredBytes(descriptions, places[i].position, places[i].length, stored)) return static_cast<int>(i) + 1;
  }
  return 0;
}

// The words of lines 1..lines, converted on several threads.
WordIndexBuilder CollectWords(const WordIndexInputs& inputs, std::string_view descriptions, int lines) {
  const int count = (lines + kChunkLines - 1) / kChunkLines;
  std::vector<WordIndexBuilder> chunks(static_cast<size_t>(count));
  RunChunks(count, ThreadCount(inputs.threads), [&](int c) {
    const int first = c * kChunkLines + 1;
    for (int line = first; line <= std::min(lines, first + kChunkLines - 1); ++line) {
      const PublishedPlace& place = inputs.places[static_cast<size_t>(line - 1)];
      std::string_view stored;
      PublishedStoredBytes(descriptions, place.position, place.length, stored);  // inside: line < failed line
      const std::string english =
          EnglishSearchText(inputs.converter, PublishedEntryDocument(inputs.rtfHeader, place.position, stored));
      chunks[static_cast<size_t>(c)].Add(line, english, GreekSearchText(english));
    }
  });
  WordIndexBuilder all;
  for (WordIndexBuilder& chunk : chunks) all.Append(std::move(chunk));
  return all;
}

// Writes the cache file whole under a temporary name, then puts it in place.
Status WriteCacheFile(FileSystem& fs, const std::string& folder, uint64_t contentChecksum,
                      const std::string& bytes) {
  Status status = fs.MakeFolders(folder);
  if (!status.ok()) return status;
  const std::string path = JoinPath(folder, WordIndexFileName(contentChecksum));
  const std::string temporary = path + ".tmp";
  status = fs.WriteFile(temporary, bytes);
  if (status.ok()) status = fs.ReplaceFile(temporary, path);
  if (!status.ok()) DiscardTemporary(fs, temporary);
  return status;
}

// The cache file of `inputs`' files, whose contents are read now: the one in the cache when it
// holds what a build would make (only the stamps differ, as after a copy), else built.
WordIndexOutcome Build(const WordIndexInputs& inputs, FileSystem& fs) {
  WordIndexOutcome outcome;
  PublishedStamps before;
  outcome.status = StampFiles(fs, inputs.files, before);
  if (!outcome.status.ok()) return outcome;
  if (before != inputs.stamps) {
    outcome.status = Status::Refused("the published files changed after they were loaded");
    return outcome;
  }
  std::array<std::string, 3> contents;
  for (size_t i = 0; i < contents.size(); ++i) {
    outcome.status = fs.ReadFile(inputs.files[i], i == 0 ? kMaxDescriptionFileBytes : kMaxIndexFileBytes, contents[i]);
    if (!outcome.status.ok()) return outcome;
  }
  PublishedStamps after;
  outcome.status = StampFiles(fs, inputs.files, after);
  if (!outcome.status.ok()) return outcome;
  if (after != before) {
    outcome.status = Status::Refused("the published files changed while they were read");
    return outcome;
  }
  uint64_t contentChecksum = kWordIndexVersion;
  for (const std::string& content : contents) contentChecksum = Checksum64(content, contentChecksum);

  const int failedLine = FailedLine(contents[0], inputs.places);
  const int lines = failedLine != 0 ? failedLine - 1 : static_cast<int>(inputs.places.size());
  std::optional<std::string> bytes;
  if (!inputs.cacheFolder.empty()) {
    std::string cachedBytes;
    const std::string path = JoinPath(inputs.cacheFolder, WordIndexFileName(contentChecksum));
    if (fs.ReadFile(path, kMaxCacheFileBytes, cachedBytes).ok()) {
      const std::optional<WordIndex> cached = WordIndex::FromBytes(std::move(cachedBytes));
      if (cached && cached->contentChecksum() == contentChecksum && cached->lines() == lines &&
          cached->failedLine() == failedLine) {
        bytes = cached->RestampedBytes(inputs.stamps);
      }
    }
  }
  if (!bytes) {
    bytes = CollectWords(inputs, contents[0], lines).Finish(inputs.stamps, contentChecksum, lines, failedLine);
    outcome.built = true;
  }
  // Read back as any cache file is read, so that only what reads as sound is written.
  std::optional<WordIndex> index = bytes ? WordIndex::FromBytes(*bytes) : std::nullopt;
  if (!index) {
    outcome.status = Status::Refused("the descriptions hold more words than a word index can keep");
    return outcome;
  }
  if (!inputs.cacheFolder.empty()) outcome.status = WriteCacheFile(fs, inputs.cacheFolder, contentChecksum, *bytes);
  outcome.index = std::make_shared<const WordIndex>(std::move(*index));
  return outcome;
}

}  // namespace

std::string WordIndexFolderFromEnvironment() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache && *cache) return JoinPath(cache, "orvanta");
  const char* home = std::getenv("HOME");
  if (home && *home) return JoinPath(JoinPath(home, ".cache"), "orvanta");
  return std::string();
}

Status StampPublishedFiles(FileSystem& fs, const Locations& locations, PublishedStamps& stamps) {
  return StampFiles(fs, {locations.DescriptionFile(), locations.EnglishIndexFile(), locations.GreekIndexFile()},
                    stamps);
}

std::string WordIndexFileName(uint64_t contentChecksum) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(contentChecksum));
  return NamePrefix() + hex + std::string(kNameSuffix);
}

std::shared_ptr<const WordIndex> FindCachedWordIndex(FileSystem& fs, const std::string& folder,
                                                     const PublishedStamps& stamps, bool inMemory) {
  std::vector<std::string> names;
  if (folder.empty() || !fs.ListFolder(folder, names).ok()) return nullptr;
  const std::string prefix = NamePrefix();
  for (const std::string& name : names) {
    if (name.size() != prefix.size() + 16 + kNameSuffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        !name.ends_with(kNameSuffix)) {
      continue;
    }
    const std::string path = JoinPath(folder, name);
    std::string header;
    if (!fs.ReadRange(path, 0, kWordIndexStampBytes, header).ok()) continue;
    const std::optional<PublishedStamps> named = WordIndex::HeaderStamps(header);
    if (!named || *named != stamps) continue;
    std::optional<WordIndex> index;
    std::string bytes;
    if (!inMemory) {
      index = WordIndex::Open(fs, path);
    } else if (fs.ReadFile(path, kMaxCacheFileBytes, bytes).ok()) {
      index = WordIndex::FromBytes(std::move(bytes));
    }
    if (index && index->stamps() == stamps) return std::make_shared<const WordIndex>(std::move(*index));
  }
  return nullptr;
}

WordIndexOutcome OpenWordIndex(const WordIndexInputs& inputs, FileSystem& fs) {
  WordIndexOutcome outcome;
  outcome.index = FindCachedWordIndex(fs, inputs.cacheFolder, inputs.stamps, inputs.inMemory);
  if (outcome.index) return outcome;
  try {
    return Build(inputs, fs);
  } catch (const std::exception& error) {
    outcome.status = Status::IoError(std::string("the word index could not be built: ") + error.what());
    return outcome;
  }
}

}  // namespace quorvel

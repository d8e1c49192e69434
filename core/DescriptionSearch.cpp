#include "core/DescriptionSearch.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "core/Codec.h"
#include "core/DescriptionFile.h"
#include "core/ParallelChunks.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"

namespace quorvel {
namespace {

// Slots are handed to the threads in chunks of this many, in slot order.
constexpr int kChunkSlots = 256;
// The additions and user entries a word index search reads are handed out in chunks of this many.
constexpr size_t kLiveChunk = 64;

// A description file opened once for a chunk of slots, read a description at a time. For the
// published file a chunk's descriptions lie together (the data build writes them in slot
// order), so a piece of it holding them can be read at once; descriptions outside that piece
// are read one at a time.
class DescriptionBytes {
 public:
  // `file` is read through `fs` when it is a regular file of `fileSize` bytes; a negative size
  // reads nothing.
  DescriptionBytes(FileSystem& fs, const std::string& file, int64_t fileSize)
      : fs_(fs), file_(file), fileSize_(fileSize) {}

  // Reads [first, last) at once when it is not much more than the `needed` bytes and no more
  // than kMaxPieceBytes.
  void Load(int64_t first, int64_t last, int64_t needed) {
    first = std::max<int64_t>(first, 0);
    last = std::min(last, fileSize_);
    if (last <= first || last - first > std::min<int64_t>(4 * needed + 65536, kMaxPieceBytes)) return;
    if (!fs_.ReadRange(file_, static_cast<uint64_t>(first), static_cast<uint64_t>(last - first), range_).ok() ||
        static_cast<int64_t>(range_.size()) != last - first) {
      range_.clear();
      return;
    }
    rangeStart_ = first;
  }

  // The `count` bytes at `position`; false when they lie outside the file or cannot be read.
  bool Get(int64_t position, int64_t count, std::string_view& bytes) {
    if (position < 0 || count < 0 || position + count > fileSize_) return false;
    if (position >= rangeStart_ && position + count <= rangeStart_ + static_cast<int64_t>(range_.size())) {
      bytes = std::string_view(range_).substr(static_cast<size_t>(position - rangeStart_), static_cast<size_t>(count));
      return true;
    }
    if (!fs_.ReadRange(file_, static_cast<uint64_t>(position), static_cast<uint64_t>(count), single_).ok() ||
        static_cast<int64_t>(single_.size()) != count) {
      return false;
    }
    bytes = single_;
    return true;
  }

 private:
  static constexpr int64_t kMaxPieceBytes = int64_t{1} << 20;

  FileSystem& fs_;
  const std::string& file_;
  int64_t fileSize_;
  int64_t rangeStart_ = 0;
  std::string range_;
  std::string single_;
};

// What the search needs of the files, shared read-only by the threads.
struct Sources {
  FileSystem& fs;
  const Dictionary& dictionary;
  const Locations& locations;
  std::string_view rtfHeader;
  const std::string& publishedFile;
  int64_t publishedSize;
  // The user description file as the index was loaded with it; nothing without one.
  std::optional<std::string_view> userBytes;
};

// The user description bytes the loaded entries are read from.
std::optional<std::string_view> UserBytes(const Dictionary& d, const Locations& locations) {
  if (locations.UserDescrFile.empty() || !d.userDescriptionsPresent) return std::nullopt;
  return std::string_view(d.userDescriptions);
}

void OpenDocument(std::string_view rtfHeader, std::string& document) { document.assign(rtfHeader).append("\r\n"); }
void CloseDocument(std::string& document) { document.append("}\r\n"); }

// The stored bytes of a published description that the search reads: at most
// kDescriptionBufferSize of them.
int64_t SearchedLength(int64_t length) { return std::min<int64_t>(length, kDescriptionBufferSize); }

// Appends the decoded stored bytes of a published description at `position` (up to their first
// zero byte) and a space.
void AppendPublishedText(int64_t position, std::string_view stored, std::string& out) {
  out.append(PositionDecode(position + 1, stored)).append(" ");
}

// The same, reading the bytes; false when they lie outside the file.
bool AppendPublished(DescriptionBytes& published, int64_t position, int64_t length, std::string& out) {
  std::string_view bytes;
  if (!published.Get(position, SearchedLength(length), bytes)) return false;
  AppendPublishedText(position, bytes, out);
  return true;
}

// The same for a description of the user file (nothing appended when outside it).
bool AppendUser(std::string_view user, int64_t position, int64_t length, std::string& out) {
  const std::optional<std::string> text = DescriptionFromBytes(user, position, length, DescriptionCoding::Shift);
  if (!text) return false;
  out.append(*text).append(" ");
  return true;
}

// The searched document of one entry; false when its description lies outside its file. The
// places are those of EntryDescriptionPlace and EntryAdditionPlace: a user entry's stored
// offset is one-based in the user file, a published one zero-based in the published file.
bool Document(const Sources& s, DescriptionBytes& published, int slot, std::string& document) {
  const TEnglishEntry& e = s.dictionary.EnglishIndex[slot];
  OpenDocument(s.rtfHeader, document);
  const bool hasUser = s.userBytes.has_value();
  if (e.Origin == kOriginUser) {
    if (hasUser && !AppendUser(*s.userBytes, static_cast<int64_t>(e.DescrOffset) - 1, e.DescrLength, document)) {
      return false;
    }
  } else if (e.Origin == kOriginPublished || e.Origin == kOriginAddition) {
    if (!AppendPublished(published, e.DescrOffset, e.DescrLength, document)) return false;
    DescriptionPlace addition;
    // An addition outside the user file is left out.
    if (hasUser && EntryAdditionPlace(s.dictionary, s.locations, slot, addition)) {
      AppendUser(*s.userBytes, addition.position, addition.length, document);
    }
  }
  CloseDocument(document);
  return true;
}

// Reads and converts the entry at `slot` and tells in `hit` whether its folded text holds `key`;
// false when its description lies outside its file.
bool SearchEntry(const Sources& s, const PlainTextConverter& converter, DescriptionBytes& published, int slot,
                 std::string_view key, bool greek, bool& hit) {
  std::string document;
  if (!Document(s, published, slot, document)) return false;
  const std::string english = EnglishSearchText(converter, document);
  hit = ContainsWholeWord(greek ? GreekSearchText(english) : english, key);
  return true;
}

// What one chunk of slots gives a search.
struct ChunkResult {
  std::vector<int> hits;  // the slots whose text holds the word, in slot order
  int failedAt = 0;       // the slot whose description could not be read; 0 when none
};

// The texts of slots first..last, matched against `key` (folded in the language `greek` says)
// and, with `english`, kept there (and with `greek` and `greekTexts` also in `greekTexts`). They
// end before a description that lies outside its file.
ChunkResult ConvertChunk(const Sources& s, const PlainTextConverter& converter, int first, int last,
                         std::string_view key, bool greek, DescriptionSearch::Texts* english,
                         DescriptionSearch::Texts* greekTexts) {
  DescriptionBytes published(s.fs, s.publishedFile, s.publishedSize);
  int64_t low = INT64_MAX;
  int64_t high = 0;
  int64_t needed = 0;
  for (int slot = first; slot <= last; ++slot) {
    const TEnglishEntry& e = s.dictionary.EnglishIndex[slot];
    if (e.Origin != kOriginPublished && e.Origin != kOriginAddition) continue;
    const int64_t length = SearchedLength(e.DescrLength);
    low = std::min<int64_t>(low, e.DescrOffset);
    high = std::max<int64_t>(high, e.DescrOffset + length);
    needed += length;
  }
  if (low < high) published.Load(low, high, needed);

  ChunkResult result;
  std::string document;
  for (int slot = first; slot <= last; ++slot) {
    if (!Document(s, published, slot, document)) {
      result.failedAt = slot;
      break;
    }
    const std::string englishKey = EnglishSearchText(converter, document);
    if (greek) {
      const std::string greekKey = GreekSearchText(englishKey);
      if (ContainsWholeWord(greekKey, key)) result.hits.push_back(slot);
      if (greekTexts) greekTexts->Add(greekKey);
    } else if (ContainsWholeWord(englishKey, key)) {
      result.hits.push_back(slot);
    }
    if (english) english->Add(englishKey);
  }
  return result;
}

// The size of the regular file `path`; -1 when it is none or cannot be examined.
int64_t FileSize(FileSystem& fs, const std::string& path) {
  FileStamp stamp;
  return fs.Stamp(path, stamp).ok() ? static_cast<int64_t>(stamp.size) : -1;
}

void AddHit(const Dictionary& d, int slot, EntryList& list) {
  const TEnglishEntry& e = d.EnglishIndex[slot];
  list.items.push_back({ListText(e.Headword, e.Origin), slot});
}

// The number of published lines among the used slots: every entry but the user's own.
int PublishedLines(const Dictionary& d) {
  int lines = 0;
  for (int slot = 1; slot <= d.englishCount; ++slot) lines += d.EnglishIndex[slot].Origin != kOriginUser;
  return lines;
}

}  // namespace

bool PublishedStoredBytes(std::string_view file, int64_t position, int64_t length, std::string_view& stored) {
  const int64_t count = SearchedLength(length);
  if (position < 0 || count < 0 || position + count > static_cast<int64_t>(file.size())) return false;
  stored = file.substr(static_cast<size_t>(position), static_cast<size_t>(count));
  return true;
}

std::string PublishedEntryDocument(std::string_view rtfHeader, int64_t position, std::string_view stored) {
  std::string document;
  OpenDocument(rtfHeader, document);
  AppendPublishedText(position, stored, document);
  CloseDocument(document);
  return document;
}

std::string EnglishSearchText(const PlainTextConverter& converter, const std::string& document) {
  const std::optional<std::string> plain = converter(document);
  return plain ? EnglishSearchKey(*plain, false) : std::string();
}

// The Greek key of the English key is the Greek key of the plain text itself.
std::string GreekSearchText(std::string_view englishText) { return GreekSearchKey(englishText, false); }

std::string DescriptionSearchKey(std::string_view word, bool& greek) {
  const std::string trimmed = TrimLeft(word);
  greek = !trimmed.empty() && IsGreekInitial(static_cast<unsigned char>(trimmed[0]));
  return greek ? FoldGreekText(trimmed) : AsciiLower(trimmed);
}

std::vector<TextSpan> WordHits(std::string_view text, std::string_view word) {
  bool greek = false;
  const std::string key = DescriptionSearchKey(word, greek);
  const FoldedText folded = FoldForSearch(text, greek);
  std::vector<TextSpan> hits;
  for (const size_t at : WholeWordPositions(folded.text, key)) {
    const size_t first = folded.from[at];
    hits.push_back({first, folded.from[at + key.size() - 1] + 1 - first});
  }
  return hits;
}

std::string_view DescriptionSearch::Texts::Text(size_t i) const {
  const uint32_t begin = i == 0 ? 0 : ends[i - 1];
  return std::string_view(bytes).substr(begin, ends[i] - begin);
}

void DescriptionSearch::Texts::Add(std::string_view text) {
  bytes.append(text);
  ends.push_back(static_cast<uint32_t>(bytes.size()));
}

void DescriptionSearch::Texts::Trim() {
  bytes.shrink_to_fit();
  ends.shrink_to_fit();
}

DescriptionSearch::DescriptionSearch(PlainTextConverter converter, int threads, size_t keepLimit)
    : converter_(std::move(converter)),
      threads_(ThreadCount(threads)),
      keepLimit_(keepLimit) {}

void DescriptionSearch::Drop() {
  generation_ = 0;
  prepared_ = Status::Ok();
  english_.clear();
  english_.shrink_to_fit();
  greek_.clear();
  greek_.shrink_to_fit();
}

size_t DescriptionSearch::KeptBytes() const {
  size_t bytes = 0;
  for (const std::vector<Texts>* language : {&english_, &greek_}) {
    for (const Texts& texts : *language) bytes += texts.bytes.capacity() + texts.ends.capacity() * sizeof(uint32_t);
  }
  return bytes;
}

Status DescriptionSearch::Scan(FileSystem& fs, const Dictionary& d, const Locations& locations, std::string_view rtfHeader,
                               std::string_view key, bool greek, EntryList& list) {
  Drop();
  const std::string file = locations.DescriptionFile();
  const int64_t size = FileSize(fs, file);
  if (size < 0) return Status::IoError(file + ": cannot be read");
  const Sources sources{fs, d, locations, rtfHeader, file, size, UserBytes(d, locations)};

  const int count = (d.englishCount + kChunkSlots - 1) / kChunkSlots;
  english_.resize(static_cast<size_t>(count));
  if (greek) greek_.resize(static_cast<size_t>(count));
  std::vector<ChunkResult> results(static_cast<size_t>(count));
  std::atomic<size_t> kept{0};
  std::atomic<bool> keeping{true};
  RunChunks(count, threads_, [&](int c) {
    const auto i = static_cast<size_t>(c);
    const int first = c * kChunkSlots + 1;
    const bool keep = keeping;
    results[i] = ConvertChunk(sources, converter_, first, std::min(first + kChunkSlots - 1, d.englishCount), key,
                              greek, keep ? &english_[i] : nullptr, keep && greek ? &greek_[i] : nullptr);
    english_[i].Trim();
    if (greek) greek_[i].Trim();
    const size_t total = kept += english_[i].bytes.size() + (greek ? greek_[i].bytes.size() : 0);
    if (total > keepLimit_) keeping = false;
    // Texts past the limit are not kept at all, so that no more memory goes to them.
    if (!keeping) english_[i] = Texts();
    if (!keeping && greek) greek_[i] = Texts();
  });

  // The texts end before the first description that could not be read, as a scan in slot
  // order would end there.
  Status status = Status::Ok();
  for (size_t i = 0; i < results.size(); ++i) {
    for (const int slot : results[i].hits) {
      if (static_cast<int>(list.items.size()) >= kMaxDescriptionHits) break;
      AddHit(d, slot, list);
    }
    if (results[i].failedAt == 0) continue;
    status = Status::IoError(file + ": the description of slot " + std::to_string(results[i].failedAt) +
                             " cannot be read");
    english_.resize(i + 1);
    if (greek) greek_.resize(i + 1);
    break;
  }
  if (!keeping) {
    Drop();
    return status;
  }
  generation_ = d.generation;
  prepared_ = status;
  return status;
}

void DescriptionSearch::AddGreekTexts() {
  greek_.resize(english_.size());
  RunChunks(static_cast<int>(english_.size()), threads_, [&](int c) {
    const auto i = static_cast<size_t>(c);
    for (size_t t = 0; t < english_[i].ends.size(); ++t) greek_[i].Add(GreekSearchKey(english_[i].Text(t), false));
    greek_[i].Trim();
  });
}

Status DescriptionSearch::SearchWithIndex(FileSystem& fs, const Dictionary& d, const Locations& locations,
                                          std::string_view rtfHeader, std::string_view key, bool greek,
                                          const WordIndex& index, const std::vector<int>& lines, EntryList& list) {
  const std::string file = locations.DescriptionFile();
  const int64_t size = FileSize(fs, file);
  if (size < 0) return Status::IoError(file + ": cannot be read");
  const Sources sources{fs, d, locations, rtfHeader, file, size, UserBytes(d, locations)};

  // Additions and the user's own entries depend on the user's files: they are read as the scan
  // reads them, on several threads, up to the published line whose description the index says
  // lies outside its file.
  std::vector<int> live;
  for (int slot = 1, line = 0; slot <= d.englishCount; ++slot) {
    const char origin = d.EnglishIndex[slot].Origin;
    if (origin != kOriginUser && ++line == index.failedLine()) break;
    if (origin != kOriginPublished) live.push_back(slot);
  }
  enum LiveResult : char { kMissed, kHit, kUnreadable };
  std::vector<LiveResult> results(live.size(), kMissed);
  const int count = static_cast<int>((live.size() + kLiveChunk - 1) / kLiveChunk);
  RunChunks(count, threads_, [&](int c) {
    DescriptionBytes published(fs, file, size);
    const size_t first = static_cast<size_t>(c) * kLiveChunk;
    for (size_t i = first; i < std::min(live.size(), first + kLiveChunk); ++i) {
      bool hit = false;
      if (!SearchEntry(sources, converter_, published, live[i], key, greek, hit)) {
        results[i] = kUnreadable;
        break;  // the texts end there
      }
      results[i] = hit ? kHit : kMissed;
    }
  });

  auto next = lines.begin();
  auto liveResult = results.begin();
  for (int slot = 1, line = 0; slot <= d.englishCount; ++slot) {
    const TEnglishEntry& e = d.EnglishIndex[slot];
    const bool failed = e.Origin != kOriginUser && ++line == index.failedLine();
    if (failed || (e.Origin != kOriginPublished && *liveResult == kUnreadable)) {
      return Status::IoError(file + ": the description of slot " + std::to_string(slot) + " cannot be read");
    }
    bool hit = false;
    if (e.Origin == kOriginPublished) {
      while (next != lines.end() && *next < line) ++next;
      hit = next != lines.end() && *next == line;
    } else {
      hit = *liveResult++ == kHit;
    }
    if (hit && static_cast<int>(list.items.size()) < kMaxDescriptionHits) AddHit(d, slot, list);
  }
  return Status::Ok();
}

Status DescriptionSearch::Search(FileSystem& fs, const Dictionary& d, const Locations& locations, std::string_view rtfHeader,
                                 std::string_view word, EntryList& list, const WordIndex* index) {
  list = EntryList();
  const std::string trimmed = TrimLeft(word);
  list.searchText = trimmed;
  if (fs.Kind(locations.DescriptionFile()) != FileKind::kRegular) {
    return Status::IoError(locations.DescriptionFile() + ": cannot be read");
  }
  bool greek = false;
  const std::string key = DescriptionSearchKey(trimmed, greek);
  if (!trimmed.empty()) list.greek = greek;

  // The index knows the published lines it was made from; a load that has more of them (or a
  // damaged list) leaves the answer to the scan.
  std::vector<int> lines;
  if (index && IsOneWord(key) && (PublishedLines(d) <= index->lines() || index->failedLine() != 0) &&
      index->Lookup(greek ? WordIndex::kGreek : WordIndex::kEnglish, key, lines)) {
    return SearchWithIndex(fs, d, locations, rtfHeader, key, greek, *index, lines, list);
  }
  if (generation_ != d.generation || generation_ == 0) return Scan(fs, d, locations, rtfHeader, key, greek, list);
  if (greek && greek_.size() != english_.size()) AddGreekTexts();
  const std::vector<Texts>& chunks = greek ? greek_ : english_;
  for (size_t c = 0; c < chunks.size(); ++c) {
    for (size_t t = 0; t < chunks[c].ends.size(); ++t) {
      if (static_cast<int>(list.items.size()) >= kMaxDescriptionHits) return prepared_;
      if (ContainsWholeWord(chunks[c].Text(t), key)) AddHit(d, static_cast<int>(c * kChunkSlots + t) + 1, list);
    }
  }
  return prepared_;
}

}  // namespace quorvel

#include "core/EntryIndex.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/Codec.h"
#include "core/FileWriter.h"
#include "core/LineReader.h"
#include "core/Paths.h"
#include "core/RegularFile.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "core/UserFileRewrite.h"

namespace quorvel {

namespace {

Status BadField(const std::string& file, int line, const char* field) {
  return Status::Damaged(file + ": line " + std::to_string(line) + ": " + field + " is not a number");
}

Status ReadError(const std::string& file, int linesRead) {
  return Status::IoError(file + ": cannot be read after line " + std::to_string(linesRead));
}

Status UnreadableUserFile(const std::string& file) {
  return Status::IoError(file + ": cannot be read (not a regular file, or a read failed)");
}

// Index fields are padded with spaces: runs of eight are passed over a word at a time.
std::string_view TrimRightView(std::string_view text) {
  size_t end = text.size();
  while (end >= 8 && std::memcmp(text.data() + end - 8, "        ", 8) == 0) end -= 8;
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view TrimLeftView(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

// How the search candidates fold an entry's text.
std::string EnglishCandidateOf(const TEnglishEntry& e) { return AsciiLower(TrimLeftView(e.Headword)); }
// A KeyStart of 0 counts as 1; one past the candidate's end leaves nothing.
std::string EnglishStartCandidateOf(const TEnglishEntry& e) {
  const std::string_view candidate = TrimLeftView(e.Headword);
  const size_t start = e.KeyStart > 1 ? e.KeyStart - 1u : 0u;
  return start < candidate.size() ? AsciiLower(candidate.substr(start)) : std::string();
}
std::string GreekKeyOf(const TGreekEntry& g) { return GreekSearchKey(g.Term, true); }
std::string GreekStartCandidateOf(const TGreekEntry& g) { return SystemLower(GreekSearchKey(g.Term, true)); }

// Every slot of an index from this one on is empty.
template <typename Entry>
int StoredEnd(const SlotArray<Entry, kIndexSlots>& index) {
  return static_cast<int>(index.storedEnd());
}

// The lines of a file as LineReader splits them, read front to back a block at a time, so
// that memory holds one block of the file and not all of it.
class FileLines {
 public:
  // Reads nothing unless `path` names a regular file: a folder, a pipe or a device in a file's
  // place is unreadable, never opened or waited on.
  explicit FileLines(const std::string& path) {
    const std::string resolved = ResolveCaseInsensitive(path);
    state_ = StateOf(resolved);
    if (state_ != FileState::kRegular) return;
    file_ = std::fopen(resolved.c_str(), "rb");
    if (!file_) {
      state_ = FileState::kUnreadable;
      return;
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);  // the blocks are read straight into buffer_
  }
  ~FileLines() {
    if (file_) std::fclose(file_);
  }
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  bool opened() const { return file_ != nullptr; }
  // True when the file is there but cannot be read: not a regular file, or it would not open.
  bool unreadable() const { return state_ == FileState::kUnreadable; }
  // True when a read failed; the lines before the failure were given.
  bool failed() const { return failed_; }

  // The next line without its line end, valid until the next call; false at the end.
  bool Next(std::string_view& line) {
    while (lines_.AtEnd()) {
      if (!Refill()) return false;
    }
    line = lines_.Next();
    return true;
  }

 private:
  static constexpr size_t kBlockSize = 64 * 1024;

  // Keeps the unfinished line, reads the next block behind it and gives lines_ the whole lines
  // (a CR at the end of what was read waits for the next block, which may start with its LF).
  bool Refill() {
    const size_t kept = held_ - whole_;
    if (atEnd_ && kept == 0) return false;
    if (kept > 0) std::memmove(buffer_.data(), buffer_.data() + whole_, kept);  // the whole lines are used up
    held_ = kept;
    if (!atEnd_) {
      // Doubling keeps a line longer than a block linear to read.
      if (buffer_.size() - held_ < kBlockSize / 2) buffer_.resize(std::max(kBlockSize, 2 * buffer_.size()));
      const size_t want = buffer_.size() - held_;
      const size_t got = file_ ? std::fread(buffer_.data() + held_, 1, want, file_) : 0;
      held_ += got;
      if (got < want) {
        atEnd_ = true;
        failed_ = file_ && std::ferror(file_);
      }
    }
    whole_ = atEnd_ ? held_ : WholeLinesEnd();
    lines_ = LineReader(std::string_view(buffer_.data(), whole_));
    return true;
  }

  // Just past the last line end of the bytes held, not counting a CR in the last byte; 0 when
  // they hold no whole line.
  size_t WholeLinesEnd() const {
    size_t end = held_;
    if (end > 0 && buffer_[end - 1] == '\r') --end;
    while (end > 0 && buffer_[end - 1] != '\n' && buffer_[end - 1] != '\r') --end;
    return end;
  }

  FileState state_ = FileState::kMissing;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  size_t held_ = 0;   // bytes of buffer_ read and not yet used up
  size_t whole_ = 0;  // buffer_[0, whole_) is what lines_ splits
  bool atEnd_ = false;
  bool failed_ = false;
  LineReader lines_{std::string_view()};
};

// The lines of one user index file, merged behind the published lines by their attach numbers
// (columns 1-5, ascending). The merge holds the next line ahead. A damaged line stops the merge
// from it on (recorded in `error`, the first one only); the published index still loads whole.
class UserMerge {
 public:
  UserMerge(const std::string& path, Status& error) : path_(path), error_(error), lines_(path) {
    if (lines_.unreadable()) Fail();
    Advance();
  }

  // True while the line held is to be merged after the published line numbered `number`.
  bool Due(int number) const { return !done_ && number == attach_; }
  const std::string& line() const { return line_; }

  // Takes the next line (or ends the merge at the end of the file).
  void Advance() {
    std::string_view stored;
    if (!lines_.Next(stored)) {
      if (lines_.failed()) Fail();
      done_ = true;
      return;
    }
    line_ = ShiftDecode(stored);
    ++lineNumber_;
    const auto attach = ParseDecimal(Columns(line_, 1, 5), 65535);
    if (!attach) return Stop("attach number");
    attach_ = static_cast<int>(*attach);
  }

  void Fail() {
    if (error_.ok()) error_ = UnreadableUserFile(path_);
  }

  void Stop(const char* field) {
    if (error_.ok()) error_ = BadField(path_, lineNumber_, field);
    done_ = true;
  }

 private:
  const std::string& path_;
  Status& error_;
  FileLines lines_;
  std::string line_;
  int lineNumber_ = 0;
  int attach_ = 0;
  bool done_ = false;
};

Status LoadEnglish(Dictionary& d, const Locations& locations, LoadReport& report) {
  const std::string file = locations.EnglishIndexFile();
  FileLines published(file);
  if (!published.opened()) return Status::IoError(file + ": cannot be read");
  report.englishIndexFound = true;

  UserMerge user(locations.UserIndexFile, report.userLines);

  int slot = 0;
  int ordinal = 0;
  int translations = 0;
  std::string_view stored;
  std::string line;  // the decoded line, its memory kept from line to line
  while (published.Next(stored)) {
    if (slot >= kLastSlot) {
      report.englishBoundReached = true;
      break;
    }
    ++slot;
    ++ordinal;
    const int publishedSlot = slot;
    MirrorDecode(ordinal, stored, line);
    TEnglishEntry& e = d.EnglishIndex[slot];
    const auto number = ParseDecimal(Columns(line, 1, 5), 65535);
    if (!number) return BadField(file, ordinal, "entry number");
    e.Number = static_cast<uint16_t>(*number);
    e.Headword.assign(TrimRightView(Columns(line, 6, 128)).substr(0, kMaxHeadwordLength));
    const auto offset = ParseDecimal(Columns(line, 129, 136), 0x7FFFFFFF);
    if (!offset) {
      e = {};  // a slot is filled whole or not at all
      return BadField(file, ordinal, "description offset");
    }
    e.DescrOffset = static_cast<int32_t>(*offset);
    const auto length = ParseDecimal(Columns(line, 137, 141), 65535);
    if (!length) {
      e = {};  // a slot is filled whole or not at all
      return BadField(file, ordinal, "description length");
    }
    e.DescrLength = static_cast<uint16_t>(*length);
    e.Origin = kOriginPublished;
    const auto keyStart = ParseDecimal(Columns(line, 143, 144), 99);
    if (!keyStart) {
      e = {};  // a slot is filled whole or not at all
      return BadField(file, ordinal, "key start");
    }
    e.KeyStart = static_cast<uint8_t>(*keyStart);
    d.publishedEnglishCount = ordinal;
    if (line.size() > 149) {
      if (translations + 1 < kLongTranslationSlots) {
        ++translations;
        d.LongTranslations[translations].assign(ColumnsFrom(line, 150));
        e.TranslationSlot = static_cast<uint16_t>(translations);
      } else {
        ++report.droppedLongTranslations;
      }
    }
    while (user.Due(e.Number)) {
      const std::string& userLine = user.line();
      if (Columns(userLine, 1, 5) == Columns(userLine, 6, 10)) {
        TEnglishEntry& host = d.EnglishIndex[publishedSlot];
        host.Origin = kOriginAddition;
        d.NoteLocations.emplace_back(Columns(userLine, 91, 103));
        host.NoteIndex = static_cast<int32_t>(d.NoteLocations.size()) - 1;
      } else if (slot < kLastSlot) {
        const auto own = ParseDecimal(Columns(userLine, 6, 10), 65535);
        const auto uOffset = ParseDecimal(Columns(userLine, 91, 98), 0x7FFFFFFF);
        const auto uLength = ParseDecimal(Columns(userLine, 99, 103), 65535);
        if (!own || !uOffset || !uLength) {
          user.Stop(!own ? "entry number" : !uOffset ? "description offset" : "description length");
          break;
        }
        ++slot;
        TEnglishEntry& u = d.EnglishIndex[slot];
        u.Number = static_cast<uint16_t>(*own);
        u.Headword.assign(TrimRightView(Columns(userLine, 11, 90)));
        u.DescrOffset = static_cast<int32_t>(*uOffset);
        u.DescrLength = static_cast<uint16_t>(*uLength);
        u.Origin = kOriginUser;
        u.KeyStart = 1;
      } else {
        report.englishBoundReached = true;
      }
      user.Advance();
    }
  }
  if (published.failed()) return ReadError(file, ordinal);
  return Status::Ok();
}

// The first slot of every entry number, so that linking a term needs no scan in the usual case.
class NumberLookup {
 public:
  explicit NumberLookup(const Dictionary& d) {
    const int end = StoredEnd(d.EnglishIndex);
    uint16_t largest = 0;
    for (int slot = 1; slot < end; ++slot) largest = std::max(largest, d.EnglishIndex[slot].Number);
    first_.assign(size_t{largest} + 1, 0);
    for (int slot = end - 1; slot >= 1; --slot) {
      const uint16_t n = d.EnglishIndex[slot].Number;
      if (n != 0) first_[n] = static_cast<uint16_t>(slot);
    }
  }

  // LinkGreekTerm(d, g, n, start) without its scan where the first slot of n is at or above start.
  void Link(Dictionary& d, int g, uint16_t n, int start) const {
    if (n == 0 || n >= first_.size() || first_[n] == 0) return;  // no slot holds n
    const int e = first_[n];
    if (e >= start) {
      d.GreekIndex[g].EnglishSlot = static_cast<uint16_t>(e);
      d.EnglishIndex[e].GreekSlot = static_cast<uint16_t>(g);
      return;
    }
    LinkGreekTerm(d, g, n, start);
  }

 private:
  std::vector<uint16_t> first_;  // indexed by entry number, up to the largest one loaded
};

Status LoadGreek(Dictionary& d, const Locations& locations, LoadReport& report,
                 std::vector<bool>& userGreekSlot) {
  const std::string file = locations.GreekIndexFile();
  FileLines published(file);
  if (!published.opened()) return Status::Ok();  // no Greek terms; the English part stands
  report.greekIndexFound = true;

  const NumberLookup numbers(d);
  UserMerge user(locations.UserGreekFile, report.userLines);

  int slot = 0;
  int ordinal = 0;
  std::string_view stored;
  std::string line;  // the decoded line, its memory kept from line to line
  while (published.Next(stored)) {
    if (slot >= kLastSlot) {
      report.greekBoundReached = true;
      break;
    }
    ++slot;
    ++ordinal;
    MirrorDecode(ordinal, stored, line);
    TGreekEntry& g = d.GreekIndex[slot];
    const auto number = ParseDecimal(Columns(line, 1, 5), 65535);
    if (!number) return BadField(file, ordinal, "entry number");
    g.Number = static_cast<uint16_t>(*number);
    g.Term.assign(TrimRightView(Columns(line, 11, 142)).substr(0, kMaxTermLength));
    const auto second = ParseDecimal(Columns(line, 6, 10), 65535);
    if (!second) {
      g = {};  // a slot is filled whole or not at all
      return BadField(file, ordinal, "second entry number");
    }
    d.publishedGreekCount = ordinal;
    numbers.Link(d, slot, g.Number, g.Number >= 6 ? g.Number - 5 : 1);
    if (*second > 0) numbers.Link(d, slot, static_cast<uint16_t>(*second), *second >= 6 ? *second - 5 : 1);
    while (user.Due(g.Number)) {
      const std::string& userLine = user.line();
      if (slot < kLastSlot) {
        const auto own = ParseDecimal(Columns(userLine, 6, 10), 65535);
        if (!own) {
          user.Stop("entry number");
          break;
        }
        ++slot;
        TGreekEntry& u = d.GreekIndex[slot];
        u.Number = static_cast<uint16_t>(*own);
        u.Term.assign(TrimRightView(Columns(userLine, 11, 90)));
        userGreekSlot[static_cast<size_t>(slot)] = true;
        numbers.Link(d, slot, u.Number, 1);
      } else {
        report.greekBoundReached = true;
      }
      user.Advance();
    }
  }
  if (published.failed()) return ReadError(file, ordinal);
  return Status::Ok();
}

// The used part of an index ends at its first slot whose Number is 0.
template <typename Entry>
int UsedCount(const SlotArray<Entry, kIndexSlots>& index) {
  const int end = StoredEnd(index);
  int count = 0;
  while (count + 1 < end && index[static_cast<size_t>(count) + 1].Number != 0) ++count;
  return count;
}

}  // namespace

Dictionary::Dictionary()
    : englishCandidate(EnglishIndex, &EnglishCandidateOf),
      englishStartCandidate(EnglishIndex, &EnglishStartCandidateOf),
      greekKey(GreekIndex, &GreekKeyOf),
      greekStartCandidate(GreekIndex, &GreekStartCandidateOf) {
  englishFirstSlot.fill(1);
  greekFirstSlot.fill(1);
}

// The used counts, the candidates' used part, and where each letter's prefix search starts: the
// first published line (by ordinal) whose candidate begins with the letter. The starts need only
// each candidate's first character, so nothing is folded and kept here.
void PrepareSearchData(Dictionary& d, const std::vector<bool>& userGreekSlot) {
  d.englishCount = UsedCount(d.EnglishIndex);
  d.greekCount = UsedCount(d.GreekIndex);
  d.englishCandidate.Reset(d.englishCount);
  d.englishStartCandidate.Reset(d.englishCount);
  d.greekKey.Reset(d.greekCount);
  d.greekStartCandidate.Reset(d.greekCount);
  std::array<int, 26> english{};
  int ordinal = 0;
  for (int slot = 1; slot <= d.englishCount; ++slot) {
    const TEnglishEntry& e = d.EnglishIndex[slot];
    if (e.Origin == kOriginUser) continue;
    ++ordinal;
    // The candidate's character at KeyStart: AsciiLower(TrimLeft(Headword))[KeyStart - 1].
    const std::string_view trimmed = TrimLeftView(e.Headword);
    const size_t start = e.KeyStart > 1 ? e.KeyStart - 1u : 0u;
    if (start >= trimmed.size()) continue;
    const char c = AsciiLower(trimmed.substr(start, 1))[0];
    if (c >= 'a' && c <= 'z') {
      int& first = english[static_cast<size_t>(c - 'a')];
      if (first == 0) first = ordinal;
    }
  }
  std::array<int, 25> greek{};
  ordinal = 0;
  for (int slot = 1; slot <= d.greekCount; ++slot) {
    if (static_cast<size_t>(slot) < userGreekSlot.size() && userGreekSlot[static_cast<size_t>(slot)]) continue;
    ++ordinal;
    // The first character of the start candidate, SystemLower(GreekSearchKey(Term)).
    const unsigned char c = SystemLowerByte(GreekSearchKeyInitial(d.GreekIndex[slot].Term));
    if (c >= 0xE1 && c <= 0xF9) {
      int& first = greek[c - 0xE1];
      if (first == 0) first = ordinal;
    }
  }
  for (size_t i = 0; i < english.size(); ++i) d.englishFirstSlot[i] = english[i] ? english[i] : 1;
  for (size_t i = 0; i < greek.size(); ++i) d.greekFirstSlot[i] = greek[i] ? greek[i] : 1;
}

void LinkGreekTerm(Dictionary& d, int g, uint16_t n, int start) {
  if (n == 0) return;  // no entry has number 0; the scan would stop at the first empty slot
  const int end = StoredEnd(d.EnglishIndex);  // past it every slot is empty
  for (int e = std::max(start, 0); e < end; ++e) {
    if (d.EnglishIndex[e].Number == n) {
      d.GreekIndex[g].EnglishSlot = static_cast<uint16_t>(e);
      d.EnglishIndex[e].GreekSlot = static_cast<uint16_t>(g);
      return;
    }
  }
}

LoadReport LoadEntryIndex(Dictionary& d, const Locations& given, FileSystem& fs, FileWriter& writer) {
  LoadReport report;
  std::unique_ptr<FileLock> lock;  // kept to the end: no rewrite replaces a file between the reads
  RecoveredUserFiles user = PrepareUserFilesForLoad(given, fs, writer, lock);
  report.recovery = user.status;
  report.readFrom = std::move(user.readFrom);
  const Locations& locations = report.readFrom;
  d.EnglishIndex.clear();
  d.GreekIndex.clear();
  d.LongTranslations.clear();
  d.NoteLocations.clear();
  d.englishCount = d.greekCount = 0;
  d.publishedEnglishCount = d.publishedGreekCount = 0;
  d.englishFirstSlot.fill(1);
  d.greekFirstSlot.fill(1);
  ++d.generation;

  std::vector<bool> userGreekSlot(kIndexSlots, false);
  report.status = LoadEnglish(d, locations, report);
  if (report.status.ok() && report.englishIndexFound) {
    report.status = LoadGreek(d, locations, report, userGreekSlot);
  }
  // The user descriptions are read entry by entry later; a file in their place that cannot be
  // read would show every user entry empty.
  if (report.userLines.ok() && StateOf(ResolveCaseInsensitive(locations.UserDescrFile)) == FileState::kUnreadable) {
    report.userLines = UnreadableUserFile(locations.UserDescrFile);
  }
  PrepareSearchData(d, userGreekSlot);
  return report;
}

std::string EntryTranslation(const Dictionary& d, int slot) {
  const TEnglishEntry& e = d.EnglishIndex[slot];
  if (e.TranslationSlot > 0) return d.LongTranslations[e.TranslationSlot];
  if (e.GreekSlot > 0) return d.GreekIndex[e.GreekSlot].Term;
  return {};
}

bool EntryDescriptionPlace(const Dictionary& d, const Locations& locations, int slot,
                           DescriptionPlace& place) {
  const TEnglishEntry& e = d.EnglishIndex[slot];
  if (e.Origin == kOriginPublished || e.Origin == kOriginAddition) {
    place = {locations.DescriptionFile(), e.DescrOffset, e.DescrLength};
    return true;
  }
  if (e.Origin == kOriginUser && !locations.UserDescrFile.empty()) {
    place = {locations.UserDescrFile, static_cast<int64_t>(e.DescrOffset) - 1, e.DescrLength};
    return true;
  }
  return false;
}

bool EntryAdditionPlace(const Dictionary& d, const Locations& locations, int slot,
                        DescriptionPlace& place) {
  const TEnglishEntry& e = d.EnglishIndex[slot];
  if (e.Origin != kOriginAddition || e.NoteIndex < 0 ||
      e.NoteIndex >= static_cast<int32_t>(d.NoteLocations.size()) || locations.UserDescrFile.empty()) {
    return false;
  }
  const std::string& note = d.NoteLocations[static_cast<size_t>(e.NoteIndex)];
  const auto position = ParseDecimal(Columns(note, 1, 8));
  const auto length = ParseDecimal(Columns(note, 9, 13));
  if (!position || !length) return false;
  place = {locations.UserDescrFile, static_cast<int64_t>(*position) - 1, *length};
  return true;
}

}  // namespace quorvel

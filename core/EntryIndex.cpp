#include "core/EntryIndex.h"

#include <algorithm>
#include <cstring>

#include "core/Codec.h"
#include "core/LineReader.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "core/UserFileRewrite.h"
#include "core/UserFileSet.h"
#include "core/UserRecord.h"

namespace quorvel {

namespace {

Status BadField(const std::string& file, int line, const char* field) {
  return Status::Damaged(file + ": line " + std::to_string(line) + ": " + field + " is not a number");
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

// The lines of one user index file, merged behind the published lines by their attach numbers
// (columns 1-5, ascending). The merge holds the next line ahead. A damaged line stops the merge
// from it on (recorded in `error`, the first one only); the published index still loads whole.
class UserMerge {
 public:
  // `bytes` (nothing for a file that is not there) must outlive the merge.
  UserMerge(const std::string& path, const std::optional<std::string>& bytes, Status& error)
      : path_(path), error_(error), lines_(bytes ? std::string_view(*bytes) : std::string_view()) {
    Advance();
  }

  // True while the line held is to be merged after the published line numbered `number`.
  bool Due(int number) const { return !done_ && number == attach_; }
  const std::string& line() const { return line_; }

  // Takes the next line (or ends the merge at the end of the file).
  void Advance() {
    if (lines_.AtEnd()) {
      done_ = true;
      return;
    }
    line_ = ShiftDecode(lines_.Next());
    ++lineNumber_;
    const auto attach = EntryNumberField(UserIndexFieldsOf(line_).attach);
    if (!attach) return Stop("attach number");
    attach_ = static_cast<int>(*attach);
  }

  void Stop(const char* field) {
    if (error_.ok()) error_ = BadField(path_, lineNumber_, field);
    done_ = true;
  }

 private:
  const std::string& path_;
  Status& error_;
  LineReader lines_;
  std::string line_;
  int lineNumber_ = 0;
  int attach_ = 0;
  bool done_ = false;
};

// The lines of a published index file as LineReader splits them, read front to back a block at
// a time through the file system, so that memory holds one block of the file and not all of it.
class FileLines {
 public:
  // `fs` and `path` must outlive the reader.
  FileLines(FileSystem& fs, const std::string& path) : fs_(fs), path_(path) {}
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  // Reads the first block: NotFound when the file is not there, the read's failure when it
  // cannot be read (ReadNeededRange).
  Status Open() {
    Refill();
    return status_;
  }

  // The next line without its line end, valid until the next call; false at the end, or when
  // a read failed (status() says so; the lines before the failure were given).
  bool Next(std::string_view& line) {
    while (lines_.AtEnd()) {
      if (!Refill()) return false;
    }
    line = lines_.Next();
    return true;
  }

  const Status& status() const { return status_; }

 private:
  static constexpr size_t kBlockSize = 64 * 1024;

  // Keeps the unfinished line, reads the next block behind it and gives lines_ the whole lines
  // (a CR at the end of what was read waits for the next block, which may start with its LF).
  bool Refill() {
    const size_t kept = buffer_.size() - whole_;
    if (atEnd_ && kept == 0) return false;
    buffer_.erase(0, whole_);  // the whole lines are used up
    if (!atEnd_) {
      // Doubling keeps a line longer than a block linear to read.
      const size_t want = std::max(kBlockSize, buffer_.size());
      status_ = ReadNeededRange(fs_, path_, position_, want, block_);
      if (!status_.ok()) block_.clear();
      position_ += block_.size();
      buffer_ += block_;
      atEnd_ = !status_.ok() || block_.size() < want;
    }
    whole_ = atEnd_ ? buffer_.size() : WholeLinesEnd();
    lines_ = LineReader(std::string_view(buffer_.data(), whole_));
    return status_.ok();
  }

  // Just past the last line end of the bytes held, not counting a CR in the last byte; 0 when
  // they hold no whole line.
  size_t WholeLinesEnd() const {
    size_t end = buffer_.size();
    if (end > 0 && buffer_[end - 1] == '\r') --end;
    while (end > 0 && buffer_[end - 1] != '\n' && buffer_[end - 1] != '\r') --end;
    return end;
  }

  FileSystem& fs_;
  const std::string& path_;
  std::string block_;
  std::string buffer_;
  uint64_t position_ = 0;
  size_t whole_ = 0;  // buffer_[0, whole_) is what lines_ splits
  bool atEnd_ = false;
  Status status_ = Status::Ok();
  LineReader lines_{std::string_view()};
};

// The skeleton both index loads share: the published file's lines decoded one by one into the
// next slot, until the slots run out, each followed by the user lines attached to its number.
// `Index` fills the slots of one language:
//   Status Published(int slot, int ordinal, const std::string& line)  a published line
//   uint16_t Number(int slot)                  the number a published slot's user lines attach to
//   bool User(int& slot, int publishedSlot, UserMerge& user, bool& boundReached)
//                                              the user line held (a line that needs a slot when
//                                              none is left sets `boundReached`); false when the
//                                              merge stopped
// `boundReached` is set when lines were left for want of slots.
template <typename Index>
Status MergeIndexLines(FileLines& published, UserMerge& user, Index& index, bool& boundReached) {
  int slot = 0;
  int ordinal = 0;
  std::string line;  // the decoded line, its memory kept from line to line
  std::string_view stored;
  while (published.Next(stored)) {
    if (slot >= kLastSlot) {
      boundReached = true;
      break;
    }
    ++slot;
    ++ordinal;
    MirrorDecode(ordinal, stored, line);
    const int publishedSlot = slot;
    const Status status = index.Published(slot, ordinal, line);
    if (!status.ok()) return status;
    while (user.Due(index.Number(publishedSlot))) {
      if (!index.User(slot, publishedSlot, user, boundReached)) break;
      user.Advance();
    }
  }
  return published.status();
}

// The English index: published entries with their long translations, the user's entries and
// additions.
class EnglishLines {
 public:
  EnglishLines(Dictionary& d, const std::string& file, LoadReport& report) : d_(d), file_(file), report_(report) {}

  Status Published(int slot, int ordinal, const std::string& line) {
    TEnglishEntry& e = d_.EnglishIndex[slot];
    const auto number = ParseDecimal(Columns(line, 1, 5), kMaxEntryNumber);
    if (!number) return BadField(file_, ordinal, "entry number");
    e.Number = static_cast<uint16_t>(*number);
    e.Headword.assign(TrimRightView(Columns(line, 6, 128)).substr(0, kMaxHeadwordLength));
    const auto offset = ParseDecimal(Columns(line, 129, 136), 0x7FFFFFFF);
    const auto length = ParseDecimal(Columns(line, 137, 141), kMaxEntryNumber);
    const auto keyStart = ParseDecimal(Columns(line, 143, 144), 99);
    if (!offset || !length || !keyStart) {
      e = {};  // a slot is filled whole or not at all
      return BadField(file_, ordinal, !offset ? "description offset" : !length ? "description length" : "key start");
    }
    e.DescrOffset = static_cast<int32_t>(*offset);
    e.DescrLength = static_cast<uint16_t>(*length);
    e.Origin = kOriginPublished;
    e.KeyStart = static_cast<uint8_t>(*keyStart);
    d_.publishedEnglishCount = ordinal;
    if (line.size() > 149) {
      if (translations_ + 1 < kLongTranslationSlots) {
        ++translations_;
        d_.LongTranslations[translations_].assign(ColumnsFrom(line, 150));
        e.TranslationSlot = static_cast<uint16_t>(translations_);
      } else {
        ++report_.droppedLongTranslations;
      }
    }
    return Status::Ok();
  }

  uint16_t Number(int slot) const { return d_.EnglishIndex[slot].Number; }

  bool User(int& slot, int publishedSlot, UserMerge& user, bool& boundReached) {
    const UserIndexFields fields = UserIndexFieldsOf(user.line());
    if (fields.attach == fields.own) {
      TEnglishEntry& host = d_.EnglishIndex[publishedSlot];
      host.Origin = kOriginAddition;
      d_.NoteLocations.emplace_back(fields.place);
      host.NoteIndex = static_cast<int32_t>(d_.NoteLocations.size()) - 1;
      return true;
    }
    if (slot >= kLastSlot) {
      boundReached = true;
      return true;
    }
    const auto own = EntryNumberField(fields.own);
    const auto offset = ParseDecimal(fields.offset, 0x7FFFFFFF);
    const auto length = ParseDecimal(fields.length, kMaxEntryNumber);
    if (!own || !offset || !length) {
      user.Stop(!own ? "entry number" : !offset ? "description offset" : "description length");
      return false;
    }
    TEnglishEntry& u = d_.EnglishIndex[++slot];
    u.Number = static_cast<uint16_t>(*own);
    u.Headword.assign(TrimRightView(fields.headword));
    u.DescrOffset = static_cast<int32_t>(*offset);
    u.DescrLength = static_cast<uint16_t>(*length);
    u.Origin = kOriginUser;
    u.KeyStart = 1;
    return true;
  }

 private:
  Dictionary& d_;
  const std::string& file_;
  LoadReport& report_;
  int translations_ = 0;
};

Status LoadEnglish(Dictionary& d, const Locations& locations, FileSystem& fs, const UserFileSet& userFiles,
                   LoadReport& report) {
  const std::string file = locations.EnglishIndexFile();
  FileLines published(fs, file);
  const Status read = published.Open();
  if (!read.ok()) return read;
  report.englishIndexFound = true;
  UserMerge user(locations.UserIndexFile, userFiles.index, report.userLines);
  EnglishLines english(d, file, report);
  return MergeIndexLines(published, user, english, report.englishBoundReached);
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

// The Greek index: published terms linked to their entries, the user's terms.
class GreekLines {
 public:
  GreekLines(Dictionary& d, const std::string& file, std::vector<bool>& userGreekSlot)
      : d_(d), file_(file), numbers_(d), userGreekSlot_(userGreekSlot) {}

  Status Published(int slot, int ordinal, const std::string& line) {
    TGreekEntry& g = d_.GreekIndex[slot];
    const auto number = ParseDecimal(Columns(line, 1, 5), kMaxEntryNumber);
    if (!number) return BadField(file_, ordinal, "entry number");
    g.Number = static_cast<uint16_t>(*number);
    g.Term.assign(TrimRightView(Columns(line, 11, 142)).substr(0, kMaxTermLength));
    const auto second = ParseDecimal(Columns(line, 6, 10), kMaxEntryNumber);
    if (!second) {
      g = {};  // a slot is filled whole or not at all
      return BadField(file_, ordinal, "second entry number");
    }
    d_.publishedGreekCount = ordinal;
    numbers_.Link(d_, slot, g.Number, g.Number >= 6 ? g.Number - 5 : 1);
    if (*second > 0) numbers_.Link(d_, slot, static_cast<uint16_t>(*second), *second >= 6 ? *second - 5 : 1);
    return Status::Ok();
  }

  uint16_t Number(int slot) const { return d_.GreekIndex[slot].Number; }

  bool User(int& slot, int, UserMerge& user, bool& boundReached) {
    if (slot >= kLastSlot) {
      boundReached = true;
      return true;
    }
    const UserGreekFields fields = UserGreekFieldsOf(user.line());
    const auto own = EntryNumberField(fields.own);
    if (!own) {
      user.Stop("entry number");
      return false;
    }
    TGreekEntry& u = d_.GreekIndex[++slot];
    u.Number = static_cast<uint16_t>(*own);
    u.Term.assign(TrimRightView(fields.term));
    userGreekSlot_[static_cast<size_t>(slot)] = true;
    numbers_.Link(d_, slot, u.Number, 1);
    return true;
  }

 private:
  Dictionary& d_;
  const std::string& file_;
  const NumberLookup numbers_;
  std::vector<bool>& userGreekSlot_;
};

Status LoadGreek(Dictionary& d, const Locations& locations, FileSystem& fs, const UserFileSet& userFiles,
                 LoadReport& report, std::vector<bool>& userGreekSlot) {
  const std::string file = locations.GreekIndexFile();
  FileLines published(fs, file);
  const Status read = published.Open();
  if (read.code() == StatusCode::kNotFound) return Status::Ok();  // no Greek terms; the English part stands
  if (!read.ok()) return read;
  report.greekIndexFound = true;
  UserMerge user(locations.UserGreekFile, userFiles.greek, report.userLines);
  GreekLines greek(d, file, userGreekSlot);
  return MergeIndexLines(published, user, greek, report.greekBoundReached);
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

LoadReport LoadEntryIndexFrom(Dictionary& d, const Locations& locations, FileSystem& fs,
                              const UserFileSet& userFiles, IndexParts parts) {
  LoadReport report;
  report.readFrom = locations;
  d.EnglishIndex.clear();
  d.GreekIndex.clear();
  d.LongTranslations.clear();
  d.NoteLocations.clear();
  d.englishCount = d.greekCount = 0;
  d.publishedEnglishCount = d.publishedGreekCount = 0;
  d.englishFirstSlot.fill(1);
  d.greekFirstSlot.fill(1);
  d.userGeneration = GenerationOf(userFiles);
  d.userDescriptions = userFiles.descriptions.value_or(std::string());
  d.userDescriptionsPresent = userFiles.descriptions.has_value();
  ++d.generation;

  std::vector<bool> userGreekSlot(kIndexSlots, false);
  report.status = LoadEnglish(d, locations, fs, userFiles, report);
  if (report.status.ok() && report.englishIndexFound && parts == IndexParts::kAll) {
    report.status = LoadGreek(d, locations, fs, userFiles, report, userGreekSlot);
  }
  d.publishedRead = report.status.code() == StatusCode::kNotFound ? Status::Ok() : report.status;
  PrepareSearchData(d, userGreekSlot);
  return report;
}

namespace {

// How often a load without the lock reads the user files again when another program committed
// while it read them.
constexpr int kUnlockedReadTries = 5;

// The user files for a load, whole and of one generation: under the lock a read is of one
// generation; without it (another program keeps the lock, or the folder cannot be written)
// the files are read again until their stamps are the same before and after the read.
Status ReadUserFilesForLoad(const Locations& locations, FileSystem& fs, bool locked, UserFileSet& files,
                            UserFilesStamp& stamp) {
  Status status = Status::Ok();
  for (int attempt = 0; attempt < kUnlockedReadTries; ++attempt) {
    const UserFilesStamp before = locked ? UserFilesStamp() : StampUserFiles(locations, fs);
    status = ReadUserFileSet(locations, fs, files);
    stamp = StampUserFiles(locations, fs);
    if (locked || stamp == before) break;
  }
  return status;
}

}  // namespace

LoadReport LoadEntryIndex(Dictionary& d, const Locations& given, FileSystem& fs, IndexParts parts) {
  std::unique_ptr<FileLock> lock;  // kept to the end: no rewrite replaces a file between the reads
  RecoveredUserFiles user = PrepareUserFilesForLoad(given, fs, lock);
  UserFileSet files;
  UserFilesStamp stamp;
  const Status userRead = ReadUserFilesForLoad(user.readFrom, fs, lock != nullptr, files, stamp);
  LoadReport report = LoadEntryIndexFrom(d, user.readFrom, fs, files, parts);
  report.recovery = user.status;
  // The stamps to compare later are those of the user files, also while the files read are
  // the new ones of a rewrite not yet finished: finishing it changes the user files.
  const bool readInPlace = user.readFrom.UserIndexFile == given.UserIndexFile &&
                           user.readFrom.UserDescrFile == given.UserDescrFile &&
                           user.readFrom.UserGreekFile == given.UserGreekFile;
  report.userStamp = readInPlace ? stamp : StampUserFiles(given, fs);
  // A user file that cannot be read is no file to the index; the user hears that it could not
  // be read whole, and it is never written over from what was read.
  if (!userRead.ok()) report.userLines = userRead;
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
    place = {locations.UserDescrFile, static_cast<int64_t>(e.DescrOffset) - 1, e.DescrLength, true};
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
  place = {locations.UserDescrFile, static_cast<int64_t>(*position) - 1, *length, true};
  return true;
}

}  // namespace quorvel

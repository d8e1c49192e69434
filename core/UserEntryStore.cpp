#include "core/UserEntryStore.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/Codec.h"
#include "core/DescriptionFile.h"
#include "core/LineReader.h"
#include "core/RtfEscape.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "core/UserFileRewrite.h"
#include "core/UserFileSet.h"
#include "core/UserRecord.h"

namespace quorvel {
namespace {

constexpr int64_t kMaxOffset = 99999999;  // the 8-digit offset field

// One line of the user English index file, decoded, with its description still coded.
struct IndexLine {
  std::string text;
  uint32_t attach = 0;
  uint32_t own = 0;
  std::string description;
  bool readable = true;  // false when the recorded place lies outside the description file
  int lineNumber = 0;    // in the file read; 0 for a new line

  bool IsAddition() const { return attach == own; }
};

// One line of the user Greek index file, decoded.
struct GreekLine {
  std::string text;
  uint32_t own = 0;
};

// The user files as the operation changes them in memory.
struct UserFiles {
  std::vector<IndexLine> index;
  std::vector<GreekLine> greek;
  bool greekChanged = false;
};

Status LineError(const std::string& file, int line, const char* what) {
  return Status::Damaged(file + ": line " + std::to_string(line) + ": " + what);
}

// Reads and checks the three user files. Each line's description is taken from its recorded
// place, which is what the loaded index shows for it.
Status ParseUserFiles(const Locations& locations, const UserFileSet& set, UserFiles& files) {
  static const std::string kNone;
  const std::string& index = set.index ? *set.index : kNone;
  const std::string& descriptions = set.descriptions ? *set.descriptions : kNone;
  const std::string& greek = set.greek ? *set.greek : kNone;

  LineReader indexLines(index);
  for (int number = 1; !indexLines.AtEnd(); ++number) {
    IndexLine line;
    line.text = ShiftDecode(indexLines.Next());
    line.lineNumber = number;
    const UserIndexFields fields = UserIndexFieldsOf(line.text);
    const auto attach = EntryNumberField(fields.attach);
    const auto own = EntryNumberField(fields.own);
    const auto offset = ParseDecimal(fields.offset);
    const auto length = ParseDecimal(fields.length);
    if (line.text.size() < kUserIndexLineWidth || !attach || !own || !offset || !length) {
      return LineError(locations.UserIndexFile, number, "not a user index line");
    }
    line.attach = *attach;
    line.own = *own;
    if (*offset >= 1 && *offset - 1 <= descriptions.size() &&
        *length <= descriptions.size() - (*offset - 1)) {
      line.description = descriptions.substr(*offset - 1, *length);
    } else {
      line.readable = false;
    }
    files.index.push_back(std::move(line));
  }

  LineReader greekLines(greek);
  for (int number = 1; !greekLines.AtEnd(); ++number) {
    GreekLine line;
    line.text = ShiftDecode(greekLines.Next());
    const UserGreekFields fields = UserGreekFieldsOf(line.text);
    const auto attach = EntryNumberField(fields.attach);
    const auto own = EntryNumberField(fields.own);
    if (!attach || !own) return LineError(locations.UserGreekFile, number, "not a user Greek line");
    line.own = *own;
    files.greek.push_back(std::move(line));
  }
  return Status::Ok();
}

// The new file contents: every line's offset set to where its description now starts, so the
// offsets run contiguously from 1.
Status BuildContents(const Locations& locations, const UserFiles& files, UserFileContents& contents) {
  int64_t offset = 1;
  for (const IndexLine& line : files.index) {
    if (!line.readable) {
      return LineError(locations.UserIndexFile, line.lineNumber,
                       "its description lies outside the user description file");
    }
    if (offset > kMaxOffset) return Status::Refused("the user description file would be too large");
    std::string text = line.text;
    SetUserIndexOffset(text, static_cast<uint64_t>(offset));
    contents.index += ShiftEncode(text);
    contents.index += "\r\n";
    contents.descriptions += line.description;
    offset += static_cast<int64_t>(line.description.size());
  }
  if (files.greekChanged) {
    std::string greek;
    for (const GreekLine& line : files.greek) {
      greek += ShiftEncode(line.text);
      greek += "\r\n";
    }
    contents.greek = std::move(greek);
  }
  return Status::Ok();
}

// Bytes the shift coding cannot carry (control bytes, which a paste may bring, and 255) as spaces.
std::string Sanitized(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0xFF) c = ' ';
  }
  return out;
}

std::string StoredHeadword(std::string_view english) {
  return TrimRight(Trim(Sanitized(english)).substr(0, kUserHeadwordWidth));
}

// The Greek term as typed, not padded.
std::string StoredTerm(std::string_view greek) { return Sanitized(greek).substr(0, kUserTermWidth); }

// A new index line; its offset is set when the contents are built.
IndexLine NewIndexLine(uint32_t attach, uint32_t own, std::string_view headword, std::string plainDescription) {
  IndexLine line;
  line.attach = attach;
  line.own = own;
  line.description = ShiftEncode(plainDescription);
  line.text = FormatUserIndexLine(attach, own, headword, 0, line.description.size());
  return line;
}

// A description fragment longer than the reader's buffer could not be shown whole.
Status CheckDescriptionLength(const std::string& fragment) {
  if (fragment.size() > static_cast<size_t>(kDescriptionBufferSize)) {
    return Status::Error(StatusCode::kTooLong, "the description is too long to be stored (" +
                                                   std::to_string(fragment.size()) + " bytes stored, at most " +
                                                   std::to_string(kDescriptionBufferSize) + ")");
  }
  return Status::Ok();
}

// Byte-wise comparison of unsigned bytes.
bool KeyGreater(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                      [](char x, char y) {
                                        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                      });
}

// The loaded index as an insertion sees it: optionally without one user entry (its slot and its
// Greek terms), as the index would be after that entry was deleted and the index reloaded.
struct IndexView {
  const Dictionary& d;
  int removedSlot = 0;
  uint32_t removedNumber = 0;

  bool SkipsEnglish(int slot) const { return slot == removedSlot || d.EnglishIndex[slot].Number == 0; }
  bool SkipsGreek(int g) const {
    const uint16_t n = d.GreekIndex[g].Number;
    return n == 0 || (removedNumber != 0 && n == removedNumber);
  }
  bool IsUserTerm(int g) const {
    return d.EnglishIndex[d.GreekIndex[g].EnglishSlot].Origin == kOriginUser;
  }
  int EnglishCount() const { return d.englishCount - (removedSlot != 0 ? 1 : 0); }
  int GreekCount() const {
    int count = d.greekCount;
    for (int g = 1; removedNumber != 0 && g <= d.greekCount; ++g) {
      if (d.GreekIndex[g].Number == removedNumber) --count;
    }
    return count;
  }
};

// One above every number in use, in the index and in the user files.
uint32_t NextNumber(const IndexView& view, const UserFiles& files) {
  uint32_t largest = 0;
  for (int slot = 1; slot <= kLastSlot; ++slot) {
    if (!view.SkipsEnglish(slot)) largest = std::max<uint32_t>(largest, view.d.EnglishIndex[slot].Number);
  }
  for (const IndexLine& line : files.index) largest = std::max(largest, line.own);
  for (const GreekLine& line : files.greek) largest = std::max(largest, line.own);
  return largest + 1;
}

// The slot a new headword sorts after: walking down from the last entry while the entry's key
// is greater; the first entry when every key is. 0 when the index is empty.
int EnglishPredecessor(const IndexView& view, const std::string& key) {
  int slot = kLastSlot;
  while (slot >= 1 &&
         (view.SkipsEnglish(slot) || KeyGreater(EnglishSearchKey(view.d.EnglishIndex[slot].Headword, true), key))) {
    --slot;
  }
  if (slot >= 1) return slot;
  for (slot = 1; slot <= kLastSlot; ++slot) {
    if (!view.SkipsEnglish(slot)) return slot;
  }
  return 0;
}

// The attach number of a new Greek term: the Number of the published Greek line it sorts
// after (passing over user terms). 0 when there is none.
uint32_t GreekAttach(const IndexView& view, const std::string& gkey) {
  const Dictionary& d = view.d;
  int g = kLastSlot;
  while (g >= 1 && (view.SkipsGreek(g) ||
                    KeyGreater(GreekSearchKey(std::string_view(d.GreekIndex[g].Term).substr(0, kUserTermWidth), true),
                               gkey))) {
    --g;
  }
  if (g < 1) {
    g = 1;
    while (g <= kLastSlot && view.SkipsGreek(g)) ++g;
    if (g > kLastSlot) return 0;
  }
  while (g >= 1 && (view.SkipsGreek(g) || view.IsUserTerm(g))) --g;
  return g >= 1 ? d.GreekIndex[g].Number : 0;
}

// Adds a user entry to the files in memory, placed by the index `view`.
Status InsertInto(UserFiles& files, const IndexView& view, const NewEntryTexts& texts) {
  const std::string headword = StoredHeadword(texts.english);
  if (headword.empty()) return Status::Refused("the English headword is empty");
  const std::string fragment = StoredUserDescription(texts.description, UserTextForm::Entry);
  Status status = CheckDescriptionLength(fragment);
  if (!status.ok()) return status;
  if (view.EnglishCount() >= kLastSlot) {
    return Status::Refused("the index is full (" + std::to_string(kLastSlot) + " entries)");
  }
  const std::string term = StoredTerm(texts.greek);
  const bool hasTerm = !Trim(term).empty();  // a term of blanks would load as an empty one
  if (hasTerm && view.GreekCount() >= kLastSlot) {
    return Status::Refused("the Greek index is full (" + std::to_string(kLastSlot) + " terms)");
  }
  const uint32_t number = NextNumber(view, files);
  if (number > kMaxEntryNumber) {
    return Status::Refused("no entry number is left (numbers end at " + std::to_string(kMaxEntryNumber) + ")");
  }

  const int predecessor = EnglishPredecessor(view, EnglishSearchKey(headword, true));
  if (predecessor == 0) return Status::Refused("the index holds no entry to place the new one after");
  const TEnglishEntry& after = view.d.EnglishIndex[predecessor];
  if (after.Origin == kOriginUser) {
    // Right after the line of the user entry it sorts after, attached where that one is.
    const auto it = std::find_if(files.index.begin(), files.index.end(), [&](const IndexLine& l) {
      return !l.IsAddition() && l.own == after.Number;
    });
    if (it == files.index.end()) {
      return Status::Damaged("user entry " + std::to_string(after.Number) +
                           " is not in the user index file; the index is out of date");
    }
    const uint32_t attach = it->attach;
    files.index.insert(it + 1, NewIndexLine(attach, number, headword, fragment));
  } else {
    const auto it = std::find_if(files.index.begin(), files.index.end(),
                                 [&](const IndexLine& l) { return l.attach >= after.Number; });
    files.index.insert(it, NewIndexLine(after.Number, number, headword, fragment));
  }

  if (hasTerm) {
    const std::string gkey = GreekSearchKey(term, true);
    const uint32_t gattach = GreekAttach(view, gkey);
    // Without a published Greek line to follow, a term could never be loaded: none is written.
    if (gattach != 0) {
      const auto it = std::find_if(files.greek.begin(), files.greek.end(), [&](const GreekLine& l) {
        return KeyGreater(GreekSearchKey(UserGreekFieldsOf(l.text).term, true), gkey);
      });
      files.greek.insert(it, GreekLine{FormatUserGreekLine(gattach, number, term), number});
      files.greekChanged = true;
    }
  }
  return Status::Ok();
}

// Drops the line of user entry `number` and its Greek lines.
Status RemoveEntry(UserFiles& files, uint32_t number) {
  const auto it = std::find_if(files.index.begin(), files.index.end(), [&](const IndexLine& l) {
    return !l.IsAddition() && l.own == number;
  });
  if (it == files.index.end()) {
    return Status::NotFound("user entry " + std::to_string(number) + " is not in the user index file");
  }
  files.index.erase(it);
  const size_t before = files.greek.size();
  std::erase_if(files.greek, [&](const GreekLine& l) { return l.own == number; });
  if (files.greek.size() != before) files.greekChanged = true;
  return Status::Ok();
}

Status ReplaceAddition(UserFiles& files, uint32_t number, const std::string& text) {
  const auto it = std::find_if(files.index.begin(), files.index.end(), [&](const IndexLine& l) {
    return l.IsAddition() && l.own == number;
  });
  if (it == files.index.end()) {
    return Status::NotFound("entry " + std::to_string(number) + " has no addition in the user index file");
  }
  if (text.empty()) {
    files.index.erase(it);
    return Status::Ok();
  }
  const std::string fragment = StoredUserDescription(text, UserTextForm::Addition);
  Status status = CheckDescriptionLength(fragment);
  if (!status.ok()) return status;
  it->description = ShiftEncode(fragment);
  it->readable = true;
  SetUserIndexLength(it->text, it->description.size());
  return Status::Ok();
}

Status AddAddition(UserFiles& files, uint32_t number, const std::string& text) {
  const bool present = std::any_of(files.index.begin(), files.index.end(), [&](const IndexLine& l) {
    return l.IsAddition() && l.own == number;
  });
  if (present) return Status::Damaged("entry " + std::to_string(number) + " already has an addition");
  const std::string fragment = StoredUserDescription(text, UserTextForm::Addition);
  Status status = CheckDescriptionLength(fragment);
  if (!status.ok()) return status;
  const auto it = std::find_if(files.index.begin(), files.index.end(),
                               [&](const IndexLine& l) { return l.attach >= number; });
  files.index.insert(it, NewIndexLine(number, number, "", fragment));
  return Status::Ok();
}

// The files as one rewrite sees them: locked for its whole read-modify-write, made whole, read,
// and the index that places the change: the caller's when it was loaded from these very files,
// else one loaded afresh from them (another program has committed since the caller's load).
class Rewrite {
 public:
  Rewrite(const Dictionary& loaded, const Locations& l, FileSystem& f)
      : loaded_(loaded), locations_(l), fs_(f) {}

  Status Begin() {
    if (!locations_.HasUserFolder()) return Status::Refused("no user-entry folder is known");
    Status status = LockUserFiles(locations_, fs_, lock_);
    if (status.ok()) status = RecoverUserFiles(locations_, fs_).status;
    UserFileSet set;
    if (status.ok()) status = ReadUserFileSet(locations_, fs_, set);
    if (status.ok()) status = ParseUserFiles(locations_, set, files);
    if (!status.ok()) return status;
    index_ = &loaded_;
    if (GenerationOf(set) != loaded_.userGeneration) {
      fresh_ = std::make_unique<Dictionary>();
      const LoadReport report = LoadEntryIndexFrom(*fresh_, locations_, fs_, set);
      if (!report.userLines.ok()) return report.userLines;
      index_ = fresh_.get();
    }
    // An index without its published Greek terms, say, would place a new term nowhere.
    if (!index_->publishedRead.ok()) {
      return Status::Error(index_->publishedRead.code(),
                           "the published index cannot be read: " + index_->publishedRead.message());
    }
    return Status::Ok();
  }

  // The index the change is placed by. REQUIRES: Begin() gave Ok.
  const Dictionary& index() const { return *index_; }

  Status Commit() {
    UserFileContents contents;
    Status status = BuildContents(locations_, files, contents);
    if (!status.ok()) return status;
    return CommitUserFiles(locations_, fs_, contents);
  }

  UserFiles files;

 private:
  const Dictionary& loaded_;
  const Locations& locations_;
  FileSystem& fs_;
  std::unique_ptr<FileLock> lock_;
  std::unique_ptr<Dictionary> fresh_;
  const Dictionary* index_ = nullptr;
};

// The slot of the line with published ordinal `ordinal` (1-based); 0 when there is none.
int SlotOfPublishedOrdinal(const Dictionary& d, int ordinal) {
  int seen = 0;
  for (int slot = 1; slot <= d.englishCount; ++slot) {
    if (d.EnglishIndex[slot].Origin != kOriginUser && ++seen == ordinal) return slot;
  }
  return 0;
}

bool Identifies(const Dictionary& d, int slot, const EntryRef& target) {
  if (slot < 1 || slot > d.englishCount) return false;
  const TEnglishEntry& e = d.EnglishIndex[slot];
  return e.Number == target.number && e.Headword == target.headword;
}

// The slot of the entry `target` in `index`. Changed when the entry is gone, or when a
// published entry's origin is no longer the one the user saw (its addition was added or
// removed).
Status FindTarget(const Dictionary& index, const EntryRef& target, int& slot) {
  if (target.number == 0) return Status::NotFound("no entry was chosen");
  slot = SlotOfEntry(index, target);
  if (slot == 0) {
    return Status::Error(StatusCode::kChanged,
                         "entry " + std::to_string(target.number) + " was deleted or changed by another program");
  }
  if (index.EnglishIndex[slot].Origin != target.origin) {
    slot = 0;
    return Status::Error(StatusCode::kChanged, "the addition of entry " + std::to_string(target.number) +
                                                   " was changed by another program");
  }
  return Status::Ok();
}

}  // namespace

std::string StoredUserDescription(std::string_view text, UserTextForm form) {
  if (form == UserTextForm::Entry && text.empty()) return {};
  std::string out = form == UserTextForm::Entry ? "{" : "{\\f60\\fs22 ";
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += " \\par ";
      ++i;
      continue;
    }
    AppendRtfEscape(out, static_cast<unsigned char>(text[i]), HexCase::kUpper);
  }
  out += '}';
  return out;
}

int SlotOfEntry(const Dictionary& d, const EntryRef& ref) {
  if (ref.number == 0) return 0;
  if (ref.generation == d.userGeneration && Identifies(d, ref.slot, ref)) return ref.slot;
  if (ref.origin != kOriginUser) {
    const int slot = SlotOfPublishedOrdinal(d, ref.publishedOrdinal);
    return Identifies(d, slot, ref) ? slot : 0;
  }
  for (int slot = 1; slot <= d.englishCount; ++slot) {
    if (d.EnglishIndex[slot].Origin == kOriginUser && Identifies(d, slot, ref)) return slot;
  }
  return 0;
}

EntryRef EntryRefAt(const Dictionary& d, int slot) {
  EntryRef ref;
  if (slot < 1 || slot > d.englishCount) return ref;
  const TEnglishEntry& e = d.EnglishIndex[slot];
  ref.slot = slot;
  ref.generation = d.userGeneration;
  ref.origin = e.Origin;
  ref.number = e.Number;
  ref.headword = e.Headword;
  if (e.Origin != kOriginUser) {
    for (int s = 1; s <= slot; ++s) {
      if (d.EnglishIndex[s].Origin != kOriginUser) ++ref.publishedOrdinal;
    }
  }
  return ref;
}

Status InsertUserEntry(const Dictionary& loaded, const Locations& locations, FileSystem& fs, const NewEntryTexts& texts) {
  Rewrite rewrite{loaded, locations, fs};
  Status status = rewrite.Begin();
  if (status.ok()) status = InsertInto(rewrite.files, IndexView{rewrite.index()}, texts);
  if (status.ok()) status = rewrite.Commit();
  return status;
}

Status ModifyUserEntry(const Dictionary& loaded, const Locations& locations, FileSystem& fs, const EntryRef& target, const EditedEntryTexts& texts) {
  if (texts.english.empty()) return Status::Refused("the English headword is empty");
  if (target.number == 0) return Status::NotFound("no entry was chosen");
  if (texts.origin != target.origin) {
    return Status::Refused(std::string("the entry's origin is '") + target.origin + "', not '" + texts.origin + "'");
  }
  Rewrite rewrite{loaded, locations, fs};
  Status status = rewrite.Begin();
  int slot = 0;
  if (status.ok()) status = FindTarget(rewrite.index(), target, slot);
  if (!status.ok()) return status;
  const Dictionary& index = rewrite.index();
  const TEnglishEntry& entry = index.EnglishIndex[slot];
  UserFiles& files = rewrite.files;
  switch (entry.Origin) {
    case kOriginUser:
      status = RemoveEntry(files, entry.Number);
      if (status.ok()) {
        const IndexView view{index, slot, entry.Number};
        status = InsertInto(files, view, {texts.english, texts.greek, texts.description});
      }
      break;
    case kOriginAddition:
      status = ReplaceAddition(files, entry.Number, texts.description);
      break;
    case kOriginPublished:
      status = AddAddition(files, entry.Number, texts.description);
      break;
    default:
      return Status::Refused("the selected entry cannot be modified");
  }
  if (status.ok()) status = rewrite.Commit();
  return status;
}

Status DeleteUserEntry(const Dictionary& loaded, const Locations& locations, FileSystem& fs, const EntryRef& target) {
  if (target.number != 0 && target.origin != kOriginUser) return Status::Refused("only user entries can be deleted");
  Rewrite rewrite{loaded, locations, fs};
  Status status = rewrite.Begin();
  int slot = 0;
  if (status.ok()) status = FindTarget(rewrite.index(), target, slot);
  if (status.ok()) status = RemoveEntry(rewrite.files, rewrite.index().EnglishIndex[slot].Number);
  if (status.ok()) status = rewrite.Commit();
  return status;
}

void RemoveDeletedEntry(std::vector<ListItem>& items, int slot) {
  std::vector<ListItem> kept;
  kept.reserve(items.size());
  for (ListItem& item : items) {
    if (item.slot == slot) continue;
    if (item.slot > slot) --item.slot;
    kept.push_back(std::move(item));
  }
  items = std::move(kept);
}

}  // namespace quorvel

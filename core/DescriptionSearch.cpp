#include "core/DescriptionSearch.h"

#include "core/Codec.h"
#include "core/DescriptionFile.h"
#include "core/LineReader.h"
#include "core/Paths.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"

namespace quorvel {
namespace {

// The decoded bytes of one description inside a whole description file (up to the first zero
// byte, at most kDescriptionBufferSize); false when they lie outside the file.
bool Slice(std::string_view file, int64_t position, int64_t length, DescriptionCoding coding,
           std::string& out) {
  if (position < 0 || length < 0) return false;
  const int64_t count = std::min<int64_t>(length, kDescriptionBufferSize);
  if (position + count > static_cast<int64_t>(file.size())) return false;
  const std::string_view bytes = file.substr(static_cast<size_t>(position), static_cast<size_t>(count));
  out = coding == DescriptionCoding::Position ? PositionDecode(position + 1, bytes) : ShiftDecode(bytes);
  return true;
}

}  // namespace

bool DescriptionSearchDocument(const Dictionary& d, const Locations& locations, int slot,
                               std::string_view rtfHeader, std::string_view publishedFile,
                               const std::optional<std::string>& userFile, std::string& document) {
  const bool user = d.EnglishIndex[slot].Origin == kOriginUser;
  std::string body;
  std::string part;
  DescriptionPlace place;
  if (EntryDescriptionPlace(d, locations, slot, place) && (!user || userFile)) {
    if (!Slice(user ? std::string_view(*userFile) : publishedFile, place.position, place.length,
               user ? DescriptionCoding::Shift : DescriptionCoding::Position, part)) {
      return false;
    }
    body = part + " ";
    if (userFile && EntryAdditionPlace(d, locations, slot, place) &&
        Slice(*userFile, place.position, place.length, DescriptionCoding::Shift, part)) {
      body += part + " ";
    }
  }
  document.assign(rtfHeader).append("\r\n").append(body).append("}\r\n");
  return true;
}

void DescriptionSearch::Drop() {
  generation_ = 0;
  preparedUpTo_ = 0;
  english_.clear();
  greek_.clear();
  english_.shrink_to_fit();
  greek_.shrink_to_fit();
}

size_t DescriptionSearch::KeptBytes() const {
  size_t bytes = (english_.capacity() + greek_.capacity()) * sizeof(std::string);
  for (const std::string& text : english_) bytes += text.capacity() > 15 ? text.capacity() + 1 : 0;
  for (const std::string& text : greek_) bytes += text.capacity() > 15 ? text.capacity() + 1 : 0;
  return bytes;
}

Status DescriptionSearch::Prepare(const Dictionary& d, const Locations& locations, std::string_view rtfHeader) {
  if (generation_ == d.generation && generation_ != 0) return Status::Ok();
  Drop();
  const std::string file = locations.DescriptionFile();
  const auto published = ReadWholeFile(file);
  if (!published) return Status::IoError(file + ": cannot be read");
  std::optional<std::string> user;
  if (!locations.UserDescrFile.empty()) user = ReadWholeFile(locations.UserDescrFile);

  english_.assign(static_cast<size_t>(d.englishCount) + 1, std::string());
  greek_.assign(static_cast<size_t>(d.englishCount) + 1, std::string());
  std::string document;
  Status status = Status::Ok();
  int slot = 1;
  for (; slot <= d.englishCount; ++slot) {
    if (!DescriptionSearchDocument(d, locations, slot, rtfHeader, *published, user, document)) {
      status = Status::IoError(file + ": the description of slot " + std::to_string(slot) + " cannot be read");
      break;
    }
    const auto plain = converter_(document);
    if (!plain) continue;
    english_[static_cast<size_t>(slot)] = EnglishSearchKey(*plain, false);
    greek_[static_cast<size_t>(slot)] = GreekSearchKey(*plain, false);
  }
  preparedUpTo_ = slot - 1;
  generation_ = d.generation;
  return status;
}

Status DescriptionSearch::Search(const Dictionary& d, const Locations& locations, std::string_view rtfHeader,
                                 std::string_view word, EntryList& list) {
  list = EntryList();
  const std::string trimmed = TrimLeft(word);
  list.searchText = trimmed;
  if (!FileExists(locations.DescriptionFile())) {
    return Status::IoError(locations.DescriptionFile() + ": cannot be read");
  }
  const bool greek = !trimmed.empty() && IsGreekInitial(static_cast<unsigned char>(trimmed[0]));
  if (!trimmed.empty()) list.greek = greek;

  const Status prepared = Prepare(d, locations, rtfHeader);
  const std::string key = greek ? FoldGreekText(trimmed) : AsciiLower(trimmed);
  const std::vector<std::string>& texts = greek ? greek_ : english_;
  for (int slot = 1; slot <= preparedUpTo_ && static_cast<int>(list.items.size()) < kMaxDescriptionHits; ++slot) {
    if (!ContainsWholeWord(texts[static_cast<size_t>(slot)], key)) continue;
    const TEnglishEntry& e = d.EnglishIndex[slot];
    list.items.push_back({ListText(e.Headword, e.Origin), slot});
  }
  return prepared;
}

}  // namespace quorvel

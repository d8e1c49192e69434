#include "core/ListSearch.h"

#include <algorithm>

#include "core/SearchKey.h"
#include "core/TextOps.h"

namespace quorvel {

std::optional<SearchMode> ParseSearchMode(std::string_view text) {
  if (text == "START") return SearchMode::Start;
  if (text == "CONTAIN") return SearchMode::Contain;
  if (text == "END") return SearchMode::End;
  if (text == "SPECIFIC") return SearchMode::Specific;
  if (text == "MULTI") return SearchMode::Multi;
  return std::nullopt;
}

namespace {

// Candidate c contains key k by the marker test: the first occurrence of k replaced by "@"
// leaves a text that holds "@". An empty key is never found.
bool MarkerTest(std::string_view candidate, std::string_view key) {
  if (key.empty()) return false;
  return candidate.find(key) != std::string_view::npos || candidate.find('@') != std::string_view::npos;
}

bool EndsWith(std::string_view candidate, std::string_view key) {
  return candidate.size() >= key.size() && candidate.substr(candidate.size() - key.size()) == key;
}

bool StartsWith(std::string_view candidate, std::string_view key) {
  return candidate.size() >= key.size() && candidate.substr(0, key.size()) == key;
}

bool IsUserOrAddition(char origin) { return origin == kOriginUser || origin == kOriginAddition; }

// Appends the items of one scan, stopping at kMaxListItems.
class ListFiller {
 public:
  ListFiller(const Dictionary& d, EntryList& list, bool userOnly) : d_(d), list_(list), userOnly_(userOnly) {}

  bool Full() const { return count() >= kMaxListItems; }
  int count() const { return static_cast<int>(list_.items.size()); }

  void AddEnglish(int slot) {
    const TEnglishEntry& e = d_.EnglishIndex[slot];
    if (userOnly_ && !IsUserOrAddition(e.Origin)) return;
    list_.items.push_back({ListText(e.Headword, e.Origin), slot});
  }

  void AddGreek(int greekSlot) {
    const TGreekEntry& g = d_.GreekIndex[greekSlot];
    const TEnglishEntry& e = d_.EnglishIndex[g.EnglishSlot];
    if (userOnly_ && !IsUserOrAddition(e.Origin)) return;
    list_.items.push_back({ListText(g.Term, e.Origin), g.EnglishSlot});
  }

 private:
  const Dictionary& d_;
  EntryList& list_;
  bool userOnly_;
};

// No candidate is longer than a headword can be (terms are shorter still): a prefix longer than
// that matches nothing, so a long pasted text starts there instead of at its own length.
constexpr size_t kLongestCandidate = kMaxHeadwordLength;
static_assert(kMaxTermLength <= kMaxHeadwordLength);

int EnglishStartSlot(const Dictionary& d, char first) {
  return first >= 'a' && first <= 'z' ? d.englishFirstSlot[static_cast<size_t>(first - 'a')] : 1;
}

int GreekStartSlot(const Dictionary& d, char first) {
  const auto c = static_cast<unsigned char>(first);
  return c >= 0xE1 && c <= 0xF9 ? d.greekFirstSlot[c - 0xE1] : 1;
}

// The Start, Contain and End searches of one language, the same but for the candidates they
// read: `start` from the entry's KeyStart for a prefix, `whole` otherwise. A prefix search begins
// at `startSlot(initial)` and shortens the key until something matches.
template <typename StartCandidates, typename Candidates, typename StartSlot, typename Add>
void SearchCandidates(SearchMode mode, const std::string& key, int end, const StartCandidates& start,
                      const Candidates& whole, StartSlot startSlot, ListFiller& list, Add add) {
  switch (mode) {
    case SearchMode::Start:
      for (size_t length = std::min(key.size(), kLongestCandidate); length > 0 && list.count() == 0; --length) {
        const std::string_view prefix = std::string_view(key).substr(0, length);
        for (int slot = startSlot(key[0]); slot <= end && !list.Full(); ++slot) {
          if (StartsWith(start[slot], prefix)) add(slot);
        }
      }
      break;
    case SearchMode::Contain:
      for (int slot = 1; slot <= end && !list.Full(); ++slot) {
        if (MarkerTest(whole[slot], key)) add(slot);
      }
      break;
    case SearchMode::End:
      for (int slot = 1; slot <= end && !list.Full(); ++slot) {
        if (EndsWith(whole[slot], key)) add(slot);
      }
      break;
    default:
      break;
  }
}

void SearchEnglish(const Dictionary& d, ListFiller& list, SearchMode mode, const std::string& text) {
  SearchCandidates(mode, AsciiLower(text), d.englishCount, d.englishStartCandidate, d.englishCandidate,
                   [&d](char first) { return EnglishStartSlot(d, first); }, list,
                   [&list](int slot) { list.AddEnglish(slot); });
}

void SearchGreek(const Dictionary& d, ListFiller& list, SearchMode mode, const std::string& text) {
  SearchCandidates(mode, GreekSearchKey(text, true), d.greekCount, d.greekStartCandidate, d.greekKey,
                   [&d](char first) { return GreekStartSlot(d, first); }, list,
                   [&list](int slot) { list.AddGreek(slot); });
}

EntryList ListSpecific(const Dictionary& d, int slot, bool greek) {
  EntryList list;
  if (slot < 0 || slot >= kIndexSlots) return list;
  const TEnglishEntry& e = d.EnglishIndex[slot];
  const std::string text = greek ? d.GreekIndex[e.GreekSlot].Term : e.Headword;
  list.searchText = text;
  list.items.push_back({ListText(text, e.Origin), slot});
  list.selected = 0;
  return list;
}

void ListMulti(const Dictionary& d, EntryList& result, const SearchCriteria& c) {
  const std::string* first = !c.start.empty() ? &c.start : !c.contain.empty() ? &c.contain
                             : !c.end.empty() ? &c.end : nullptr;
  if (!first) return;
  const bool greek = IsGreekInitial(static_cast<unsigned char>((*first)[0]));
  result.greek = greek;
  ListFiller list(d, result, false);
  if (greek) {
    for (int slot = 1; slot <= d.greekCount && !list.Full(); ++slot) {
      const std::string& k = d.greekKey[slot];
      if (!c.start.empty() && !StartsWith(d.greekStartCandidate[slot], c.start)) continue;
      if (!c.contain.empty() && !MarkerTest(k, c.contain)) continue;
      if (!c.end.empty() && !EndsWith(k, c.end)) continue;
      list.AddGreek(slot);
    }
  } else {
    for (int slot = 1; slot <= d.englishCount && !list.Full(); ++slot) {
      const std::string& h = d.englishCandidate[slot];
      if (!c.start.empty() && !StartsWith(d.englishStartCandidate[slot], c.start)) continue;
      if (!c.contain.empty() && !MarkerTest(h, c.contain)) continue;
      if (!c.end.empty() && !EndsWith(h, c.end)) continue;
      list.AddEnglish(slot);
    }
  }
}

void ListUserEntries(const Dictionary& d, ListFiller& list, bool greek) {
  if (greek) {
    for (int slot = 1; slot <= d.greekCount && !list.Full(); ++slot) list.AddGreek(slot);
  } else {
    for (int slot = 1; slot <= d.englishCount && !list.Full(); ++slot) list.AddEnglish(slot);
  }
}

}  // namespace

EntryList FillEntryList(const Dictionary& d, const SearchRequest& request) {
  const std::string text = TrimLeft(request.text);
  EntryList result;
  if (!text.empty()) {
    if (request.mode == SearchMode::Specific) {
      result = ListSpecific(d, request.slot, request.greek);
    } else {
      ListFiller list(d, result, request.userOnly);
      if (request.greek) {
        SearchGreek(d, list, request.mode, text);
      } else {
        SearchEnglish(d, list, request.mode, text);
      }
    }
  } else if (request.userOnly) {
    ListFiller list(d, result, true);
    ListUserEntries(d, list, request.greek);
  } else if (request.mode == SearchMode::Multi) {
    ListMulti(d, result, request.criteria);
  }
  if (!result.searchText && text != request.text) result.searchText = text;
  return result;
}

EntryList ListAllEntries(const Dictionary& d) {
  EntryList result;
  for (int slot = 1; slot <= d.englishCount && slot <= kMaxListItems; ++slot) {
    result.items.push_back({d.EnglishIndex[slot].Headword, slot});
  }
  return result;
}

bool TypedTextNamesEntry(const Dictionary& d, std::string_view typed, bool greek, int slot) {
  if (slot < 1 || slot >= kIndexSlots) return false;
  const TEnglishEntry& e = d.EnglishIndex[slot];
  if (!greek) return SystemLower(Trim(typed)) == SystemLower(EnglishSearchKey(e.Headword, true));
  return FoldGreekText(Trim(GreekSearchKey(typed, true))) == GreekSearchKey(d.GreekIndex[e.GreekSlot].Term, true);
}

}  // namespace quorvel

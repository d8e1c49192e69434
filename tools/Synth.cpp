#include "tools/Synth.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "core/Codec.h"
#include "core/Cp1253.h"
#include "core/DescriptionFile.h"
#include "core/EntryIndex.h"
#include "core/Paths.h"
#include "core/RtfEscape.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "core/UserRecord.h"

namespace quorvel::tools {
namespace {

// splitmix64: the same sequence on every platform, unlike the standard distributions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 <= result < n. REQUIRES: n > 0.
  int Below(int n) { return static_cast<int>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Percent(int percent) { return Below(100) < percent; }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }
  // An index chosen by weights.
  template <size_t N>
  int Weighted(const int (&weights)[N]) {
    int total = 0;
    for (int w : weights) total += w;
    int x = Below(total);
    for (size_t i = 0; i < N; ++i) {
      if (x < weights[i]) return static_cast<int>(i);
      x -= weights[i];
    }
    return static_cast<int>(N) - 1;
  }

 private:
  uint64_t state_;
};

constexpr std::string_view kNauticalWords[] = {
    "aft", "anchor", "auxiliary", "ballast", "beam", "berth", "bilge", "block", "boat", "boiler",
    "bollard", "bottom", "bow", "bracket", "breakwater", "bridge", "bulkhead", "buoy", "cabin",
    "cable", "capstan", "cargo", "chain", "chart", "chock", "cleat", "coaming", "collision",
    "compass", "condenser", "crane", "crew", "current", "davit", "deck", "derrick", "double",
    "draught", "dredger", "engine", "fairlead", "fender", "fire", "flag", "fore", "frame",
    "freeboard", "fuel", "galley", "gangway", "gear", "girder", "hatch", "hawse", "hawser", "heel",
    "helm", "hold", "hull", "inboard", "jetty", "keel", "knot", "ladder", "lashing", "launch",
    "lee", "lifeboat", "lighthouse", "line", "list", "load", "log", "lower", "main", "manifest",
    "mast", "mooring", "navigation", "oar", "outboard", "pilot", "pipe", "pitch", "plate", "port",
    "propeller", "pump", "quarter", "quay", "radar", "rail", "reef", "rigging", "roll", "rope",
    "rudder", "sail", "salvage", "sea", "shackle", "shaft", "sheave", "shell", "ship", "signal",
    "sounding", "spar", "stability", "starboard", "steam", "steering", "stern", "stow", "strake",
    "tackle", "tank", "tide", "tonnage", "towing", "trim", "tug", "upper", "valve", "vessel",
    "voyage", "watch", "water", "wave", "weather", "winch", "windlass", "wire", "yard", "yaw",
    "zinc", "zone",
};

constexpr std::string_view kOnsets[] = {
    "b", "br", "c", "ch", "cl", "d", "dr", "f", "fl", "g", "gr", "h", "j", "k", "l", "m", "n",
    "p", "pl", "qu", "r", "s", "sh", "st", "t", "tr", "v", "w", "wh", "x", "y", "z",
};
constexpr std::string_view kVowels[] = {"a", "e", "i", "o", "u", "ai", "ea", "oo", "ou", "y"};
constexpr std::string_view kCodas[] = {"", "", "", "n", "r", "l", "s", "t", "ck", "ng", "rd", "st", "m", "x"};

// Greek words in UTF-8 (converted to code page 1253 when a term is finished).
constexpr std::string_view kGreekWords[] = {
    "άγκυρα", "έρμα", "δοκός", "πρόσδεση", "σεντίνα", "δέστρα", "πλώρη", "φρακτή", "σημαντήρας",
    "καμπίνα", "εργάτης", "φορτίο", "χάρτης", "πυξίδα", "γερανός", "κατάστρωμα", "βύθισμα",
    "ύφαλα", "κύτος", "τιμόνι", "σκάφος", "τρόπιδα", "κόμβος", "κλίμακα", "ιστός", "πλοηγός",
    "λιμάνι", "έλικα", "αποβάθρα", "πηδάλιο", "ιστίο", "άξονας", "πρύμνη", "δεξαμενή",
    "παλίρροια", "ρυμουλκό", "βαλβίδα", "πλοίο", "βαρούλκο", "ξάρτια", "ψήκτρα", "ζυγός",
    "ηλεκτρογεννήτρια", "θάλαμος", "ναυτικός", "ωκεανός", "υδατοστεγής", "φανός", "χαλύβδινος",
    "ψυγείο", "ωστική", "μηχανή", "λέμβος", "σωσίβιο", "αντλία", "καύσιμο", "σωλήνας", "ξηρά",
    "εφεδρικός", "κύριος", "πρωραίος", "πρυμναίος", "άνω", "κάτω", "διπλός", "εσωτερικός",
};
// Consonants and vowels of synthetic Greek words; the accented vowel is at the same index.
constexpr std::string_view kGreekConsonants[] = {
    "β", "γ", "δ", "ζ", "θ", "κ", "λ", "μ", "ν", "ξ", "π", "ρ", "σ", "τ", "φ", "χ", "ψ",
    "στ", "σκ", "τρ", "κλ", "πλ", "γρ", "μπ", "ντ",
};
constexpr std::string_view kGreekVowels[] = {"α", "ε", "η", "ι", "ο", "υ", "ω", "αι", "ει", "οι", "ου"};
constexpr std::string_view kGreekAccented[] = {"ά", "έ", "ή", "ί", "ό", "ύ", "ώ", "αί", "εί", "οί", "ού"};
constexpr std::string_view kGreekEndings[] = {"ς", "ς", "ς", "", "", "ν"};

std::string SyllableWord(Random& r) {
  std::string word;
  const int syllables = r.Weighted({35, 45, 20}) + 1;
  for (int s = 0; s < syllables; ++s) {
    if (s > 0 || r.Percent(80)) word += r.Pick(kOnsets);
    word += r.Pick(kVowels);
    word += r.Pick(kCodas);
  }
  return word;
}

std::string EnglishWord(Random& r) {
  return r.Percent(65) ? std::string(r.Pick(kNauticalWords)) : SyllableWord(r);
}

struct Headword {
  std::string text;
  int keyStart = 1;
};

// 1-6 words, with the shapes a dictionary of terms has: "a (b)", "a-b", "a, b", "to a".
Headword EnglishHeadword(Random& r, size_t maxLength) {
  Headword h;
  const int count = r.Weighted({28, 32, 20, 10, 6, 4}) + 1;
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i) words.push_back(EnglishWord(r));
  const int shape = r.Below(1000);
  if (shape < 40 && count >= 2) {
    words.back() = "(" + words.back() + ")";
  } else if (shape < 80 && count >= 2) {
    words[0] += "-" + words[1];
    words.erase(words.begin() + 1);
  } else if (shape < 110 && count >= 2) {
    words[0] += ",";
  } else if (shape < 125) {
    words.insert(words.begin(), "to");
    h.keyStart = 4;
  }
  for (const std::string& w : words) {
    if (!h.text.empty()) h.text += ' ';
    h.text += w;
  }
  if (r.Percent(4) && h.text[0] >= 'a' && h.text[0] <= 'z') h.text[0] = static_cast<char>(h.text[0] - 'a' + 'A');
  if (h.text.size() > maxLength) h.text.resize(maxLength);
  h.text = TrimRight(h.text);
  return h;
}

// A synthetic Greek word in UTF-8, accented on one syllable.
std::string SyntheticGreekWord(Random& r) {
  const int syllables = r.Between(2, 4);
  const int accent = r.Below(syllables);
  std::string word;
  for (int s = 0; s < syllables; ++s) {
    if (s > 0 || r.Percent(75)) word += r.Pick(kGreekConsonants);
    const int vowel = r.Below(static_cast<int>(std::size(kGreekVowels)));
    word += s == accent ? kGreekAccented[vowel] : kGreekVowels[vowel];
  }
  word += r.Pick(kGreekEndings);
  return word;
}

// A Greek term of 1-3 words in code page 1253; now and then a capital initial.
std::string GreekTerm(Random& r) {
  const int count = r.Weighted({55, 35, 10}) + 1;
  std::string utf8;
  for (int i = 0; i < count; ++i) {
    if (i > 0) utf8 += ' ';
    utf8 += r.Percent(60) ? std::string(r.Pick(kGreekWords)) : SyntheticGreekWord(r);
  }
  std::string term = Utf8ToCp1253(utf8);
  const auto first = static_cast<unsigned char>(term[0]);
  if (first >= 0xE1 && first <= 0xF9 && first != 0xF2 && r.Percent(3)) {
    term[0] = static_cast<char>(first - 0x20);  // the capital of a small letter α-ω
  }
  return term;
}

// RTF body text of code page 1253 words: Greek letters as escapes, the rest as it stands.
void AppendRtfText(std::string& out, std::string_view text) {
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80) {
      AppendRtfEscape(out, c, HexCase::kLower);
    } else {
      if (ch == '\\' || ch == '{' || ch == '}') out += '\\';
      out += ch;
    }
  }
}

// A published description: an RTF body fragment of `target` bytes or a few more (at most one
// word's worth), a balanced group.
std::string PublishedDescription(Random& r, int target) {
  std::string d = "{\\f0\\fs20 ";
  d.reserve(static_cast<size_t>(target) + 80);
  int sentenceWords = 0;
  bool sentenceStart = true;
  while (static_cast<int>(d.size()) < target) {
    std::string word;
    const int kind = r.Below(100);
    if (kind < 20) {
      AppendRtfText(word, GreekTerm(r));
    } else {
      word = EnglishWord(r);
      if (sentenceStart && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
    }
    const int style = r.Below(100);
    if (style < 5) word = "{\\b " + word + "}";
    else if (style < 10) word = "{\\i " + word + "}";
    d += word;
    sentenceStart = false;
    if (++sentenceWords >= 5 && r.Percent(15)) {
      d += r.Percent(20) ? ". \\par " : ". ";
      sentenceWords = 0;
      sentenceStart = true;
    } else {
      d += r.Percent(8) ? ", " : " ";
    }
  }
  d += "}";
  return d;
}

// What a user types into the editor: words of both languages, some line breaks (CR LF).
std::string TypedText(Random& r, int target) {
  std::string text;
  while (static_cast<int>(text.size()) < target) {
    if (!text.empty()) text += r.Percent(10) ? "\r\n" : " ";
    text += r.Percent(30) ? GreekTerm(r) : EnglishWord(r);
  }
  return text;
}

// The stored form of a user text: every byte as an upper-case escape, line breaks as " \par ",
// enclosed as an entry's description or as an addition.
std::string StoredUserText(std::string_view typed, bool addition) {
  std::string escapes;
  for (char ch : typed) AppendRtfEscape(escapes, static_cast<unsigned char>(ch), HexCase::kUpper);
  std::string joined;
  for (size_t at = 0; at < escapes.size();) {
    if (escapes.compare(at, 8, "\\'0D\\'0A") == 0) {
      joined += " \\par ";
      at += 8;
    } else {
      joined += escapes[at++];
    }
  }
  return (addition ? "{\\f60\\fs22 " : "{") + joined + "}";
}

std::string PadRight(std::string_view text, size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

// The header block's text, opened by the "{" that every document puts in front of it.
constexpr std::string_view kHeaderText =
    "\\rtf1\\ansi\\ansicpg1253\\deff0\\deflang1032"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset161 Times New Roman Greek;}"
    "{\\f1\\fswiss\\fprq2\\fcharset161 Arial Greek;}"
    "{\\f60\\fnil\\fprq2\\fcharset161 Tahoma;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;}"
    "\\viewkind4\\uc1\\pard\\plain\\f0\\fs20 ";
static_assert(kHeaderText.size() < kHeaderBlockSize);

struct PublishedEntry {
  Headword headword;
  std::string key;
  std::string longTranslation;
  int64_t offset = 0;  // of the description, 0-based in the description file
  int64_t length = 0;
};

struct GreekLine {
  int first = 0;
  int second = 0;
  std::string term;
  std::string key;
};

struct UserLine {
  int attach = 0;
  int own = 0;
  std::string headword;  // empty for an addition
  std::string key;
  std::string stored;    // the stored description
};

struct UserGreekLine {
  int attach = 0;
  int own = 0;
  std::string term;
  std::string key;
};

class Synthesiser {
 public:
  explicit Synthesiser(const SynthOptions& options) : options_(options), r_(options.seed) {}

  void Build() {
    BuildEntries();
    BuildDescriptions();
    BuildGreek();
    BuildUser();
  }

  // The files' contents, coded.
  std::string DescriptionFile() const;
  std::string EnglishIndexFile() const;
  std::string GreekIndexFile() const;
  std::string UserIndexFile() const;
  std::string UserDescrFile() const;
  std::string UserGreekFile() const;

 private:
  void BuildEntries();
  void BuildDescriptions();
  void BuildGreek();
  void BuildUser();

  const SynthOptions& options_;
  Random r_;
  std::vector<PublishedEntry> entries_;  // in file order; number = index + 1
  std::string descriptions_;  // plain: CR LF after the header block, each description + CR LF
  std::vector<std::string> englishKeys_;  // sorted, parallel to entries_
  std::unordered_set<std::string> usedEnglishKeys_;
  std::vector<GreekLine> greek_;  // in file order
  std::vector<UserLine> user_;
  std::vector<UserGreekLine> userGreek_;
};

void Synthesiser::BuildEntries() {
  std::vector<PublishedEntry> entries;
  entries.reserve(static_cast<size_t>(options_.entries));
  while (static_cast<int>(entries.size()) < options_.entries) {
    PublishedEntry e;
    e.headword = EnglishHeadword(r_, 100);
    e.key = EnglishSearchKey(e.headword.text, true);
    if (e.key.empty() || !usedEnglishKeys_.insert(e.key).second) continue;
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(),
            [](const PublishedEntry& a, const PublishedEntry& b) { return a.key < b.key; });
  entries_ = std::move(entries);
  englishKeys_.reserve(entries_.size());
  for (const PublishedEntry& e : entries_) englishKeys_.push_back(e.key);
}

// The layout of the build: the header block, CR LF, then every description followed by CR LF.
void Synthesiser::BuildDescriptions() {
  descriptions_ = "\r\n";
  int64_t offset = kHeaderBlockSize + 2;
  for (PublishedEntry& e : entries_) {
    const double u = r_.Unit();
    const std::string description = PublishedDescription(r_, 200 + static_cast<int>(u * u * 2500));
    e.offset = offset;
    e.length = static_cast<int64_t>(description.size());
    descriptions_ += description;
    descriptions_ += "\r\n";
    offset += e.length + 2;
  }
}

void Synthesiser::BuildGreek() {
  const int n = options_.entries;
  const int m = options_.greekTerms;
  // Entries in random order: the last few carry long translations, the others Greek terms.
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 1);
  for (int i = n - 1; i > 0; --i) std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(r_.Below(i + 1))]);
  const int longCount = n < 2 ? 0 : std::min({kLongTranslationSlots - 10, std::max(1, n * 4 / 100), n - 1});
  for (int i = n - longCount; i < n; ++i) {
    PublishedEntry& e = entries_[static_cast<size_t>(order[static_cast<size_t>(i)] - 1)];
    e.longTranslation = GreekTerm(r_) + ", " + GreekTerm(r_);
  }
  // About 30% of the entries have a long translation or are the second number of a term.
  const int pool = n - longCount;
  const double secondShare = m > 0 ? std::clamp((0.30 * n - longCount) / m, 0.0, 0.9) : 0.0;
  std::unordered_set<std::string> usedKeys;
  greek_.reserve(static_cast<size_t>(m));
  for (int i = 0; i < m; ++i) {
    GreekLine g;
    for (int attempt = 0; attempt < 20; ++attempt) {
      g.term = GreekTerm(r_);
      g.key = GreekSearchKey(g.term, true);
      if (usedKeys.insert(g.key).second) break;
    }
    g.first = order[static_cast<size_t>(i % pool)];
    if (n > 1 && r_.Unit() < secondShare) {
      g.second = r_.Between(1, n - 1);
      if (g.second >= g.first) ++g.second;
    }
    greek_.push_back(std::move(g));
  }
  std::sort(greek_.begin(), greek_.end(), [](const GreekLine& a, const GreekLine& b) {
    return a.key != b.key ? a.key < b.key : a.term < b.term;
  });
}

void Synthesiser::BuildUser() {
  const int n = options_.entries;
  const int k = options_.userEntries;
  std::vector<int> numbers(static_cast<size_t>(k));
  std::iota(numbers.begin(), numbers.end(), n + 1);
  for (int i = k - 1; i > 0; --i) std::swap(numbers[static_cast<size_t>(i)], numbers[static_cast<size_t>(r_.Below(i + 1))]);

  std::vector<std::string> greekKeys;
  greekKeys.reserve(greek_.size());
  for (const GreekLine& g : greek_) greekKeys.push_back(g.key);

  for (int i = 0; i < k; ++i) {
    UserLine u;
    do {
      u.headword = EnglishHeadword(r_, 80).text;
      u.key = EnglishSearchKey(u.headword, true);
    } while (u.key.empty() || !usedEnglishKeys_.insert(u.key).second);
    // The predecessor: the last published entry whose key is not greater; slot 1 when none.
    const auto after = std::upper_bound(englishKeys_.begin(), englishKeys_.end(), u.key);
    u.attach = std::max(1, static_cast<int>(after - englishKeys_.begin()));
    u.own = numbers[static_cast<size_t>(i)];
    if (r_.Percent(90)) u.stored = StoredUserText(TypedText(r_, r_.Between(20, 400)), false);
    if (!greek_.empty() && r_.Percent(80)) {
      UserGreekLine g;
      g.term = GreekTerm(r_);
      g.key = GreekSearchKey(g.term, true);
      const auto gAfter = std::upper_bound(greekKeys.begin(), greekKeys.end(), g.key);
      const size_t predecessor = std::max<size_t>(1, static_cast<size_t>(gAfter - greekKeys.begin()));
      g.attach = greek_[predecessor - 1].first;
      g.own = u.own;
      userGreek_.push_back(std::move(g));
    }
    user_.push_back(std::move(u));
  }
  // Additions to a tenth as many published entries, each at most once.
  std::unordered_set<int> added;
  const int additions = std::min(n, k / 10);
  while (static_cast<int>(added.size()) < additions) {
    const int number = r_.Between(1, n);
    if (!added.insert(number).second) continue;
    UserLine a;
    a.attach = a.own = number;
    a.stored = StoredUserText(TypedText(r_, r_.Between(10, 200)), true);
    user_.push_back(std::move(a));
  }
  // Sorted by attach number; an addition before the entries attached to the same entry, and
  // those in list order.
  std::sort(user_.begin(), user_.end(), [](const UserLine& a, const UserLine& b) {
    if (a.attach != b.attach) return a.attach < b.attach;
    const bool aAddition = a.headword.empty();
    const bool bAddition = b.headword.empty();
    if (aAddition != bAddition) return aAddition;
    return a.key < b.key;
  });
  std::stable_sort(userGreek_.begin(), userGreek_.end(),
                   [](const UserGreekLine& a, const UserGreekLine& b) { return a.key < b.key; });
}

// The header text position-coded from position 1 and padded with zero bytes (which end it
// for the reader), then the descriptions coded at their true positions.
std::string Synthesiser::DescriptionFile() const {
  std::string file = PositionEncode(1, kHeaderText);
  file.resize(kHeaderBlockSize, '\0');
  file += PositionEncode(kHeaderBlockSize + 1, descriptions_);
  return file;
}

std::string Synthesiser::EnglishIndexFile() const {
  std::string file;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const PublishedEntry& e = entries_[i];
    std::string line = ZeroPad(i + 1, 5) + PadRight(e.headword.text, 123) + ZeroPad(static_cast<uint64_t>(e.offset), 8) +
                       ZeroPad(static_cast<uint64_t>(e.length), 5) + "L" + ZeroPad(static_cast<uint64_t>(e.headword.keyStart), 2) +
                       "00000" + e.longTranslation;
    file += MirrorEncode(static_cast<int64_t>(i + 1), line);
    file += "\r\n";
  }
  return file;
}

std::string Synthesiser::GreekIndexFile() const {
  std::string file;
  for (size_t i = 0; i < greek_.size(); ++i) {
    const GreekLine& g = greek_[i];
    const std::string line = ZeroPad(static_cast<uint64_t>(g.first), 5) + ZeroPad(static_cast<uint64_t>(g.second), 5) + PadRight(g.term, 132);
    file += MirrorEncode(static_cast<int64_t>(i + 1), line);
    file += "\r\n";
  }
  return file;
}

std::string Synthesiser::UserIndexFile() const {
  std::string file;
  uint64_t offset = 1;
  for (const UserLine& u : user_) {
    const std::string line = FormatUserIndexLine(static_cast<uint32_t>(u.attach), static_cast<uint32_t>(u.own),
                                                 u.headword, offset, u.stored.size());
    file += ShiftEncode(line);
    file += "\r\n";
    offset += u.stored.size();
  }
  return file;
}

std::string Synthesiser::UserDescrFile() const {
  std::string file;
  for (const UserLine& u : user_) file += ShiftEncode(u.stored);
  return file;
}

std::string Synthesiser::UserGreekFile() const {
  std::string file;
  for (const UserGreekLine& g : userGreek_) {
    file += ShiftEncode(FormatUserGreekLine(static_cast<uint32_t>(g.attach), static_cast<uint32_t>(g.own), g.term));
    file += "\r\n";
  }
  return file;
}

}  // namespace

Status CheckSynthOptions(const SynthOptions& o) {
  if (o.entries < 1 || o.entries > kLastSlot - 1) {
    return Status::Refused("the number of entries must be 1 to " + std::to_string(kLastSlot - 1));
  }
  if (o.greekTerms < 0 || o.greekTerms > kLastSlot - 1) {
    return Status::Refused("the number of Greek terms must be 0 to " + std::to_string(kLastSlot - 1));
  }
  if (o.userEntries < 0 || o.entries + o.userEntries > kLastSlot || o.greekTerms + o.userEntries > kLastSlot) {
    return Status::Refused("entries and user entries together, and Greek terms and user entries together, must fit " +
                         std::to_string(kLastSlot) + " slots");
  }
  return Status::Ok();
}

Status WriteSyntheticFolder(FileSystem& fs, const std::string& programDir, const std::string& userDir,
                            const SynthOptions& options) {
  Status status = CheckSynthOptions(options);
  if (!status.ok()) return status;
  const std::string dataDir = JoinPath(programDir, "data");
  status = fs.MakeFolders(dataDir);
  if (status.ok()) status = fs.MakeFolders(userDir);
  if (!status.ok()) return status;

  Synthesiser synth(options);
  synth.Build();
  status = fs.WriteFile(JoinPath(dataDir, "Quorvel.tbo"), synth.DescriptionFile());
  if (status.ok()) status = fs.WriteFile(JoinPath(dataDir, "QuorvelI.tbo"), synth.EnglishIndexFile());
  if (status.ok()) status = fs.WriteFile(JoinPath(dataDir, "QuorvelHI.tbo"), synth.GreekIndexFile());
  // Leftover temporaries would be taken for an interrupted rewrite of the new files.
  for (const char* name : {"tempi.tbo", "templex.tbo", "tempigr.tbo"}) {
    if (status.ok()) status = fs.RemoveFile(JoinPath(userDir, name));
  }
  if (status.ok()) status = fs.WriteFile(JoinPath(userDir, "QuorvelIC.tbo"), synth.UserIndexFile());
  if (status.ok()) status = fs.WriteFile(JoinPath(userDir, "QuorvelC.tbo"), synth.UserDescrFile());
  if (status.ok()) status = fs.WriteFile(JoinPath(userDir, "QuorvelHIC.tbo"), synth.UserGreekFile());
  return status;
}

}  // namespace quorvel::tools

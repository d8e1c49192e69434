#include "core/SearchKey.h"

#include <array>
#include <functional>

#include "core/TextOps.h"

namespace quorvel {

const KeyFold kKeyFoldTable[kKeyFoldCount] = {
    // Greek capitals.
    {0xC1, 0xE1}, {0xC2, 0xE2}, {0xC3, 0xE3}, {0xC4, 0xE4}, {0xC5, 0xE5}, {0xC6, 0xE6},
    {0xC7, 0xE7}, {0xC8, 0xE8}, {0xC9, 0xE9}, {0xCA, 0xEA}, {0xCB, 0xEB}, {0xCC, 0xEC},
    {0xCD, 0xED}, {0xCE, 0xEE}, {0xCF, 0xEF}, {0xD0, 0xF0}, {0xD1, 0xF1}, {0xD3, 0xF3},
    {0xD4, 0xF4}, {0xD5, 0xF5}, {0xD6, 0xF6}, {0xD7, 0xF7}, {0xD8, 0xF8}, {0xD9, 0xF9},
    // Accented letters.
    {0xDC, 0xE1}, {0xA2, 0xE1}, {0xDD, 0xE5}, {0xB8, 0xE5}, {0xDE, 0xE7}, {0xB9, 0xE7},
    {0xDF, 0xE9}, {0xFA, 0xE9}, {0xC0, 0xE9}, {0xBA, 0xE9}, {0xDA, 0xE9}, {0xFC, 0xEF},
    {0xBC, 0xEF}, {0xFD, 0xF5}, {0xBE, 0xF5}, {0xFB, 0xF5}, {0xE0, 0xF5}, {0xFE, 0xF9},
    {0xBF, 0xF9},
    // Key punctuation.
    {0x2B, ' '}, {0x2A, ' '}, {0x2C, ' '}, {0x28, ' '}, {0x29, ' '}, {0x2F, ' '}, {0x2D, ' '},
    {0x2E, ' '}, {0x22, ' '}, {0xAB, ' '}, {0xBB, ' '}, {0x60, ' '}, {0xB4, ' '}, {0x27, ' '},
};

namespace {

constexpr int kLetterFoldCount = 43;  // pairs 1-43: capitals and accented letters

// fold[c]: the "to" of c's pair among the first `pairs` pairs, or c itself.
std::array<unsigned char, 256> BuildFold(int pairs) {
  std::array<unsigned char, 256> fold{};
  for (int c = 0; c < 256; ++c) fold[c] = static_cast<unsigned char>(c);
  for (int i = pairs - 1; i >= 0; --i) fold[kKeyFoldTable[i].from] = kKeyFoldTable[i].to;
  return fold;
}

const std::array<unsigned char, 256> kFullFold = BuildFold(kKeyFoldCount);
const std::array<unsigned char, 256> kLetterFold = BuildFold(kLetterFoldCount);

bool InText(unsigned char c, std::string_view bytes) {
  return bytes.find(static_cast<char>(c)) != std::string_view::npos;
}

// "άΆέΈήΉίϊΐΊΪόΌύΎϋΰώΏ" in code page 1253.
constexpr std::string_view kAccentedLetters =
    "\xDC\xA2\xDD\xB8\xDE\xB9\xDF\xFA\xC0\xBA\xDA\xFC\xBC\xFD\xBE\xFB\xE0\xFE\xBF";
// "αβγδεζηθικλμνξοπρστυφχψωςάέήίόύώϊϋ" without the range α-ω (0xE1-0xF9, ς included).
constexpr std::string_view kGreekLowerExtra = "\xDC\xDD\xDE\xDF\xFC\xFD\xFE\xFA\xFB";
// "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏΪΫ" without the range Α-Ω.
constexpr std::string_view kGreekUpperExtra = "\xA2\xB8\xB9\xBA\xBC\xBE\xBF\xDA\xDB";

}  // namespace

bool IsKeyPunctuation(unsigned char c) {
  return kFullFold[c] == ' ' && c != ' ';
}

bool IsWordLetter(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  if (c >= 0xC1 && c <= 0xD9) return true;
  if (c >= 0xE1 && c <= 0xF9) return true;
  return InText(c, kAccentedLetters);
}

bool IsGreekInitial(unsigned char c) {
  if (c >= 0xE1 && c <= 0xF9) return true;
  if (c >= 0xC1 && c <= 0xD9 && c != 0xD2) return true;
  return InText(c, kGreekLowerExtra) || InText(c, kGreekUpperExtra);
}

namespace {

// A key built in place: its first `length` bytes, without blanks at either end.
std::string TrimmedKey(std::string key, size_t length) {
  size_t begin = 0;
  while (begin < length && IsBlank(key[begin])) ++begin;
  while (length > begin && IsBlank(key[length - 1])) --length;
  key.resize(length);
  if (begin > 0) key.erase(0, begin);
  return key;
}

}  // namespace

std::string GreekSearchKey(std::string_view text, bool dropLeadingDigits) {
  std::string_view input = UpToNul(text);
  while (!input.empty() && IsBlank(input.front())) input.remove_prefix(1);
  while (!input.empty() && IsBlank(input.back())) input.remove_suffix(1);
  // Built in place: the key is never longer than the trimmed text.
  std::string key(input.size(), '\0');
  char* out = key.data();
  size_t length = 0;
  bool hasNonBlank = false;
  for (char ch : input) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == ' ') {
      out[length++] = ' ';
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      continue;
    } else if (c >= '0' && c <= '9' && dropLeadingDigits && !hasNonBlank) {
      continue;
    } else {
      const unsigned char folded = kFullFold[c];
      if (folded == ' ') continue;
      out[length++] = static_cast<char>(folded);
      if (!IsBlank(static_cast<char>(folded))) hasNonBlank = true;
    }
  }
  return TrimmedKey(std::move(key), length);
}

unsigned char GreekSearchKeyInitial(std::string_view text) {
  // The key's leading blanks are trimmed and every digit before its first other character is
  // dropped, so the initial is the first folded byte that is no blank.
  for (char ch : UpToNul(text)) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) continue;
    const unsigned char folded = c == ' ' ? ' ' : kFullFold[c];
    if (!IsBlank(static_cast<char>(folded))) return folded;
  }
  return 0;
}

std::string EnglishSearchKey(std::string_view text, bool dropLeadingDigits) {
  const std::string_view input = UpToNul(text);
  // Built in place and lowered on the way: the key is never longer than the text.
  std::string key(input.size(), '\0');
  char* out = key.data();
  size_t length = 0;
  bool hasNonBlank = false;
  for (char ch : input) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsKeyPunctuation(c)) continue;
    if (c >= '0' && c <= '9' && dropLeadingDigits && !hasNonBlank) continue;
    out[length++] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : ch;
    if (!IsBlank(ch)) hasNonBlank = true;
  }
  return TrimmedKey(std::move(key), length);
}

std::string FoldGreekText(std::string_view text) {
  std::string folded = AsciiLower(Trim(UpToNul(text)));
  for (char& ch : folded) ch = static_cast<char>(kLetterFold[static_cast<unsigned char>(ch)]);
  return folded;
}

namespace {

// Calls `found(at)` for each whole occurrence of `word` in `text` until it returns false.
template <typename Found>
void FindWholeWord(std::string_view text, std::string_view word, Found found) {
  if (text.empty() || word.empty()) return;
  for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
    const bool letterBefore = at > 0 && IsWordLetter(static_cast<unsigned char>(text[at - 1]));
    const size_t after = at + word.size();
    const bool letterAfter = after < text.size() && IsWordLetter(static_cast<unsigned char>(text[after]));
    if (!letterBefore && !letterAfter && !found(at)) return;
  }
}

// Keeps the bytes of `folded` from the first to the last that is no blank.
void TrimFolded(FoldedText& folded) {
  size_t begin = 0;
  size_t end = folded.text.size();
  while (begin < end && IsBlank(folded.text[begin])) ++begin;
  while (end > begin && IsBlank(folded.text[end - 1])) --end;
  folded.text = folded.text.substr(begin, end - begin);
  folded.from = std::vector<size_t>(folded.from.begin() + static_cast<std::ptrdiff_t>(begin),
                                    folded.from.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace

bool ContainsWholeWord(std::string_view text, std::string_view word) {
  bool found = false;
  FindWholeWord(text, word, [&found](size_t) { return !(found = true); });
  return found;
}

std::vector<size_t> WholeWordPositions(std::string_view text, std::string_view word) {
  std::vector<size_t> positions;
  FindWholeWord(text, word, [&positions](size_t at) {
    positions.push_back(at);
    return true;
  });
  return positions;
}

FoldedText FoldForSearch(std::string_view text, bool greek) {
  // As EnglishSearchKey with the digits kept: key punctuation dropped, A-Z lowered.
  FoldedText english;
  const std::string_view input = UpToNul(text);
  for (size_t i = 0; i < input.size(); ++i) {
    const auto c = static_cast<unsigned char>(input[i]);
    if (IsKeyPunctuation(c)) continue;
    english.text += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : input[i];
    english.from.push_back(i);
  }
  TrimFolded(english);
  if (!greek) return english;
  // As GreekSearchKey with the digits kept: Latin letters and key punctuation dropped, the rest
  // folded.
  FoldedText folded;
  for (size_t i = 0; i < english.text.size(); ++i) {
    const auto c = static_cast<unsigned char>(english.text[i]);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) continue;
    const unsigned char to = c == ' ' ? ' ' : kFullFold[c];
    if (to == ' ' && c != ' ') continue;
    folded.text += static_cast<char>(to);
    folded.from.push_back(english.from[i]);
  }
  TrimFolded(folded);
  return folded;
}

bool IsOneWord(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!IsWordLetter(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void ForEachWholeWord(std::string_view text, const std::function<void(std::string_view)>& visit) {
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && !IsWordLetter(static_cast<unsigned char>(text[at]))) ++at;
    const size_t begin = at;
    while (at < text.size() && IsWordLetter(static_cast<unsigned char>(text[at]))) ++at;
    if (at > begin) visit(text.substr(begin, at - begin));
  }
}

}  // namespace quorvel

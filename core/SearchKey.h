// Search keys: the folding of typed text and dictionary text into comparable code page 1253
// keys (case, Greek accents, key punctuation and, for Greek keys, Latin letters removed), the
// whole-word test of the description search and the test for a Greek initial.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One (from, to) pair of the fold table; `to` is a space for the key punctuation marks.
struct KeyFold {
  unsigned char from;
  unsigned char to;
};
// The 57 pairs: 24 Greek capitals, 19 accented letters, 14 key punctuation marks.
inline constexpr int kKeyFoldCount = 57;
extern const KeyFold kKeyFoldTable[kKeyFoldCount];

// + * , ( ) / - . " « » ` ΄ '
bool IsKeyPunctuation(unsigned char c);
// A-Z, a-z, 0xC1-0xD9, 0xE1-0xF9 and the 19 accented small and capital letters.
bool IsWordLetter(unsigned char c);
// A character of "αβγδεζηθικλμνξοπρστυφχψωςάέήίόύώϊϋ" or "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏΪΫ".
bool IsGreekInitial(unsigned char c);

// Greek key: trimmed, lowered, Latin letters and key punctuation dropped, capitals and accents
// folded; with `dropLeadingDigits` the digits before the first other character are dropped.
std::string GreekSearchKey(std::string_view text, bool dropLeadingDigits);
// The first byte of GreekSearchKey(text, true), 0 for an empty key; without building the key.
unsigned char GreekSearchKeyInitial(std::string_view text);
// English key: key punctuation dropped (and leading digits with the flag), trimmed, A-Z lowered.
std::string EnglishSearchKey(std::string_view text, bool dropLeadingDigits);
// Trimmed, A-Z lowered, Greek capitals and accents folded; punctuation and Latin letters kept.
std::string FoldGreekText(std::string_view text);

// True when some occurrence of `word` in `text` has no word letter directly before or after it.
bool ContainsWholeWord(std::string_view text, std::string_view word);
// The start of every such occurrence, in order.
std::vector<size_t> WholeWordPositions(std::string_view text, std::string_view word);

// A text folded as the description search folds the text it searches, with the position in the
// original text that each byte of the folded one came from.
struct FoldedText {
  std::string text;
  std::vector<size_t> from;  // from[i]: where text[i] stands in the original
};
// EnglishSearchKey(text, false); with `greek`, GreekSearchKey(that, false).
FoldedText FoldForSearch(std::string_view text, bool greek);

// True for a nonempty text of word letters only. Such a word stands whole in a text exactly when
// it is one of the text's whole words (below), which is what lets an index of those answer.
bool IsOneWord(std::string_view text);
// Calls `visit` with each whole word of `text` in order: its longest runs of word letters.
void ForEachWholeWord(std::string_view text, const std::function<void(std::string_view)>& visit);

}  // namespace quorvel

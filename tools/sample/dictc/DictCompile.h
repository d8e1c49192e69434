// Compiles the records of the sample dictionary into the three texts that the data build and
// the figure generator read: the entry document (OLO2.tbo), the Greek term list (Greek.txt)
// and the figure manifest (figures.lst). All output text is code page 1253.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"
#include "tools/sample/dictc/DictSource.h"

namespace quorvel::dictc {

// The build's description buffer holds 31000 bytes.
inline constexpr size_t kMaxDescriptionBytes = 31000;

// The build's comparison form of an English headword (lower-cased) or of a Greek term
// (folded): "-", "'", "’" and ")" dropped, " (" turned into ", ", spaces around "/" dropped;
// each rule replaces its first occurrence, and the list is applied four times.
std::string NormaliseEnglishKey(std::string_view cp1253);
std::string NormaliseGreekKey(std::string_view cp1253);
// "A, B" -> "B, A": the text after the first comma (skipping the character after it), ", ",
// the text before it. Unchanged without a comma.
std::string SwapAtComma(std::string_view key);

struct CompiledEntry {
  int number = 0;                    // 1-based line number among the entry lines
  std::string headword;              // code page 1253
  std::vector<std::string> greek;    // code page 1253 renderings
  std::string line;                  // the OLO2.tbo line without CR LF
  std::vector<FigureRef> figures;
  std::string where;                 // "file:line: " of the record
};

struct CompiledDictionary {
  std::string header;                   // line 1 of OLO2.tbo
  std::vector<CompiledEntry> entries;   // in the dictionary's alphabetical order
  std::vector<std::string> greekLines;  // Greek.txt lines without CR LF
  std::vector<std::string> figureLines; // figures.lst lines without CR LF
  std::string error;                    // "file:line: message" when the records are unusable
};

// Checks the records against each other (unique headwords, cross references, figure
// references, figure file names) and lays out the outputs.
CompiledDictionary Compile(const std::vector<SourceRecord>& records);

// Writes OLO2.tbo, Greek.txt and figures.lst (CR LF lines) into `outDir`, creating it.
Status WriteOutputs(const CompiledDictionary& dictionary, const std::filesystem::path& outDir);

}  // namespace quorvel::dictc

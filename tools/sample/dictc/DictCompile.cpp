#include "tools/sample/dictc/DictCompile.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "core/Cp1253.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "tools/sample/dictc/EntryRtf.h"
#include "tools/sample/dictc/StrictText.h"

namespace quorvel::dictc {

namespace {

void ReplaceFirst(std::string& text, std::string_view from, std::string_view to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

std::string NormaliseRules(std::string text) {
  ReplaceFirst(text, " - ", "-");
  for (int round = 0; round < 4; ++round) {
    ReplaceFirst(text, "- ", "");
    ReplaceFirst(text, " -", "");
    ReplaceFirst(text, "-", "");
    ReplaceFirst(text, " (", ", ");
    ReplaceFirst(text, ")", "");
    ReplaceFirst(text, "\x92", "");  // ’ in code page 1253
    ReplaceFirst(text, "'", "");
    ReplaceFirst(text, " /", "/");
    ReplaceFirst(text, "/ ", "/");
  }
  return text;
}

// The first a-z among the first five characters, as the build finds an English initial.
bool HasInitial(std::string_view key) {
  const std::string_view head = key.substr(0, 5);
  return std::any_of(head.begin(), head.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The build looks up a Greek term's entry by the initial of its English; a headword without
// one, or with a comma-separated part without one, stops the build.
std::string CheckInitials(std::string_view headword) {
  const std::string key = NormaliseEnglishKey(headword);
  if (!HasInitial(key)) return "headword has no letter a-z among its first five characters";
  if (key.find(',') == std::string::npos) return {};
  if (!HasInitial(SwapAtComma(key))) {
    return "the part after the first comma has no letter a-z among its first five characters";
  }
  size_t start = 0;
  for (size_t comma = key.find(','); comma != std::string::npos; comma = key.find(',', start)) {
    if (!HasInitial(std::string_view(key).substr(start, comma - start))) {
      return "a part before a comma has no letter a-z among its first five characters";
    }
    start = comma + 1;
  }
  return {};
}

struct Prepared {
  const SourceRecord* source = nullptr;
  std::string headword;
  std::vector<std::string> greek;
  DescriptionRtf description;
  std::string sortKey;
};

std::string CheckFigures(const SourceRecord& record, const DescriptionRtf& description) {
  for (int digit : description.figureDigits) {
    const bool declared = std::any_of(record.figures.begin(), record.figures.end(),
                                      [digit](const FigureRef& f) { return f.digit == digit; });
    if (!declared) {
      return digit == 0 ? "{Σχήμα} refers to no drawing in the figures field"
                        : "{Σχήμα " + std::to_string(digit) + "} refers to no drawing in the figures field";
    }
  }
  for (const FigureRef& figure : record.figures) {
    const auto& used = description.figureDigits;
    if (std::find(used.begin(), used.end(), figure.digit) == used.end()) {
      return "drawing \"" + figure.drawing + "\" is not referred to in the description";
    }
  }
  return {};
}

// True when the Greek list line of `term` for `first` reaches `second` through the build's
// pass over the inverted English, so `second` needs no line of its own for it.
bool LinkedThroughInversion(const CompiledEntry& first, const std::string& term,
                            const CompiledEntry& second) {
  if (second.greek.size() != 1) return false;
  const std::string termKey = NormaliseGreekKey(term);
  if (NormaliseGreekKey(second.greek[0]) != termKey) return false;
  const bool firstCarriesTerm =
      std::any_of(first.greek.begin(), first.greek.end(),
                  [&termKey](const std::string& own) { return NormaliseGreekKey(own) == termKey; });
  if (!firstCarriesTerm) return false;
  const std::string key = NormaliseEnglishKey(first.headword);
  if (key.find(',') == std::string::npos) return false;
  return SwapAtComma(key) == NormaliseEnglishKey(second.headword);
}

bool WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

std::string NormaliseEnglishKey(std::string_view cp1253) { return NormaliseRules(SystemLower(cp1253)); }

std::string NormaliseGreekKey(std::string_view cp1253) { return NormaliseRules(FoldGreekText(cp1253)); }

std::string SwapAtComma(std::string_view key) {
  const size_t comma = key.find(',');
  if (comma == std::string_view::npos) return std::string(key);
  const std::string_view after = comma + 2 <= key.size() ? key.substr(comma + 2) : std::string_view();
  return std::string(after) + ", " + std::string(key.substr(0, comma));
}

CompiledDictionary Compile(const std::vector<SourceRecord>& records) {
  CompiledDictionary result;
  const auto fail = [&result](const SourceRecord& record, const std::string& message) {
    result.entries.clear();
    result.greekLines.clear();
    result.error = Where(record) + message;
    return result;
  };

  std::vector<Prepared> prepared;
  prepared.reserve(records.size());
  std::map<std::string, const SourceRecord*> byKey;
  for (const SourceRecord& record : records) {
    Prepared entry;
    entry.source = &record;
    entry.headword = Utf8ToCp1253(record.headword);  // ASCII, checked by the parser
    for (const std::string& term : record.greek) entry.greek.push_back(ToCp1253Strict(term).bytes);
    entry.description = DescriptionToRtf(record.description);
    if (!entry.description.error.empty()) return fail(record, entry.description.error);
    if (entry.description.rtf.size() > kMaxDescriptionBytes) {
      return fail(record, "description longer than " + std::to_string(kMaxDescriptionBytes) +
                              " bytes of RTF");
    }
    if (std::string error = CheckFigures(record, entry.description); !error.empty()) {
      return fail(record, error);
    }
    if (std::string error = CheckInitials(entry.headword); !error.empty()) {
      return fail(record, error);
    }
    const auto [at, inserted] = byKey.emplace(NormaliseEnglishKey(entry.headword), &record);
    if (!inserted) {
      return fail(record, "headword \"" + record.headword + "\" is the same as \"" +
                              at->second->headword + "\" (" + at->second->file + ":" +
                              std::to_string(at->second->line) + ")");
    }
    entry.sortKey = EnglishSearchKey(entry.headword, true);
    prepared.push_back(std::move(entry));
  }
  for (const Prepared& entry : prepared) {
    for (const std::string& target : entry.description.crossRefs) {
      if (!byKey.count(NormaliseEnglishKey(Utf8ToCp1253(target)))) {
        return fail(*entry.source, "cross reference \u2192[" + target + "]: no such headword");
      }
    }
  }
  if (prepared.size() > 30000) return fail(records.back(), "more than 30000 entries");

  std::stable_sort(prepared.begin(), prepared.end(), [](const Prepared& a, const Prepared& b) {
    if (a.sortKey != b.sortKey) return a.sortKey < b.sortKey;
    return a.headword < b.headword;
  });

  result.header = RtfHeader();
  for (Prepared& entry : prepared) {
    CompiledEntry compiled;
    compiled.number = static_cast<int>(result.entries.size()) + 1;
    compiled.headword = entry.headword;
    compiled.greek = entry.greek;
    compiled.figures = entry.source->figures;
    compiled.where = Where(*entry.source);
    std::string joined;
    for (const std::string& term : entry.greek) joined += (joined.empty() ? "" : ", ") + term;
    compiled.line = entry.headword + " [" + EscapeRtfText(joined) + "]. " + entry.description.rtf;
    result.entries.push_back(std::move(compiled));
  }

  // Inverted pairs: the partner of "A, B" is the entry "B, A".
  std::map<std::string, size_t> byNormalisedKey;
  for (size_t i = 0; i < result.entries.size(); ++i) {
    byNormalisedKey[NormaliseEnglishKey(result.entries[i].headword)] = i;
  }
  struct GreekLine {
    std::string key;
    int number;
    std::string text;
  };
  std::vector<GreekLine> greekLines;
  for (const CompiledEntry& entry : result.entries) {
    for (const std::string& term : entry.greek) {
      const std::string key = NormaliseEnglishKey(entry.headword);
      bool coveredByPartner = false;
      if (key.find(',') != std::string::npos) {
        const auto partner = byNormalisedKey.find(SwapAtComma(key));
        if (partner != byNormalisedKey.end()) {
          const CompiledEntry& other = result.entries[partner->second];
          // Of two single-rendering partners the first one carries the line.
          coveredByPartner = LinkedThroughInversion(other, term, entry) &&
                             (other.greek.size() > 1 || other.number < entry.number);
        }
      }
      if (!coveredByPartner) {
        greekLines.push_back({GreekSearchKey(term, true), entry.number, term + " = " + entry.headword});
      }
    }
  }
  std::stable_sort(greekLines.begin(), greekLines.end(), [](const GreekLine& a, const GreekLine& b) {
    if (a.key != b.key) return a.key < b.key;
    return a.number < b.number;
  });
  for (GreekLine& line : greekLines) result.greekLines.push_back(std::move(line.text));

  // A figure file is named by the entry number followed by the figure digit, so entry 12's
  // drawing 1 and entry 121's unnumbered drawing would share fig121.bmp.
  std::map<std::string, const CompiledEntry*> figureOwners;
  for (const CompiledEntry& entry : result.entries) {
    std::vector<FigureRef> figures = entry.figures;
    std::sort(figures.begin(), figures.end(),
              [](const FigureRef& a, const FigureRef& b) { return a.digit < b.digit; });
    for (const FigureRef& figure : figures) {
      std::string name = std::to_string(entry.number);
      if (figure.digit > 0) name += std::to_string(figure.digit);
      const auto [owner, inserted] = figureOwners.emplace(name, &entry);
      if (!inserted) {
        result.entries.clear();
        result.greekLines.clear();
        result.figureLines.clear();
        result.error = entry.where + "figure file fig" + name + ".bmp of entry " +
                       std::to_string(entry.number) + " is also a figure of entry " +
                       std::to_string(owner->second->number) + " \"" +
                       owner->second->headword + "\"; give one of them another figure digit";
        return result;
      }
      result.figureLines.push_back(name + "\t" + figure.drawing);
    }
  }
  return result;
}

Status WriteOutputs(const CompiledDictionary& dictionary, const std::filesystem::path& outDir) {
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) return Status::IoError(outDir.string() + ": cannot create the folder: " + ec.message());
  std::vector<std::string> document;
  document.reserve(dictionary.entries.size() + 1);
  document.push_back(dictionary.header);
  for (const CompiledEntry& entry : dictionary.entries) document.push_back(entry.line);
  const std::pair<const char*, const std::vector<std::string>*> files[] = {
      {"OLO2.tbo", &document}, {"Greek.txt", &dictionary.greekLines},
      {"figures.lst", &dictionary.figureLines}};
  for (const auto& [name, lines] : files) {
    if (!WriteLines(outDir / name, *lines)) {
      return Status::IoError((outDir / name).string() + ": cannot be written");
    }
  }
  return Status::Ok();
}

}  // namespace quorvel::dictc

#include "maintenance/DataBuild.h"

#include <algorithm>
#include <optional>

#include "core/Codec.h"
#include "core/DescriptionFile.h"
#include "core/EntryIndex.h"
#include "core/LineReader.h"
#include "core/Locations.h"
#include "core/Paths.h"
#include "core/SearchKey.h"
#include "core/TextOps.h"
#include "richtext/RtfReader.h"

namespace quorvel::maintenance {
namespace {

constexpr const char* kSourceFile = "utils/Docs/OLO2.tbo";
constexpr const char* kGreekListFile = "utils/Docs/Greek.txt";
constexpr const char* kReportDir = "utils/Docs";
constexpr const char* kNotMatchedReport = "GRnotmatchedwithEN.txt";
constexpr const char* kWithoutGreekReport = "ENwithoutGR.txt";
constexpr const char* kPlainEnglishIndex = "data/QuorvelI_un.tbo";
constexpr const char* kPlainDescriptions = "data/Quorvel_un.tbo";
constexpr const char* kPlainGreekIndex = "data/QuorvelHI_un.tbo";

// Replaces the first occurrence of `from` (if any) by `to`.
void ReplaceFirst(std::string& text, std::string_view from, std::string_view to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

std::string Resolve(FileSystem& fs, const std::string& programDir, const std::string& relative) {
  return ResolveCaseInsensitive(fs, JoinPath(programDir, relative));
}

// One output file of a build: its lines, each ended with CR LF, written whole by Save().
struct TextOutput {
  TextOutput(FileSystem& fs, std::string path) : fs(fs), path(std::move(path)) {}
  void Line(std::string_view text) { bytes.append(text).append("\r\n"); }
  bool Save() { return fs.WriteFile(path, bytes).ok(); }
  FileSystem& fs;
  std::string path;
  std::string bytes;
};

// The whole content of the file `path`; nothing when it cannot be read.
std::optional<std::string> ReadWhole(FileSystem& fs, const std::string& path) {
  std::string content;
  if (!fs.ReadFile(path, kMaxDataFileBytes, content).ok()) return std::nullopt;
  return content;
}

// Shows why the build stops; the build then ends without "ok".
bool Refuse(const MessageSink& show, const std::string& message) {
  show(message);
  return false;
}

std::string LineRef(const char* file, int line) { return std::string(file) + " line " + std::to_string(line); }

// Text from `text` between the first "[" and the first "]" after it, trimmed, and the text
// before the "[". Missing brackets give empty parts.
void SplitHeadwords(std::string_view plain, std::string& english, std::string& greek) {
  const size_t open = plain.find('[');
  const size_t close = open == std::string_view::npos ? std::string_view::npos : plain.find(']', open);
  english = open == std::string_view::npos ? std::string() : Trim(plain.substr(0, open));
  greek = close == std::string_view::npos ? std::string() : Trim(plain.substr(open + 1, close - open - 1));
}

// True when a text holds a byte below 32: a line break in a headword would split its index
// line, and the index coding can turn the lowest bytes into a zero byte that ends the line.
bool HoldsControlByte(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 32) return true;
  }
  return false;
}

// Where the description starts after the first "]" of a source line (1-based rules: ". " is
// dropped, a "." before a control word is dropped, anything else stays).
size_t DescriptionStart(std::string_view line) {
  const size_t b = line.find(']');  // 0-based; the 1-based position is b + 1
  if (b + 2 < line.size() && line[b + 2] == ' ') return b + 3;
  if (b + 2 < line.size() && line[b + 1] == '.' && line[b + 2] == '\\') return b + 2;
  return b + 1;
}

std::string IndexLine(const BuildEntry& e, bool withGreek) {
  std::string line = ZeroPad(static_cast<uint64_t>(e.number), 5);
  line += e.english;
  line.append(static_cast<size_t>(kMaxBuildEnglishLength) - e.english.size(), ' ');
  line += ZeroPad(static_cast<uint64_t>(e.offset), 8);
  line += ZeroPad(static_cast<uint64_t>(e.length), 5);
  line += "L0100000";
  if (withGreek) line += e.greek;
  return line;
}

bool AddLink(BuildEntry& entry, int term) {
  for (int& slot : entry.links) {
    if (slot == 0) {
      slot = term;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string NormaliseKey(std::string_view text, bool greek) {
  std::string key(text);
  ReplaceFirst(key, " - ", "-");
  key = greek ? FoldGreekText(key) : SystemLower(key);
  static const std::pair<std::string_view, std::string_view> kRounds[] = {
      {"- ", ""}, {" -", ""}, {"-", ""}, {" (", ", "}, {")", ""},
      {"\x92", ""}, {"'", ""}, {" /", "/"}, {"/ ", "/"},
  };
  for (int round = 0; round < 4; ++round) {
    for (const auto& [from, to] : kRounds) ReplaceFirst(key, from, to);
  }
  return key;
}

int FirstLetter(std::string_view key) {
  for (size_t i = 0; i < key.size() && i < 5; ++i) {
    if (key[i] >= 'a' && key[i] <= 'z') return key[i] - 'a';
  }
  return -1;
}

LetterWindows DeriveLetterWindows(const std::vector<BuildEntry>& entries) {
  LetterWindows windows;
  windows.last.fill(-1);
  for (size_t j = 1; j < entries.size(); ++j) {
    const int letter = FirstLetter(NormaliseKey(entries[j].english, false));
    if (letter < 0) continue;
    const int n = static_cast<int>(j);
    if (windows.first[letter] == 0) windows.first[letter] = n;
    windows.last[letter] = n;
  }
  return windows;
}

LinkOutcome LinkGreekTerms(FileSystem& fs, const std::string& greekList, const std::string& reportDir,
                           std::vector<BuildEntry>& entries, std::vector<BuildGreekTerm>& terms,
                           const LetterWindows& windows, const MessageSink& show) {
  LinkOutcome outcome;
  terms.assign(1, BuildGreekTerm{});
  const auto list = ReadWhole(fs, greekList);
  if (!list) {
    show("Cannot read " + greekList);
    outcome.stopped = true;
    return outcome;
  }
  // The keys of every entry, made once.
  std::vector<std::string> englishKeys(entries.size());
  std::vector<std::string> greekKeys(entries.size());
  for (size_t j = 1; j < entries.size(); ++j) {
    englishKeys[j] = NormaliseKey(entries[j].english, false);
    greekKeys[j] = NormaliseKey(entries[j].greek, true);
  }
  TextOutput notMatched(fs, JoinPath(reportDir, kNotMatchedReport));
  auto stop = [&](const std::string& message) {
    show(message);
    outcome.stopped = true;
    return outcome;
  };

  LineReader lines(*list);
  int lineNumber = 0;
  while (!lines.AtEnd()) {
    const std::string g(lines.Next());
    ++lineNumber;
    const size_t eq1 = g.find('=');
    if (eq1 == std::string::npos) return stop(g);
    const size_t eq2 = g.find('=', eq1 + 1);
    const std::string term = Trim(std::string_view(g).substr(0, eq1));
    const std::string english = Trim(std::string_view(g).substr(eq1 + 1, eq2 == std::string::npos ? std::string::npos : eq2 - eq1 - 1));
    const std::string key = eq2 == std::string::npos ? term : Trim(std::string_view(g).substr(eq2 + 1));
    if (term.size() > static_cast<size_t>(kMaxBuildGreekLength)) {
      return stop(LineRef(kGreekListFile, lineNumber) + ": the term is longer than 114 characters");
    }
    const std::string gk = NormaliseKey(key, true);
    const std::string ek = NormaliseKey(english, false);
    const int letter = FirstLetter(ek);
    if (letter < 0) return stop("Bad start of english: " + g);

    auto newTerm = [&](const std::string& written, int link) -> bool {
      if (static_cast<int>(terms.size()) > kMaxBuildGreekTerms) return false;
      const int m = static_cast<int>(terms.size());
      terms.push_back(BuildGreekTerm{m, term, written, link, 0});
      return true;
    };
    bool matched = false;
    for (int j = windows.first[letter]; j >= 1 && j <= windows.last[letter] && !matched; ++j) {
      const std::string& ge = greekKeys[static_cast<size_t>(j)];
      if (englishKeys[static_cast<size_t>(j)] != ek) continue;
      if (!(gk == ge || (ge.find(gk) != std::string::npos && ge.find(',') != std::string::npos))) continue;
      // An entry whose five link slots are taken takes no further term: look on.
      if (std::find(entries[static_cast<size_t>(j)].links.begin(), entries[static_cast<size_t>(j)].links.end(), 0) ==
          entries[static_cast<size_t>(j)].links.end()) {
        continue;
      }
      if (!newTerm(english, j)) return stop(LineRef(kGreekListFile, lineNumber) + ": more than 30001 Greek terms");
      AddLink(entries[static_cast<size_t>(j)], static_cast<int>(terms.size()) - 1);
      matched = true;
    }

    bool matchedByParts = false;
    const size_t comma = ek.find(',');
    if (comma != std::string::npos) {
      const std::string after = comma + 2 <= ek.size() ? ek.substr(comma + 2) : std::string();
      const std::string ek2 = after + ", " + ek.substr(0, comma);
      const int letter2 = FirstLetter(ek2);
      if (letter2 < 0) return stop("Bad start of english in partial english: " + ek2);
      for (int j = windows.first[letter2]; j >= 1 && j <= windows.last[letter2] && !matchedByParts; ++j) {
        if (englishKeys[static_cast<size_t>(j)] != ek2 || greekKeys[static_cast<size_t>(j)] != gk) continue;
        if (matched) {
          terms.back().secondLink = j;
        } else if (!newTerm(ek2, j)) {
          return stop(LineRef(kGreekListFile, lineNumber) + ": more than 30001 Greek terms");
        }
        AddLink(entries[static_cast<size_t>(j)], static_cast<int>(terms.size()) - 1);
        matchedByParts = true;
      }
      // Every part before a comma must have a first letter too.
      size_t start = 0;
      for (size_t at = ek.find(','); at != std::string::npos; at = ek.find(',', start)) {
        const std::string part = ek.substr(start, at - start);
        if (FirstLetter(part) < 0) return stop("Bad start of english in partial english: " + part);
        start = at + 1;
      }
    }
    if (!matched && !matchedByParts) notMatched.Line(ek + " | " + gk);
  }
  outcome.count = static_cast<int>(terms.size()) - 1;

  TextOutput withoutGreek(fs, JoinPath(reportDir, kWithoutGreekReport));
  for (size_t c = 1; c < entries.size(); ++c) {
    const BuildEntry& e = entries[c];
    if (e.links[0] == 0 && !e.greek.empty()) withoutGreek.Line((e.english + " = " + e.greek).substr(0, 240));
  }
  const bool notMatchedSaved = notMatched.Save();
  if (!withoutGreek.Save() || !notMatchedSaved) {
    show("Cannot write the reports in " + reportDir);
    outcome.stopped = true;
  }
  return outcome;
}

Status EncodeIndexFile(FileSystem& fs, const std::string& plain, const std::string& coded) {
  const auto content = ReadWhole(fs, plain);
  if (!content) return Status::IoError("cannot read " + plain);
  std::string out;
  out.reserve(content->size() + 64);
  LineReader lines(*content);
  for (int64_t k = 1; !lines.AtEnd(); ++k) out.append(MirrorEncode(k, lines.Next())).append("\r\n");
  return fs.WriteFile(coded, out);
}

Status PositionEncodeFile(FileSystem& fs, const std::string& plain, const std::string& coded) {
  const auto content = ReadWhole(fs, plain);
  if (!content) return Status::IoError("cannot read " + plain);
  return fs.WriteFile(coded, PositionEncode(1, *content));
}

bool BuildDataFiles(FileSystem& fs, const std::string& programDir, const MessageSink& show) {
  const std::string source = Resolve(fs, programDir, kSourceFile);
  const auto content = ReadWhole(fs, source);
  if (!content) {
    return Refuse(show, "Cannot read " + std::string(kSourceFile));
  }
  // A folder that cannot be made shows when the files are written.
  (void)fs.MakeFolders(Resolve(fs, programDir, "data"));
  const std::string dataDir = Resolve(fs, programDir, "data");

  LineReader lines(*content);
  const std::string header = lines.AtEnd() ? std::string() : std::string(lines.Next());
  if (header.size() != static_cast<size_t>(kBuildHeaderLength)) {
    return Refuse(show, LineRef(kSourceFile, 1) + ": the header has " + std::to_string(header.size()) +
                            " characters; it must have exactly 511");
  }
  if (header.rfind("\\rtf", 0) != 0) {
    return Refuse(show, LineRef(kSourceFile, 1) + ": the header does not begin an RTF document");
  }

  std::vector<BuildEntry> entries(1);
  {
    TextOutput descriptions(fs, JoinPath(dataDir, "Quorvel_un.tbo"));
    descriptions.Line(header);
    int64_t offset = kBuildHeaderLength + 2;
    int lineNumber = 1;
    while (!lines.AtEnd()) {
      std::string line(lines.Next());
      ++lineNumber;
      if (line.find('[') == std::string::npos || line.find(']') == std::string::npos) {
        return Refuse(show, line);
      }
      for (int i = 0; i < 4; ++i) ReplaceFirst(line, "\\-", "");
      const std::string document = "{" + header + "\r\n" + TrimLeft(line) + "}";
      const std::string plain = TrimLeft(richtext::RtfToPlainText(document).value_or(std::string()));
      BuildEntry entry;
      entry.number = static_cast<int>(entries.size());
      SplitHeadwords(plain, entry.english, entry.greek);
      const std::string description = line.substr(std::min(DescriptionStart(line), line.size()));
      entry.offset = offset;
      entry.length = static_cast<int>(description.size());
      const std::string where = LineRef(kSourceFile, lineNumber);
      if (entry.number > kMaxBuildEntries) return Refuse(show, where + ": more than 30001 entries");
      if (entry.english.size() > static_cast<size_t>(kMaxBuildEnglishLength)) {
        return Refuse(show, where + ": the English headword is longer than 123 characters");
      }
      if (HoldsControlByte(entry.english) || HoldsControlByte(entry.greek)) {
        return Refuse(show, where + ": the English headword or the Greek rendering holds a line break or control character");
      }
      if (entry.greek.size() > static_cast<size_t>(kMaxBuildGreekLength)) {
        return Refuse(show, where + ": the Greek rendering is longer than 114 characters");
      }
      if (description.size() > static_cast<size_t>(kMaxBuildDescriptionLength)) {
        return Refuse(show, where + ": the description is longer than 31000 bytes");
      }
      if (offset > 99999999) return Refuse(show, where + ": the description file grows past 99999999 bytes");
      offset += entry.length + 2;
      descriptions.Line(description);
      entries.push_back(std::move(entry));
    }
    if (!descriptions.Save()) return Refuse(show, "Cannot write " + descriptions.path);
  }

  const LetterWindows windows = DeriveLetterWindows(entries);
  for (int letter = 0; letter < 26; ++letter) {
    if (windows.last[letter] < 1) continue;
    const BuildEntry& e = entries[static_cast<size_t>(windows.last[letter])];
    show(e.english + " " + e.greek);
  }

  std::vector<BuildGreekTerm> terms;
  const LinkOutcome linked = LinkGreekTerms(fs, Resolve(fs, programDir, kGreekListFile), Resolve(fs, programDir, kReportDir),
                                            entries, terms, windows, show);
  if (linked.stopped) return false;

  int longTranslations = 0;
  {
    TextOutput english(fs, JoinPath(dataDir, "QuorvelI_un.tbo"));
    for (size_t i = 1; i < entries.size(); ++i) {
      const BuildEntry& e = entries[i];
      const bool withGreek = !e.greek.empty() && (e.links[0] == 0 || e.links[1] != 0);
      if (withGreek && ++longTranslations > kMaxBuildLongTranslations) {
        return Refuse(show, LineRef(kSourceFile, static_cast<int>(i) + 1) + ": more than 999 long translations");
      }
      english.Line(IndexLine(e, withGreek));
    }
    TextOutput greek(fs, JoinPath(dataDir, "QuorvelHI_un.tbo"));
    for (size_t k = 1; k < terms.size(); ++k) {
      const BuildGreekTerm& t = terms[k];
      greek.Line(ZeroPad(static_cast<uint64_t>(t.firstLink), 5) + ZeroPad(static_cast<uint64_t>(t.secondLink), 5) + t.term);
    }
    const bool englishSaved = english.Save();
    if (!greek.Save() || !englishSaved) return Refuse(show, "Cannot write the index files in " + dataDir);
  }
  show("ok");

  Status status = EncodeIndexFile(fs, Resolve(fs, programDir, kPlainEnglishIndex), JoinPath(dataDir, "QuorvelI.tbo"));
  if (status.ok()) status = EncodeIndexFile(fs, Resolve(fs, programDir, kPlainGreekIndex), JoinPath(dataDir, "QuorvelHI.tbo"));
  if (status.ok()) {
    status = PositionEncodeFile(fs, Resolve(fs, programDir, kPlainDescriptions), JoinPath(dataDir, "Quorvel.tbo"));
  }
  if (!status.ok()) return Refuse(show, status.message());
  show("ok");
  return true;
}

namespace {

// True when the braces of an RTF fragment balance (escaped braces and backslashes skipped).
bool BracesBalance(std::string_view rtf) {
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}' && --depth < 0) {
      return false;
    }
  }
  return depth == 0;
}

}  // namespace

int CheckAllDescriptions(FileSystem& fs, const std::string& programDir, const MessageSink& show) {
  Locations locations;
  locations.ProgramDir = programDir.empty() || programDir.back() == '/' ? programDir : programDir + "/";
  ResolvePublishedFiles(fs, locations);
  const std::string header = ReadRtfHeader(fs, locations.DescriptionFile());
  auto dictionary = std::make_unique<Dictionary>();
  LoadEntryIndex(*dictionary, locations, fs);  // published entries only: no user folder
  if (fs.Kind(locations.DescriptionFile()) != FileKind::kRegular || dictionary->englishCount == 0) {
    show("Cannot read the published data files");
    return -1;
  }
  int problems = 0;
  for (int k = 1; k <= dictionary->englishCount; ++k) {
    const TEnglishEntry& e = dictionary->EnglishIndex[k];
    const auto text = ReadDescriptionText(fs, locations.DescriptionFile(), e.DescrOffset, e.DescrLength,
                                          DescriptionCoding::Position);
    bool problem = !text;
    if (text) {
      const std::string document = header + "\r\n" + TrimLeft(*text) + " \\par \\par}";
      const auto plain = richtext::RtfToPlainText(document);
      problem = !plain || plain->rfind("{\\rtf", 0) == 0 || !BracesBalance(*text);
    }
    if (problem) {
      show("Problem with k=" + std::to_string(k));
      ++problems;
    }
  }
  return problems;
}

Status ByteRange(FileSystem& fs, const std::string& programDir, const MessageSink& show) {
  const std::string path = Resolve(fs, programDir, "data/igr_.tbo");
  const auto content = ReadWhole(fs, path);
  if (!content) return Status::IoError("cannot read " + path);
  int minimum = 200;
  int maximum = 0;
  LineReader lines(*content);
  while (!lines.AtEnd()) {
    for (char c : lines.Next()) {
      const int b = static_cast<unsigned char>(c);
      maximum = std::max(maximum, b);
      minimum = std::min(minimum, b);
    }
  }
  show(std::to_string(minimum) + "  -  " + std::to_string(maximum));
  return Status::Ok();
}

}  // namespace quorvel::maintenance

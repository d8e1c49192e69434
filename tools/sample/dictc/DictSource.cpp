#include "tools/sample/dictc/DictSource.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

#include "tools/sample/dictc/StrictText.h"

namespace quorvel::dictc {

namespace {

constexpr std::array<std::string_view, 13> kDrawings = {
    "anchor",          "bowline",       "reef-knot",      "clove-hitch",   "figure-of-eight",
    "midship-section", "hull-dimensions", "sloop-sails",  "lateral-marks", "cardinal-marks",
    "compass-rose",    "points-of-sail", "navigation-lights"};

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(TrimBlanks(text.substr(start, end - start)));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string CheckHeadword(std::string_view headword) {
  if (headword.empty()) return "empty headword";
  if (headword.size() > kMaxHeadwordBytes) {
    return "headword longer than " + std::to_string(kMaxHeadwordBytes) + " characters";
  }
  for (char c : headword) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7E) return "headword must be printable ASCII";
    if (std::string_view("[]{}\\=*").find(c) != std::string_view::npos) {
      return std::string("headword must not contain '") + c + "'";
    }
  }
  return {};
}

std::string CheckGreek(const std::vector<std::string>& renderings) {
  if (renderings.size() > kMaxRenderings) {
    return "more than " + std::to_string(kMaxRenderings) + " Greek renderings";
  }
  size_t joined = 0;
  for (const std::string& term : renderings) {
    if (term.empty()) return "empty Greek rendering between commas";
    if (term.find_first_of("[]=") != std::string::npos) {
      return "Greek rendering \"" + term + "\" must not contain [ ] or =";
    }
    const StrictCp1253 bytes = ToCp1253Strict(term);
    if (!bytes.error.empty()) return "Greek rendering \"" + term + "\": " + bytes.error;
    joined += bytes.bytes.size() + (joined > 0 ? 2 : 0);
  }
  if (joined > kMaxGreekBytes) {
    return "Greek renderings longer than " + std::to_string(kMaxGreekBytes) + " characters";
  }
  return {};
}

// "anchor" or "2=bowline", comma-separated.
std::string ParseFigures(std::string_view field, std::vector<FigureRef>& figures) {
  if (field.empty()) return {};
  for (std::string_view item : Split(field, ',')) {
    FigureRef figure;
    std::string_view name = item;
    const size_t equals = item.find('=');
    if (equals != std::string_view::npos) {
      const std::string_view digit = TrimBlanks(item.substr(0, equals));
      if (digit.size() != 1 || digit[0] < '1' || digit[0] > '9') {
        return "figure \"" + std::string(item) + "\": the number must be one digit 1-9";
      }
      figure.digit = digit[0] - '0';
      name = TrimBlanks(item.substr(equals + 1));
    }
    if (!IsKnownDrawing(name)) return "unknown drawing \"" + std::string(name) + "\"";
    for (const FigureRef& other : figures) {
      if (other.digit == figure.digit) return "figure \"" + std::string(item) + "\" given twice";
    }
    figure.drawing = std::string(name);
    figures.push_back(std::move(figure));
  }
  return {};
}

}  // namespace

bool IsKnownDrawing(std::string_view name) {
  return std::find(kDrawings.begin(), kDrawings.end(), name) != kDrawings.end();
}

std::string Where(const SourceRecord& record) {
  return record.file + ":" + std::to_string(record.line) + ": ";
}

bool HoldsRecord(std::string_view line) {
  line = TrimBlanks(line);
  return !line.empty() && line.front() != '#';
}

ParsedRecord ParseRecordLine(std::string_view line) {
  ParsedRecord parsed;
  const std::vector<std::string_view> fields = Split(line, '|');
  if (fields.size() != 3 && fields.size() != 4) {
    parsed.error = "expected 3 or 4 fields separated by '|', found " +
                   std::to_string(fields.size());
    return parsed;
  }
  SourceRecord record;
  record.headword = std::string(fields[0]);
  if (std::string error = CheckHeadword(record.headword); !error.empty()) {
    parsed.error = std::move(error);
    return parsed;
  }
  if (!fields[1].empty()) {
    for (std::string_view term : Split(fields[1], ',')) record.greek.emplace_back(term);
  }
  if (std::string error = CheckGreek(record.greek); !error.empty()) {
    parsed.error = std::move(error);
    return parsed;
  }
  record.description = std::string(fields[2]);
  if (record.description.empty()) {
    parsed.error = "empty description";
    return parsed;
  }
  if (fields.size() == 4) {
    if (std::string error = ParseFigures(fields[3], record.figures); !error.empty()) {
      parsed.error = std::move(error);
      return parsed;
    }
  }
  parsed.record = std::move(record);
  return parsed;
}

LoadedSource ParseSourceText(std::string_view text, const std::string& fileName) {
  LoadedSource loaded;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!HoldsRecord(line)) continue;
    ParsedRecord parsed = ParseRecordLine(line);
    if (!parsed.record) {
      loaded.error = fileName + ":" + std::to_string(lineNumber) + ": " + parsed.error;
      return loaded;
    }
    parsed.record->file = fileName;
    parsed.record->line = lineNumber;
    loaded.records.push_back(std::move(*parsed.record));
  }
  return loaded;
}

LoadedSource LoadSourceFolder(const std::filesystem::path& dir) {
  LoadedSource loaded;
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (const auto& item : std::filesystem::directory_iterator(dir, ec)) {
    if (item.is_regular_file(ec) && item.path().extension() == ".txt") {
      files.push_back(item.path());
    }
  }
  if (ec) {
    loaded.error = dir.string() + ": cannot read the folder: " + ec.message();
    return loaded;
  }
  if (files.empty()) {
    loaded.error = dir.string() + ": no .txt source files";
    return loaded;
  }
  std::sort(files.begin(), files.end());
  for (const std::filesystem::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      loaded.error = file.string() + ": cannot be read";
      return loaded;
    }
    LoadedSource part = ParseSourceText(text, file.string());
    if (!part.error.empty()) {
      loaded.error = std::move(part.error);
      return loaded;
    }
    std::move(part.records.begin(), part.records.end(), std::back_inserter(loaded.records));
  }
  return loaded;
}

}  // namespace quorvel::dictc

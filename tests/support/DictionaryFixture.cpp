#include "tests/support/DictionaryFixture.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#include "core/Codec.h"
#include "core/Cp1253.h"
#include "core/LineReader.h"
#include "core/RtfEscape.h"
#include "core/TextOps.h"
#include "core/UserRecord.h"
#include "tests/support/WholeFile.h"

namespace fs = std::filesystem;

namespace quorvel::test {
namespace {

std::string Padded(std::string_view text, size_t width) {
  std::string field(text.substr(0, width));
  field.resize(width, ' ');
  return field;
}

std::string CodedLines(const std::vector<std::string>& lines, bool mirror) {
  std::string out;
  int64_t ordinal = 0;
  for (const std::string& line : lines) {
    ++ordinal;
    out += mirror ? MirrorEncode(ordinal, line) : ShiftEncode(line);
    out += "\r\n";
  }
  return out;
}

std::vector<std::string> DecodedLines(const std::optional<std::string>& content) {
  std::vector<std::string> lines;
  if (!content) return lines;
  LineReader reader(*content);
  while (!reader.AtEnd()) lines.push_back(ShiftDecode(reader.Next()));
  return lines;
}

}  // namespace

DictionaryFixture::DictionaryFixture() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
    const fs::path candidate =
        base / ("quorvel-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::error_code error;
    if (fs::create_directory(candidate, error)) root_ = candidate.string() + "/";
  }
  if (root_.empty()) throw std::runtime_error("cannot create a temporary folder");
  fs::create_directories(root_ + "data");
  fs::create_directories(root_ + "user");
}

DictionaryFixture::~DictionaryFixture() {
  std::error_code error;
  fs::remove_all(root_, error);
}

std::string DictionaryFixture::userDir() const { return root_ + "user"; }

Locations DictionaryFixture::locations() const {
  Locations locations;
  locations.ProgramDir = root_;
  SetUserFilePaths(locations, userDir());
  return locations;
}

std::string DictionaryFixture::EnglishLine(int number, std::string_view headword, int64_t offset,
                                           int length, int keyStart,
                                           std::optional<std::string_view> longTranslation) {
  std::string line = ZeroPad(static_cast<uint64_t>(number), 5) + Padded(headword, 123) +
                     ZeroPad(static_cast<uint64_t>(offset), 8) +
                     ZeroPad(static_cast<uint64_t>(length), 5) + " " +
                     ZeroPad(static_cast<uint64_t>(keyStart), 2) + "     ";
  if (longTranslation) line += *longTranslation;
  return line;
}

std::string DictionaryFixture::GreekLine(int number, int second, std::string_view term) {
  return ZeroPad(static_cast<uint64_t>(number), 5) + ZeroPad(static_cast<uint64_t>(second), 5) +
         Padded(term, 132);
}

std::string DictionaryFixture::UserIndexLine(int attach, int own, std::string_view headword,
                                             int64_t offset, int length) {
  return FormatUserIndexLine(static_cast<uint32_t>(attach), static_cast<uint32_t>(own), headword,
                             static_cast<uint64_t>(offset), static_cast<uint64_t>(length));
}

std::string DictionaryFixture::UserGreekLine(int attach, int own, std::string_view term) {
  return FormatUserGreekLine(static_cast<uint32_t>(attach), static_cast<uint32_t>(own), term);
}

void DictionaryFixture::WriteFile(const std::string& relativePath, std::string_view bytes) const {
  const fs::path path = fs::path(root_) / relativePath;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void DictionaryFixture::WritePublishedEnglishLines(const std::vector<std::string>& plainLines) const {
  WriteFile("data/QuorvelI.tbo", CodedLines(plainLines, true));
}

void DictionaryFixture::WritePublishedGreekLines(const std::vector<std::string>& plainLines) const {
  WriteFile("data/QuorvelHI.tbo", CodedLines(plainLines, true));
}

std::vector<int64_t> DictionaryFixture::WritePublishedDescriptions(
    std::string_view header, const std::vector<std::string>& bodies) const {
  std::string file = PositionEncode(1, header.substr(0, 511));
  file.resize(511, '\0');
  std::vector<int64_t> offsets;
  for (const std::string& body : bodies) {
    const auto offset = static_cast<int64_t>(file.size());
    offsets.push_back(offset);
    file += PositionEncode(offset + 1, body);
  }
  WriteFile("data/Quorvel.tbo", file);
  return offsets;
}

void DictionaryFixture::WritePublished(const std::vector<PublishedEntry>& entries,
                                       const std::vector<PublishedTerm>& terms,
                                       std::string_view header) const {
  std::vector<std::string> bodies;
  for (const PublishedEntry& entry : entries) bodies.push_back(entry.description);
  const std::vector<int64_t> offsets = WritePublishedDescriptions(header, bodies);
  std::vector<std::string> lines;
  for (size_t i = 0; i < entries.size(); ++i) {
    const PublishedEntry& e = entries[i];
    const int number = e.number != 0 ? e.number : static_cast<int>(i) + 1;
    std::optional<std::string_view> translation;
    if (e.longTranslation) translation = *e.longTranslation;
    lines.push_back(EnglishLine(number, e.headword, offsets[i], static_cast<int>(e.description.size()),
                                e.keyStart, translation));
  }
  WritePublishedEnglishLines(lines);
  std::vector<std::string> greek;
  for (const PublishedTerm& t : terms) greek.push_back(GreekLine(t.number, t.second, t.term));
  WritePublishedGreekLines(greek);
}

void DictionaryFixture::WriteUserIndexLines(const std::vector<std::string>& plainLines) const {
  WriteFile("user/QuorvelIC.tbo", CodedLines(plainLines, false));
}

void DictionaryFixture::WriteUserGreekLines(const std::vector<std::string>& plainLines) const {
  WriteFile("user/QuorvelHIC.tbo", CodedLines(plainLines, false));
}

void DictionaryFixture::WriteUserDescriptions(const std::vector<std::string>& plainDescriptions) const {
  std::string file;
  for (const std::string& d : plainDescriptions) file += ShiftEncode(d);
  WriteFile("user/QuorvelC.tbo", file);
}

void DictionaryFixture::WriteUserEntries(const std::vector<UserLine>& lines) const {
  std::vector<std::string> index;
  std::vector<std::string> descriptions;
  int64_t offset = 1;
  for (const UserLine& l : lines) {
    const std::string_view headword = l.own == l.attach ? std::string_view() : l.headword;
    const int length = static_cast<int>(l.description.size());
    index.push_back(UserIndexLine(l.attach, l.own, headword, offset, length));
    descriptions.push_back(l.description);
    offset += length;
  }
  WriteUserIndexLines(index);
  WriteUserDescriptions(descriptions);
}

std::vector<std::string> DictionaryFixture::UserIndexLines() const {
  return DecodedLines(ReadRaw("user/QuorvelIC.tbo"));
}

std::vector<std::string> DictionaryFixture::UserGreekLines() const {
  return DecodedLines(ReadRaw("user/QuorvelHIC.tbo"));
}

std::vector<std::string> DictionaryFixture::UserDescriptions() const {
  const std::optional<std::string> file = ReadRaw("user/QuorvelC.tbo");
  std::vector<std::string> descriptions;
  for (const std::string& line : UserIndexLines()) {
    const auto offset = ParseDecimal(Columns(line, 91, 98));
    const auto length = ParseDecimal(Columns(line, 99, 103));
    std::string text;
    if (file && offset && length && *offset >= 1 && *offset - 1 + *length <= file->size()) {
      text = ShiftDecode(std::string_view(*file).substr(*offset - 1, *length));
    }
    descriptions.push_back(text);
  }
  return descriptions;
}

std::optional<std::string> DictionaryFixture::ReadRaw(const std::string& relativePath) const {
  if (!Exists(relativePath)) return std::nullopt;
  return test::ReadWholeFile(root_ + relativePath);
}

bool DictionaryFixture::Exists(const std::string& relativePath) const {
  std::error_code error;
  return fs::is_regular_file(fs::path(root_) / relativePath, error);
}

std::string RtfText(std::string_view utf8) {
  std::string out;
  for (const char c : Utf8ToCp1253(utf8)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      AppendRtfEscape(out, byte, HexCase::kLower);
    } else {
      if (c == '{' || c == '}') out += '\\';
      out += c;
    }
  }
  return out;
}

}  // namespace quorvel::test

// export-tabfile: writes a program folder's English entries as a StarDict tab file, one line
// "headword TAB plain description" in UTF-8, for stardict-tools' `tabfile` to convert. The
// converted dictionary lets sdcv answer the same lookups as quorvel-tools, for benchmarks that
// put the two side by side (headword lookups and sdcv's full-text search alike).
//
//   export-tabfile PROGRAM_DIR OUT.tab
//
// The description is the plain text of the document the entry view loads (the tools' `text`
// command), with the user's additions; its line ends become the tab file's "\n" escapes. The
// headword loses its leading blanks, which a lookup key does not have.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "core/Cp1253.h"
#include "core/DescriptionFile.h"
#include "core/EntryDocument.h"
#include "core/EntryIndex.h"
#include "core/Locations.h"
#include "core/TextOps.h"
#include "platform/PosixFileSystem.h"
#include "richtext/RtfReader.h"

namespace {

// The tab file's escapes: a backslash doubles, a line end becomes "\n" (CR LF counts once), a
// tab or other control character becomes a space, so that every entry stays on its line.
std::string TabfileText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quorvel;
  if (argc != 3) {
    std::cerr << "usage: export-tabfile PROGRAM_DIR OUT.tab\n";
    return 2;
  }
  // The user's files are found as the tools find them in the program folder (its data folder,
  // else the settings file). That makes the program folder the current one, so both paths are
  // made absolute first.
  const std::string output = std::filesystem::absolute(argv[2]).string();
  PosixFileSystem fs;
  const Locations locations =
      ResolveFileLocations(fs, std::filesystem::absolute(argv[1]).string(), SystemFoldersFromEnvironment());
  Dictionary dictionary;
  const LoadReport report = LoadEntryIndex(dictionary, locations, fs);
  if (!report.englishIndexFound || !report.status.ok()) {
    std::cerr << "export-tabfile: the index did not load: " << report.status.message() << '\n';
    return 1;
  }
  const std::string header = ReadRtfHeader(fs, locations.DescriptionFile());

  std::ofstream out(output, std::ios::binary);
  int written = 0;
  int skipped = 0;
  for (int slot = 1; slot <= dictionary.englishCount; ++slot) {
    const std::string headword = TabfileText(Cp1253ToUtf8(Trim(dictionary.EnglishIndex[slot].Headword)));
    const auto document = BuildDescriptionDocument(fs, dictionary, locations, header, slot);
    const auto plain = document ? richtext::RtfToPlainText(*document) : std::nullopt;
    // tabfile refuses a line without a word or without text; such an entry is left out.
    if (headword.empty() || !plain || Trim(*plain).empty()) {
      ++skipped;
      continue;
    }
    out << headword << '\t' << TabfileText(Cp1253ToUtf8(*plain)) << '\n';
    ++written;
  }
  out.close();
  if (!out) {
    std::cerr << "export-tabfile: cannot write " << output << '\n';
    return 1;
  }
  std::cerr << "export-tabfile: " << written << " entries written, " << skipped
            << " left out (no headword or no description text)\n";
  return 0;
}

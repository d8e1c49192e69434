// A throw-away program folder for tests: the published data files and the user's files written
// from plain (decoded) text, and the user's files read back decoded.
//
// Each DictionaryFixture owns a fresh, unique folder under the system's temporary folder and
// removes it when destroyed. Its layout:
//
//   <root>/data/Quorvel.tbo, QuorvelI.tbo, QuorvelHI.tbo   the published files
//   <root>/user/QuorvelC.tbo, QuorvelIC.tbo, QuorvelHIC.tbo the user's files (and temporaries)
//
// Typical use:
//
//   DictionaryFixture fx;
//   fx.WritePublished({{"anchor", "{\\b anchor}"}, {"bow"}, {"stern"}},
//                     {{1, "\xe1\xe3\xea\xf5\xf1\xe1"}});      // entries 1-3, one Greek term
//   fx.WriteUserEntries({{2, 90, "boat", "{hi}"}});          // a user entry after "bow"
//   Dictionary d;
//   LoadEntryIndex(d, fx.locations(), writer);
//   ... fx.UserIndexLines(), fx.UserDescriptions() to check what a store operation wrote.
//
// The line builders lay out one decoded line exactly as the files hold it; the Write functions
// code what they are given (MirrorEncode per line ordinal, PositionEncode by file position,
// ShiftEncode per line and per description) and end every index line with CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Locations.h"

namespace quorvel::test {

// The header block that WritePublished uses unless told otherwise: with "{" in front it opens
// an RTF document and declares font 60, which user additions refer to.
inline constexpr std::string_view kFixtureRtfHeader =
    "\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Arial;}"
    "{\\f60\\fnil\\fcharset161 Times New Roman;}}\r\n";

// One published entry for WritePublished. `number` 0 means "the line ordinal".
struct PublishedEntry {
  std::string headword{};
  std::string description{};  // the RTF body stored for the entry (may be empty)
  int keyStart = 1;
  std::optional<std::string> longTranslation{};  // the text from column 150, when the line has one
  int number = 0;
};

// One published Greek term for WritePublished.
struct PublishedTerm {
  int number = 0;  // the English entry it translates
  std::string term{};
  int second = 0;  // a second entry number, 0 for none
};

// One user line for WriteUserEntries: an entry line when own != attach, an addition line when
// own == attach (its headword is ignored). `description` is the plain stored fragment.
struct UserLine {
  int attach = 0;
  int own = 0;
  std::string headword{};
  std::string description{};
};

class DictionaryFixture {
 public:
  DictionaryFixture();
  ~DictionaryFixture();
  DictionaryFixture(const DictionaryFixture&) = delete;
  DictionaryFixture& operator=(const DictionaryFixture&) = delete;

  // The folder, with a trailing "/".
  const std::string& programDir() const { return root_; }
  std::string userDir() const;
  // ProgramDir set to the folder and the six user paths into userDir(); SettingsFile empty.
  Locations locations() const;

  // Decoded line layouts.
  // Published English line: Number, headword (123 columns), 0-based offset, length, one blank
  // column, KeyStart (2 digits), five blank columns: 149 columns, then the long translation.
  static std::string EnglishLine(int number, std::string_view headword, int64_t offset, int length,
                                 int keyStart = 1, std::optional<std::string_view> longTranslation = {});
  // Published Greek line: Number, second number, term padded to 132 columns.
  static std::string GreekLine(int number, int second, std::string_view term);
  // User English index line of 103 columns (headword padded to 80; `offset` is 1-based).
  static std::string UserIndexLine(int attach, int own, std::string_view headword, int64_t offset,
                                   int length);
  // User Greek line: attach, own number and the term, not padded.
  static std::string UserGreekLine(int attach, int own, std::string_view term);

  // Raw writes of plain content (folders are created as needed). `relativePath` is below the
  // fixture's root, e.g. "data/QuorvelI.tbo".
  void WriteFile(const std::string& relativePath, std::string_view bytes) const;
  void WritePublishedEnglishLines(const std::vector<std::string>& plainLines) const;
  void WritePublishedGreekLines(const std::vector<std::string>& plainLines) const;
  // The header (zero-padded to the 511-byte block) and the bodies after it, all position-coded
  // (the padding stays zero). Returns each body's 0-based offset in the file.
  std::vector<int64_t> WritePublishedDescriptions(std::string_view header,
                                                  const std::vector<std::string>& bodies) const;

  // All three published files from entries and terms.
  void WritePublished(const std::vector<PublishedEntry>& entries,
                      const std::vector<PublishedTerm>& terms = {},
                      std::string_view header = kFixtureRtfHeader) const;

  // The user files, from plain lines and plain descriptions (each coded on its own).
  void WriteUserIndexLines(const std::vector<std::string>& plainLines) const;
  void WriteUserGreekLines(const std::vector<std::string>& plainLines) const;
  void WriteUserDescriptions(const std::vector<std::string>& plainDescriptions) const;
  // The user index and description files from lines, with contiguous offsets from 1.
  void WriteUserEntries(const std::vector<UserLine>& lines) const;

  // The user files read back: decoded lines; the decoded description of each index line at its
  // recorded offset and length (empty when it cannot be read).
  std::vector<std::string> UserIndexLines() const;
  std::vector<std::string> UserGreekLines() const;
  std::vector<std::string> UserDescriptions() const;
  // The raw (coded) bytes of a file below the root; nothing when it does not exist.
  std::optional<std::string> ReadRaw(const std::string& relativePath) const;
  bool Exists(const std::string& relativePath) const;

 private:
  std::string root_;
};

// UTF-8 text as the published descriptions hold it: code page 1253, every byte above 127 as
// "\'hh" (lower-case digits) and the braces as "\{" and "\}", ready to stand inside a group.
std::string RtfText(std::string_view utf8);

}  // namespace quorvel::test

// The RTF of the entry document: the 511-character header that every description document
// starts with, and the conversion of a description's light markup into an RTF body.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::dictc {

// The build reads the header as exactly 511 characters (the first description starts at 513).
inline constexpr size_t kRtfHeaderLength = 511;

// The header line: 7-bit RTF without the opening "{" (the program puts it in front), with the
// font table (\f0 and \f60, Greek character set), a colour table and the default paragraph
// settings, padded inside an ignorable destination.
std::string RtfHeader();

// Code page 1253 text as RTF text: \ { } escaped, every byte outside 0x20-0x7E as \'hh.
std::string EscapeRtfText(std::string_view cp1253);

struct DescriptionRtf {
  std::string rtf;                      // 7-bit RTF body, braces balanced
  std::vector<int> figureDigits;        // the figure references, 0 for {Σχήμα}
  std::vector<std::string> crossRefs;   // the headwords of →[...]
  std::string error;                    // set when the markup is malformed
};
// Converts a UTF-8 description with **bold**, *italic*, ¶ (new paragraph), →[headword] and
// the figure references {Σχήμα} / {Σχήμα N}.
DescriptionRtf DescriptionToRtf(std::string_view utf8);

}  // namespace quorvel::dictc

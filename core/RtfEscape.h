// The RTF escape of one byte of code page 1253 text: "\'" and two hexadecimal digits. The
// program writes upper-case digits into the text it adds to a document (the user's own
// descriptions, the addition's caption); the documents a rich-text control saves, and the
// published descriptions, carry lower-case ones.
#pragma once

#include <string>

namespace quorvel {

enum class HexCase { kUpper, kLower };

// The two hexadecimal digits of `byte`.
void AppendHexDigits(std::string& out, unsigned char byte, HexCase hexCase);

// "\'" and the two hexadecimal digits of `byte`.
inline void AppendRtfEscape(std::string& out, unsigned char byte, HexCase hexCase) {
  out += "\\'";
  AppendHexDigits(out, byte, hexCase);
}

}  // namespace quorvel

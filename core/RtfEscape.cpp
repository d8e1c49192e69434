#include "core/RtfEscape.h"

namespace quorvel {

void AppendHexDigits(std::string& out, unsigned char byte, HexCase hexCase) {
  const char* digits = hexCase == HexCase::kUpper ? "0123456789ABCDEF" : "0123456789abcdef";
  out += digits[byte >> 4];
  out += digits[byte & 0x0F];
}

}  // namespace quorvel

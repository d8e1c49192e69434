#include "tools/sample/dictc/EntryRtf.h"

#include "core/Cp1253.h"
#include "core/RtfEscape.h"
#include "tools/sample/dictc/StrictText.h"

namespace quorvel::dictc {

namespace {

constexpr std::string_view kFigureWord = "\xCE\xA3\xCF\x87\xCE\xAE\xCE\xBC\xCE\xB1";  // Σχήμα
constexpr char32_t kParagraphMark = 0xB6;                                       // ¶
constexpr char32_t kCrossRefArrow = 0x2192;                                     // →

void AppendEscapedByte(std::string& out, unsigned char byte) {
  if (byte == '\\' || byte == '{' || byte == '}') {
    out += '\\';
    out += static_cast<char>(byte);
  } else if (byte >= 0x20 && byte <= 0x7E) {
    out += static_cast<char>(byte);
  } else {
    AppendRtfEscape(out, byte, HexCase::kLower);
  }
}

// A figure reference at `pos` ("{Σχήμα}" or "{Σχήμα N}", N 1-9): its length and digit.
bool MatchFigureRef(std::string_view text, size_t pos, size_t& length, int& digit) {
  std::string_view rest = text.substr(pos);
  if (rest.size() < 2 + kFigureWord.size() || rest[0] != '{' ||
      rest.substr(1, kFigureWord.size()) != kFigureWord) {
    return false;
  }
  rest.remove_prefix(1 + kFigureWord.size());
  if (rest.front() == '}') {
    length = 2 + kFigureWord.size();
    digit = 0;
    return true;
  }
  if (rest.size() >= 3 && rest[0] == ' ' && rest[1] >= '1' && rest[1] <= '9' && rest[2] == '}') {
    length = 4 + kFigureWord.size();
    digit = rest[1] - '0';
    return true;
  }
  return false;
}

}  // namespace

std::string RtfHeader() {
  std::string header =
      "\\rtf1\\ansi\\ansicpg1253\\deff0\\deflang1032"
      "{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}{\\f60\\froman\\fcharset161 Times New Roman;}}"
      "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;}"
      "\\viewkind4\\uc1\\pard\\f0\\fs20";
  const std::string open = "{\\*\\generator Orvanta sample dictionary";
  const std::string close = ";}";
  header += open;
  header.append(kRtfHeaderLength - header.size() - close.size(), ' ');
  header += close;
  return header;
}

std::string EscapeRtfText(std::string_view cp1253) {
  std::string out;
  out.reserve(cp1253.size() * 2);
  for (char c : cp1253) AppendEscapedByte(out, static_cast<unsigned char>(c));
  return out;
}

DescriptionRtf DescriptionToRtf(std::string_view text) {
  DescriptionRtf result;
  bool bold = false;
  bool italic = false;
  const auto fail = [&result](std::string message) {
    result.rtf.clear();
    result.error = std::move(message);
    return result;
  };
  size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '*') {
      if (text.substr(pos, 2) == "**") {
        result.rtf += bold ? "\\b0 " : "\\b ";
        bold = !bold;
        pos += 2;
      } else {
        result.rtf += italic ? "\\i0 " : "\\i ";
        italic = !italic;
        ++pos;
      }
      continue;
    }
    if (c == '{') {
      size_t length = 0;
      int digit = 0;
      if (!MatchFigureRef(text, pos, length, digit)) {
        return fail("a '{' that does not start a figure reference {Σχήμα} or {Σχήμα N}");
      }
      result.rtf += "\\{" + EscapeRtfText(Utf8ToCp1253(text.substr(pos + 1, length - 2))) + "\\}";
      result.figureDigits.push_back(digit);
      pos += length;
      continue;
    }
    if (c == '}') return fail("a '}' outside a figure reference");
    if (c == '\\') return fail("a backslash in the description");
    const size_t at = pos;
    const std::optional<char32_t> ch = NextCodePoint(text, pos);
    if (!ch) return fail("malformed UTF-8 at byte " + std::to_string(at + 1));
    if (*ch < 0x20 || *ch == 0x7F) return fail("control character " + DescribeCodePoint(*ch));
    if (*ch == kParagraphMark) {
      result.rtf += "\\par ";
      continue;
    }
    if (*ch == kCrossRefArrow) {
      const size_t close = text.find(']', pos);
      if (pos >= text.size() || text[pos] != '[' || close == std::string_view::npos) {
        return fail("a cross reference must read \u2192[headword]");
      }
      const std::string target(text.substr(pos + 1, close - pos - 1));
      if (target.empty()) return fail("empty cross reference \u2192[]");
      const StrictCp1253 bytes = ToCp1253Strict(target);
      if (!bytes.error.empty()) return fail("cross reference: " + bytes.error);
      result.crossRefs.push_back(target);
      // Inside italics a reference stays in the surrounding type.
      result.rtf += italic ? EscapeRtfText(bytes.bytes) : "\\i " + EscapeRtfText(bytes.bytes) + "\\i0 ";
      pos = close + 1;
      continue;
    }
    const std::optional<unsigned char> byte = UnicodeToCp1253(*ch);
    if (!byte) return fail("character " + DescribeCodePoint(*ch) + " is not in code page 1253");
    AppendEscapedByte(result.rtf, *byte);
  }
  if (bold) return fail("** (bold) opened but not closed");
  if (italic) return fail("* (italic) opened but not closed");
  return result;
}

}  // namespace quorvel::dictc

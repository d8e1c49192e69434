#include "core/PrintDocument.h"

#include "core/RtfEscape.h"

namespace quorvel {

const std::string_view kPrintTitle =
    "Orvanta - \xC1\xE3\xE3\xEB\xEF\xE5\xEB\xEB\xE7\xED\xE9\xEA\xFC \xCD\xE1\xF5\xF4\xE9\xEA\xFC "
    "\xCB\xE5\xEE\xE9\xEA\xFC - \xA9 \xC5\xEA\xE4\xFC\xF3\xE5\xE9\xF2 Quenborath, \xEC\xE5 "
    "\xF4\xE7\xED \xE5\xF0\xE9\xF6\xFD\xEB\xE1\xEE\xE7 \xF0\xE1\xED\xF4\xFC\xF2 "
    "\xE4\xE9\xEA\xE1\xE9\xFE\xEC\xE1\xF4\xEF\xF2";

namespace {

constexpr std::string_view kJobNamePrefix = "Zoriruv: ";
// The labels of the entry block: "Λήμμα", "Απόδοση", "Περιγραφή".
constexpr std::string_view kEntryLabel = "\xCB\xDE\xEC\xEC\xE1";
constexpr std::string_view kRenderingLabel = "\xC1\xF0\xFC\xE4\xEF\xF3\xE7";
constexpr std::string_view kDescriptionLabel = "\xD0\xE5\xF1\xE9\xE3\xF1\xE1\xF6\xDE";

// The character at a 1-based position; NUL outside the text.
char At(std::string_view text, size_t position) {
  return position >= 1 && position <= text.size() ? text[position - 1] : '\0';
}

// Every byte as "\'" and two upper-case hexadecimal digits.
std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 4);
  for (const char c : text) AppendRtfEscape(out, static_cast<unsigned char>(c), HexCase::kUpper);
  return out;
}

// The 1-based position of the first size control word of two digits, or of one beginning with
// "1" or "2", in `work`, whose other "\fs" words (font families, one-digit sizes) are blotted
// out on the way as "\aa"; 0 when there is none.
size_t FirstSizeWord(std::string& work) {
  size_t found = work.find("\\fs");
  while (found != std::string::npos) {
    const size_t p = found + 1;
    const char first = At(work, p + 3);
    if (first == '1' || first == '2') return p;
    const char third = At(work, p + 5);
    if (third == '\\' || third == ' ' || third == '}' || third == '{') return p;
    work.replace(found, 3, "\\aa");
    found = work.find("\\fs", found);
  }
  return 0;
}

}  // namespace

PrintRows PrintRowsOfEntry(const Dictionary& dictionary, int slot, bool greek) {
  const TEnglishEntry& e = dictionary.EnglishIndex[static_cast<size_t>(slot)];
  const std::string& term = dictionary.GreekIndex[e.GreekSlot].Term;
  return greek ? PrintRows{term, e.Headword} : PrintRows{e.Headword, term};
}

std::string JoinLinesWithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  size_t i = 0;
  while (i < text.size()) {
    const size_t end = text.find_first_of("\r\n", i);
    if (end == std::string_view::npos) {
      out += text.substr(i);
      out += "\r\n";
      break;
    }
    out += text.substr(i, end - i);
    out += "\r\n";
    i = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return out;
}

char GreekFontNumber(std::string_view rtf) {
  const size_t charset = rtf.find("\\fcharset161");
  if (charset == std::string_view::npos) return '0';
  // k runs back from the position just before the control word (1-based).
  size_t k = charset;
  while (k > 0 && !(At(rtf, k) == '\\' && At(rtf, k + 1) == 'f' && At(rtf, k + 3) == '\\')) --k;
  return k > 0 ? At(rtf, k + 2) : '0';
}

std::string BuildPrintDocument(std::string_view viewRtf, const PrintRows& rows) {
  const std::string r = JoinLinesWithCrLf(viewRtf);
  const std::string f(1, GreekFontNumber(r));

  std::string work = r;
  const size_t p = FirstSizeWord(work);
  // The split point: the nearest space or "}" at or before the size control word.
  size_t j = p;
  while (j > 0 && At(r, j) != ' ' && At(r, j) != '}') --j;
  std::string head;
  std::string tail;
  if (p > 0 && j > 0) {
    head = r.substr(0, j);
    tail = r.substr(j - 1, kPrintedRtfLimit);
  } else {
    tail = std::move(work);
  }

  std::string d = head;
  d += " \\ql {\\b\\ul\\f" + f + "\\fs24\\cf0 ";
  d += Escaped(kPrintTitle);
  d += "} \\par \\par \\par \\ql ";
  d += "{\\i\\ul\\f" + f + "\\cellx1200\\cellx8414\\pard\\intbl\\fs24\\cf0 " + Escaped(kEntryLabel) +
       ":\\ul0\\cell}";
  d += "{\\b\\f" + f + "\\fs22\\cf0     " + Escaped(rows.entry) + "\\cell\\row\\trowd} \\par";
  d += "{\\i\\ul\\f" + f + "\\cellx1200\\cellx8414\\pard\\intbl\\fs22\\cf0 " +
       Escaped(kRenderingLabel) + ":\\ul0\\cell}";
  d += "{\\b\\f" + f + "\\fs22\\cf0 " + Escaped(rows.rendering) + "} \\par \\par";
  d += "{\\i\\ul\\f" + f + "\\cellx1200\\cellx8414\\pard\\intbl\\fs22\\cf0 " +
       Escaped(kDescriptionLabel) + ":\\ul0\\cell}";
  d += "{\\f" + f + "\\fs22\\cf0 ";
  d += "\r\n" + tail + "\r\n}}}\r\n";
  return d;
}

std::string PrintJobName(std::string_view headword) {
  std::string name = std::string(kJobNamePrefix) + std::string(headword);
  if (name.size() > kPrintJobNameLimit) name.resize(kPrintJobNameLimit);
  return name;
}

}  // namespace quorvel

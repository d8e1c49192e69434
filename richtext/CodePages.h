// Single-byte code pages that RTF text is written in. The reader turns every text byte into
// Unicode through the page of the current font; the plain text and the writer go the other
// way. Double-byte pages are not carried: their bytes above 127 read as U+FFFD.
#pragma once

#include <array>
#include <optional>

namespace quorvel::richtext {

// The number used here for the symbol character set (the Windows CP_SYMBOL value).
inline constexpr int kSymbolCodePage = 42;

struct CodePage {
  int number = 0;                            // 0 for the unknown page
  std::array<char32_t, 256> toUnicode{};     // U+FFFD where the page leaves a byte undefined
  std::array<unsigned char, 256> toCp1253{};  // the code page 1253 byte of that character, or '?'
};

// The table of a code page: 437, 850, 874, 1250-1258, 10000 (Mac Roman) or kSymbolCodePage.
// Nothing for other numbers. The tables live for the whole program.
const CodePage* FindCodePage(int number);

// The page used when a document or font names a code page not carried: ASCII, and U+FFFD
// for every byte above 127.
const CodePage& UnknownCodePage();

// The code page of an RTF \fcharset value; 0 when the value means "the document's code
// page" (1, the default character set) or is not known.
int CodePageOfCharset(int charset);

// The \fcharset value of a code page; 1 (default character set) when there is none.
int CharsetOfCodePage(int codePage);

// The byte of a character in a page, or nothing when the page lacks it.
std::optional<unsigned char> EncodeChar(const CodePage& page, char32_t ch);

}  // namespace quorvel::richtext

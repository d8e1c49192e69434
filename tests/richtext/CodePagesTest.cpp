#include "richtext/CodePages.h"

#include <gtest/gtest.h>

#include "core/Cp1253.h"

namespace quorvel::richtext {
namespace {

constexpr int kCarried[] = {437, 850, 874, 1250, 1251, 1252, 1253, 1254,
                            1255, 1256, 1257, 1258, 10000, kSymbolCodePage};

TEST(CodePages, CharsetsNameTheirCodePages) {
  EXPECT_EQ(CodePageOfCharset(161), 1253);
  EXPECT_EQ(CodePageOfCharset(0), 1252);
  EXPECT_EQ(CodePageOfCharset(2), kSymbolCodePage);
  EXPECT_EQ(CodePageOfCharset(238), 1250);
  EXPECT_EQ(CodePageOfCharset(204), 1251);
  EXPECT_EQ(CodePageOfCharset(162), 1254);
  EXPECT_EQ(CodePageOfCharset(186), 1257);
  EXPECT_EQ(CodePageOfCharset(177), 1255);
  EXPECT_EQ(CodePageOfCharset(178), 1256);
  // The default charset and unknown values leave the choice to the document.
  EXPECT_EQ(CodePageOfCharset(1), 0);
  EXPECT_EQ(CodePageOfCharset(99), 0);
  for (const int page : kCarried) {
    EXPECT_EQ(CodePageOfCharset(CharsetOfCodePage(page)), page) << page;
  }
  EXPECT_EQ(CharsetOfCodePage(932), 1);
}

TEST(CodePages, Cp1253TableIsCoresTable) {
  const CodePage* page = FindCodePage(1253);
  ASSERT_NE(page, nullptr);
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(page->toUnicode[byte], Cp1253ToUnicode(byte)) << b;
    if (page->toUnicode[byte] != 0xFFFD) {
      EXPECT_EQ(page->toCp1253[byte], byte) << b;
    }
  }
}

TEST(CodePages, TablesHoldTheirCharacters) {
  EXPECT_EQ(FindCodePage(1251)->toUnicode[0xC0], U'А');
  EXPECT_EQ(FindCodePage(1252)->toUnicode[0x80], U'€');
  EXPECT_EQ(FindCodePage(1250)->toUnicode[0x8A], U'Š');
  EXPECT_EQ(FindCodePage(437)->toUnicode[0xE0], U'α');
  EXPECT_EQ(FindCodePage(10000)->toUnicode[0x80], U'Ä');
  EXPECT_EQ(FindCodePage(874)->toUnicode[0xA1], U'ก');
  EXPECT_EQ(FindCodePage(kSymbolCodePage)->toUnicode['a'], U'α');
  EXPECT_EQ(FindCodePage(kSymbolCodePage)->toUnicode[0xB3], U'≥');
  // Through code page 1253: Western é is missing, Cyrillic and Greek letters map.
  EXPECT_EQ(FindCodePage(1252)->toCp1253[0xE9], '?');
  EXPECT_EQ(FindCodePage(1252)->toCp1253[0x80], 0x80);
  EXPECT_EQ(FindCodePage(437)->toCp1253[0xE0], 0xE1);
  EXPECT_EQ(FindCodePage(kSymbolCodePage)->toCp1253['W'], 0xD9);
}

TEST(CodePages, EncodeCharInvertsEveryTable) {
  for (const int number : kCarried) {
    const CodePage& page = *FindCodePage(number);
    for (int b = 0x20; b < 256; ++b) {
      const char32_t ch = page.toUnicode[static_cast<unsigned char>(b)];
      if (ch == 0xFFFD) continue;
      const std::optional<unsigned char> back = EncodeChar(page, ch);
      ASSERT_TRUE(back.has_value()) << number << " " << b;
      EXPECT_EQ(page.toUnicode[*back], ch) << number << " " << b;
    }
    EXPECT_FALSE(EncodeChar(page, U'\U0001F680').has_value());
  }
  EXPECT_FALSE(EncodeChar(*FindCodePage(1253), U'é').has_value());
  EXPECT_FALSE(EncodeChar(*FindCodePage(kSymbolCodePage), U'a').has_value());
}

TEST(CodePages, PagesNotCarriedReadAsUnknown) {
  EXPECT_EQ(FindCodePage(932), nullptr);
  EXPECT_EQ(FindCodePage(0), nullptr);
  const CodePage& unknown = UnknownCodePage();
  EXPECT_EQ(unknown.toUnicode['A'], U'A');
  EXPECT_EQ(unknown.toUnicode[0x82], 0xFFFDu);
  EXPECT_EQ(unknown.toCp1253[0x82], '?');
}

}  // namespace
}  // namespace quorvel::richtext

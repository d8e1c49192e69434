// The request a second start sends to the running window, read back from what a caller may
// send: every cut-short prefix, every damaged byte, lengths past the limit, garbage, and words
// with control characters and letters that code page 1253 lacks.
#include "platform/InstanceMessage.h"

#include <QList>

#include <gtest/gtest.h>

#include "core/Cp1253.h"

namespace quorvel::platform {
namespace {

ParsedRequest Parse(const QByteArray& bytes) { return ParseInstanceRequest(bytes); }
QByteArray Encode(const QString& word, const QByteArray& startupId = {}) {
  return EncodeInstanceRequest(InstanceRequest{word, ActivationToken{startupId, 99}});
}

// The fixed fields by hand: an empty startup id, a word of `wordSize` bytes announced.
QByteArray Header(quint32 wordSize) {
  QByteArray bytes("QRVL\x01\0\0\0\0\0\0", 11);
  for (int shift = 24; shift >= 0; shift -= 8) bytes.append(static_cast<char>((wordSize >> shift) & 0xff));
  return bytes;
}

// Each prefix waits for the rest; each damaged byte is refused, waits for bytes that never come
// (the window drops such a caller), or gives a word that the window can take in.
TEST(InstanceRequestLayout, CutShortOrDamagedRequestsAreNeverMisread) {
  const QByteArray good = Encode(QStringLiteral("ναύς ship"), "launch-7_TIME4711");
  const ParsedRequest whole = Parse(good);
  ASSERT_EQ(whole.state, RequestState::kComplete);
  EXPECT_EQ(whole.request.word, QStringLiteral("ναύς ship"));
  EXPECT_EQ(whole.request.activation.startupId, QByteArray("launch-7_TIME4711"));
  EXPECT_EQ(ActivationTime(whole.request.activation), 4711u);
  for (qsizetype n = 0; n < good.size(); ++n) EXPECT_EQ(Parse(good.first(n)).state, RequestState::kIncomplete) << n;
  for (qsizetype i = 0; i < good.size(); ++i) {
    for (const unsigned char mask : {0x01, 0x20, 0x80, 0xff}) {
      QByteArray damaged = good;
      damaged[i] = static_cast<char>(damaged[i] ^ mask);
      const ParsedRequest parsed = Parse(damaged);
      if (i < 5) {
        EXPECT_EQ(parsed.state, RequestState::kRefused) << "magic or version byte " << i;
      }
      if (parsed.state != RequestState::kComplete) continue;
      for (const char32_t ch : parsed.request.word.toUcs4()) {
        EXPECT_TRUE(QChar::category(ch) != QChar::Other_Control && UnicodeToCp1253(ch))
            << "byte " << i << " mask " << int(mask);
      }
    }
  }
}

TEST(InstanceRequestLayout, OversizedAndForeignBytesAreRefused) {
  constexpr qsizetype kRoom = kMaxInstanceRequest - 15;
  EXPECT_EQ(Parse(Header(kRoom)).state, RequestState::kIncomplete);
  EXPECT_EQ(Parse(Header(kRoom) + QByteArray(kRoom, 'a')).state, RequestState::kComplete);  // exactly 64 KiB
  QByteArray otherVersion = Encode(QStringLiteral("bow"));
  otherVersion[4] = 2;
  const QByteArray refused[] = {
      Header(kRoom + 1),                               // announced past 64 KiB: refused before it comes
      Header(0xffffffffu),
      Header(4) + QByteArray(kMaxInstanceRequest, 'a'),  // past 64 KiB whatever it announced
      QByteArray("QRVL\x01\0\0\0\0\x04\x01", 11),      // a startup id over 1024 bytes
      QByteArray("GET / HTTP/1.1\r\n\r\n"),
      otherVersion,
      Encode(QStringLiteral("bow")) + "x",
      Header(3) + QByteArray("a\xff" "b", 3),         // not UTF-8
      Header(2) + QByteArray("a\xce", 2),             // a character cut short
      Header(2) + QByteArray("\xc0\x80", 2),          // an overlong NUL
  };
  for (const QByteArray& bytes : refused) {
    EXPECT_EQ(Parse(bytes).state, RequestState::kRefused) << bytes.toHex().left(40).toStdString();
  }
}

TEST(InstanceRequestLayout, WordArrivesInTheCodePagesRange) {
  const QString cases[][2] = {
      {QStringLiteral("anc\thor\r\n"), QStringLiteral("anc hor  ")},
      {QString::fromUtf8("a\x01" "b\x7f" "c\xc2\x85" "d"), QStringLiteral("a b c d")},
      {QStringLiteral("ship☃日"), QStringLiteral("ship??")},
      {QString::fromUtf8("\xf0\x9f\x9a\xa2 boat"), QStringLiteral("? boat")},
      {QStringLiteral("ΆΓΚΥΡΑ € «»"), QStringLiteral("ΆΓΚΥΡΑ € «»")},
  };
  for (const auto& [sent, taken] : cases) EXPECT_EQ(Parse(Encode(sent)).request.word, taken) << sent.toStdString();
  // What the layout cannot carry: a word of 80,000 bytes is cut at a character boundary to fit,
  // a startup id that is too long or not printable is left out.
  const QString longWord(40000, QChar(u'ά'));
  const QByteArray bytes = Encode(longWord, QByteArray("id\nTIME"));
  EXPECT_LE(bytes.size(), kMaxInstanceRequest);
  const ParsedRequest parsed = Parse(bytes);
  ASSERT_EQ(parsed.state, RequestState::kComplete);
  EXPECT_GT(parsed.request.word.size(), 30000);
  EXPECT_TRUE(longWord.startsWith(parsed.request.word));
  EXPECT_TRUE(parsed.request.activation.startupId.isEmpty());
  EXPECT_TRUE(Parse(Encode(QString(), QByteArray(kMaxStartupId + 1, 'x'))).request.activation.startupId.isEmpty());
}

}  // namespace
}  // namespace quorvel::platform

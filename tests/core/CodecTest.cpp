#include "core/Codec.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

// Seed 123: b = 123 + 3 = 126, k2 = 1, k1 = 2, k0 = (126 - 20 - 100) mod 6 = 0.
TEST(MirrorCoding, ShortInputsFollowTheMirrorRule) {
  EXPECT_EQ(MirrorDecode(123, ""), "");
  EXPECT_EQ(MirrorDecode(123, "a"), "a");
  EXPECT_EQ(MirrorDecode(123, Bytes({10, 20})), Bytes({12, 20}));
  EXPECT_EQ(MirrorDecode(123, Bytes({10, 20, 30})), Bytes({12, 20, 30}));
  EXPECT_EQ(MirrorDecode(123, Bytes({10, 20, 30, 40})), Bytes({32, 21, 12, 40}));
}

TEST(MirrorCoding, WrapsAroundAndKeepsBytesFromTheFirstZero) {
  EXPECT_EQ(MirrorDecode(123, Bytes({255, 7})), Bytes({1, 7}));
  EXPECT_EQ(MirrorEncode(123, Bytes({1, 7})), Bytes({255, 7}));
  // Working length 2 (the zero ends it): only byte 1 is shifted; the rest stays.
  EXPECT_EQ(MirrorDecode(123, Bytes({10, 20, 0, 5, 6})), Bytes({12, 20, 0, 5, 6}));
}

// Lines of every length up to a few words (the decoder works on eight positions at a time), by
// the rule itself: positions p and e - p (1-based, e the even part of the working length) swap
// and both take key k[p mod 3], k0..k2 from the seed's digits.
TEST(MirrorCoding, EveryLengthFollowsTheMirrorRule) {
  std::string text;
  for (int i = 0; i < 70; ++i) text += static_cast<char>((i * 53 + 7) % 249 + 6);
  for (int64_t seed : {1, 123, 4567, 23177}) {
    const int64_t b = seed % 1000 + seed % 10;
    const int64_t k2 = (b / 100) % 6;
    const int64_t k1 = ((b % 100) / 10) % 6;
    const int64_t keys[3] = {(b - 10 * k1 - 100 * k2) % 6, k1, k2};
    for (size_t length = 0; length <= text.size(); ++length) {
      const std::string line = text.substr(0, length);
      const size_t e = length / 2 * 2;
      std::string expected = line;
      for (size_t p = 1; p <= e / 2; ++p) {
        expected[p - 1] = static_cast<char>(static_cast<unsigned char>(line[e - p - 1]) + keys[p % 3]);
        expected[e - p - 1] = static_cast<char>(static_cast<unsigned char>(line[p - 1]) + keys[p % 3]);
      }
      EXPECT_EQ(MirrorDecode(seed, line), expected) << "seed " << seed << ", length " << length;
      std::string reused = "an earlier, longer line held by the caller's buffer";
      MirrorDecode(seed, line, reused);
      EXPECT_EQ(reused, expected) << "seed " << seed << ", length " << length;
    }
  }
}

// Keys are at most 5, so bytes from 6 up never code to a zero byte that would end the line.
TEST(MirrorCoding, EncodeIsTheInverseForEverySeed) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>((i * 37 + 11) % 250 + 6);
  for (int64_t seed : {1, 2, 9, 10, 99, 100, 555, 999, 1000, 23177, 65535}) {
    EXPECT_EQ(MirrorDecode(seed, MirrorEncode(seed, text)), text) << seed;
    EXPECT_EQ(MirrorDecode(seed, MirrorEncode(seed, text.substr(0, 7))), text.substr(0, 7)) << seed;
  }
}

TEST(PositionCoding, RoundTripsRtfTextAtAnyStart) {
  const std::string rtf = "{\\rtf1\\ansi \\'e1\\'E2 text}\r\n\\par more\r\n";
  for (int64_t start : {1, 2, 513, 100000, 31 * 7 + 3}) {
    const std::string coded = PositionEncode(start, rtf);
    EXPECT_EQ(coded.size(), rtf.size());
    EXPECT_EQ(PositionDecode(start, coded), rtf) << start;
  }
}

TEST(PositionCoding, SameByteCodesDifferentlyByPosition) {
  const std::string coded = PositionEncode(1, "aaaa");
  EXPECT_NE(coded[0], coded[1]);
  EXPECT_NE(PositionDecode(2, coded), "aaaa");
}

TEST(PositionCoding, BytesOutsideTheRangeDoNotSurvive) {
  EXPECT_EQ(PositionDecode(1, PositionEncode(1, Bytes({218}))), Bytes({10}));
  EXPECT_EQ(PositionDecode(1, ""), "");
  EXPECT_EQ(PositionEncode(1, ""), "");
  // Decoding stops at a zero byte.
  EXPECT_EQ(PositionDecode(1, PositionEncode(1, "ab") + std::string(1, '\0') + "zz"), "ab");
}

TEST(PositionCoding, EveryByteFrom10To217RoundTripsAtEveryPhase) {
  for (int64_t start = 1; start <= 40; ++start) {
    for (int b = 10; b <= 217; ++b) {
      const std::string one(1, static_cast<char>(b));
      ASSERT_EQ(PositionDecode(start, PositionEncode(start, one)), one) << start << " " << b;
    }
  }
}

TEST(ShiftCoding, RoundTripsPrintableBytesWithoutLineBreaks) {
  std::string text;
  for (int b = 32; b <= 254; ++b) text += static_cast<char>(b);
  text += text;
  const std::string coded = ShiftEncode(text);
  EXPECT_EQ(coded.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
  EXPECT_EQ(ShiftDecode(coded), text);
}

TEST(ShiftCoding, RestartsForEveryStringAndStopsAtZero) {
  EXPECT_EQ(ShiftEncode("ab"), ShiftEncode("abcd").substr(0, 2));
  EXPECT_EQ(ShiftEncode(std::string("ab\0cd", 5)), ShiftEncode("ab"));
  EXPECT_EQ(ShiftDecode(ShiftEncode(Bytes({255}))), " ");
  EXPECT_EQ(ShiftDecode(ShiftEncode("\r")), Bytes({236}));
  EXPECT_EQ(ShiftEncode(""), "");
}

}  // namespace
}  // namespace quorvel

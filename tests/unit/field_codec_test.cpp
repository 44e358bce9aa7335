// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/field_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/test_names.h"
#include "text/cp1253.h"
#include "tools/encoders/field_encoders.h"

namespace zelvoran {
namespace {

std::string W(const char* utf8) {
  return Utf8ToCp1253(utf8);
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

TEST(ShiftCodec, EncodesAbcToKnownBytesAndBack) {
  EXPECT_EQ(ShiftCodec("abc", ShiftDirection::kEncode), Bytes({128, 130, 132}));
  EXPECT_EQ(ShiftCodec(Bytes({128, 130, 132}), ShiftDirection::kDecode), "abc");
}

TEST(ShiftCodec, RoundTripMapsSpecialBytes) {
  struct Case {
    int in;
    int out;
  } cases[] = {{13, 13}, {10, 10},  {182, 10},  {172, 13},
               {9, 232}, {255, 32}, {'A', 'A'}, {0xF9, 0xF9}};
  for (const Case& c : cases) {
    // Every shift of the five-step cycle gives the same answer.
    for (int pos = 0; pos < 5; ++pos) {
      std::string text(static_cast<size_t>(pos), 'x');
      text.push_back(static_cast<char>(c.in));
      const std::string encoded = ShiftCodec(text, ShiftDirection::kEncode);
      for (char e : encoded) {
        EXPECT_GE(static_cast<unsigned char>(e), 30);
        EXPECT_NE(e, '\r');
        EXPECT_NE(e, '\n');
      }
      const std::string back = ShiftCodec(encoded, ShiftDirection::kDecode);
      EXPECT_EQ(static_cast<unsigned char>(back.back()), c.out)
          << "byte " << c.in << " pos " << pos;
    }
  }
}

TEST(ShiftCodec, CrLfSurviveInsideText) {
  const std::string text = W("γραμμή ένα\r\nline two\r\n");
  EXPECT_EQ(ShiftCodec(ShiftCodec(text, ShiftDirection::kEncode), ShiftDirection::kDecode), text);
}

TEST(PositionDecode, ShiftsDependOnAbsolutePosition) {
  const std::string in(11, static_cast<char>(100));
  const std::string out = PositionDecode(1, in);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(static_cast<unsigned char>(out[static_cast<size_t>(i)]), 100 - 29 - i);
  EXPECT_EQ(static_cast<unsigned char>(out[9]), 100 - 28);
  EXPECT_EQ(static_cast<unsigned char>(out[10]), 100 - 29);
  // A result of 0 or less is raised by 254, not 256.
  EXPECT_EQ(static_cast<unsigned char>(PositionDecode(1, Bytes({29}))[0]), 254);
  EXPECT_EQ(static_cast<unsigned char>(PositionDecode(1, Bytes({5}))[0]), 5 - 29 + 254);
}

TEST(PositionEncode, RoundTripsEveryEncodableByteAtEveryShift) {
  for (int pos = 1; pos <= 10; ++pos) {
    for (int b = 1; b <= 254; ++b) {
      const std::string text = Bytes({b});
      const auto enc = PositionEncode(pos, text);
      ASSERT_TRUE(enc.has_value()) << b;
      EXPECT_EQ(PositionDecode(pos, *enc), text) << "byte " << b << " pos " << pos;
    }
    EXPECT_FALSE(PositionEncode(pos, Bytes({0})).has_value());
    EXPECT_FALSE(PositionEncode(pos, Bytes({255})).has_value());
  }
}

TEST(MirrorDecode, KeyDigits) {
  // b = 150 + 0: k2 = 1, k1 = 5, k0 = 0; b = 1008 (999 + 9): k2 = 4, k1 = 0, k0 = 2.
  EXPECT_EQ(MirrorKeyOf(150).k[0], 0);
  EXPECT_EQ(MirrorKeyOf(150).k[1], 5);
  EXPECT_EQ(MirrorKeyOf(150).k[2], 1);
  EXPECT_EQ(MirrorKeyOf(999).k[2], 4);
  EXPECT_EQ(MirrorKeyOf(999).k[1], 0);
  EXPECT_EQ(MirrorKeyOf(999).k[0], 2);
}

TEST(MirrorDecode, UnchangedPositions) {
  EXPECT_EQ(MirrorDecode(7, "x"), "x");
  EXPECT_EQ(MirrorDecode(123, "abcdef").back(), 'f');
  const std::string odd = MirrorDecode(123, "abcdefg");
  EXPECT_EQ(odd.substr(5), "fg");
  // Position p takes T[m-p] shifted: for "ab" (n = 1) position 1 pairs with itself.
  const MirrorKey k = MirrorKeyOf(4);
  EXPECT_EQ(MirrorDecode(4, "ab"), std::string(1, static_cast<char>('a' + k.k[1])) + "b");
}

TEST(MirrorEncode, RoundTripsRandomText) {
  std::mt19937 rng(7);
  for (int round = 0; round < 500; ++round) {
    const int n = static_cast<int>(rng() % 120);
    std::string text;
    for (int i = 0; i < n; ++i) text.push_back(static_cast<char>(1 + rng() % 255));
    const int64_t number = static_cast<int64_t>(rng() % 70000) + 1;
    const std::string encoded = MirrorEncode(number, text);
    // The decoder reads up to a NUL, so only NUL-free encodings are storable.
    if (encoded.find('\0') != std::string::npos) continue;
    EXPECT_EQ(MirrorDecode(number, encoded), text);
  }
}

TEST(MirrorEncodeLine, RefusesLineBreaksInTheEncodedForm) {
  // Printable text never encodes to a control byte; a control byte in the text can.
  EXPECT_TRUE(MirrorEncodeLine(5, W("12#λέξη#λεξη##1#10")).has_value());
  bool refused = false;
  for (int64_t n = 1; n < 50 && !refused; ++n) {
    refused = !MirrorEncodeLine(n, Bytes({'a', 13 + MirrorKeyOf(n).k[1], 'b'})).has_value();
  }
  EXPECT_TRUE(refused);
}

struct NormCase {
  const char* routine;
  const char* input;
  const char* expected;
};

class Normalisers : public ::testing::TestWithParam<NormCase> {};

TEST_P(Normalisers, MatchTable) {
  const NormCase& c = GetParam();
  const std::string in = W(c.input);
  std::string out;
  if (std::string(c.routine) == "GreekFold") out = GreekFold(in);
  if (std::string(c.routine) == "GreekKey") out = GreekKey(in);
  if (std::string(c.routine) == "EnglishKey") out = EnglishKey(in);
  EXPECT_EQ(Cp1253ToUtf8(out), c.expected) << c.routine << "(" << c.input << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Table, Normalisers,
    ::testing::Values(
        NormCase{"GreekFold", "  ΆΛΦΑ ", "αλφα"}, NormCase{"GreekFold", "Ένας-δύο", "ενας-δυο"},
        NormCase{"GreekFold", "ΪΫϊΐΰ", "ιΫιιυ"}, NormCase{"GreekFold", "ABC Σς", "abc σς"},
        NormCase{"GreekKey", "Ο 2ος (άνθρωπος)", "ο2οςανθρωπος"},
        NormCase{"GreekKey", "12 abc γάτα", "γατα"}, NormCase{"GreekKey", "ΣΟΦΟΣ", "σοφοσ"},
        NormCase{"GreekKey", "Ά ρ-θρο", "αρθρο"}, NormCase{"GreekKey", "", ""},
        NormCase{"EnglishKey", "The (big) Apple's", "thebigapples"},
        NormCase{"EnglishKey", "3-D", "d"}, NormCase{"EnglishKey", "B-52", "b52"},
        NormCase{"EnglishKey", "Άλφα", "Άλφα"}, NormCase{"EnglishKey", "  a\tb  ", "ab"}),
    [](const ::testing::TestParamInfo<NormCase>& param_info) {
      // The routine and its input; the case's number keeps inputs spelt alike apart.
      return std::string(param_info.param.routine) + "_" +
             testing::TestNameOf(param_info.param.input) + "_" + std::to_string(param_info.index);
    });

TEST(WholeWordFound, Table) {
  struct Case {
    const char* text;
    const char* word;
    bool expected;
  } cases[] = {
      {"cat category", "cat", true},
      {"category cat", "cat", false},
      {"a cat.", "cat", true},
      {"γάτα", "γάτ", false},
      {"(cat)", "cat", true},
      {"cats", "cat", false},
      {"concat", "cat", false},
      {"cat", "cat", true},
      {"1cat-2", "cat", true},
      {"Άcat", "cat", false},
      {"", "cat", false},
      {"cat", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WholeWordFound(W(c.text), W(c.word)), c.expected) << c.text << " / " << c.word;
  }
}

TEST(WholeWordFound, ByteOneEightyTwoIsNoLetter) {
  // 0xB6 (182) is the pilcrow in Windows-1253, not a letter: it bounds a word.
  EXPECT_TRUE(WholeWordFound(Bytes({0xB6, 'c', 'a', 't', 0xB6}), "cat"));
  EXPECT_FALSE(WholeWordFound(Bytes({0xA2, 'c', 'a', 't'}), "cat"));  // Ά is a letter
}

TEST(Routines, StopAtNul) {
  EXPECT_EQ(EnglishKey(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(ShiftCodec(std::string("a\0b", 3), ShiftDirection::kEncode).size(), 1u);
}

}  // namespace
}  // namespace zelvoran

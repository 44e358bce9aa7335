// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp1253.h"

#include <gtest/gtest.h>

namespace zelvoran {
namespace {

TEST(Cp1253, RoundTripsEveryAssignedByte) {
  int unassigned = 0;
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = Cp1253ToUnicode(static_cast<unsigned char>(b));
    if (cp == 0xFFFD) {
      ++unassigned;
      continue;
    }
    EXPECT_EQ(UnicodeToCp1253(cp), b);
    const std::string s(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1253(Cp1253ToUtf8(s)), s);
  }
  EXPECT_EQ(unassigned, 17);  // 81 88 8A 8C-90 98 9A 9C-9F AA D2 FF
}

TEST(Cp1253, KnownLetters) {
  EXPECT_EQ(Utf8ToCp1253("Ά"), "\xA2");
  EXPECT_EQ(Utf8ToCp1253("΄"), "\xB4");
  EXPECT_EQ(Utf8ToCp1253("ς"), "\xF2");
  EXPECT_EQ(Utf8ToCp1253("€"), "\x80");
  EXPECT_EQ(Cp1253ToUtf8("\xB6"), "¶");
  // The Greek question mark and ano teleia as their canonical equivalents.
  EXPECT_EQ(Utf8ToCp1253("\u03C4\u037E"), "\xF4;");
  EXPECT_EQ(Utf8ToCp1253("\u03B1\u0387"), "\xE1\xB7");
}

TEST(Cp1253, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1253("ä中"), "??");
  EXPECT_EQ(Utf8ToCp1253("a\xC3"), "a?");
  EXPECT_EQ(Utf8ToCp1253("\xE2\x82"), "??");
}

TEST(CharLowerA, LowersLatinGreekAndAccentedCapitals) {
  EXPECT_EQ(Cp1253ToUtf8(CharLowerA(Utf8ToCp1253("ABC xyz ΑΩΣ ΆΈΉΊΌΎΏ ΪΫ ς"))),
            "abc xyz αωσ άέήίόύώ ϊϋ ς");
  EXPECT_EQ(CharLowerA(static_cast<unsigned char>(0xD2)), 0xD2);  // unassigned stays
}

}  // namespace
}  // namespace zelvoran

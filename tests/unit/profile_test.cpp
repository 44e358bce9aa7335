// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/data_profile.h"

#include <gtest/gtest.h>

namespace zelvoran {
namespace {

TEST(Profile, BuiltInMatchesTheDeliveredData) {
  const DataProfile& p = BuiltInProfile();
  EXPECT_EQ(p.counts.english_headwords, 50929);
  EXPECT_EQ(p.counts.greek_headwords, 47310);
  EXPECT_EQ(p.letters.EnglishStart('q'), 37914);
  EXPECT_EQ(p.letters.EnglishStart('z'), 50778);
  EXPECT_EQ(p.letters.GreekStart(0xF2), 1);      // ς
  EXPECT_EQ(p.letters.GreekStart(0xF3), 35550);  // σ
  EXPECT_EQ(p.letters.GreekStart(0xF9), 47161);  // ω
  EXPECT_FALSE(p.letters.EnglishStart('1').has_value());
  EXPECT_FALSE(p.letters.GreekStart(0xDC).has_value());  // ά is not a key letter
}

TEST(Profile, FormatThenParseGivesTheSameProfile) {
  DataProfile p = BuiltInProfile();
  p.counts.english_headwords = 123;
  p.letters.greek[3] = 77;
  const auto parsed = ParseProfile(FormatProfile(p));
  ASSERT_TRUE(parsed.profile.has_value()) << parsed.error;
  EXPECT_EQ(*parsed.profile, p);
}

TEST(Profile, RejectsMalformedTextWithAMessage) {
  const std::string good = FormatProfile(BuiltInProfile());
  const std::string cases[] = {
      "",                            // every key missing
      good + "colour=blue\r\n",      // unknown key
      good + "abbreviations=3\r\n",  // given twice
      "english-headwords 5\r\n",     // no "="
  };
  for (const std::string& text : cases) {
    const auto r = ParseProfile(text);
    EXPECT_FALSE(r.profile.has_value()) << text;
    EXPECT_FALSE(r.error.empty());
  }
  auto replace = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    t.replace(t.find(from), from.size(), to);
    return ParseProfile(t);
  };
  EXPECT_FALSE(replace("abbreviations=236", "abbreviations=237").profile);  // beyond the table
  EXPECT_FALSE(replace("greek-links=205", "greek-links=-1").profile);
  EXPECT_FALSE(replace("english-headwords=50929", "english-headwords=5x").profile);
  EXPECT_FALSE(replace("english-letter-starts=1 ", "english-letter-starts=").profile);  // 25
  EXPECT_FALSE(replace("english-letter-starts=1 ", "english-letter-starts=0 ").profile);
}

}  // namespace
}  // namespace zelvoran

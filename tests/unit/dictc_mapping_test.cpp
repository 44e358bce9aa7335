// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "text/cp1253.h"
#include "tools/dictc/text_mapping.h"

namespace zelvoran::dictc {
namespace {

TEST(TextMappingTest, MapsSourceTextToWindows1253) {
  struct Case {
    const char* input;
    const char* expected;  // UTF-8 of the Windows-1253 result
  } cases[] = {
      {"γάτα, cat", "γάτα, cat"},
      {"Ávila café naïve Œuvre Straße", "Avila cafe naive OEuvre Strasse"},
      {"ἐν ἀρχῇ ἦν ὁ λόγος", "εν αρχή ήν ο λόγος"},
      {"Ἄρης ῥυθμός ΐ ῒ Ὦ", "Άρης ρυθμός ΐ ΐ Ώ"},
      {"α\xCC\x81λφα", "άλφα"},     // combining acute
      {"ΚAΤOIKOΣ", "ΚΑΤΟΙΚΟΣ"},     // Latin A and O inside a Greek word
      {"cοmputer", "computer"},     // Greek omicron inside a Latin word
      {"\xC2\xB5ικρός", "μικρός"},  // micro sign
      {"a\xE2\x80\x8E"
       "b قطة",
       "ab "},  // direction mark and Arabic dropped
      {"co\xE2\x80\x90op", "co-op"},
  };
  for (const Case& c : cases) {
    MappingStats stats;
    EXPECT_EQ(Cp1253ToUtf8(MapToCp1253(c.input, stats)), c.expected) << c.input;
  }
}

TEST(TextMappingTest, CountsEachKindOfChange) {
  MappingStats s;
  MapToCp1253("é ἀ KAT\xE1\xBC\x80 \xE2\x80\x8E \xFF", s);
  EXPECT_EQ(s.LatinAccentsRemoved, 1);
  EXPECT_EQ(s.PolytonicMadeMonotonic, 2);
  EXPECT_EQ(s.Dropped, 1);
  EXPECT_EQ(s.MalformedUtf8, 1);
  EXPECT_EQ(s.DroppedByCharacter[0x200E], 1);
  // "KATα": three Latin letters and one Greek one: a Latin word, alpha becomes a.
  EXPECT_EQ(s.LookAlikesRepaired, 1);
  MappingStats total;
  total.Add(s);
  total.Add(s);
  EXPECT_EQ(total.Dropped, 2);
  EXPECT_EQ(total.DroppedByCharacter[0x200E], 2);
  EXPECT_NE(FormatMappingStats(total).find("U+200E x2"), std::string::npos);
}

TEST(TextMappingTest, LeavesWordsWithoutLookAlikesAlone) {
  int64_t repaired = 0;
  // "Wc" has no Greek look-alike for W: the mixed word stays.
  const std::string mixed = Utf8ToCp1253("Wγγ bits ανά");
  EXPECT_EQ(RepairLookAlikes(mixed, repaired), mixed);
  EXPECT_EQ(repaired, 0);
}

TEST(TextMappingTest, TruncatedUtf8SequenceAtTheEndIsDropped) {
  MappingStats s;
  EXPECT_EQ(MapToCp1253("ab\xCE", s), "ab");
  EXPECT_EQ(s.MalformedUtf8, 1);
}

}  // namespace
}  // namespace zelvoran::dictc

// SPDX-License-Identifier: GPL-3.0-or-later
// Greek typed in Latin letters: the readings over a small sorted list of Greek keys.
#include "search/greeklish.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "text/cp1253.h"

namespace zelvoran {
namespace {

class KeyList : public SortedKeys {
 public:
  explicit KeyList(std::initializer_list<const char*> utf8) {
    for (const char* k : utf8) keys_.push_back(Utf8ToCp1253(k));
    std::sort(keys_.begin(), keys_.end());
  }
  size_t Count() const override { return keys_.size(); }
  std::string_view Key(size_t index) const override { return keys_[index]; }

 private:
  std::vector<std::string> keys_;
};

const KeyList& Keys() {
  static const KeyList keys{"καλημερα", "καλησπερα", "θαλασσα",    "θαλαμοσ", "ευχαριστω",
                            "ψωμι",     "σπιτι",     "ξενοσ",      "χρονοσ",  "μπιρα",
                            "δεντρο",   "ντοματα",   "αυτοκινητο", "παιδι",   "γυναικα",
                            "ωρα",      "ορα",       "χωρα",       "γκρεμοσ", "εφημεριδα"};
  return keys;
}

// The cost of `greek` among the readings of `latin` that are keys, -1 when it is none.
int KeyCost(const char* latin, const char* greek) {
  for (const GreeklishReading& r : ReadGreeklish(GreeklishLetters(latin), Keys())) {
    if (r.key && r.greek == Utf8ToCp1253(greek)) return r.cost;
  }
  return -1;
}

TEST(GreeklishTest, EveryCommonConventionReadsTheKey) {
  const struct {
    const char* latin;
    const char* greek;
    int cost;  // 0 for the usual spellings, more for the rarer
  } cases[] = {
      {"kalimera", "καλημερα", 0},
      {"kalhmera", "καλημερα", 0},
      {"KALIMERA", "καλημερα", 0},
      {"kalispera", "καλησπερα", 0},
      {"thalassa", "θαλασσα", 0},
      {"8alassa", "θαλασσα", 0},
      {"thalasa", "θαλασσα", 1},
      {"0alassa", "θαλασσα", 1},
      {"efharisto", "ευχαριστω", 0},
      {"eyxaristw", "ευχαριστω", 0},
      {"euxaristo", "ευχαριστω", 0},
      {"efxaristo", "ευχαριστω", 0},
      {"evcharisto", "ευχαριστω", 0},
      {"psomi", "ψωμι", 0},
      {"ksenos", "ξενοσ", 0},
      {"xenos", "ξενοσ", 0},
      {"3enos", "ξενοσ", 0},
      {"chronos", "χρονοσ", 0},
      {"hronos", "χρονοσ", 0},
      {"xronos", "χρονοσ", 0},
      {"mpira", "μπιρα", 0},
      {"bira", "μπιρα", 1},
      {"dentro", "δεντρο", 0},
      {"ntomata", "ντοματα", 0},
      {"domata", "ντοματα", 1},
      {"aytokinhto", "αυτοκινητο", 0},
      {"aftokinito", "αυτοκινητο", 0},
      {"autokinito", "αυτοκινητο", 0},
      {"avtokinito", "αυτοκινητο", 0},
      {"pedi", "παιδι", 1},
      {"paidi", "παιδι", 0},
      {"gynaika", "γυναικα", 0},
      {"gineka", "γυναικα", 2},
      {"gremos", "γκρεμοσ", 1},
      {"gkremos", "γκρεμοσ", 0},
      {"efimerida", "εφημεριδα", 0},
      {"e-fi-me-ri-da", "εφημεριδα", 0},
      {"wra", "ωρα", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyCost(c.latin, c.greek), c.cost) << c.latin << " → " << c.greek;
  }
}

TEST(GreeklishTest, ReadingsComeCheapestFirstAndHomographsBoth) {
  const std::vector<GreeklishReading> ora = ReadGreeklish("ora", Keys());
  std::vector<std::string> keys;
  for (const GreeklishReading& r : ora) {
    if (r.key) keys.push_back(Cp1253ToUtf8(r.greek));
  }
  // o is ο or ω alike; χ is no vowel.
  EXPECT_NE(std::find(keys.begin(), keys.end(), "ωρα"), keys.end());
  EXPECT_NE(std::find(keys.begin(), keys.end(), "ορα"), keys.end());
  EXPECT_EQ(std::find(keys.begin(), keys.end(), "χωρα"), keys.end());
  EXPECT_TRUE(std::is_sorted(ora.begin(), ora.end(),
                             [](const auto& a, const auto& b) { return a.cost < b.cost; }));
}

TEST(GreeklishTest, AnEndingPastTheKeysIsRead) {
  // σπίτι-α, θάλασσ-ες: readings that leave the keys for a few letters, for the forms.
  bool spitia = false, thalasses = false, beyond = false;
  for (const GreeklishReading& r : ReadGreeklish("spitia", Keys())) {
    spitia = spitia || (!r.key && r.greek == Utf8ToCp1253("σπιτια"));
  }
  for (const GreeklishReading& r : ReadGreeklish("thalasses", Keys())) {
    thalasses = thalasses || r.greek == Utf8ToCp1253("θαλασσεσ");
  }
  for (const GreeklishReading& r : ReadGreeklish("spitiaaaaaa", Keys())) beyond = beyond || !r.key;
  EXPECT_TRUE(spitia);
  EXPECT_TRUE(thalasses);
  EXPECT_FALSE(beyond);  // more than four letters past the keys
  EXPECT_TRUE(ReadGreeklish("qqq", Keys()).empty());
}

TEST(GreeklishTest, SpellingsWithoutKeysAreTheLikeliest) {
  const std::vector<GreeklishReading> s = SpellGreeklish("kalimera", 2);
  ASSERT_EQ(s.size(), 2u);
  for (const GreeklishReading& r : s) {
    EXPECT_TRUE(r.greek == Utf8ToCp1253("καλιμερα") || r.greek == Utf8ToCp1253("καλημερα"))
        << Cp1253ToUtf8(r.greek);
    EXPECT_EQ(r.cost, 0);
    EXPECT_FALSE(r.key);
  }
}

TEST(GreeklishTest, OnlyLatinWordsAreReadAndTheBeamStaysSmall) {
  EXPECT_EQ(GreeklishLetters("Kalimera"), "kalimera");
  EXPECT_EQ(GreeklishLetters("8alassa"), "8alassa");
  EXPECT_EQ(GreeklishLetters("ka'li-mera"), "kalimera");
  for (const std::string& bad :
       {std::string(), std::string("kali mera"), std::string("123"), Utf8ToCp1253("καλημέρα"),
        std::string("\x01kal"), std::string(31, 'a')}) {
    EXPECT_EQ(GreeklishLetters(bad), "") << bad;
  }
  // Thirty letters that each have several readings: at most `max` readings.
  const std::string worst(kGreeklishMaxLetters, 'i');
  EXPECT_LE(SpellGreeklish(worst, 24, 48).size(), 24u);
  EXPECT_LE(ReadGreeklish(worst, Keys(), 24, 48).size(), 24u);
  EXPECT_TRUE(SpellGreeklish(std::string(kGreeklishMaxLetters + 1, 'a')).empty());
  EXPECT_TRUE(SpellGreeklish("abc", 0).empty());
}

}  // namespace
}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/synthetic.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "dictionary/field_codec.h"
#include "text/cp1253.h"

namespace zelvoran::dictc {
namespace {

class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed ? seed : 1) {}
  uint64_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return s_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

 private:
  uint64_t s_;
};

const std::string& GreekLetters() {
  static const std::string s = Utf8ToCp1253("αβγδεζηθικλμνξοπρστυφχψω");
  return s;
}

std::string EnglishWord(Rng& rng, char first, int len) {
  static const char* syll[] = {"an", "er", "in", "on", "at", "ch", "st", "re", "ou", "ea",
                               "ti", "ar", "le", "or", "is", "en", "al", "it", "ng", "ed"};
  std::string w(1, first);
  while (static_cast<int>(w.size()) < len) w += syll[rng.Below(20)];
  return w.substr(0, static_cast<size_t>(len));
}

std::string GreekWord(Rng& rng, unsigned char first, int len) {
  const std::string& letters = GreekLetters();
  static const std::string vowels = Utf8ToCp1253("αεηιουω");
  std::string w(1, static_cast<char>(first));
  while (static_cast<int>(w.size()) < len) {
    w.push_back(w.size() % 2 ? vowels[static_cast<size_t>(rng.Below(7))]
                             : letters[static_cast<size_t>(rng.Below(24))]);
  }
  if (rng.Below(3) == 0) w.back() = static_cast<char>(0xF2);  // final sigma
  return w;
}

// Puts a tonos on the first plain vowel after the first letter.
std::string Accent(std::string w) {
  static const std::string plain = Utf8ToCp1253("αεηιουω");
  static const std::string accented = Utf8ToCp1253("άέήίόύώ");
  for (size_t i = 1; i < w.size(); ++i) {
    const size_t k = plain.find(w[i]);
    if (k != std::string::npos) {
      w[i] = accented[k];
      break;
    }
  }
  return w;
}

std::vector<std::string> SectionKeys(Rng& rng, const uint16_t* starts, int letters, int total,
                                     bool greek) {
  std::vector<std::string> keys;
  keys.reserve(static_cast<size_t>(total));
  for (int c = 0; c < letters; ++c) {
    int end = total + 1;
    for (int d = c + 1; d < letters; ++d) {
      if (starts[d] > starts[c]) {
        end = starts[d];
        break;
      }
    }
    if (greek && c == 0xF2 - 0xE1) continue;  // no key begins with the final sigma
    const int count = end - starts[c];
    const unsigned char first = static_cast<unsigned char>(greek ? 0xE1 + c : 'a' + c);
    std::set<std::string> unique;
    while (static_cast<int>(unique.size()) < count) {
      const int len = rng.Between(3, 13);
      unique.insert(greek ? GreekKey(GreekWord(rng, first, len))
                          : EnglishWord(rng, static_cast<char>(first), len));
    }
    keys.insert(keys.end(), unique.begin(), unique.end());  // byte order
  }
  return keys;
}

std::string Explanation(Rng& rng, bool greek_words, const std::vector<AbbreviationRow>& abbr) {
  int len = rng.Between(80, 600);
  if (rng.Below(500) == 0) len = rng.Between(12600, 20000);
  std::string text = abbr[static_cast<size_t>(rng.Below(8))].Abbreviation + " ";
  int sense = 1;
  while (static_cast<int>(text.size()) < len) {
    if (rng.Below(12) == 0) {
      text += "\r\n";
      text += std::to_string(++sense);
      text += ". ";
    }
    const int wl = rng.Between(2, 11);
    text += greek_words ? Accent(GreekWord(rng,
                                           static_cast<unsigned char>(
                                               GreekLetters()[static_cast<size_t>(rng.Below(24))]),
                                           wl))
                        : EnglishWord(rng, static_cast<char>('a' + rng.Below(26)), wl);
    text += rng.Below(6) == 0 ? ", " : " ";
  }
  return text;
}

}  // namespace

DataSet MakeSyntheticDataSet(uint64_t seed) {
  Rng rng(seed);
  const DataProfile& p = BuiltInProfile();
  DataSet data;
  const char* pos[] = {"ουσ.", "ρ.", "επίθ.", "επίρρ.", "πρόθ.", "σύνδ.", "αντων.", "μτχ."};
  for (const char* a : pos) data.Abbreviations.push_back({Utf8ToCp1253(a), false, "part"});
  std::vector<std::string> fields;
  for (int i = static_cast<int>(data.Abbreviations.size()); i < p.counts.abbreviations; ++i) {
    AbbreviationRow row;
    row.Abbreviation = "f";
    row.Abbreviation += std::to_string(i);
    row.Abbreviation += '.';
    row.IsSubjectField = i % 3 != 0;
    row.Meaning = Utf8ToCp1253("πεδίο ") + std::to_string(i);
    if (row.IsSubjectField) fields.push_back(row.Abbreviation);
    data.Abbreviations.push_back(row);
  }
  const std::vector<std::string> english = SectionKeys(
      rng, p.letters.english.data(), kEnglishLetters, p.counts.english_headwords, false);
  const std::vector<std::string> greek =
      SectionKeys(rng, p.letters.greek.data(), kGreekLetters, p.counts.greek_headwords, true);
  auto build = [&](const std::vector<std::string>& keys, bool greek_section, int links,
                   std::vector<SourceEntry>& out) {
    out.reserve(keys.size());
    // Entries with several fields, spread evenly, three links each (the rest with two).
    const int multi = (links + 2) / 3;
    int links_left = links;
    const int stride = std::max(1, static_cast<int>(keys.size()) / std::max(1, multi));
    for (size_t i = 0; i < keys.size(); ++i) {
      SourceEntry e;
      e.Headword = greek_section ? Accent(keys[i]) : keys[i];
      if (!greek_section && rng.Below(10) == 0)
        e.Headword[0] = static_cast<char>(e.Headword[0] - 32);
      e.SearchKey = keys[i];
      if (links_left > 0 && static_cast<int>(i) % stride == 0) {
        const int n = links_left == 4 || links_left == 2 ? 2 : std::min(3, links_left);
        for (int k = 0; k < n; ++k) {
          e.Fields.push_back(
              fields[static_cast<size_t>(rng.Below(static_cast<int>(fields.size())))]);
        }
        links_left -= n;
      } else if (rng.Below(5) == 0) {
        e.Fields.push_back(fields[static_cast<size_t>(rng.Below(static_cast<int>(fields.size())))]);
      }
      e.Explanation = Explanation(rng, !greek_section, data.Abbreviations);
      out.push_back(std::move(e));
    }
  };
  build(english, false, p.counts.english_links, data.English);
  build(greek, true, p.counts.greek_links, data.Greek);
  return data;
}

}  // namespace zelvoran::dictc

// SPDX-License-Identifier: GPL-3.0-or-later
// Readable names for parameterised test cases: GoogleTest takes letters, digits and "_" only.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace zelvoran::testing {

// `utf8` as a test name: Latin letters and digits kept, Greek letters written in Latin ones
// (accents dropped, a capital's first Latin letter a capital), anything else one "_" between
// the words; "empty" for a text with no letter or digit.
inline std::string TestNameOf(std::string_view utf8) {
  // α..ω (U+03B1..U+03C9), final sigma among them.
  static const char* const kGreek[] = {"a", "v", "g", "d", "e",  "z",  "i", "th", "i",
                                       "k", "l", "m", "n", "x",  "o",  "p", "r",  "s",
                                       "s", "t", "y", "f", "ch", "ps", "o"};
  std::string out;
  bool gap = false;
  auto put = [&](std::string_view letters, bool capital) {
    if (gap && !out.empty()) out += '_';
    gap = false;
    for (size_t i = 0; i < letters.size(); ++i) {
      char c = letters[i];
      if (capital && i == 0 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      out += c;
    }
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (alnum) {
        put(std::string_view(&utf8[i], 1), false);
      } else {
        gap = true;
      }
      ++i;
      continue;
    }
    size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
    for (size_t k = 1; k < len && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += len;
    // Accented letters as their base letters.
    static constexpr std::pair<char32_t, char32_t> kAccented[] = {
        {U'ά', U'α'}, {U'έ', U'ε'}, {U'ή', U'η'}, {U'ί', U'ι'}, {U'ϊ', U'ι'},
        {U'ΐ', U'ι'}, {U'ό', U'ο'}, {U'ύ', U'υ'}, {U'ϋ', U'υ'}, {U'ΰ', U'υ'},
        {U'ώ', U'ω'}, {U'Ά', U'Α'}, {U'Έ', U'Ε'}, {U'Ή', U'Η'}, {U'Ί', U'Ι'},
        {U'Ϊ', U'Ι'}, {U'Ό', U'Ο'}, {U'Ύ', U'Υ'}, {U'Ϋ', U'Υ'}, {U'Ώ', U'Ω'}};
    for (const auto& [accented, base] : kAccented) {
      if (cp == accented) cp = base;
    }
    if (cp >= U'α' && cp <= U'ω') {
      put(kGreek[cp - U'α'], false);
    } else if (cp >= U'Α' && cp <= U'Ω' && cp != 0x03A2) {
      put(kGreek[cp - U'Α'], true);
    } else {
      gap = true;
    }
  }
  return out.empty() ? "empty" : out;
}

}  // namespace zelvoran::testing

// A small set of rules (nouns in -ος, -ι, -α, verbs in -ω) until the full generator lands.
#include "dictionary/greek_inflection.h"

#include <algorithm>
#include <utility>

#include "dictionary/cp1253.h"

namespace zelvoran {
namespace {

std::u32string Decode(std::string_view text) {
  std::u32string out;
  for (char c : text) out.push_back(Cp1253ToUnicode(CharLowerA(static_cast<unsigned char>(c))));
  return out;
}

std::string Encode(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    const int b = UnicodeToCp1253(c);
    out.push_back(static_cast<char>(b < 0 ? '?' : b));
  }
  return out;
}

const std::u32string kPlain = U"αεηιουω";
const std::u32string kAccented = U"άέήίόύώ";

char32_t Plain(char32_t c) {
  const size_t p = kAccented.find(c);
  return p == std::u32string::npos ? c : kPlain[p];
}

std::u32string WithoutAccent(std::u32string s) {
  for (char32_t& c : s) c = Plain(c);
  return s;
}

bool IsVowel(char32_t c) {
  return kPlain.find(Plain(c)) != std::u32string::npos;
}

// Positions of the letters that carry the accent of each syllable, last syllable first: the
// second letter of a diphthong.
std::vector<size_t> Nuclei(const std::u32string& s) {
  std::vector<size_t> out;
  size_t i = s.size();
  while (i > 0) {
    --i;
    if (!IsVowel(s[i])) continue;
    const char32_t c = Plain(s[i]);
    if (i > 0 && (c == U'ι' || c == U'υ') && IsVowel(s[i - 1])) {
      const char32_t p = Plain(s[i - 1]);
      if ((c == U'ι' && (p == U'α' || p == U'ε' || p == U'ο' || p == U'υ')) ||
          (c == U'υ' && (p == U'α' || p == U'ε' || p == U'ο'))) {
        out.push_back(i);
        --i;
        continue;
      }
    }
    out.push_back(i);
  }
  return out;
}

// `s` with its accent on syllable `from_end` (0: the last).
std::u32string Accent(const std::u32string& plain, size_t from_end) {
  std::u32string s = plain;
  const std::vector<size_t> n = Nuclei(s);
  if (n.empty()) return s;
  const size_t at = n[std::min(from_end, n.size() - 1)];
  const size_t p = kPlain.find(s[at]);
  if (p != std::u32string::npos) s[at] = kAccented[p];
  return s;
}

// Syllable of the accent, counted from the end; 0 when there is none.
size_t AccentFromEnd(const std::u32string& s) {
  const std::vector<size_t> n = Nuclei(s);
  for (size_t k = 0; k < n.size(); ++k) {
    if (kAccented.find(s[n[k]]) != std::u32string::npos) return k;
  }
  return 0;
}

bool EndsWith(const std::u32string& s, std::u32string_view e) {
  return s.size() > e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

}  // namespace

GreekPartOfSpeech GreekPartOfSpeechFromTag(std::string_view tag) {
  if (tag == "n") return GreekPartOfSpeech::kNoun;
  if (tag == "pn") return GreekPartOfSpeech::kProperNoun;
  if (tag == "adj") return GreekPartOfSpeech::kAdjective;
  if (tag == "v") return GreekPartOfSpeech::kVerb;
  if (tag == "adv") return GreekPartOfSpeech::kAdverb;
  return GreekPartOfSpeech::kUnknown;
}

std::vector<std::string> GreekInflectedForms(std::string_view headword, GreekPartOfSpeech pos) {
  const std::u32string h = Decode(headword);
  std::vector<std::string> out;
  if (h.size() < 3 || h.find(U' ') != std::u32string::npos) return out;
  const std::u32string plain = WithoutAccent(h);
  const size_t accent = AccentFromEnd(h);
  auto add = [&](std::u32string_view stem, std::u32string_view ending, size_t from_end) {
    std::u32string form(stem);
    form += ending;
    out.push_back(Encode(Accent(form, from_end)));
  };
  const bool noun = pos == GreekPartOfSpeech::kNoun || pos == GreekPartOfSpeech::kUnknown;
  if (noun && (EndsWith(h, U"ος") || EndsWith(h, U"ός"))) {
    const std::u32string stem = plain.substr(0, plain.size() - 2);
    const size_t kept = accent;
    add(stem, U"ου", std::min<size_t>(kept, 1));
    add(stem, U"ο", kept);
    add(stem, U"ε", kept);
    add(stem, U"οι", kept);
    add(stem, U"ων", std::min<size_t>(kept, 1));
    add(stem, U"ους", std::min<size_t>(kept, 1));
  } else if (noun && EndsWith(h, U"ι") && accent == 1) {
    add(plain, U"ου", 0);
    out.push_back(Encode(h + U"α"));
    add(plain, U"ων", 0);
  } else if (noun && (EndsWith(h, U"α") || EndsWith(h, U"ά"))) {
    const std::u32string stem = plain.substr(0, plain.size() - 1);
    add(stem, U"ας", accent);
    add(stem, U"ες", accent);
    add(stem, U"ών", 0);
  } else if ((pos == GreekPartOfSpeech::kVerb || pos == GreekPartOfSpeech::kUnknown) &&
             EndsWith(h, U"ω") && accent == 1) {
    const std::u32string stem = plain.substr(0, plain.size() - 1);
    const std::pair<std::u32string_view, size_t> endings[] = {
        {U"εις", 1}, {U"ει", 1}, {U"ουμε", 2}, {U"ετε", 2}, {U"ουν", 1}, {U"ουνε", 2}};
    for (const auto& [e, from_end] : endings) add(stem, e, from_end);
    add(stem, U"οντας", 2);
  }
  return out;
}

}  // namespace zelvoran

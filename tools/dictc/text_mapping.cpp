// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/text_mapping.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "text/cp1253.h"

namespace zelvoran::dictc {
namespace {

// Decodes one UTF-8 sequence at `i`; advances `i`. Returns -1 for a malformed byte (which is
// skipped alone).
int64_t NextCodePoint(std::string_view s, size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t cp = 0;
  if (b < 0x80) {
    ++i;
    return b;
  } else if ((b & 0xE0) == 0xC0) {
    extra = 1;
    cp = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    extra = 2;
    cp = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    extra = 3;
    cp = b & 0x07;
  } else {
    ++i;
    return -1;
  }
  if (i + static_cast<size_t>(extra) >= s.size()) {
    ++i;
    return -1;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((c & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  const char32_t min[] = {0, 0x80, 0x800, 0x10000};
  if (cp < min[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return -1;
  }
  i += static_cast<size_t>(extra) + 1;
  return cp;
}

// Base letter of an accented Latin letter (Latin-1 Supplement and Latin Extended-A/B and
// Additional); empty when `cp` is none.
std::string_view LatinBase(char32_t cp) {
  static const char* latin1[] = {
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",   // C0
      "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",  // D0
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // E0
      "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};  // F0
  if (cp >= 0xC0 && cp <= 0xFF) return latin1[cp - 0xC0];
  // Latin Extended-A: pairs of capital and small letters in alphabet order.
  static const char extA[] =
      "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiJjJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRr"
      "SsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
  if (cp >= 0x100 && cp <= 0x17F) {
    const size_t k = cp - 0x100;
    if (cp == 0x132) return "IJ";
    if (cp == 0x133) return "ij";
    if (cp == 0x152) return "OE";
    if (cp == 0x153) return "oe";
    if (k < sizeof extA - 1) return std::string_view(extA + k, 1);
    return {};
  }
  switch (cp) {
    case 0x218:
      return "S";
    case 0x219:
      return "s";
    case 0x21A:
      return "T";
    case 0x21B:
      return "t";
    case 0x1CD:
      return "A";
    case 0x1CE:
      return "a";
    case 0x1E0C:
      return "D";
    case 0x1E0D:
      return "d";
    case 0x1E46:
      return "N";
    case 0x1E47:
      return "n";
    case 0x1E24:
      return "H";
    case 0x1E25:
      return "h";
    case 0x1E63:
      return "s";
    case 0x1E6D:
      return "t";
    case 0x1EBD:
      return "e";
    case 0x1EF3:
      return "y";
    default:
      return {};
  }
}

// Greek letter bytes used below.
constexpr unsigned char kAlpha = 0xE1, kEpsilon = 0xE5, kEta = 0xE7, kIota = 0xE9, kOmicron = 0xEF,
                        kRho = 0xF1, kUpsilon = 0xF5, kOmega = 0xF9;

struct Polytonic {
  unsigned char base;  // small plain letter
  bool capital;
  bool accent;
  bool diaeresis;
};

// The monotonic reading of a character of the Greek Extended block.
std::optional<Polytonic> PolytonicOf(char32_t cp) {
  if (cp < 0x1F00 || cp > 0x1FFF) return std::nullopt;
  const unsigned k = static_cast<unsigned>(cp - 0x1F00);
  // Blocks of eight: breathing (0,1), grave (2,3), acute (4,5), circumflex (6,7).
  static const unsigned char blocks[] = {kAlpha, kEpsilon, kEta,   kIota, kOmicron, kUpsilon,
                                         kOmega, 0,        kAlpha, kEta,  kOmega};
  if (k < 0x70 || (k >= 0x80 && k < 0xB0)) {
    const unsigned char base = k < 0x70 ? blocks[k / 16] : blocks[8 + (k - 0x80) / 16];
    if (base == 0) return std::nullopt;
    const unsigned in = k % 16;
    return Polytonic{base, in >= 8, (in % 8) >= 2, false};
  }
  if (k < 0x7E) {  // vowels with grave and acute: ὰ ά ὲ έ ὴ ή ὶ ί ὸ ό ὺ ύ ὼ ώ
    static const unsigned char v[] = {kAlpha, kEpsilon, kEta, kIota, kOmicron, kUpsilon, kOmega};
    return Polytonic{v[(k - 0x70) / 2], false, true, false};
  }
  struct Row {
    unsigned code;
    Polytonic p;
  };
  static const Row rows[] = {
      {0xB0, {kAlpha, false, false, false}},   {0xB1, {kAlpha, false, false, false}},
      {0xB2, {kAlpha, false, true, false}},    {0xB3, {kAlpha, false, false, false}},
      {0xB4, {kAlpha, false, true, false}},    {0xB6, {kAlpha, false, true, false}},
      {0xB7, {kAlpha, false, true, false}},    {0xB8, {kAlpha, true, false, false}},
      {0xB9, {kAlpha, true, false, false}},    {0xBA, {kAlpha, true, true, false}},
      {0xBB, {kAlpha, true, true, false}},     {0xBC, {kAlpha, true, false, false}},
      {0xC2, {kEta, false, true, false}},      {0xC3, {kEta, false, false, false}},
      {0xC4, {kEta, false, true, false}},      {0xC6, {kEta, false, true, false}},
      {0xC7, {kEta, false, true, false}},      {0xC8, {kEpsilon, true, true, false}},
      {0xC9, {kEpsilon, true, true, false}},   {0xCA, {kEta, true, true, false}},
      {0xCB, {kEta, true, true, false}},       {0xCC, {kEta, true, false, false}},
      {0xD0, {kIota, false, false, false}},    {0xD1, {kIota, false, false, false}},
      {0xD2, {kIota, false, true, true}},      {0xD3, {kIota, false, true, true}},
      {0xD6, {kIota, false, true, false}},     {0xD7, {kIota, false, true, true}},
      {0xD8, {kIota, true, false, false}},     {0xD9, {kIota, true, false, false}},
      {0xDA, {kIota, true, true, false}},      {0xDB, {kIota, true, true, false}},
      {0xE0, {kUpsilon, false, false, false}}, {0xE1, {kUpsilon, false, false, false}},
      {0xE2, {kUpsilon, false, true, true}},   {0xE3, {kUpsilon, false, true, true}},
      {0xE4, {kRho, false, false, false}},     {0xE5, {kRho, false, false, false}},
      {0xE6, {kUpsilon, false, true, false}},  {0xE7, {kUpsilon, false, true, true}},
      {0xE8, {kUpsilon, true, false, false}},  {0xE9, {kUpsilon, true, false, false}},
      {0xEA, {kUpsilon, true, true, false}},   {0xEB, {kUpsilon, true, true, false}},
      {0xEC, {kRho, true, false, false}},      {0xF2, {kOmega, false, true, false}},
      {0xF3, {kOmega, false, false, false}},   {0xF4, {kOmega, false, true, false}},
      {0xF6, {kOmega, false, true, false}},    {0xF7, {kOmega, false, true, false}},
      {0xF8, {kOmicron, true, true, false}},   {0xF9, {kOmicron, true, true, false}},
      {0xFA, {kOmega, true, true, false}},     {0xFB, {kOmega, true, true, false}},
      {0xFC, {kOmega, true, false, false}},
  };
  for (const Row& r : rows) {
    if (r.code == k) return r.p;
  }
  return std::nullopt;
}

// The Windows-1253 byte of a plain small Greek letter with the given marks.
unsigned char ComposeGreek(unsigned char base, bool capital, bool accent, bool diaeresis) {
  struct Form {
    unsigned char base, acc, dia, accdia, cap, capacc, capdia;
  };
  static const Form forms[] = {
      {kAlpha, 0xDC, 0, 0, 0xC1, 0xA2, 0},   {kEpsilon, 0xDD, 0, 0, 0xC5, 0xB8, 0},
      {kEta, 0xDE, 0, 0, 0xC7, 0xB9, 0},     {kIota, 0xDF, 0xFA, 0xC0, 0xC9, 0xBA, 0xDA},
      {kOmicron, 0xFC, 0, 0, 0xCF, 0xBC, 0}, {kUpsilon, 0xFD, 0xFB, 0xE0, 0xD5, 0xBE, 0xDB},
      {kOmega, 0xFE, 0, 0, 0xD9, 0xBF, 0},
  };
  for (const Form& f : forms) {
    if (f.base != base) continue;
    if (capital) {
      if (diaeresis && f.capdia) return f.capdia;
      return accent ? f.capacc : f.cap;
    }
    if (accent && diaeresis && f.accdia) return f.accdia;
    if (diaeresis && f.dia) return f.dia;
    return accent ? f.acc : f.base;
  }
  return capital ? static_cast<unsigned char>(base - 0x20) : base;  // ρ and Ρ
}

// Greek plain vowel (small or capital) of a Windows-1253 byte, for combining marks.
bool PlainGreekVowel(unsigned char c, unsigned char& base, bool& capital) {
  const unsigned char small[] = {kAlpha, kEpsilon, kEta, kIota, kOmicron, kUpsilon, kOmega};
  for (unsigned char s : small) {
    if (c == s || c == s - 0x20) {
      base = s;
      capital = c != s;
      return true;
    }
  }
  return false;
}

bool IsGreekByte(unsigned char c) {
  return (c >= 0xC0 && c <= 0xFE && c != 0xD2) || c == 0xA2 ||
         (c >= 0xB8 && c <= 0xBF && c != 0xBB && c != 0xBD);
}
bool IsLatinByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Look-alike pairs: Latin letter, Greek letter (Windows-1253).
const std::vector<std::pair<char, unsigned char>>& LookAlikes() {
  static const std::vector<std::pair<char, unsigned char>> pairs = {
      {'A', 0xC1}, {'B', 0xC2}, {'E', 0xC5}, {'Z', 0xC6}, {'H', 0xC7}, {'I', 0xC9},
      {'K', 0xCA}, {'M', 0xCC}, {'N', 0xCD}, {'O', 0xCF}, {'P', 0xD1}, {'T', 0xD4},
      {'Y', 0xD5}, {'X', 0xD7}, {'a', 0xE1}, {'i', 0xE9}, {'k', 0xEA}, {'v', 0xED},
      {'o', 0xEF}, {'p', 0xF1}, {'u', 0xF5}, {'x', 0xF7}};
  return pairs;
}

}  // namespace

void MappingStats::Add(const MappingStats& o) {
  LatinAccentsRemoved += o.LatinAccentsRemoved;
  PolytonicMadeMonotonic += o.PolytonicMadeMonotonic;
  LookAlikesRepaired += o.LookAlikesRepaired;
  OtherReplaced += o.OtherReplaced;
  Dropped += o.Dropped;
  MalformedUtf8 += o.MalformedUtf8;
  for (const auto& [cp, n] : o.DroppedByCharacter) DroppedByCharacter[cp] += n;
}

std::string RepairLookAlikes(std::string_view text, int64_t& repaired) {
  std::string out(text);
  size_t i = 0;
  while (i < out.size()) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (!IsGreekByte(c) && !IsLatinByte(c) && c != 0xB5) {
      ++i;
      continue;
    }
    size_t j = i;
    int greek = 0, latin = 0;
    while (j < out.size()) {
      const auto d = static_cast<unsigned char>(out[j]);
      if (IsGreekByte(d)) {
        ++greek;
      } else if (IsLatinByte(d)) {
        ++latin;
      } else if (d != 0xB5) {
        break;
      }
      ++j;
    }
    // Convert the letters of one script to the other when every one of them has a
    // look-alike: the fewer ones first, else the more numerous ones.
    auto convertible = [&](bool from_latin) {
      for (size_t k = i; k < j; ++k) {
        const auto d = static_cast<unsigned char>(out[k]);
        if (from_latin ? !IsLatinByte(d) : !IsGreekByte(d)) continue;
        const bool found =
            std::any_of(LookAlikes().begin(), LookAlikes().end(), [&](const auto& p) {
              return from_latin ? p.first == static_cast<char>(d) : p.second == d;
            });
        if (!found) return false;
      }
      return true;
    };
    bool to_greek = false, to_latin = false;
    if (greek > 0 && latin > 0) {
      const bool latin_fewer = latin <= greek;
      if (convertible(latin_fewer)) {
        (latin_fewer ? to_greek : to_latin) = true;
      } else if (convertible(!latin_fewer)) {
        (latin_fewer ? to_latin : to_greek) = true;
      }
    }
    for (size_t k = i; k < j; ++k) {
      const auto d = static_cast<unsigned char>(out[k]);
      if (d == 0xB5 && greek > 0) {  // micro sign inside a Greek word: mu
        out[k] = static_cast<char>(0xEC);
        ++repaired;
        continue;
      }
      for (const auto& [l, g] : LookAlikes()) {
        if ((to_greek && l == static_cast<char>(d)) || (to_latin && g == d)) {
          // A small iota inside a Latin word is the source's "é" read through the Greek
          // code page ("cafι", "clichι"), not an "i".
          out[k] = to_greek ? static_cast<char>(g) : (d == 0xE9 ? 'e' : l);
          ++repaired;
          break;
        }
      }
    }
    i = j;
  }
  return out;
}

std::string MapToCp1253(std::string_view utf8, MappingStats& stats) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const int64_t next = NextCodePoint(utf8, i);
    if (next < 0) {
      ++stats.MalformedUtf8;
      continue;
    }
    const auto cp = static_cast<char32_t>(next);
    if (cp == 0 || cp == 0xFFFD) {
      ++stats.Dropped;
      ++stats.DroppedByCharacter[cp];
      continue;
    }
    if (cp == 0xA0 || cp == 0x2009 || cp == 0x2002 || cp == 0x2003 || cp == 0x202F) {
      out.push_back(' ');
      ++stats.OtherReplaced;
      continue;
    }
    if (cp >= 0x2010 && cp <= 0x2012) {
      out.push_back('-');
      ++stats.OtherReplaced;
      continue;
    }
    if (cp == 0x3C2 || cp == 0x3C3) {  // sigmas are in the code page; checked first for speed
      out.push_back(static_cast<char>(cp == 0x3C2 ? 0xF2 : 0xF3));
      continue;
    }
    const int byte = UnicodeToCp1253(cp);
    if (byte >= 0) {
      if (byte == '\t') {
        out.push_back(' ');
        continue;
      }
      if (byte < 0x20 && byte != '\n') {  // control characters
        ++stats.Dropped;
        ++stats.DroppedByCharacter[cp];
        continue;
      }
      out.push_back(static_cast<char>(byte));
      continue;
    }
    if (const std::string_view base = LatinBase(cp); !base.empty()) {
      out.append(base);
      ++stats.LatinAccentsRemoved;
      continue;
    }
    if (const auto p = PolytonicOf(cp)) {
      out.push_back(static_cast<char>(ComposeGreek(p->base, p->capital, p->accent, p->diaeresis)));
      ++stats.PolytonicMadeMonotonic;
      continue;
    }
    // Greek letter variants and combining marks after a Greek vowel.
    switch (cp) {
      case 0x3D0:
        out.push_back(static_cast<char>(0xE2));
        ++stats.PolytonicMadeMonotonic;
        continue;
      case 0x3D1:
        out.push_back(static_cast<char>(0xE8));
        ++stats.PolytonicMadeMonotonic;
        continue;
      case 0x3D5:
        out.push_back(static_cast<char>(0xF6));
        ++stats.PolytonicMadeMonotonic;
        continue;
      case 0x3F2:
        out.push_back(static_cast<char>(0xF3));
        ++stats.PolytonicMadeMonotonic;
        continue;
      case 0x3F0:
        out.push_back(static_cast<char>(0xEA));
        ++stats.PolytonicMadeMonotonic;
        continue;
      default:
        break;
    }
    if (cp == 0x301 || cp == 0x300 || cp == 0x342 || cp == 0x308 || cp == 0x344) {
      unsigned char base = 0;
      bool capital = false;
      if (!out.empty() && PlainGreekVowel(static_cast<unsigned char>(out.back()), base, capital)) {
        const bool dia = cp == 0x308 || cp == 0x344;
        out.back() = static_cast<char>(ComposeGreek(base, capital, !dia || cp == 0x344, dia));
        ++stats.PolytonicMadeMonotonic;
        continue;
      }
      if (!out.empty() && (cp == 0x301 || cp == 0x300 || cp == 0x308) &&
          IsLatinByte(static_cast<unsigned char>(out.back()))) {
        ++stats.LatinAccentsRemoved;
        continue;
      }
    }
    if (cp >= 0x300 && cp <= 0x36F) {  // other combining marks: breathings, macrons, ...
      ++(out.empty() || !IsGreekByte(static_cast<unsigned char>(out.back()))
             ? stats.LatinAccentsRemoved
             : stats.PolytonicMadeMonotonic);
      continue;
    }
    ++stats.Dropped;
    ++stats.DroppedByCharacter[cp];
  }
  return RepairLookAlikes(out, stats.LookAlikesRepaired);
}

std::string FormatMappingStats(const MappingStats& s) {
  std::string out;
  auto line = [&](const char* what, int64_t n) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "  %-44s %lld\n", what, static_cast<long long>(n));
    out += buf;
  };
  line("Latin letters stripped of accents:", s.LatinAccentsRemoved);
  line("polytonic Greek made monotonic:", s.PolytonicMadeMonotonic);
  line("look-alike letters repaired:", s.LookAlikesRepaired);
  line("dashes and spaces given plain forms:", s.OtherReplaced);
  line("characters dropped (no Windows-1253 form):", s.Dropped);
  line("malformed UTF-8 bytes dropped:", s.MalformedUtf8);
  if (!s.DroppedByCharacter.empty()) {
    std::vector<std::pair<char32_t, int64_t>> top(s.DroppedByCharacter.begin(),
                                                  s.DroppedByCharacter.end());
    std::sort(top.begin(), top.end(), [](const auto& a, const auto& b) {
      return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    out += "  most frequent dropped:";
    for (size_t k = 0; k < top.size() && k < 12; ++k) {
      char buf[48];
      std::snprintf(buf, sizeof buf, " U+%04X x%lld", static_cast<unsigned>(top[k].first),
                    static_cast<long long>(top[k].second));
      out += buf;
    }
    out += "\n";
  }
  return out;
}

}  // namespace zelvoran::dictc

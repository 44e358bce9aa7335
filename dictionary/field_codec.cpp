// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/field_codec.h"

#include <array>

#include "text/cp1253.h"

namespace zelvoran {
namespace {

struct CodecTables {
  std::array<unsigned char, 256> fold{};  // identity except the 43 folding pairs
  std::array<bool, 256> key_punct{};
  std::array<bool, 256> word_letter{};
};

const CodecTables& Tables() {
  static const CodecTables tables = [] {
    CodecTables t;
    for (int b = 0; b < 256; ++b) t.fold[static_cast<size_t>(b)] = static_cast<unsigned char>(b);
    const std::string from = Utf8ToCp1253("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩάΆέΈήΉίϊΐΊΪόΌύΎϋΰώΏ");
    const std::string to = Utf8ToCp1253("αβγδεζηθικλμνξοπρστυφχψωααεεηηιιιιιοουυυυωω");
    for (size_t i = 0; i < from.size() && i < to.size(); ++i) {
      t.fold[static_cast<unsigned char>(from[i])] = static_cast<unsigned char>(to[i]);
    }
    for (unsigned char c :
         {0x2B, 0x2A, 0x2C, 0x28, 0x29, 0x2F, 0x2D, 0x2E, 0x22, 0x60, 0xB4, 0x27}) {
      t.key_punct[c] = true;
    }
    for (int c = 'A'; c <= 'Z'; ++c) t.word_letter[static_cast<size_t>(c)] = true;
    for (int c = 'a'; c <= 'z'; ++c) t.word_letter[static_cast<size_t>(c)] = true;
    for (int c = 0xC1; c <= 0xD9; ++c) t.word_letter[static_cast<size_t>(c)] = true;
    for (int c = 0xE1; c <= 0xF9; ++c) t.word_letter[static_cast<size_t>(c)] = true;
    for (char c : Utf8ToCp1253("άΆέΈήΉίϊΐΊΪόΌύΎϋΰώΏ")) {
      t.word_letter[static_cast<unsigned char>(c)] = true;
    }
    return t;
  }();
  return tables;
}

inline unsigned char U(char c) {
  return static_cast<unsigned char>(c);
}

}  // namespace

std::string_view UpToNul(std::string_view text) {
  const size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::string_view TrimLeftBlanks(std::string_view text) {
  size_t b = 0;
  while (b < text.size() && U(text[b]) <= 32) ++b;
  return text.substr(b);
}

std::string_view TrimRightBlanks(std::string_view text) {
  size_t e = text.size();
  while (e > 0 && U(text[e - 1]) <= 32) --e;
  return text.substr(0, e);
}

std::string_view TrimBlanks(std::string_view text) {
  return TrimRightBlanks(TrimLeftBlanks(text));
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

bool IsWordLetter(unsigned char c) {
  return Tables().word_letter[c];
}
bool IsKeyPunctuation(unsigned char c) {
  return Tables().key_punct[c];
}
unsigned char GreekFoldChar(unsigned char c) {
  return Tables().fold[c];
}

MirrorKey MirrorKeyOf(int64_t number) {
  const int64_t b = (number % 1000) + (number % 10);
  MirrorKey key{};
  key.k[2] = static_cast<int>((b / 100) % 6);
  key.k[1] = static_cast<int>(((b % 100) / 10) % 6);
  key.k[0] = static_cast<int>((b - 10 * key.k[1] - 100 * key.k[2]) % 6);
  return key;
}

std::string MirrorDecode(int64_t number, std::string_view text) {
  text = UpToNul(text);
  std::string r(text);
  const MirrorKey key = MirrorKeyOf(number);
  const size_t n = text.size() / 2;
  const size_t m = 2 * n;
  for (size_t p = 1; p <= n; ++p) {
    const int k = key.k[p % 3];
    r[p - 1] = static_cast<char>(U(text[m - p - 1]) + k);
    r[m - p - 1] = static_cast<char>(U(text[p - 1]) + k);
  }
  return r;
}

std::string PositionDecode(int64_t position, std::string_view text) {
  text = UpToNul(text);
  std::string r(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    int c = U(text[i]) - PositionShiftAt(position + static_cast<int64_t>(i));
    if (c < 1) c += 254;
    r[i] = static_cast<char>(c);
  }
  return r;
}

std::string ShiftCodec(std::string_view text, ShiftDirection direction) {
  text = UpToNul(text);
  std::string r(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const int s = ShiftAt(static_cast<int64_t>(i) + 1);
    int c = U(text[i]);
    if (direction == ShiftDirection::kDecode) {
      c -= s;
      if (c < 32) {
        c += 223;
      } else if (c == 172) {
        c = 13;
      } else if (c == 182) {
        c = 10;
      }
    } else {
      if (c == 13) {
        c = 172;
      } else if (c == 10) {
        c = 182;
      }
      c += s;
      if (c > 254) c -= 223;
    }
    r[i] = static_cast<char>(c);
  }
  return r;
}

std::string GreekFold(std::string_view text) {
  text = UpToNul(text);
  if (text.empty()) return {};
  std::string r = AsciiLower(TrimBlanks(text));
  const CodecTables& t = Tables();
  for (char& c : r) c = static_cast<char>(t.fold[U(c)]);
  return r;
}

std::string GreekKey(std::string_view text) {
  text = UpToNul(text);
  if (text.empty()) return {};
  const std::string s = AsciiLower(TrimBlanks(text));
  const CodecTables& t = Tables();
  std::string k;
  k.reserve(s.size());
  for (char ch : s) {
    unsigned char c = U(ch);
    if (c >= 'a' && c <= 'z') c = ' ';
    if (c >= '0' && c <= '9' && k.empty()) c = ' ';
    c = t.key_punct[c] ? static_cast<unsigned char>(' ') : t.fold[c];
    if (c > 32) k.push_back(static_cast<char>(c));
  }
  return k;
}

std::string EnglishKey(std::string_view text) {
  text = UpToNul(text);
  if (text.empty()) return {};
  const CodecTables& t = Tables();
  std::string k;
  k.reserve(text.size());
  for (char ch : text) {
    unsigned char c = U(ch);
    if (c == ' ' || t.key_punct[c]) c = ' ';
    if (c >= '0' && c <= '9' && k.empty()) c = ' ';
    if (c > 32) k.push_back(static_cast<char>(c));
  }
  return AsciiLower(TrimBlanks(k));
}

bool WholeWordFound(std::string_view text, std::string_view word) {
  text = UpToNul(text);
  word = UpToNul(word);
  if (text.empty() || word.empty()) return false;
  const size_t p = text.find(word);
  if (p == std::string_view::npos) return false;
  if (p > 0 && IsWordLetter(U(text[p - 1]))) return false;
  const size_t e = p + word.size();
  if (e < text.size() && IsWordLetter(U(text[e]))) return false;
  return true;
}

bool IsGreekLetter(unsigned char c) {
  static const std::string letters =
      Utf8ToCp1253("αβγδεζηθικλμνξοπρστυφχψωςάέήίόύώϊϋΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΆΈΉΊΌΎΏΪΫ");
  return letters.find(static_cast<char>(c)) != std::string::npos;
}

bool IsGreekText(std::string_view text) {
  const std::string k = EnglishKey(text);
  return !k.empty() && IsGreekLetter(static_cast<unsigned char>(k[0]));
}

}  // namespace zelvoran

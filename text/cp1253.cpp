// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp1253.h"

#include <array>

namespace zelvoran {
namespace {

constexpr char32_t kNone = 0xFFFD;

// Code points of the bytes 0x80..0xBF; 0xC0..0xFE follow the Greek block (see below).
constexpr std::array<char32_t, 64> kHigh = {
    0x20AC, kNone,  0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    kNone,  0x2030, kNone,  0x2039, kNone,  kNone,  kNone,  kNone,   // 88
    kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    kNone,  0x2122, kNone,  0x203A, kNone,  kNone,  kNone,  kNone,   // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, kNone,  0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // B8
};

struct Tables {
  std::array<char32_t, 256> to_unicode{};
  std::array<unsigned char, 256> lower{};
};

const Tables& GetTables() {
  static const Tables tables = [] {
    Tables t;
    for (int b = 0; b < 256; ++b) {
      char32_t cp = kNone;
      if (b < 0x80) {
        cp = static_cast<char32_t>(b);
      } else if (b < 0xC0) {
        cp = kHigh[static_cast<size_t>(b - 0x80)];
      } else if (b != 0xD2 && b != 0xFF) {
        cp = static_cast<char32_t>(0x0390 + (b - 0xC0));
      }
      t.to_unicode[static_cast<size_t>(b)] = cp;
      unsigned char low = static_cast<unsigned char>(b);
      if (b >= 'A' && b <= 'Z') low = static_cast<unsigned char>(b + 32);
      if (b >= 0xC1 && b <= 0xDB && b != 0xD2) low = static_cast<unsigned char>(b + 0x20);
      t.lower[static_cast<size_t>(b)] = low;
    }
    // Accented capitals: Ά Έ Ή Ί Ό Ύ Ώ.
    t.lower[0xA2] = 0xDC;
    t.lower[0xB8] = 0xDD;
    t.lower[0xB9] = 0xDE;
    t.lower[0xBA] = 0xDF;
    t.lower[0xBC] = 0xFC;
    t.lower[0xBE] = 0xFD;
    t.lower[0xBF] = 0xFE;
    return t;
  }();
  return tables;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

char32_t Cp1253ToUnicode(unsigned char byte) {
  return GetTables().to_unicode[byte];
}

int UnicodeToCp1253(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  // The Greek question mark and ano teleia are the same characters as ";" and the middle dot
  // (their canonical equivalents), which the code page has.
  if (cp == 0x037E) return ';';
  if (cp == 0x0387) return 0xB7;
  if (cp >= 0x0390 && cp <= 0x03CE && cp != 0x03A2) return static_cast<int>(cp - 0x0390 + 0xC0);
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp && cp != kNone) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::string Cp1253ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  const Tables& t = GetTables();
  for (char c : text) AppendUtf8(out, t.to_unicode[static_cast<unsigned char>(c)]);
  return out;
}

std::string Utf8ToCp1253(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t len = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      len = 1;
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      len = 2;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      len = 3;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      len = 4;
      cp = lead & 0x07;
    }
    bool ok = len > 0 && i + len <= n;
    for (size_t k = 1; ok && k < len; ++k) {
      const auto cont = static_cast<unsigned char>(utf8[i + k]);
      if ((cont & 0xC0) != 0x80) {
        ok = false;
      } else {
        cp = (cp << 6) | (cont & 0x3F);
      }
    }
    if (!ok) {
      out.push_back('?');
      ++i;
      continue;
    }
    const int b = UnicodeToCp1253(cp);
    out.push_back(b < 0 ? '?' : static_cast<char>(b));
    i += len;
  }
  return out;
}

unsigned char CharLowerA(unsigned char byte) {
  return GetTables().lower[byte];
}

std::string CharLowerA(std::string_view text) {
  std::string out(text);
  const Tables& t = GetTables();
  for (char& c : out) c = static_cast<char>(t.lower[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace zelvoran

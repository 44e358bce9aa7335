// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/data_profile.h"

#include <charconv>
#include <map>
#include <vector>

#include "text/cp1253.h"

namespace zelvoran {

std::optional<int> LetterStartTable::EnglishStart(unsigned char c) const {
  if (c < 'a' || c > 'z') return std::nullopt;
  return english[static_cast<size_t>(c - 'a')];
}

std::optional<int> LetterStartTable::GreekStart(unsigned char c) const {
  if (c < 0xE1 || c > 0xF9) return std::nullopt;
  return greek[static_cast<size_t>(c - 0xE1)];
}

const DataProfile& BuiltInProfile() {
  static const DataProfile profile = [] {
    DataProfile p;
    p.letters.english = {1,     2779,  6052,  11910, 14863, 17393, 19222, 20944, 23098,
                         25027, 25327, 25575, 27248, 30609, 31534, 32692, 37914, 38166,
                         39932, 45599, 48159, 49202, 49871, 50588, 50655, 50778};
    // α β γ δ ε ζ η θ ι κ λ μ ν ξ ο π ρ ς σ τ υ φ χ ψ ω
    p.letters.greek = {1,     6699,  8052,  9582,  11733, 15438, 15843, 16212, 16871,
                       17433, 20810, 21941, 25076, 26336, 27543, 28565, 35082, 1,
                       35550, 40505, 43164, 44210, 45680, 46701, 47161};
    return p;
  }();
  return profile;
}

namespace {

constexpr std::string_view kKeys[] = {
    "english-headwords", "greek-headwords",       "abbreviations",      "english-links",
    "greek-links",       "english-letter-starts", "greek-letter-starts"};

std::string Msg(std::string_view utf8) {
  return Utf8ToCp1253(utf8);
}

std::optional<int64_t> ParseNumber(std::string_view s) {
  if (s.empty() || s.size() > 9) return std::nullopt;
  int64_t v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || v < 0) return std::nullopt;
  return v;
}

std::vector<std::string_view> SplitBlanks(std::string_view s) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    if (j > i) out.push_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

}  // namespace

ProfileParseResult ParseProfile(std::string_view text) {
  ProfileParseResult result;
  std::map<std::string, std::string, std::less<>> values;
  size_t line_no = 0;
  size_t pos = 0;
  auto fail = [&](std::string_view utf8_reason) {
    result.profile.reset();
    result.error = Msg("Το αρχείο προφίλ των δεδομένων (") + std::string(kProfileFileName) +
                   Msg(") δεν είναι έγκυρο: ") + Msg(utf8_reason);
    return result;
  };
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t b = 0;
    while (b < line.size() && (line[b] == ' ' || line[b] == '\t')) ++b;
    line.remove_prefix(b);
    if (line.empty() || line.front() == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      return fail("γραμμή " + std::to_string(line_no) + " χωρίς «=».");
    }
    std::string_view key = line.substr(0, eq);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
    bool known = false;
    for (std::string_view k : kKeys) known = known || k == key;
    if (!known) return fail("άγνωστο κλειδί «" + std::string(key) + "».");
    if (values.count(key)) return fail("το κλειδί «" + std::string(key) + "» δίνεται δύο φορές.");
    values.emplace(std::string(key), std::string(line.substr(eq + 1)));
  }
  DataProfile p;
  struct Count {
    std::string_view key;
    int* target;
    int max;
  } counts[] = {
      {"english-headwords", &p.counts.english_headwords, kMaxIndexRecords},
      {"greek-headwords", &p.counts.greek_headwords, kMaxIndexRecords},
      {"abbreviations", &p.counts.abbreviations, kMaxAbbreviations},
      {"english-links", &p.counts.english_links, kMaxEnglishLinks},
      {"greek-links", &p.counts.greek_links, kMaxGreekLinks},
  };
  for (const Count& c : counts) {
    auto it = values.find(c.key);
    if (it == values.end()) return fail("λείπει το κλειδί «" + std::string(c.key) + "».");
    auto fields = SplitBlanks(it->second);
    std::optional<int64_t> v = fields.size() == 1 ? ParseNumber(fields[0]) : std::nullopt;
    if (!v) return fail("το «" + std::string(c.key) + "» δεν είναι ακέραιος αριθμός.");
    if (*v > c.max) {
      return fail("το «" + std::string(c.key) + "» ξεπερνά το όριο " + std::to_string(c.max) + ".");
    }
    *c.target = static_cast<int>(*v);
  }
  auto letters = [&](std::string_view key, uint16_t* out, size_t n) -> bool {
    auto it = values.find(key);
    if (it == values.end()) return false;
    auto fields = SplitBlanks(it->second);
    if (fields.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
      auto v = ParseNumber(fields[i]);
      if (!v || *v < 1 || *v > kMaxIndexRecords) return false;
      out[i] = static_cast<uint16_t>(*v);
    }
    return true;
  };
  if (!letters("english-letter-starts", p.letters.english.data(), kEnglishLetters)) {
    return fail("το «english-letter-starts» θέλει 26 αριθμούς από 1 έως 60001.");
  }
  if (!letters("greek-letter-starts", p.letters.greek.data(), kGreekLetters)) {
    return fail("το «greek-letter-starts» θέλει 25 αριθμούς από 1 έως 60001.");
  }
  result.profile = p;
  return result;
}

std::string FormatProfile(const DataProfile& p) {
  std::string s =
      "# Zelvoran Glossa data profile: record counts and the first slot of each letter.\r\n";
  s += "english-headwords=" + std::to_string(p.counts.english_headwords) + "\r\n";
  s += "greek-headwords=" + std::to_string(p.counts.greek_headwords) + "\r\n";
  s += "abbreviations=" + std::to_string(p.counts.abbreviations) + "\r\n";
  s += "english-links=" + std::to_string(p.counts.english_links) + "\r\n";
  s += "greek-links=" + std::to_string(p.counts.greek_links) + "\r\n";
  s += "# a b c ... z\r\nenglish-letter-starts=";
  for (size_t i = 0; i < p.letters.english.size(); ++i) {
    if (i) s += ' ';
    s += std::to_string(p.letters.english[i]);
  }
  s += "\r\n# alpha beta gamma ... omega, final sigma between rho and sigma\r\n";
  s += "greek-letter-starts=";
  for (size_t i = 0; i < p.letters.greek.size(); ++i) {
    if (i) s += ' ';
    s += std::to_string(p.letters.greek[i]);
  }
  s += "\r\n";
  return s;
}

}  // namespace zelvoran

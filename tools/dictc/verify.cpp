// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/verify.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <unordered_set>

#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "dictionary/forms_file.h"
#include "dictionary/pronunciations.h"
#include "text/cp1253.h"
#include "text/text_lines.h"
#include "tools/dictc/data_writer.h"

namespace zelvoran::dictc {
namespace {

std::optional<std::string> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Representable(unsigned char c) {
  return Cp1253ToUnicode(c) != U'\uFFFD';
}

class Checker {
 public:
  Checker(VerifyReport& report, size_t max_listed) : r_(report), max_(max_listed) {}
  void Fault(const std::string& text) {
    ++r_.FaultCount;
    if (r_.Faults.size() < max_) r_.Faults.push_back(text);
  }

 private:
  VerifyReport& r_;
  size_t max_;
};

// The lines of a file that must use CR LF: the text of each line, and a fault for a bare LF
// or CR or a missing last line end.
std::vector<std::string_view> CrLfLines(std::string_view data, const std::string& name,
                                        Checker& check) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  int line_no = 0;
  bool reported = false;
  while (start < data.size()) {
    ++line_no;
    const size_t end = data.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      check.Fault(name + " line " + std::to_string(line_no) + ": no CR LF at the end of the file");
      lines.push_back(data.substr(start));
      break;
    }
    lines.push_back(data.substr(start, end - start));
    if (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n') {
      start = end + 2;
    } else {
      if (!reported) {
        check.Fault(name + " line " + std::to_string(line_no) +
                    ": line ends with a bare CR or LF, not CR LF");
        reported = true;
      }
      start = end + 1;
    }
  }
  return lines;
}

std::string Where(const char* section, int line) {
  return std::string("ZelvoranI.tbo ") + section + " line " + std::to_string(line);
}

// The pronunciations file, when there is one: every line well-formed UTF-8, naming an index
// line of its section by number and headword, each index line at most once.
void VerifyPronunciations(const std::filesystem::path& dir,
                          const std::vector<std::string> (&headwords)[2], VerifyReport& r,
                          Checker& check) {
  const std::string name(kPronunciationsFileName);
  const auto text = ReadAll(dir / name);
  if (!text) return;
  r.HasPronunciations = true;
  std::set<std::pair<bool, int32_t>> seen;
  int line_no = 0;
  for (std::string_view line : SplitLines(*text)) {
    ++line_no;
    const std::string where = name + " line " + std::to_string(line_no);
    const PronunciationParse p = ParsePronunciationLine(line);
    if (p.comment) continue;
    if (!p.error.empty()) {
      check.Fault(where + ": " + p.error);
      continue;
    }
    const PronunciationLine& l = p.line;
    const std::vector<std::string>& section = headwords[l.Greek ? 1 : 0];
    if (static_cast<size_t>(l.LineNumber) >= section.size()) {
      check.Fault(where + ": names " + (l.Greek ? "Greek" : "English") + " line " +
                  std::to_string(l.LineNumber) + ", which does not exist");
      continue;
    }
    const std::string& headword = section[static_cast<size_t>(l.LineNumber)];
    if (Cp1253ToUtf8(headword) != l.Headword) {
      check.Fault(where + ": headword \"" + l.Headword + "\" is not that of " +
                  (l.Greek ? "Greek" : "English") + " line " + std::to_string(l.LineNumber) +
                  " (\"" + Cp1253ToUtf8(headword) + "\")");
      continue;
    }
    if (!seen.insert({l.Greek, l.LineNumber}).second) {
      check.Fault(where + ": a second pronunciation of " + (l.Greek ? "Greek" : "English") +
                  " line " + std::to_string(l.LineNumber));
      continue;
    }
    (l.Greek ? r.GreekPronunciations : r.EnglishPronunciations)++;
  }
}

}  // namespace

// The forms file, when the folder has one: it reads, its forms are lower case and in order,
// and every Greek base is a headword of the index.
template <class Check>
void VerifyFormsFile(const std::string& folder,
                     const std::unordered_set<std::string>& greek_headwords, Check& check) {
  const std::string name(kFormsFileName);
  const auto path = std::filesystem::path(folder) / name;
  if (!std::filesystem::exists(path)) return;
  auto bytes = ReadAll(path);
  if (!bytes) {
    check.Fault(name + ": unreadable");
    return;
  }
  std::string error;
  const auto forms = FormsFile::Parse(std::move(*bytes), &error);
  if (!forms) {
    check.Fault(name + ": " + error);
    return;
  }
  for (int s = 0; s < 2; ++s) {
    const bool greek = s == 1;
    const std::string section = greek ? "Greek" : "English";
    std::string previous_fold, previous_form, fault;
    size_t n = 0;
    const bool whole = forms->ForEach(
        greek,
        [&](std::string_view form, const std::vector<uint32_t>& bases) {
          ++n;
          const std::string where = name + " " + section + " form " + std::to_string(n);
          const std::string fold = FoldForm(form);
          if (form.empty()) check.Fault(where + ": empty");
          if (CharLowerA(form) != form) check.Fault(where + ": not lower case");
          if (n > 1 && (fold < previous_fold || (fold == previous_fold && form <= previous_form))) {
            check.Fault(where + ": \"" + Cp1253ToUtf8(form) + "\" out of order");
          }
          if (bases.empty()) check.Fault(where + ": no base");
          if (greek) {
            for (uint32_t b : bases) {
              if (!greek_headwords.count(CharLowerA(forms->Base(true, b)))) {
                check.Fault(where + ": base \"" + Cp1253ToUtf8(forms->Base(true, b)) +
                            "\" is no Greek headword");
              }
            }
          }
          previous_fold = fold;
          previous_form = std::string(form);
          return true;
        },
        &fault);
    if (!whole) check.Fault(name + " " + section + ": " + fault);
    if (whole && n != forms->EntryCount(greek)) {
      check.Fault(name + " " + section + ": " + std::to_string(n) + " forms, the header says " +
                  std::to_string(forms->EntryCount(greek)));
    }
  }
}

VerifyReport VerifyDataFolder(const std::string& folder, size_t max_listed) {
  namespace fs = std::filesystem;
  VerifyReport r;
  Checker check(r, max_listed);
  const fs::path dir(folder);
  if (!fs::is_directory(dir)) {
    check.Fault(folder + ": not a folder");
    return r;
  }

  // The profile: a profile file replaces the built-in one.
  r.Profile = BuiltInProfile();
  if (const auto text = ReadAll(dir / std::string(kProfileFileName))) {
    const ProfileParseResult parsed = ParseProfile(*text);
    if (!parsed.profile) {
      check.Fault(std::string(kProfileFileName) + ": rejected: " + Cp1253ToUtf8(parsed.error));
      return r;
    }
    r.Profile = *parsed.profile;
    r.ProfileFromFile = true;
  }
  const DataCounts& counts = r.Profile.counts;

  const char* names[] = {"ZelvoranI.tbo", "ZelvoranDat.tbo", "ZelvoranSrt.tbo", "ZelvoranEC.tbo"};
  std::optional<std::string> files[4];
  for (int i = 0; i < 4; ++i) {
    files[i] = ReadAll(dir / names[i]);
    if (!files[i]) check.Fault(std::string(names[i]) + ": missing or unreadable");
  }
  if (!files[0] || !files[1] || !files[2] || !files[3]) return r;
  const std::string& texts = *files[1];
  r.TextsBytes = texts.size();

  // Abbreviations.
  std::set<std::string> abbreviations, subject_fields;
  {
    const auto lines = CrLfLines(*files[2], names[2], check);
    r.Abbreviations = static_cast<int>(lines.size());
    if (lines.size() > static_cast<size_t>(kMaxAbbreviations)) {
      check.Fault(std::string(names[2]) + ": " + std::to_string(lines.size()) +
                  " lines, the table holds 236");
    }
    if (r.Abbreviations != counts.abbreviations) {
      check.Fault(std::string(names[2]) + ": " + std::to_string(lines.size()) +
                  " lines, the profile says " + std::to_string(counts.abbreviations));
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string where = std::string(names[2]) + " line " + std::to_string(i + 1);
      const std::string_view line = lines[i];
      const std::string abbr(TrimBlanks(Columns(line, 1, 10)));
      if (abbr.empty()) check.Fault(where + ": empty abbreviation");
      if (line.size() > 76) check.Fault(where + ": longer than 76 columns");
      if (line.size() >= 11 && line[10] != '\xCD' && line[10] != ' ') {
        check.Fault(where + ": column 11 is neither \"\xCE\x9D\" nor a blank");
      }
      for (char c : line) {
        if (!Representable(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) < 32) {
          check.Fault(where + ": byte " + std::to_string(static_cast<unsigned char>(c)) +
                      " is not Windows-1253 text");
          break;
        }
      }
      if (!abbr.empty() && !abbreviations.insert(abbr).second) {
        check.Fault(where + ": abbreviation \"" + Cp1253ToUtf8(abbr) + "\" appears twice");
      }
      if (line.size() >= 11 && line[10] == '\xCD') subject_fields.insert(abbr);
    }
  }

  // Index.
  const auto index_lines = CrLfLines(*files[0], names[0], check);
  const int english = std::min(static_cast<int>(index_lines.size()), counts.english_headwords);
  r.EnglishLines = english;
  r.GreekLines = static_cast<int>(index_lines.size()) - english;
  if (static_cast<int>(index_lines.size()) < counts.english_headwords) {
    check.Fault(std::string(names[0]) + ": " + std::to_string(index_lines.size()) +
                " lines, fewer than the profile's " + std::to_string(counts.english_headwords) +
                " English headwords");
  }
  if (r.GreekLines != counts.greek_headwords) {
    check.Fault(std::string(names[0]) + ": " + std::to_string(r.GreekLines) +
                " Greek lines, the profile says " + std::to_string(counts.greek_headwords));
  }
  for (int s = 0; s < 2; ++s) {
    const int n = s == 0 ? r.EnglishLines : r.GreekLines;
    if (n > kMaxIndexRecords) {
      check.Fault(std::string(names[0]) + ": " + std::to_string(n) + (s ? " Greek" : " English") +
                  " headwords, an index holds 60001");
    }
  }
  // Per section: the category of each line number, and the keys for the letter starts.
  std::vector<std::string> categories[2];
  std::vector<std::string> keys[2];
  std::vector<std::string> headwords[2] = {{""}, {""}};
  std::unordered_set<std::string> greek_headwords;
  for (int s = 0; s < 2; ++s) {
    const char* section = s == 0 ? "English" : "Greek";
    const size_t first = s == 0 ? 0 : static_cast<size_t>(english);
    const size_t end = s == 0 ? static_cast<size_t>(english) : index_lines.size();
    int64_t previous_number = 0;
    std::string previous_key;
    categories[s].push_back({});
    for (size_t i = first; i < end; ++i) {
      const int j = static_cast<int>(i - first + 1);
      const std::string where = Where(section, j);
      const std::string decoded = MirrorDecode(j, index_lines[i]);
      if (decoded.size() != index_lines[i].size()) {
        check.Fault(where + ": decodes to a NUL byte");
      }
      std::vector<std::string_view> f;
      size_t start = 0;
      for (int k = 0; k < 5; ++k) {
        const size_t hash = decoded.find('#', start);
        if (hash == std::string::npos) break;
        f.push_back(std::string_view(decoded).substr(start, hash - start));
        start = hash + 1;
      }
      if (f.size() != 5) {
        check.Fault(where + ": " + std::to_string(f.size() + 1) + " fields, not 6");
        headwords[s].push_back({});
        categories[s].push_back({});
        keys[s].push_back({});
        continue;
      }
      f.push_back(std::string_view(decoded).substr(start));
      const auto number = ParseDecimal(f[0]);
      if (!number) {
        check.Fault(where + ": field 1 (entry number) is not decimal digits");
      } else {
        if (*number > 0xFFFF) check.Fault(where + ": entry number above 65535");
        if (*number <= previous_number) {
          check.Fault(where + ": entry number " + std::to_string(*number) +
                      " does not rise above the previous " + std::to_string(previous_number));
        }
        previous_number = *number;
      }
      const std::string headword(TrimRightBlanks(f[1]));
      headwords[s].push_back(headword);
      if (s == 1) greek_headwords.insert(CharLowerA(headword));
      const std::string key(TrimRightBlanks(f[2]));
      const std::string category(TrimRightBlanks(f[3]));
      if (headword.empty()) check.Fault(where + ": empty headword");
      if (headword.size() > kHeadwordMax) check.Fault(where + ": headword longer than 57");
      if (key.size() > kSearchKeyMax) check.Fault(where + ": key longer than 42");
      const std::string expected =
          (s == 0 ? EnglishKey(headword) : GreekKey(headword)).substr(0, kSearchKeyMax);
      if (key != expected) {
        check.Fault(where + ": key \"" + Cp1253ToUtf8(key) + "\" is not the " +
                    (s == 0 ? "EnglishKey" : "GreekKey") + " of the headword (\"" +
                    Cp1253ToUtf8(expected) + "\")");
      }
      if (key.empty()) check.Fault(where + ": empty key");
      if (!previous_key.empty() && key < previous_key) {
        check.Fault(where + ": key \"" + Cp1253ToUtf8(key) + "\" sorts before the previous \"" +
                    Cp1253ToUtf8(previous_key) + "\"");
      }
      previous_key = key;
      if (!key.empty()) {
        const auto c = static_cast<unsigned char>(key[0]);
        const bool ok = s == 0 ? (c >= 'a' && c <= 'z') : (c >= 0xE1 && c <= 0xF9);
        if (!ok) check.Fault(where + ": key does not begin with a letter of its section");
      }
      if (category.size() > kCategoryMax) check.Fault(where + ": category longer than 15");
      if (!category.empty() && category != "MULTI" && !subject_fields.count(category)) {
        check.Fault(where + ": category \"" + Cp1253ToUtf8(category) +
                    "\" is not a subject field of ZelvoranSrt.tbo");
      }
      for (std::string_view text : {f[1], f[2], f[3]}) {
        for (char c : text) {
          const auto b = static_cast<unsigned char>(c);
          if (b < 32 || !Representable(b)) {
            check.Fault(where + ": byte " + std::to_string(b) + " is not Windows-1253 text");
            break;
          }
        }
      }
      categories[s].push_back(category);
      keys[s].push_back(key);
      const auto position = ParseDecimal(f[4]);
      const auto length = ParseDecimal(f[5]);
      if (!position || !length) {
        check.Fault(where + ": field " + (position ? "6 (length)" : "5 (position)") +
                    " is not decimal digits");
        continue;
      }
      if (*position < 1 || *position > INT32_MAX) {
        check.Fault(where + ": position " + std::to_string(*position) + " out of range");
        continue;
      }
      if (*length > static_cast<int64_t>(kMaxExplanationBytes)) {
        check.Fault(where + ": explanation of " + std::to_string(*length) +
                    " bytes, more than the 31000 the program reads");
      }
      if (static_cast<uint64_t>(*position - 1 + *length) > texts.size()) {
        check.Fault(where + ": explanation at " + std::to_string(*position) + " length " +
                    std::to_string(*length) + " runs past the end of ZelvoranDat.tbo (" +
                    std::to_string(texts.size()) + " bytes)");
        continue;
      }
      const std::string text = PositionDecode(
          *position, std::string_view(texts).substr(static_cast<size_t>(*position - 1),
                                                    static_cast<size_t>(*length)));
      if (text.size() != static_cast<size_t>(*length)) {
        check.Fault(where + ": explanation holds a byte that decodes to NUL");
        continue;
      }
      for (size_t k = 0; k < text.size(); ++k) {
        const auto b = static_cast<unsigned char>(text[k]);
        const bool crlf = (b == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ||
                          (b == '\n' && k > 0 && text[k - 1] == '\r');
        if ((b < 32 && !crlf) || !Representable(b)) {
          check.Fault(where + ": explanation byte " + std::to_string(k + 1) + " (" +
                      std::to_string(b) + ") is not Windows-1253 text with CR LF line ends");
          break;
        }
      }
    }
  }
  const LetterStartTable starts = LetterStartsOf(keys[0], keys[1]);
  for (int c = 0; c < kEnglishLetters; ++c) {
    if (starts.english[static_cast<size_t>(c)] !=
        r.Profile.letters.english[static_cast<size_t>(c)]) {
      check.Fault(
          std::string("profile: English letter '") + static_cast<char>('a' + c) +
          "' starts at slot " + std::to_string(r.Profile.letters.english[static_cast<size_t>(c)]) +
          ", the index has it at " + std::to_string(starts.english[static_cast<size_t>(c)]));
    }
  }
  for (int c = 0; c < kGreekLetters; ++c) {
    if (starts.greek[static_cast<size_t>(c)] != r.Profile.letters.greek[static_cast<size_t>(c)]) {
      check.Fault("profile: Greek letter \"" +
                  Cp1253ToUtf8(std::string(1, static_cast<char>(0xE1 + c))) + "\" starts at slot " +
                  std::to_string(r.Profile.letters.greek[static_cast<size_t>(c)]) +
                  ", the index has it at " + std::to_string(starts.greek[static_cast<size_t>(c)]));
    }
  }
  for (int s = 0; s < 2; ++s) {
    for (const std::string& c : categories[s]) r.SubjectFieldEntries += !c.empty();
  }

  // Category links.
  {
    const auto lines = CrLfLines(*files[3], names[3], check);
    int64_t previous[2] = {0, 0};
    std::vector<std::set<int64_t>> linked(2);
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string where = std::string(names[3]) + " line " + std::to_string(i + 1);
      const std::string_view line = lines[i];
      const auto number = ParseDecimal(TrimBlanks(Columns(line, 1, 5)));
      if (!number) {
        check.Fault(where + ": columns 1-5 are not a decimal number");
        continue;
      }
      const int s = line.size() >= 6 && line[5] == 'E' ? 0 : 1;
      (s == 0 ? r.EnglishLinks : r.GreekLinks)++;
      if (line.size() > 21) check.Fault(where + ": abbreviation longer than 15");
      if (*number < previous[s]) {
        check.Fault(where + ": number " + std::to_string(*number) + " below the previous " +
                    std::string(s == 0 ? "English" : "Greek") + " link's " +
                    std::to_string(previous[s]));
      }
      previous[s] = *number;
      const std::string category = MirrorDecode(*number, Columns(line, 7, 21));
      if (!subject_fields.count(category)) {
        check.Fault(where + ": \"" + Cp1253ToUtf8(category) +
                    "\" is not a subject field of ZelvoranSrt.tbo");
      }
      if (*number < 1 || *number >= static_cast<int64_t>(categories[s].size())) {
        check.Fault(where + ": names " + (s == 0 ? "English" : "Greek") + " line " +
                    std::to_string(*number) + ", which does not exist");
      } else if (categories[s][static_cast<size_t>(*number)] != "MULTI") {
        check.Fault(where + ": names " + (s == 0 ? "English" : "Greek") + " line " +
                    std::to_string(*number) + ", whose category is not \"MULTI\"");
      }
      linked[static_cast<size_t>(s)].insert(*number);
    }
    for (int s = 0; s < 2; ++s) {
      for (size_t n = 1; n < categories[s].size(); ++n) {
        if (categories[s][n] == "MULTI" &&
            !linked[static_cast<size_t>(s)].count(static_cast<int64_t>(n))) {
          check.Fault(Where(s == 0 ? "English" : "Greek", static_cast<int>(n)) +
                      ": category \"MULTI\" without a link in ZelvoranEC.tbo");
        }
      }
    }
    if (r.EnglishLinks > kMaxEnglishLinks || r.GreekLinks > kMaxGreekLinks) {
      check.Fault(std::string(names[3]) +
                  ": more links than the tables hold (6375 English, 205 Greek)");
    }
    if (r.EnglishLinks != counts.english_links || r.GreekLinks != counts.greek_links) {
      check.Fault(std::string(names[3]) + ": " + std::to_string(r.EnglishLinks) + " English and " +
                  std::to_string(r.GreekLinks) + " Greek links, the profile says " +
                  std::to_string(counts.english_links) + " and " +
                  std::to_string(counts.greek_links));
    }
  }
  VerifyPronunciations(dir, headwords, r, check);
  VerifyFormsFile(folder, greek_headwords, check);
  return r;
}

}  // namespace zelvoran::dictc

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/dictc/source_parser.h"

#include <algorithm>

#include "dictionary/field_codec.h"
#include "tools/dictc/abbreviations.h"
#include "tools/dictc/dictd_reader.h"

namespace zelvoran::dictc {
namespace {

std::string Collapse(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      blank = !out.empty();
      continue;
    }
    if (blank) out.push_back(' ');
    blank = false;
    out.push_back(c);
  }
  return out;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  while (!lines.empty() && TrimBlanks(lines.back()).empty()) lines.pop_back();
  return lines;
}

// Splits a headline into its headword text, its pronunciations and its part-of-speech tag:
// "word /IPA/ /IPA/ <pos>".
std::string_view Headline(std::string_view line, std::string& tag, std::vector<std::string>& ipa,
                          ParseStats& stats) {
  const size_t lt = line.rfind(" <");
  if (lt != std::string_view::npos && line.back() == '>') {
    tag = std::string(line.substr(lt + 2, line.size() - lt - 3));
    line = line.substr(0, lt);
  }
  line = TrimRightBlanks(line);
  const size_t slash = line.find(" /");
  if (slash != std::string_view::npos && !line.empty() && line.back() == '/') {
    ipa = PronunciationGroups(line.substr(slash + 1));
    stats.Pronunciations += static_cast<int64_t>(ipa.size());
    line = line.substr(0, slash);
  }
  return line;
}

std::string JoinBlank(const std::vector<std::string>& groups) {
  std::string out;
  for (const std::string& g : groups) {
    if (!out.empty()) out += ' ';
    out += g;
  }
  return out;
}

std::string Clean(std::string_view utf8, ParseStats& stats) {
  std::string text(utf8);
  for (const char* markup : {"[[", "]]"}) {
    size_t p;
    while ((p = text.find(markup)) != std::string::npos) {
      text.erase(p, 2);
      ++stats.WikiMarkup;
    }
  }
  return Collapse(MapToCp1253(text, stats.Mapping));
}

void AddMark(Sense& sense, const std::string& abbreviation) {
  if (std::find(sense.Marks.begin(), sense.Marks.end(), abbreviation) == sense.Marks.end()) {
    sense.Marks.push_back(abbreviation);
  }
}

const std::string& RowAbbreviation(size_t row) {
  static const std::vector<AbbreviationRow> rows = AbbreviationRows();
  return rows[row].Abbreviation;
}

// Notes in parentheses that name an abbreviation become marks of the sense (the text keeps
// them).
void MarkNotes(Sense& sense, std::string_view text) {
  for (const std::string& note : NotesOf(text)) {
    for (const std::string& part : SplitTopLevel(note)) {
      if (const auto row = RowOfLabel(part)) AddMark(sense, RowAbbreviation(*row));
    }
  }
}

// A gloss line: parts that are labels become marks and leave the gloss; the rest stays.
void AddGloss(Sense& sense, const std::string& gloss) {
  std::string kept;
  for (const std::string& part : SplitTopLevel(gloss)) {
    std::optional<size_t> row = RowOfLabel(part);
    if (!row && part.find('-') != std::string::npos) {
      // "λογική-μαθηματικά-επιστήμη υπολογιστών": labels joined by hyphens.
      bool all = true;
      std::vector<size_t> rows;
      size_t start = 0;
      while (start <= part.size()) {
        size_t end = part.find('-', start);
        if (end == std::string::npos) end = part.size();
        const auto r = RowOfLabel(TrimBlanks(std::string_view(part).substr(start, end - start)));
        if (!r)
          all = false;
        else
          rows.push_back(*r);
        start = end + 1;
      }
      if (all) {
        for (size_t r : rows) AddMark(sense, RowAbbreviation(r));
        continue;
      }
    }
    if (row) {
      AddMark(sense, RowAbbreviation(*row));
      continue;
    }
    MarkNotes(sense, part);
    if (!kept.empty()) kept += ", ";
    kept += part;
  }
  if (!kept.empty()) sense.Glosses.push_back(kept);
}

void AddTranslations(Sense& sense, const std::string& text, ParseStats& stats) {
  for (std::string& t : SplitTopLevel(text)) {
    if (WithoutNotes(t).empty() || t == "?") {
      ++stats.Placeholders;
      continue;
    }
    MarkNotes(sense, t);
    sense.Translations.push_back(std::move(t));
  }
}

// "12. rest" at the start of a line: the sense number's end, or npos.
size_t SenseNumberEnd(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  const size_t digits = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == digits || i - digits > 3 || i >= line.size() || line[i] != '.') return std::string::npos;
  if (i + 1 < line.size() && line[i + 1] != ' ') return std::string::npos;
  return i + 1;
}

}  // namespace

std::vector<std::string> PronunciationGroups(std::string_view ipa) {
  std::vector<std::string> groups;
  size_t i = 0;
  while ((i = ipa.find('/', i)) != std::string_view::npos) {
    const size_t end = ipa.find('/', i + 1);
    if (end == std::string_view::npos) break;
    const std::string_view inner = TrimBlanks(ipa.substr(i + 1, end - i - 1));
    // Blanks inside stay (several words); line breaks and tabs do not.
    std::string g = "/";
    for (char c : inner) g.push_back(c == '\t' || c == '\n' || c == '\r' ? ' ' : c);
    g += '/';
    if (!inner.empty()) groups.push_back(std::move(g));
    i = end + 1;
  }
  return groups;
}

void ParseStats::Add(const ParseStats& o) {
  Pronunciations += o.Pronunciations;
  Placeholders += o.Placeholders;
  WikiMarkup += o.WikiMarkup;
  Mapping.Add(o.Mapping);
}

std::vector<std::string> SplitTopLevel(std::string_view text) {
  std::vector<std::string> parts;
  int depth = 0;
  std::string current;
  auto flush = [&] {
    std::string t = Collapse(current);
    if (!t.empty()) parts.push_back(std::move(t));
    current.clear();
  };
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    if ((c == ',' || c == ';') && depth == 0) {
      flush();
      continue;
    }
    current.push_back(c);
  }
  flush();
  return parts;
}

std::string WithoutNotes(std::string_view text) {
  std::string out;
  int depth = 0;
  for (char c : text) {
    if (c == '(') {
      ++depth;
      continue;
    }
    if (c == ')' && depth > 0) {
      --depth;
      continue;
    }
    if (depth == 0) out.push_back(c);
  }
  return Collapse(out);
}

std::vector<std::string> NotesOf(std::string_view text) {
  std::vector<std::string> notes;
  int depth = 0;
  std::string current;
  for (char c : text) {
    if (c == '(') {
      if (depth++ > 0) current.push_back(c);
      continue;
    }
    if (c == ')' && depth > 0) {
      if (--depth == 0) {
        notes.push_back(Collapse(current));
        current.clear();
      } else {
        current.push_back(c);
      }
      continue;
    }
    if (depth > 0) current.push_back(c);
  }
  return notes;
}

Article ParseEnglishGreekArticle(std::string_view utf8, size_t key_count, ParseStats& stats) {
  Article a;
  const std::vector<std::string_view> lines = Lines(utf8);
  if (lines.empty()) return a;
  std::string tag;
  std::vector<std::string> ipa;
  const std::string head = Clean(Headline(lines[0], tag, ipa, stats), stats);
  a.PartOfSpeech = PartOfSpeechAbbreviation(tag);
  // A headline of several variants ("AD, A.D.") is indexed under each of them.
  if (key_count > 1) {
    a.Headwords = SplitTopLevel(head);
  } else if (!head.empty()) {
    a.Headwords.push_back(head);
  }
  // "AD, A.D. /ˈad/ /ɐ dˈiː/": one transcription per variant when the counts agree; otherwise
  // every headword gets them all.
  if (!ipa.empty() && ipa.size() == a.Headwords.size()) {
    a.Pronunciations = ipa;
  } else {
    a.Pronunciations.assign(a.Headwords.size(), JoinBlank(ipa));
  }
  std::string body;
  for (size_t i = 1; i < lines.size(); ++i) {
    body += std::string(lines[i]);
    body += ' ';
  }
  Sense sense;
  AddTranslations(sense, Clean(body, stats), stats);
  if (!sense.Translations.empty()) a.Senses.push_back(std::move(sense));
  return a;
}

Article ParseGreekEnglishArticle(std::string_view utf8, ParseStats& stats) {
  Article a;
  const std::vector<std::string_view> lines = Lines(utf8);
  if (lines.empty()) return a;
  std::string tag;
  std::vector<std::string> ipa;
  const std::string head = Clean(Headline(lines[0], tag, ipa, stats), stats);
  if (!head.empty()) {
    a.Headwords.push_back(head);
    a.Pronunciations.push_back(JoinBlank(ipa));
  }
  a.PartOfSpeech = PartOfSpeechAbbreviation(tag);
  // Senses in order; a sense whose translations the source lost ("word 2." then a bare
  // " 3.") keeps only glosses, which are folded into the sense before it below.
  std::vector<Sense> senses;
  bool expect_translations = true;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (TrimBlanks(line).empty()) continue;
    const size_t number_end = SenseNumberEnd(line);
    if (number_end != std::string::npos) {
      senses.emplace_back();
      line = line.substr(number_end);
      expect_translations = true;
      if (TrimBlanks(line).empty()) {
        expect_translations = false;
        continue;
      }
    }
    // "Echidna 2." : the next sense's number at the end of a translation line.
    bool opens_next = false;
    {
      const std::string_view t = TrimRightBlanks(line);
      size_t k = t.size();
      if (k >= 2 && t[k - 1] == '.') {
        size_t d = k - 1;
        while (d > 0 && t[d - 1] >= '0' && t[d - 1] <= '9') --d;
        if (d < k - 1 && d > 0 && t[d - 1] == ' ' && expect_translations) {
          line = t.substr(0, d - 1);
          opens_next = true;
        }
      }
    }
    if (senses.empty()) senses.emplace_back();
    const std::string text = Clean(line, stats);
    if (expect_translations) {
      AddTranslations(senses.back(), text, stats);
      expect_translations = false;
    } else if (!text.empty()) {
      AddGloss(senses.back(), text);
    }
    if (opens_next) {
      senses.emplace_back();
      expect_translations = false;
    }
  }
  for (Sense& s : senses) {
    if (s.Translations.empty() && !a.Senses.empty()) {
      Sense& prev = a.Senses.back();
      prev.Glosses.insert(prev.Glosses.end(), s.Glosses.begin(), s.Glosses.end());
      for (const std::string& m : s.Marks) AddMark(prev, m);
      continue;
    }
    if (s.Translations.empty() && s.Glosses.empty() && s.Marks.empty()) continue;
    a.Senses.push_back(std::move(s));
  }
  return a;
}

}  // namespace zelvoran::dictc

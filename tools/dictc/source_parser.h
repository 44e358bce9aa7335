// SPDX-License-Identifier: GPL-3.0-or-later
// Parses the articles of the two dictd sources into headwords, part of speech and senses
// (translations, glosses and the abbreviations the glosses name). Output is Windows-1253.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/dictc/text_mapping.h"

namespace zelvoran::dictc {

struct Sense {
  std::vector<std::string> Translations;  // as given, notes in parentheses kept
  std::vector<std::string> Glosses;       // explanatory lines kept as text
  std::vector<std::string> Marks;         // abbreviations named by glosses or notes, in order
};

struct Article {
  std::vector<std::string> Headwords;  // one, or the variants of the article's headline
  // How each headword is said (UTF-8 IPA, "/a/" or "/a/ /b/"), parallel to Headwords; empty
  // strings where the headline gives none.
  std::vector<std::string> Pronunciations;
  std::string PartOfSpeech;  // abbreviation, or empty
  std::vector<Sense> Senses;
};

struct ParseStats {
  int64_t Pronunciations = 0;  // /IPA/ groups read
  int64_t Placeholders = 0;    // "?" and empty translations dropped
  int64_t WikiMarkup = 0;      // stray "[[" "]]" removed
  MappingStats Mapping;
  void Add(const ParseStats& other);
};

// The English-Greek source: "headword[, variant] /IPA/", a blank line, then comma-separated
// Greek equivalents that may wrap onto indented lines.
Article ParseEnglishGreekArticle(std::string_view utf8, size_t key_count, ParseStats& stats);

// The slashed IPA groups at the end of a headline ("/a/ /b/"), in order.
std::vector<std::string> PronunciationGroups(std::string_view ipa);

// The Greek-English source: "headword /IPA/ <pos>", then either one line of translations or
// numbered senses ("1. ..."), each optionally followed by Greek gloss lines.
Article ParseGreekEnglishArticle(std::string_view utf8, ParseStats& stats);

// Splits at commas and semicolons outside parentheses; parts are trimmed, empty ones dropped.
std::vector<std::string> SplitTopLevel(std::string_view text);

// The text without its parenthesised notes, blanks collapsed and trimmed.
std::string WithoutNotes(std::string_view text);

// The parenthesised notes of a text, innermost brackets kept inside.
std::vector<std::string> NotesOf(std::string_view text);

}  // namespace zelvoran::dictc

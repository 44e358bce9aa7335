// SPDX-License-Identifier: GPL-3.0-or-later
// The build command: reads the two dictd sources, maps and merges them, and writes the data
// folder with a file naming the sources and their licence.
#pragma once

#include <string>

#include "tools/dictc/dictd_reader.h"
#include "tools/dictc/forms_builder.h"
#include "tools/dictc/merge.h"
#include "tools/dictc/source_parser.h"

namespace zelvoran::dictc {

// Where Debian installs dictd databases, and the names of the two sources there.
inline constexpr const char* kDefaultSourceDir = "/usr/share/dictd";
inline constexpr const char* kEnglishGreekName = "freedict-eng-ell";
inline constexpr const char* kGreekEnglishName = "freedict-ell-eng";
// The plain-text (UTF-8) file in the data folder naming the sources and the licence.
inline constexpr const char* kSourcesFileName = "ZelvoranSources.txt";

struct BuildReport {
  std::string error;  // empty on success
  ParseStats Parse;
  MergeStats Merge;
  int EnglishArticles = 0;
  int GreekArticles = 0;
  int EnglishHeadwords = 0;
  int GreekHeadwords = 0;
  int Abbreviations = 0;
  int EnglishLinks = 0;
  int GreekLinks = 0;
  uint64_t TextsBytes = 0;
  // The forms file (its bytes left out).
  FormsBuildReport Forms;
  uint64_t FormsBytes = 0;
};

// Parses both databases into articles.
SourceArticles ParseSources(const DictdDatabase& english_greek, const DictdDatabase& greek_english,
                            ParseStats& stats);

// The text of the sources file.
std::string SourcesText(const DictdDatabase& english_greek, const DictdDatabase& greek_english);

// Also writes the forms file, from the Greek headwords and WordNet's exception lists in
// `wordnet_dir` (left without English forms, and said so in the report, when they are missing).
BuildReport BuildDataFolder(const std::string& source_dir, const std::string& out_dir,
                            const std::string& wordnet_dir = kDefaultWordNetDir);

}  // namespace zelvoran::dictc

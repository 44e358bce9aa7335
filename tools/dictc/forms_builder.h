// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the forms file: the generated inflected forms of every Greek headword and WordNet's
// lists of irregular English forms.
#pragma once

#include <cstdint>
#include <string>

#include "tools/dictc/data_writer.h"
#include "tools/dictc/merge.h"

namespace zelvoran::dictc {

// Where Debian's wordnet-base installs the exception lists (noun.exc, verb.exc, adj.exc,
// adv.exc).
inline constexpr const char* kDefaultWordNetDir = "/usr/share/wordnet";

struct FormsBuildReport {
  std::string bytes;  // the forms file
  int64_t GreekForms = 0;
  int64_t GreekHeadwordsWithForms = 0;
  int64_t EnglishForms = 0;
  int64_t EnglishFormsOnHeadwords = 0;  // whose base is a headword of the data
  bool WordNetFound = false;
};

// The Greek headwords of `data` with the parts of speech the sources give them (a Greek
// article's tag, else that of the English articles whose translation it is), and the WordNet
// exception lists of `wordnet_dir`.
FormsBuildReport BuildForms(const SourceArticles& sources, const DataSet& data,
                            const std::string& wordnet_dir);

// The text the sources file adds for WordNet.
std::string WordNetSourcesText();

}  // namespace zelvoran::dictc

// SPDX-License-Identifier: GPL-3.0-or-later
// Merges the parsed sources into the two sections of the data: each source gives the
// headwords of its own section, and every translation, reversed, becomes a headword (or an
// addition to one) of the other section. Sections are sorted by their key routine in byte
// order; several articles of one headword become numbered blocks of one explanation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/dictc/data_writer.h"
#include "tools/dictc/source_parser.h"

namespace zelvoran::dictc {

struct MergeStats {
  int64_t EnglishFromSource = 0;    // English headwords with an English-Greek article
  int64_t EnglishFromReversal = 0;  // English headwords made only by reversal
  int64_t GreekFromSource = 0;
  int64_t GreekFromReversal = 0;
  int64_t ReversedAdditions = 0;  // reversed translations added to an existing headword
  int64_t DroppedHeadwords = 0;   // empty key, key not starting with a letter, too long, '#'
  int64_t TruncatedExplanations = 0;
  int64_t SubjectFieldEntries = 0;  // entries with at least one subject field
  int64_t MultiFieldEntries = 0;
  int64_t FieldsCutForLinkTable = 0;  // entries kept to one field: the link table was full
};

// The section an article belongs to: English headwords (Greek explanations) or Greek.
struct SourceArticles {
  std::vector<Article> EnglishGreek;  // English headwords
  std::vector<Article> GreekEnglish;  // Greek headwords
};

// Longest headword and reversed translation taken as a headword.
inline constexpr size_t kMaxHeadwordBytes = 57;
inline constexpr int kMaxReversedWords = 5;

DataSet MergeSources(const SourceArticles& sources, MergeStats& stats);

// The explanation of one headword from its blocks (one per article, then reversed
// translations), CR LF line ends; exposed for tests.
std::string RenderArticle(const Article& article);

}  // namespace zelvoran::dictc

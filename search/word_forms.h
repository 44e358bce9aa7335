// SPDX-License-Identifier: GPL-3.0-or-later
// Inflected and misspelt words: the headwords a word is a form of (base forms), and the
// headwords spelt like it (suggestions). Built per load of the headword indexes, each
// direction's tables when first needed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

struct Dictionary;
class LookupIndex;

// How a base form was found, best first.
enum class BaseFormKind {
  kGenerated,        // a generated form (or a listed irregular one) with the same accents
  kGeneratedFolded,  // the same, accents and letter case aside
  kRule,             // a regular ending taken off (English) or changed (Greek)
};

struct BaseForm {
  bool greek = false;
  int32_t slot = 0;
  std::string headword;  // as stored in the index
  BaseFormKind kind = BaseFormKind::kGenerated;
};

struct Suggestion {
  bool greek = false;
  int32_t slot = 0;
  std::string headword;
  int distance = 0;  // edit distance of the sound-alike keys
};

inline constexpr size_t kMaxSuggestions = 10;
// Longest text looked at; longer ones have no base form and no suggestion.
inline constexpr size_t kWordFormsMaxBytes = 64;

// The sound-alike keys the suggestions compare.
std::string GreekSoundKey(std::string_view text);
std::string EnglishSoundKey(std::string_view text);
// Damerau (optimal string alignment) distance of two texts, or `bound` + 1 when it exceeds
// `bound`.
int BoundedDamerauDistance(std::string_view a, std::string_view b, int bound);

class WordForms {
 public:
  WordForms(const Dictionary& dict, std::shared_ptr<const LookupIndex> lookup);
  ~WordForms();
  WordForms(const WordForms&) = delete;
  WordForms& operator=(const WordForms&) = delete;

  // The headwords `word` (Windows-1253) is an inflected form of, best first, each once; never
  // the word itself. The direction follows the word's first letter.
  std::vector<BaseForm> BaseForms(std::string_view word) const;
  // Headwords spelt like `word`, best first, at most `max`; never the word itself. A word in
  // Latin letters also gets the Greek headwords it spells in Greeklish, ranked with the English
  // ones.
  std::vector<Suggestion> Suggest(std::string_view word, size_t max = kMaxSuggestions) const;
  // Whether `word` is a headword of its direction (letter case, and Greek accents, as stored).
  bool IsHeadword(std::string_view word) const;

  bool IsStale(const Dictionary& dict) const;

 private:
  struct Tables;
  const Tables& Of(bool greek) const;
  // The English suggestions of a Latin word merged with the Greek headwords it spells.
  std::vector<Suggestion> WithGreeklish(std::string_view word, std::vector<Suggestion> english,
                                        size_t max) const;

  const Dictionary& dict_;
  std::shared_ptr<const LookupIndex> lookup_;
  uint64_t generation_;
  mutable std::unique_ptr<Tables> tables_[2];
};

// `current` when it still fits `dict`, else new word forms of `dict` over `lookup`.
std::shared_ptr<WordForms> FreshWordForms(const Dictionary& dict,
                                          std::shared_ptr<const LookupIndex> lookup,
                                          std::shared_ptr<WordForms> current);

}  // namespace zelvoran

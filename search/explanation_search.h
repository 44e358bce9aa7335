// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-word search through every explanation. The texts are read, decoded and
// normalised once and kept while the data and the user's files stay the same, so a search is
// answered from memory with exactly the rows a scan of the files gives.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/domain.h"
#include "platform/file_system.h"

namespace zelvoran {

struct Dictionary;

inline constexpr int kExplanationResultLimit = 32000;

struct ExplanationHit {
  std::string Row;  // the list row: headword, " *" for an own entry
  RowRef ref;
  bool Own = false;
};

// What the explanations are read from: the loaded dictionary, the dictionary's texts file and
// the user's committed texts files (an empty path: no such file).
struct ExplanationSources {
  const Dictionary& dict;
  std::string texts_path;
  std::string english_user_texts_path;
  std::string greek_user_texts_path;
};

// Normalised explanation texts of both indexes, in slot order (English then Greek).
class ExplanationCorpus {
 public:
  // Reads every slot's searched text: the dictionary text, or the user's addition instead of
  // it, or the user's own text with one blank appended; `greek_fold` selects GreekFold,
  // otherwise A-Z are lowered. A read failure ends the corpus at that slot, as it ends a scan.
  static std::shared_ptr<const ExplanationCorpus> Build(const FileSystem& fs,
                                                        const ExplanationSources& sources,
                                                        bool greek_fold);

  // The rows whose text has `needle` as a whole word at its first occurrence, English rows
  // first, at most `limit` of them.
  std::vector<ExplanationHit> Find(std::string_view needle, int limit) const;

  // What the corpus was built from, to tell when it is stale: the loaded indexes, the version
  // of the dictionary's texts file (which the program never writes), and what the user's
  // texts files hold, byte for byte (they are small, and may be rewritten within one tick of
  // the file times by another copy of the program or a sync tool).
  struct Stamp {
    uint64_t index_generation = 0;
    std::optional<FileVersion> texts;
    std::optional<std::string> english, greek;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const FileSystem& fs, const ExplanationSources& sources);
  const Stamp& stamp() const { return stamp_; }

 private:
  struct Record {
    size_t begin = 0, end = 0;  // in text_
    RowRef ref;
    bool own = false;
  };
  // A 512-bit filter of the words (letter runs) of one text: a text can hold a needle as a
  // whole word only if it holds every letter run of the needle as a word of its own.
  struct WordFilter {
    uint64_t bits[8] = {};
    void Add(uint64_t hash);
    bool Covers(const WordFilter& other) const;
  };
  static WordFilter FilterOf(std::string_view text);

  std::string text_;  // normalised texts separated by NUL bytes
  std::vector<Record> records_;
  std::vector<WordFilter> filters_;  // parallel to records_
  Stamp stamp_;
};

// Keeps one corpus per normalisation between searches.
struct ExplanationCache {
  std::shared_ptr<const ExplanationCorpus> folded;
  std::shared_ptr<const ExplanationCorpus> lowered;
};

// The rows for `needle` in `direction`; builds or refreshes the cache as needed.
std::vector<ExplanationHit> SearchExplanations(const FileSystem& fs,
                                               const ExplanationSources& sources,
                                               ExplanationCache& cache, Direction direction,
                                               std::string_view needle);

// The needle of a word in a direction: GreekFold for Greek, A-Z lowered for English.
std::string ExplanationNeedle(std::string_view entry_text, Direction direction);

}  // namespace zelvoran

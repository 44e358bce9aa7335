// SPDX-License-Identifier: GPL-3.0-or-later
// The user's file pair of one language in memory: the index lines with their explanations,
// read from the files, changed by the store operations, and written back as the two files.
// Old lines and old texts keep their encoded bytes; only the columns an operation changes
// are encoded anew, so a rewrite never alters what it does not mean to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_data.h"

namespace zelvoran {

class FileSystem;

// Limits of the file formats and of the records the loader builds from them.
inline constexpr int64_t kMaxEntryNumber = 65535;      // HeadwordRecord::EntryNumber
inline constexpr size_t kMaxStoredHeadword = 80;       // columns 11-90
inline constexpr size_t kMaxExplanation = 31000;       // what ReadExplanation can show
inline constexpr int64_t kMaxTextPosition = 99999999;  // columns 91-98
inline constexpr size_t kMaxCategory = 10;

struct StoreLine {
  std::string encoded;  // the index line as stored, without its CR LF
  UserIndexLine fields;
  std::string text;  // the explanation, encoded, as stored
};

struct StorePair {
  std::vector<StoreLine> lines;
};

// The two files' contents.
struct StoreFiles {
  std::string index;
  std::string texts;
};

enum class ReadProblem { kNone, kDamaged };

struct StoreReadResult {
  StorePair pair;
  ReadProblem problem = ReadProblem::kNone;
};

// Parses a pair from the two files' contents. A line whose numbers cannot be read, or whose
// explanation lies outside the text file, makes the pair damaged: nothing of it may then be
// rewritten, since its text could not be carried over. Lines are put in ascending anchor
// order (stable, as the loader reads them).
StoreReadResult ParseStorePair(std::string_view index_file, std::string_view texts_file);

// Reads a pair; a missing file counts as empty.
StoreReadResult ReadStorePair(const FileSystem& fs, const std::string& index_path,
                              const std::string& texts_path);

// The decoded columns of a new line; the position is filled in when the pair is written.
std::string NewLineColumns(int64_t anchor, int64_t number, std::string_view headword,
                           int64_t length, std::string_view category);

// A new line with its explanation (plain text, encoded here).
StoreLine MakeStoreLine(int64_t anchor, int64_t number, std::string_view headword,
                        std::string_view explanation, std::string_view category);

// The files of a pair: every line positioned at the running position of its explanation in
// the text file (from 1, without gaps), each line followed by CR LF. nullopt when the text
// file would outgrow the eight-digit position column.
std::optional<StoreFiles> WriteStorePair(const StorePair& pair);

// Placing an own entry. `predecessor_number` is P, `predecessor_is_own` whether the
// predecessor record is an own entry.
void PlaceOwnEntry(StorePair& pair, StoreLine line, int64_t predecessor_number,
                   bool predecessor_is_own);

// The user's addition to dictionary entry `number`: inserted before the first line anchored
// at or after it when the entry has none, otherwise replaced; with an empty `text` and
// `remove_when_empty` the existing addition is dropped instead.
void SetAddition(StorePair& pair, int64_t number, std::string_view text, bool remove_when_empty);

// Drops the first own-entry line (`addition` false) or addition line (`addition` true) whose
// own number is `number`; false when there is none.
bool DropEntry(StorePair& pair, int64_t number, bool addition);

}  // namespace zelvoran

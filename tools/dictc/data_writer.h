// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the four data files (and the profile file when the data needs one) from entries held
// in memory. Used by zelvoran-dictc, by the tests to build fixture dictionaries and by the
// benchmarks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dictionary/data_profile.h"

namespace zelvoran::dictc {

// One headword of a section, in the section's order. All text is Windows-1253.
// Longest explanation the program can show (its reading buffer).
inline constexpr size_t kMaxExplanationBytes = 31000;

struct SourceEntry {
  std::string Headword;
  std::string SearchKey;  // empty: EnglishKey / GreekKey of the headword
  // Subject fields: none, one (stored as the entry's category) or several ("MULTI" with one
  // link line each).
  std::vector<std::string> Fields;
  std::string Explanation;
  // Stored as the category as it stands when set (lets tests write any field 4).
  std::optional<std::string> CategoryOverride;
  // How the headword is said, in IPA (UTF-8, not Windows-1253); empty for none.
  std::string Pronunciation;
};

struct AbbreviationRow {
  std::string Abbreviation;  // at most 10 characters
  bool IsSubjectField = false;
  std::string Meaning;  // at most 65 characters
};

struct DataSet {
  std::vector<SourceEntry> English;
  std::vector<SourceEntry> Greek;
  std::vector<AbbreviationRow> Abbreviations;
};

struct DataFiles {
  std::string Index;              // ZelvoranI.tbo
  std::string Texts;              // ZelvoranDat.tbo
  std::string Abbreviations;      // ZelvoranSrt.tbo
  std::string Links;              // ZelvoranEC.tbo
  std::string Pronunciations;     // ZelvoranPron.txt (UTF-8); empty when no entry has one
  DataProfile Profile;            // what the data holds
  bool NeedsProfileFile = false;  // the profile differs from the built-in one
};

struct WriteResult {
  std::optional<DataFiles> files;
  std::string error;
};

// Encodes a data set. Entry numbers are the line numbers within each section; letter starts
// are the first slot of each letter's keys. Refuses data beyond the table sizes or text the
// formats cannot hold, with a message naming the entry.
WriteResult EncodeDataSet(const DataSet& data);

// The letter start table of sorted keys: for each letter, the first slot whose key begins
// with it; a letter no key begins with gets the start of the next letter present (or one past
// the last slot), which a scan from there finds nothing before.
LetterStartTable LetterStartsOf(const std::vector<std::string>& english_keys,
                                const std::vector<std::string>& greek_keys);

// Writes the files into `folder` (created when missing); the profile file and the
// pronunciations file only when needed, and an old one is removed otherwise. Returns an error
// message, empty on success.
std::string WriteDataFolder(const std::string& folder, const DataFiles& files);

}  // namespace zelvoran::dictc

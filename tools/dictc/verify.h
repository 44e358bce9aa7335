// SPDX-License-Identifier: GPL-3.0-or-later
// Checks a data folder against everything the loaders and lookups rely on, and names each
// fault by file, line and what is wrong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/data_profile.h"

namespace zelvoran::dictc {

struct VerifyReport {
  std::vector<std::string> Faults;  // empty: the folder is sound
  int64_t FaultCount = 0;           // all faults, also those beyond the listed ones
  DataProfile Profile;              // the profile that applies (file or built-in)
  bool ProfileFromFile = false;
  int EnglishLines = 0;
  int GreekLines = 0;
  int Abbreviations = 0;
  int EnglishLinks = 0;
  int GreekLinks = 0;
  int SubjectFieldEntries = 0;  // one field or "MULTI"
  uint64_t TextsBytes = 0;
  // ZelvoranPron.txt: whether the folder has one, and its sound lines per section.
  bool HasPronunciations = false;
  int EnglishPronunciations = 0;
  int GreekPronunciations = 0;
};

// Verifies the four files (and the profile and pronunciations files when present) in `folder`. At
// most `max_listed` faults are kept in Faults; FaultCount counts them all.
VerifyReport VerifyDataFolder(const std::string& folder, size_t max_listed = 200);

}  // namespace zelvoran::dictc

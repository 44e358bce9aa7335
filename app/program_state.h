// SPDX-License-Identifier: GPL-3.0-or-later
// Program-wide values: the folders, the settings file, the paths of the user's files, the
// dictionary in memory and the values exchanged between dialogs and the core.
#pragma once

#include <cstdint>
#include <string>

#include "dictionary/dictionary_data.h"
#include "search/lookup_engine.h"

namespace zelvoran {

// The user's files in the CustomFolder; empty paths while no folder is known, and an empty
// path counts as a file that does not exist.
struct CustomPaths {
  std::string CustomEnglishTextsPath;  // ZelvoranC.tbo
  std::string CustomGreekTextsPath;    // ZelvoranHC.tbo
  std::string CustomEnglishIndexPath;  // ZelvoranIC.tbo
  std::string CustomGreekIndexPath;    // ZelvoranHIC.tbo
  std::string TempTextsPath;           // templex.tbo
  std::string TempIndexPath;           // tempi.tbo

  // All six paths inside `folder`, which ends with its separator.
  static CustomPaths In(const std::string& folder_with_separator);
  bool operator==(const CustomPaths&) const = default;
};

struct ProgramState {
  std::string ProgramFolder;  // ends with the separator
  std::string SettingsFilePath;
  CustomPaths Paths;
  SearchMode CurrentSearchMode = SearchMode::kStart;
  Dictionary Dict;
  SearchCriteria Criteria;
  // Set when the data folder's profile file was rejected; the data is not loaded then.
  std::string DataProblem;
};

}  // namespace zelvoran

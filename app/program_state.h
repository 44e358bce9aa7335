// SPDX-License-Identifier: GPL-3.0-or-later
// Program-wide values: the folders, the settings file, the paths of the user's files, the
// dictionary in memory and the values exchanged between dialogs and the core.
#pragma once

#include <cstdint>
#include <string>

#include "custom/custom_paths.h"
#include "dictionary/dictionary_data.h"
#include "search/lookup_engine.h"

namespace zelvoran {

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

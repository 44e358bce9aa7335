// SPDX-License-Identifier: GPL-3.0-or-later
// The paths of the user's files in the folder of the user's entries.
#pragma once

#include <string>

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

}  // namespace zelvoran

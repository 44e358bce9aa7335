// SPDX-License-Identifier: GPL-3.0-or-later
// Settling the folder of the user's entries before an editing command: which folder is used,
// and when the user must be asked for one.
#pragma once

#include <string>
#include <string_view>

#include "custom/custom_paths.h"

namespace zelvoran {

class FileSystem;

#ifdef _WIN32
inline constexpr std::string_view kProgramFileName = "Zelvoran.exe";
#else
inline constexpr std::string_view kProgramFileName = "Zelvoran";
#endif

struct CustomFolderStep {
  enum class Kind {
    kKeep,        // the folder in use already holds the user's index of either language
    kUse,         // use `folder`, the one the settings file names
    kUseAndSave,  // use `folder` (the program's data folder) and save it in the settings
    kAsk,         // ask the user for a folder, with `reason` ("NULL" or "INVALID")
    kNone,        // no folder: the settings file cannot be read
  };
  Kind kind = Kind::kNone;
  std::string folder = {};
  std::string_view reason = {};
};

// What to do about the folder, from the paths in use, the settings file (empty: none known)
// and the program folder (ending with its separator).
CustomFolderStep NextCustomFolderStep(const FileSystem& fs, const CustomPaths& paths,
                                      const std::string& settings_file,
                                      const std::string& program_folder);

// The paths of the user's files in `folder`, with or without its closing separator.
CustomPaths CustomPathsInFolder(const FileSystem& fs, std::string folder);

}  // namespace zelvoran

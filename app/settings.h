// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up folders and the one-line settings file Zelvoran.ini.
#pragma once

#include <string>
#include <string_view>

#include "app/program_state.h"

namespace zelvoran {

class FileSystem;
class SystemFolders;

inline constexpr std::string_view kSettingsFileName = "Zelvoran.ini";

// The current directory with the separator appended unless it already ends with one.
std::string ProgramFolderOf(const FileSystem& fs);

// Resolves the folder of the user's entries at start-up: the program's "Data" folder when it
// holds ZelvoranC.tbo or ZelvoranHC.tbo, else the first line of the settings file found in
// the Windows folder or the root of drive C:. Sets the six paths and SettingsFilePath.
void ResolveCustomFolder(const FileSystem& fs, const SystemFolders& folders, ProgramState& state);

// Stores `folder` as the only line of the settings file, finding or creating the file first.
// With an empty folder the old first line is kept (or nothing written). Never reports.
void WriteSettings(FileSystem& fs, const SystemFolders& folders, ProgramState& state,
                   std::string_view folder);

// First line of a settings file's content (empty for an empty file).
std::string FirstLine(std::string_view content);

}  // namespace zelvoran

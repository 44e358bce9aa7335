// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up steps that do not involve the window: the program folder, the user's folder, and
// loading the dictionary in its fixed order.
#pragma once

#include "app/program_state.h"

namespace zelvoran {

class FileSystem;
class SystemFolders;

// FormCreate's folder steps: ProgramFolder from the current directory (made current), then
// the user's folder and the settings file.
void InitProgramFolders(FileSystem& fs, const SystemFolders& folders, ProgramState& state);

// FormShow's load order: the data profile, the abbreviation table, both headword indexes with
// the user's entries merged in, then the category links. A rejected profile loads nothing and
// leaves its message in state.DataProblem.
void LoadDictionary(const FileSystem& fs, ProgramState& state);

// Rebuilds both headword indexes (after the user's entries changed).
void ReloadHeadwordIndexes(const FileSystem& fs, ProgramState& state);

}  // namespace zelvoran

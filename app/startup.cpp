// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/settings.h"
#include "custom/store_commit.h"
#include "dictionary/forms_file.h"
#include "platform/file_system.h"

namespace zelvoran {

void InitProgramFolders(FileSystem& fs, const SystemFolders& folders, ProgramState& state) {
  state.ProgramFolder = ProgramFolderOf(fs);
  fs.SetCurrentDirectory(state.ProgramFolder);
  ResolveCustomFolder(fs, folders, state);
}

void LoadDictionary(const FileSystem& fs, ProgramState& state) {
  state.DataProblem.clear();
  if (auto problem = LoadDataProfile(fs, state.ProgramFolder, state.Dict)) {
    state.DataProblem = *problem;
    return;
  }
  LoadAbbreviations(fs, state.ProgramFolder, state.Dict);
  ReloadHeadwordIndexes(fs, state);
  LoadCategoryLinks(fs, state.ProgramFolder, state.Dict);
  LoadPronunciations(fs, state.ProgramFolder, state.Dict.Pronunciations);
  auto forms = LoadFormsFile(fs, state.ProgramFolder);
  state.Dict.Forms = forms ? std::make_shared<const FormsFile>(std::move(*forms)) : nullptr;
}

void ReloadHeadwordIndexes(const FileSystem& fs, ProgramState& state) {
  if (!state.DataProblem.empty()) return;
  // A replacement that recovery could not complete (a folder that cannot be written) is read
  // as committed, never half old and half new.
  const CustomPaths committed = CommittedStorePaths(fs, state.Paths);
  LoadHeadwordIndexes(fs, state.ProgramFolder, committed.CustomEnglishIndexPath,
                      committed.CustomGreekIndexPath, state.Dict);
}

}  // namespace zelvoran

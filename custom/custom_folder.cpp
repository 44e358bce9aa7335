// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/custom_folder.h"

#include "custom/custom_dialogs.h"
#include "platform/file_system.h"
#include "text/text_lines.h"

namespace zelvoran {

CustomFolderStep NextCustomFolderStep(const FileSystem& fs, const CustomPaths& paths,
                                      const std::string& settings_file,
                                      const std::string& program_folder) {
  using Kind = CustomFolderStep::Kind;
  if (!paths.CustomEnglishIndexPath.empty() &&
      (fs.FileExists(paths.CustomEnglishIndexPath) || fs.FileExists(paths.CustomGreekIndexPath))) {
    return {Kind::kKeep};
  }
  if (!settings_file.empty() && fs.FileExists(settings_file)) {
    const auto content = fs.ReadFile(settings_file);
    if (!content) return {Kind::kNone};
    const auto lines = SplitLines(*content);
    const std::string line = lines.empty() ? std::string() : std::string(lines.front());
    if (line.empty()) return {Kind::kAsk, {}, kFolderPromptNull};
    if (fs.DirectoryExists(line)) return {Kind::kUse, line};
    return {Kind::kAsk, {}, kFolderPromptInvalid};
  }
  const auto read_only = fs.IsReadOnly(program_folder + std::string(kProgramFileName));
  if (!read_only || *read_only) return {Kind::kAsk, {}, kFolderPromptNull};
  return {Kind::kUseAndSave, program_folder + "Data"};
}

CustomPaths CustomPathsInFolder(const FileSystem& fs, std::string folder) {
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) {
    folder += fs.Separator();
  }
  return CustomPaths::In(folder);
}

}  // namespace zelvoran

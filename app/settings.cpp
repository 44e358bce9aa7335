// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings.h"

#include "platform/file_system.h"
#include "text/text_lines.h"

namespace zelvoran {

std::string ProgramFolderOf(const FileSystem& fs) {
  std::string dir = fs.CurrentDirectory();
  if (dir.empty() || dir.back() != fs.Separator()) dir += fs.Separator();
  return dir;
}

std::string FirstLine(std::string_view content) {
  const auto lines = SplitLines(content);
  return lines.empty() ? std::string() : std::string(lines.front());
}

void ResolveCustomFolder(const FileSystem& fs, const SystemFolders& folders, ProgramState& state) {
  const std::string data_folder = state.ProgramFolder + "Data" + fs.Separator();
  if (fs.FileExists(data_folder + "ZelvoranC.tbo") ||
      fs.FileExists(data_folder + "ZelvoranHC.tbo")) {
    state.Paths = CustomPaths::In(data_folder);
    return;
  }
  const std::string candidates[] = {
      folders.WindowsFolder() + fs.Separator() + std::string(kSettingsFileName),
      folders.RootOfDriveC() + std::string(kSettingsFileName)};
  for (const std::string& path : candidates) {
    if (!fs.FileExists(path)) continue;
    state.SettingsFilePath = path;
    const auto content = fs.ReadFile(path);
    if (!content) return;
    const std::string line = FirstLine(*content);
    if (!line.empty()) state.Paths = CustomPaths::In(line + fs.Separator());
    return;
  }
}

void WriteSettings(FileSystem& fs, const SystemFolders& folders, ProgramState& state,
                   std::string_view folder) {
  std::string old_value;
  if (state.SettingsFilePath.empty() || !fs.FileExists(state.SettingsFilePath)) {
    state.SettingsFilePath =
        folders.WindowsFolder() + fs.Separator() + std::string(kSettingsFileName);
    if (!fs.WriteFile(state.SettingsFilePath, "") || !fs.FileExists(state.SettingsFilePath)) {
      state.SettingsFilePath = folders.RootOfDriveC() + std::string(kSettingsFileName);
    }
  } else if (const auto content = fs.ReadFile(state.SettingsFilePath)) {
    old_value = FirstLine(*content);
  }
  std::string text;
  if (!folder.empty()) {
    text = std::string(folder) + "\r\n";
  } else if (!old_value.empty()) {
    text = old_value + "\r\n";
  }
  fs.WriteFile(state.SettingsFilePath, text);
}

}  // namespace zelvoran

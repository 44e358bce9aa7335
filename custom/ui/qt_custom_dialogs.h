// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs of the user's entries on Qt: each call creates its form, shows it modally over
// the main window and destroys it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "custom/custom_dialogs.h"

namespace zelvoran {

class FileSystem;
class MessageBoxes;
class SystemFolders;
class SystemInfo;

class QtCustomDialogs final : public CustomDialogs {
 public:
  QtCustomDialogs(QWidget* main_window, FileSystem& fs, const SystemFolders& folders,
                  const SystemInfo& info, MessageBoxes* messages)
      : main_window_(main_window), fs_(fs), folders_(folders), info_(info), messages_(messages) {}

  std::optional<EntryDialogResult> RunEntryDialog(const EntryDialogSetup& setup) override;
  std::optional<std::string> RunFolderDialog(std::string_view reason) override;

 private:
  void GiveFocusBack();

  QPointer<QWidget> main_window_;
  FileSystem& fs_;
  const SystemFolders& folders_;
  const SystemInfo& info_;
  MessageBoxes* messages_;
};

}  // namespace zelvoran

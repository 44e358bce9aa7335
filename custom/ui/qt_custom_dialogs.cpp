// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/ui/qt_custom_dialogs.h"

#include "custom/ui/insert_entry_form.h"
#include "custom/ui/select_custom_dir_form.h"

namespace zelvoran {

void QtCustomDialogs::GiveFocusBack() {
  if (main_window_) main_window_->activateWindow();
}

std::optional<EntryDialogResult> QtCustomDialogs::RunEntryDialog(const EntryDialogSetup& setup) {
  TInsertEntryFrm form(setup, messages_, main_window_);
  const int code = form.exec();
  GiveFocusBack();
  if (code != QDialog::Accepted) return std::nullopt;
  return form.Result();
}

std::optional<std::string> QtCustomDialogs::RunFolderDialog(std::string_view reason) {
  TSelectCustomDirForm form(std::string(reason), fs_, folders_, info_, messages_, main_window_);
  const int code = form.exec();
  GiveFocusBack();
  if (code != QDialog::Accepted) return std::nullopt;
  return form.ChosenFolder();
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/copy_paste.h"

#include <string>

#include "app/main_core.h"
#include "app/window_commands.h"
#include "desktop/print_entry.h"
#include "platform/clipboard.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

void ActivateLayout(MainCore& core, KeyboardLayouts::Handle layout) {
  if (core.svc.keyboard && layout != 0) core.svc.keyboard->Activate(layout);
}

// The program's own write to the clipboard: the Greek layout is the active input language
// while the text is placed there, and quick translation ignores the change. Both are undone
// on the way out, also when the copy fails.
class OwnCopy {
 public:
  explicit OwnCopy(MainCore& core) : core_(core) {
    if (core_.CurrentDirection == Direction::kEnglish) {
      ActivateLayout(core_, core_.Layouts.GreekKeyboardLayout);
    }
    core_.CopyInProgress = true;
  }
  ~OwnCopy() {
    try {
      if (core_.CurrentDirection == Direction::kEnglish) {
        ActivateLayout(core_, core_.Layouts.EnglishKeyboardLayout);
      }
    } catch (...) {
    }
    core_.CopyInProgress = false;
  }
  OwnCopy(const OwnCopy&) = delete;
  OwnCopy& operator=(const OwnCopy&) = delete;

 private:
  MainCore& core_;
};

// Copying an empty selection puts nothing on the clipboard, as the edit controls do.
void Put(MainCore& core, std::string_view text) {
  if (core.svc.clipboard && !text.empty()) core.svc.clipboard->WriteText(text);
}

void CopyChosenText(MainCore& core) {
  MainView& view = core.view;
  if (core.FocusedControlTag == FocusedControl::kDescriptionText) {
    const std::string selected = view.DescriptionSelectedText();
    if (!selected.empty()) {
      Put(core, selected);
    } else {
      // The whole entry: the headword's pronunciation, when it has one, on the first line.
      const std::string said = view.Pronunciation();
      if (said.empty()) {
        Put(core, view.DescriptionText());
      } else if (core.svc.clipboard) {
        core.svc.clipboard->WriteUnicodeText(said + "\r\n" + Cp1253ToUtf8(view.DescriptionText()));
      }
      view.CollapseDescriptionSelection();
    }
    return;
  }
  const int row = core.List.Selected;
  if (row >= 0 && row < core.List.Count()) {
    Put(core, core.List.Rows[static_cast<size_t>(row)]);
    return;
  }
  const std::string entry = view.EntryText();
  if (entry.empty()) return;
  const std::string selected = view.EntrySelectedText();
  if (!selected.empty()) {
    Put(core, selected);
  } else {
    view.SelectAllEntryText();
    Put(core, entry);
    view.CollapseEntrySelection();
  }
}

}  // namespace

void Copy_ButtonClick(MainCore& core) {
  OwnCopy scope(core);
  CopyChosenText(core);
}

void CopyToClipboard(MainCore& core, std::string_view text) {
  OwnCopy scope(core);
  Put(core, text);
}

void Paste_ButtonClick(MainCore& core) {
  core.view.SetEntryText("");
  core.view.PasteIntoEntryText();
  core.view.FocusEntryText();
}

bool ToolbarShortcut(MainCore& core, ShortcutKey key, FocusedControl focus) {
  switch (key) {
    case ShortcutKey::kCopy:
      CopyInTextControl(core, focus);
      return true;
    case ShortcutKey::kPaste:
      if (focus == FocusedControl::kEntryText) return false;
      Paste_ButtonClick(core);
      return true;
    case ShortcutKey::kPrint:
      Print_ButtonClick(core);
      return true;
  }
  return false;
}

void CopyInTextControl(MainCore& core, FocusedControl control) {
  switch (control) {
    case FocusedControl::kEntryText: {
      const std::string selected = core.view.EntrySelectedText();
      if (!selected.empty()) {
        CopyToClipboard(core, selected);
        return;
      }
      break;
    }
    case FocusedControl::kEntriesList:
      core.FocusedControlTag = FocusedControl::kEntriesList;
      break;
    case FocusedControl::kDescriptionText:
      core.FocusedControlTag = FocusedControl::kDescriptionText;
      break;
    case FocusedControl::kOther:
      break;
  }
  Copy_ButtonClick(core);
}

bool CopyEntrySelectionForCut(MainCore& core) {
  const std::string selected = core.view.EntrySelectedText();
  if (selected.empty()) return false;
  CopyToClipboard(core, selected);
  return true;
}

}  // namespace zelvoran

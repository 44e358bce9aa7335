// SPDX-License-Identifier: GPL-3.0-or-later
// The copy rule: which text the copy command puts on the clipboard, given what the window
// shows.
#pragma once

#include <optional>
#include <string>

namespace zelvoran {

enum class ShortcutKey { kCopy, kPaste, kPrint };
enum class FocusedControl { kEntryText, kEntriesList, kDescriptionText, kOther };

// What the window shows when the copy command runs (Windows-1253 unless said otherwise).
struct CopySource {
  FocusedControl focus = FocusedControl::kOther;  // the control the copy command reads
  std::string description;
  std::string description_selection;
  std::string pronunciation;                // UTF-8; empty when the headword has none
  std::optional<std::string> selected_row;  // the selected list row's text
  std::string entry;
  std::string entry_selection;
};

// What happens to the selections around the write.
enum class CopySelection {
  kKeep,
  kCollapseDescription,  // the whole explanation was taken: its selection is collapsed after
  kSelectWholeEntry,     // the entry box is selected whole for the write, collapsed after
};

struct CopyText {
  std::string text;      // empty: the clipboard stays as it is
  bool unicode = false;  // `text` is UTF-8 rather than Windows-1253
  CopySelection selection = CopySelection::kKeep;
};

// In the explanation box its selection or else all of it, the pronunciation (when there is
// one) on a line before it; otherwise the selected list row, else the entry box's selection
// or else all of its text.
CopyText ChooseCopyText(const CopySource& source);

}  // namespace zelvoran

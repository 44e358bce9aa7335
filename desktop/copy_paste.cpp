// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/copy_paste.h"

#include "text/cp1253.h"

namespace zelvoran {

CopyText ChooseCopyText(const CopySource& source) {
  CopyText copy;
  if (source.focus == FocusedControl::kDescriptionText) {
    if (!source.description_selection.empty()) {
      copy.text = source.description_selection;
      return copy;
    }
    // The whole entry: the headword's pronunciation, when it has one, on the first line.
    copy.selection = CopySelection::kCollapseDescription;
    if (source.pronunciation.empty()) {
      copy.text = source.description;
    } else {
      copy.text = source.pronunciation + "\r\n" + Cp1253ToUtf8(source.description);
      copy.unicode = true;
    }
    return copy;
  }
  if (source.selected_row) {
    copy.text = *source.selected_row;
    return copy;
  }
  if (source.entry.empty()) return copy;
  if (!source.entry_selection.empty()) {
    copy.text = source.entry_selection;
  } else {
    copy.text = source.entry;
    copy.selection = CopySelection::kSelectWholeEntry;
  }
  return copy;
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// Showing the entry of a list row: asks the dictionary for the record's explanation and puts it
// on the window, then records the entry in the history.
#pragma once

#include <string_view>

namespace zelvoran {

struct MainCore;

// Shows row `row` of Entries_List (-1: nothing).
void ShowEntry(MainCore& core, int row);
// The list's click: shows the selected row and returns the focus to the entry box.
void Entries_ListClick(MainCore& core);
// Looks up the word that a double-click selected in the explanation.
void Description_TextDblClick(MainCore& core, std::string_view selected);
// Called by ShowEntry for the row it has shown: the entry shown before goes to the front of
// BackList (once per entry, at most 15 items) and this row becomes the last shown.
void RecordHistory(MainCore& core, int row);

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// The editing commands of CustomEntries_Button's menu: insert, modify and delete the user's
// entries through TInsertEntryFrm and the store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/main_view.h"

namespace zelvoran {

struct MainCore;
struct Dictionary;

enum class CustomEntriesChoice { kNone, kShowEntries, kInsert, kModify, kDelete };

// CustomEntriesMenu's four items, in order, with the enabling rule applied.
std::vector<MenuItem> CustomEntriesMenuItems(const MainView& view);

// Opens CustomEntriesMenu under the button and runs the editing command chosen. Returns the
// choice; kShowEntries is left to the caller (CustomEntriesItemClick, the listing of the
// user's entries).
CustomEntriesChoice CustomEntries_ButtonClick(MainCore& core);

void InsertEntryItemClick(MainCore& core);
void ModifyEntryItemClick(MainCore& core);
void DeleteEntryItemClick(MainCore& core);

// The first AbbreviationTable row (from 1) whose abbreviation is `category`; 0 for none, an
// empty category and "MULTI".
int CategoryRowOf(const Dictionary& dict, std::string_view category);

// The modify dialog's explanation, from what Description_Text shows for an entry of `origin`
// with `category`: an own entry without its category line; a dictionary entry's addition
// exactly as stored (without the dictionary text, the label and the line break the display
// puts after it); nothing for a dictionary entry without an addition.
std::string PrefillExplanation(char origin, std::string_view description,
                               std::string_view category);

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// The editing commands of CustomEntries_Button's menu: insert, modify and delete the user's
// entries through TInsertEntryFrm and the store, telling the user what came of each change,
// then rebuilding the indexes and refreshing the window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_view.h"
#include "custom/custom_store.h"
#include "custom/slot_remap.h"

namespace zelvoran {

struct MainCore;

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

// Settles the folder of the user's entries before an editing command (asking for one through
// PromptCustomFolder when needed) and sets the six paths. False when there is no usable
// folder; the command then does nothing.
bool ValidateCustomFolder(MainCore& core);

// Shows TSelectCustomDirForm for `reason` ("NULL" or "INVALID"). Returns the chosen folder,
// which then exists and is saved with WriteSettings; nullopt when the user declined. The
// current directory is the program folder again afterwards.
std::optional<std::string> PromptCustomFolder(MainCore& core, std::string_view reason);

// The store over the core's files and indexes; its reloads keep the core's slots on their
// entries.
CustomStore StoreOf(MainCore& core);

// What an editing command came to.
enum class StoreOutcome {
  kUnchanged,  // nothing to do
  kSaved,      // the files hold the change
  kFailed,     // refused or not saved; the user has been told why
};

// Adds the request as an own entry and empties the display.
StoreOutcome InsertCustomEntry(MainCore& core, const InsertRequest& request);
// Applies the request to the entry of the selected row, and empties the display.
StoreOutcome ModifyCustomEntry(MainCore& core, const ModifyRequest& request);
// Removes the own entry of the selected row from the store and from the list.
// Each of the three rebuilds the indexes afterwards, keeping the core's slots on their
// entries.
StoreOutcome DeleteCustomEntry(MainCore& core);

// Applies a remap to the core's slots: the rows of Entries_List with RowIndexList (a row whose
// entry is gone is removed; the selection follows its row), LastShownIndex (cleared with
// LastShownHeadword when its entry is gone) and the history items (dropped when their entry
// is gone). A row's or an item's language is that of its text.
void ApplySlotRemap(MainCore& core, const SlotRemap& remap);

// Rebuilds both indexes (LoadHeadwordIndexes with the user's entries) and keeps the core's
// slots on their entries.
SlotRemap ReloadIndexesKeepingSlots(MainCore& core);

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// The history of shown entries: BackList (PrevMenu) and ForwardList (NextMenu), the recording
// step that ShowEntry ends with, and the back and forward navigation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvoran {

struct MainCore;
struct MenuItem;
struct Point;

// One menu item of the history: the row text the entry was listed under, its slot, and the
// index the slot is in. The direction is kept with the item, not read again from the caption
// (a Greek headword may begin with a digit); items name the same entry when both agree.
struct HistoryItem {
  std::string Caption;
  int32_t Tag = 0;
  bool Greek = false;
  bool operator==(const HistoryItem&) const = default;
};

inline constexpr size_t kBackListMax = 15;

struct HistoryModel {
  std::vector<HistoryItem> BackList;     // entries shown before the current one, newest first
  std::vector<HistoryItem> ForwardList;  // entries stepped back from, nearest first
  // Counts the items RecordHistory has put at the front of BackList, so a step can tell
  // whether the entry it left was recorded.
  uint64_t Insertions = 0;
};

// Called by ShowEntry for the row it has shown: the entry shown before goes to the front of
// BackList (once per entry, at most 15 items) and this row becomes the last shown.
void RecordHistory(MainCore& core, int row);

// Writes the item's caption into Entry_Text without a lookup, sets the item's direction and
// shows the item's slot through the "SPECIFIC" lookup.
void HistoryStep(MainCore& core, const HistoryItem& item);

void Prev_ButtonClick(MainCore& core);
void Next_ButtonClick(MainCore& core);
// A choice from PrevMenu or NextMenu, by item position; a position out of range does nothing.
void PrevMenuClick(MainCore& core, int item);
void NextMenuClick(MainCore& core, int item);
// Open the menus just under the back and the forward button.
void PrevMenu_ButtonClick(MainCore& core);
void NextMenu_ButtonClick(MainCore& core);
// Opens NextMenu at a screen point: it is also NextMenu_Button's context menu, opened at the
// pointer by a right-click on that button.
void NextMenuPopup(MainCore& core, Point screen);

// The captions of a list as menu items (shown as they are).
std::vector<MenuItem> HistoryMenuItems(const std::vector<HistoryItem>& items);

}  // namespace zelvoran

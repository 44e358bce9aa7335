// SPDX-License-Identifier: GPL-3.0-or-later
// The back and forward navigation over the history (search/history.h): PrevMenu and NextMenu
// drawn from its lists when they open, and the steps that show an item's entry again.
#pragma once

#include <vector>

#include "app/main_view.h"
#include "search/history.h"

namespace zelvoran {

struct MainCore;

// Writes the item's caption into Entry_Text without a lookup, sets the item's direction and
// shows the item's slot through the SPECIFIC lookup.
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

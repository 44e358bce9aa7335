// SPDX-License-Identifier: GPL-3.0-or-later
// The entry box's handlers: the incremental lookup on every change, the list keys, and the
// Enter key's refill.
#pragma once

namespace zelvoran {

struct MainCore;

enum class ListKey { kDown, kUp, kPageUp, kPageDown };

void Entry_TextChange(MainCore& core);
// Moves the list selection for Down, Up, Page Up and Page Down; the key also reaches the box.
void Entry_TextKeyDown(MainCore& core, ListKey key);
void Fill_List_ButtonClick(MainCore& core);

}  // namespace zelvoran

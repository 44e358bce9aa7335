// SPDX-License-Identifier: GPL-3.0-or-later
// The copy and paste commands of the toolbar, and the keyboard shortcuts that stand for them.
#pragma once

#include <string_view>

#include "app/main_view.h"

namespace zelvoran {

struct MainCore;

// Copies what the user works with, chosen by FocusedControlTag: in the explanation box its
// selection or else all of it; otherwise the selected list row, else the entry box's
// selection or else all of its text. The Greek keyboard layout is active and CopyInProgress
// is set while the text is put on the clipboard; both are restored however the copy ends.
void Copy_ButtonClick(MainCore& core);

// Empties the entry box and pastes the clipboard's text into it (which looks it up), then
// gives it the focus.
void Paste_ButtonClick(MainCore& core);

// Puts `text` on the clipboard the way the copy command does (layout and CopyInProgress
// around it). Empty text leaves the clipboard unchanged.
void CopyToClipboard(MainCore& core, std::string_view text);

enum class ShortcutKey { kCopy, kPaste, kPrint };

// Ctrl+C, Ctrl+V and Ctrl+P, given the control that has the focus now. Returns false when
// the key is left to that control: Ctrl+V in the entry box pastes at its cursor. Ctrl+C runs
// CopyInTextControl.
bool ToolbarShortcut(MainCore& core, ShortcutKey key, FocusedControl focus);

// Every copy given inside a control (its context menu, Ctrl+C, Ctrl+Insert) goes through
// here, so that quick translation never looks up the program's own copies. In the entry box
// a selection is copied as it is (the copy command would take the selected list row
// instead); in the list and the explanation box that control becomes the one the copy
// command reads; then, and for any other control, the copy command runs.
void CopyInTextControl(MainCore& core, FocusedControl control);

// The cut of the entry box (its context menu, Ctrl+X, Shift+Delete): puts the box's
// selection on the clipboard the copy command's way. Returns whether there was a selection,
// which the caller then removes from the box.
bool CopyEntrySelectionForCut(MainCore& core);

}  // namespace zelvoran

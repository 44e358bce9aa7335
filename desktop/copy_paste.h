// The copy and paste commands of the toolbar, and the keyboard shortcuts that stand for them.
#pragma once

#include <string_view>

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
enum class FocusedControl { kEntryText, kEntriesList, kDescriptionText, kOther };

// Ctrl+C, Ctrl+V and Ctrl+P, given the control that has the focus now. Returns false when
// the key is left to that control: Ctrl+V in the entry box pastes at its cursor. Ctrl+C in
// the entry box with part of its text selected copies that part (the copy command would take
// the selected list row instead); every other case runs the toolbar command.
bool ToolbarShortcut(MainCore& core, ShortcutKey key, FocusedControl focus);

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's commands on the main window: copy and paste with their shortcuts, quick
// translation's handlers, printing, "Εκφώνηση", the about window, the help document and the
// publisher's presentation program. Each reads the window, asks desktop/ what to do and
// applies the answer.
#pragma once

#include <cstdint>
#include <string_view>

#include "desktop/about.h"
#include "desktop/copy_paste.h"
#include "platform/speech.h"

namespace zelvoran {

struct MainCore;
class MainView;
class MessageBoxes;
class Shell;

// Copies what the user works with, chosen by FocusedControlTag (ChooseCopyText). The Greek
// keyboard layout is active and CopyInProgress is set while the text is put on the
// clipboard; both are restored however the copy ends.
void Copy_ButtonClick(MainCore& core);

// Empties the entry box and pastes the clipboard's text into it (which looks it up), then
// gives it the focus.
void Paste_ButtonClick(MainCore& core);

// Puts `text` on the clipboard the way the copy command does (layout and CopyInProgress
// around it). Empty text leaves the clipboard unchanged.
void CopyToClipboard(MainCore& core, std::string_view text);

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

// Switches quick translation: on empties the clipboard, shows the mode's texts and joins the
// viewer chain at its head; off shows the texts of the mode off and leaves the chain.
void AutoTranslate_ButtonClick(MainCore& core);

// The draw-clipboard message: the clipboard's text (unless the program is writing it itself)
// replaces the entry box's text and the application comes back; the message is passed on.
void QuickTranslation_DrawClipboard(MainCore& core);

// The change-chain message: `leaving` leaves the chain, `next` followed it.
void QuickTranslation_ChangeCbChain(MainCore& core, uint64_t leaving, uint64_t next);

// A message sent to the main window: handles the two chain messages and answers true for
// them; false for any other message, which the window handles as usual.
bool HandleClipboardChainMessage(MainCore& core, uint32_t message, uint64_t wparam,
                                 uint64_t lparam);

// The application lost the foreground to another program.
void QuickTranslation_ApplicationDeactivate(MainCore& core);

// The window's destruction: leaves the viewer chain, whether the mode is on or not.
void QuickTranslation_FormDestroy(MainCore& core);

// Prints the selected row's entry after the print dialog; nothing without a selected row or
// when the dialog is cancelled. The headword is read from the index of the row's own language,
// as the display chooses it, and the heading follows the same language. The explanation
// lines are those the explanation box shows at its current width, or, when the box has no
// usable width, the explanation laid out at the page's width.
void Print_ButtonClick(MainCore& core);

// Says the headword Entry_Label shows; nothing when it shows none. While that text is being
// said, a second call stops it; another text stops what is said and says the new one. A
// problem is shown as a short message.
void Speak_ButtonClick(MainCore& core);

// A problem the speech service found after Speak returned.
void ShowSpeechProblem(MainCore& core, SpeechProblem problem);

// CopyrightLabel's click: a new about window, shown modally; afterwards the main window is
// activated, the about window destroyed and the focus given to Entry_Text. The last two steps
// also happen when showing failed (the failure then goes on to the handler's guard).
void CopyrightLabelClick(MainView& view, AboutWindowFactory& factory);

// TCopyrightForm's links, and the buttons below. A failing shell call (a missing shell counts
// as one) shows its message in a "Πρόβλημα" box, when there is a message service; they return
// whether the call succeeded.
bool SiteLabelClick(Shell* shell, MessageBoxes* messages);
bool MailLabelClick(Shell* shell, MessageBoxes* messages);

// Help_Button's click: the help document in the associated program (the browser); where no
// program opens it, in the program's own help window. The message says that the help file
// was not found when the document cannot be shown either way.
bool Help_ButtonClick(MainCore& core);

// The click of Quimbrell_Label and of QuimbrellImage: starts the presentation program with the
// program folder, in double quotes, as its parameter string.
bool Quimbrell_LabelClick(MainCore& core);

}  // namespace zelvoran

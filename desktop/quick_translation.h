// SPDX-License-Identifier: GPL-3.0-or-later
// Quick translation: while it is on, the main window is a clipboard viewer, and every text
// that another program puts on the clipboard goes into the entry box and is looked up.
#pragma once

#include <cstdint>
#include <string>

namespace zelvoran {

struct MainCore;

// The texts of the window while the mode is off and on (Windows-1253).
const std::string& ProgramTitle();           // application title and caption, mode off
const std::string& QuickApplicationTitle();  // application title, mode on
const std::string& QuickWindowCaption();     // window caption, mode on
const std::string& AutoTranslateHintOff();   // "Γρήγορη Μετάφραση"
const std::string& AutoTranslateHintOn();  // "Τερματισμός Γρήγορης Μετάφρασης"

// Switches the mode: on empties the clipboard, shows the mode's texts and joins the viewer
// chain at its head; off shows the texts of the mode off and leaves the chain.
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

}  // namespace zelvoran

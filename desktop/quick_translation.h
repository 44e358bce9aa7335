// SPDX-License-Identifier: GPL-3.0-or-later
// Quick translation: while it is on, the main window is a clipboard viewer, and every text
// that another program puts on the clipboard goes into the entry box and is looked up. Here
// are the mode's texts and the viewer chain's rules; the handlers apply them to the window.
#pragma once

#include <cstdint>
#include <string>

namespace zelvoran {

// The texts of the window while the mode is off and on (Windows-1253).
const std::string& ProgramTitle();           // application title and caption, mode off
const std::string& QuickApplicationTitle();  // application title, mode on
const std::string& QuickWindowCaption();     // window caption, mode on
const std::string& AutoTranslateHintOff();   // "Γρήγορη Μετάφραση"
const std::string& AutoTranslateHintOn();  // "Τερματισμός Γρήγορης Μετάφρασης"

// What the window shows in the mode, on or off.
struct QuickModeTexts {
  const std::string& application_title;
  const std::string& window_caption;
  const std::string& hint;
  bool picture_on;  // the toolbar button shows the picture of the mode on
};
QuickModeTexts QuickModeTextsOf(bool on);

// The viewer after `window` in the chain, whose next viewer is `next_viewer`; 0 for none,
// and never the window itself (a chain that loops back).
uint64_t ViewerAfter(uint64_t window, uint64_t next_viewer);

// The change-chain message `leaving`, `next` at `window`: the window's new next viewer, and
// the viewer the message is passed on to (0: not passed on).
struct ChainChange {
  uint64_t next_viewer = 0;
  uint64_t pass_to = 0;
  bool operator==(const ChainChange&) const = default;
};
ChainChange ChangeCbChainAt(uint64_t window, uint64_t next_viewer, uint64_t leaving, uint64_t next);

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the Greek and the English keyboard layout, and activating the one of the current
// direction.
#pragma once

#include "platform/keyboard_layouts.h"

namespace zelvoran {

struct MainCore;

struct LayoutHandles {
  KeyboardLayouts::Handle GreekKeyboardLayout = 0;
  KeyboardLayouts::Handle EnglishKeyboardLayout = 0;
};

// Scans at most 20 installed layouts in the system's order; the first whose locale's English
// language name is exactly "Greek" (or "English") wins. Leaves the last listed layout active.
LayoutHandles FindKeyboardLayouts(KeyboardLayouts& layouts);

// Activates the Greek layout in the Greek direction, else the English one; a layout that was
// not found leaves the active layout as it is.
void ActivateDirectionLayout(MainCore& core);

}  // namespace zelvoran

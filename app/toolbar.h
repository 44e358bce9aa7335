// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar of glyph buttons: each button's hint, hover number and its rest and raised
// bounds, and the hover effect that raises the button under the pointer.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "app/main_view.h"

namespace zelvoran {

struct MainCore;

struct ToolbarButtonInfo {
  ToolbarButton button;
  std::string_view hint;  // Windows-1253
  int hover_number;       // 1..14; the menu arrows share their main button's number
  Rect rest;
  Rect raised;
};

inline constexpr int kToolbarButtonCount = 16;

// Every button, from left to right (the tab order of the toolbar).
const std::array<ToolbarButtonInfo, kToolbarButtonCount>& ToolbarButtons();
const ToolbarButtonInfo& ToolbarInfo(ToolbarButton button);

// Pointer over no button.
inline constexpr int kHoverNone = 0;
// Every button back to rest.
inline constexpr int kHoverReset = -1;

// The screen point just under a button's bottom-left corner, where its menus open.
Point MenuPointUnder(const MainView& view, ToolbarButton button);

// Raises the button (or button pair) of hover number `number` and lowers the raised ones;
// -1 puts every button at rest. A button counts as raised when its top is its raised top.
void HighlightToolbarButton(MainCore& core, int number);

}  // namespace zelvoran

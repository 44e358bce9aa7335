// SPDX-License-Identifier: GPL-3.0-or-later
// The one dispatch of the toolbar's commands (clicks and their keyboard shortcuts): each
// command's case calls its handler.
#pragma once

#include "app/main_view.h"

namespace zelvoran {

struct MainCore;

void ToolbarButtonClick(MainCore& core, ToolbarButton button);

}  // namespace zelvoran

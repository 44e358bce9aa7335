// The one dispatch of the toolbar's commands (clicks and their keyboard shortcuts). Each
// command's case calls its handler; commands that are not built yet do nothing.
#pragma once

#include "app/main_view.h"

namespace zelvoran {

struct MainCore;

void ToolbarButtonClick(MainCore& core, ToolbarButton button);

}  // namespace zelvoran

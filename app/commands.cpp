#include "app/commands.h"

#include "app/main_core.h"
#include "app/window_commands.h"

namespace zelvoran {

void ToolbarButtonClick(MainCore& core, ToolbarButton button) {
  switch (button) {
    case ToolbarButton::kLang:
      Lang_ButtonClick(core);
      break;
    case ToolbarButton::kPin:
      Pin_ButtonClick(core);
      break;
    case ToolbarButton::kExit:
      Exit_ButtonClick(core);
      break;
    case ToolbarButton::kPrev:
    case ToolbarButton::kPrevMenu:
    case ToolbarButton::kNext:
    case ToolbarButton::kNextMenu:
    case ToolbarButton::kCopy:
    case ToolbarButton::kPaste:
    case ToolbarButton::kPrint:
    case ToolbarButton::kSearch:
    case ToolbarButton::kDescrSearch:
    case ToolbarButton::kAutoTranslate:
    case ToolbarButton::kCustomEntries:
    case ToolbarButton::kShortCuts:
    case ToolbarButton::kHelp:
      break;
  }
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commands.h"

#include "app/custom_commands.h"
#include "app/desktop_commands.h"
#include "app/history_commands.h"
#include "app/main_core.h"
#include "app/search_commands.h"
#include "app/window_commands.h"
#include "desktop/about.h"
#include "desktop/copy_paste.h"
#include "desktop/print_entry.h"
#include "desktop/quick_translation.h"
#include "search/explanation_search.h"
#include "search/history.h"
#include "search/search_commands.h"

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
      Prev_ButtonClick(core);
      break;
    case ToolbarButton::kPrevMenu:
      PrevMenu_ButtonClick(core);
      break;
    case ToolbarButton::kNext:
      Next_ButtonClick(core);
      break;
    case ToolbarButton::kNextMenu:
      NextMenu_ButtonClick(core);
      break;
    case ToolbarButton::kCopy:
      Copy_ButtonClick(core);
      break;
    case ToolbarButton::kPaste:
      Paste_ButtonClick(core);
      break;
    case ToolbarButton::kPrint:
      Print_ButtonClick(core);
      break;
    case ToolbarButton::kSearch:
      Search_ButtonClick(core);
      break;
    case ToolbarButton::kDescrSearch:
      DescrSearch_ButtonClick(core);
      break;
    case ToolbarButton::kAutoTranslate:
      AutoTranslate_ButtonClick(core);
      break;
    case ToolbarButton::kCustomEntries:
      if (CustomEntries_ButtonClick(core) == CustomEntriesChoice::kShowEntries) {
        CustomEntriesItemClick(core);
      }
      break;
    case ToolbarButton::kShortCuts:
      ShortCuts_ButtonClick(core);
      break;
    case ToolbarButton::kHelp:
      Help_ButtonClick(core);
      break;
  }
}

}  // namespace zelvoran

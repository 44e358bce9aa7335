// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's own behaviour: its start-up and shut-down steps, the language switch, the
// focus record, the headword label's justification, the resize rule, the long-headword
// tooltip, stay-on-top, exit, and the Windows version code.
#pragma once

#include <string_view>

#include "app/main_view.h"

namespace zelvoran {

struct MainCore;
class SystemInfo;

// Relative to the program folder.
inline constexpr std::string_view kLinePictureFile = "content\\orangeline.bmp";

// The window's outer width at first show is Exit_Button's right edge plus this margin.
inline constexpr int kWindowRightMargin = 12;

// The window's create step: the program folder (made current) and the user's folder, the
// keyboard layouts, and the English direction with its layout.
void FormCreate(MainCore& core);
// The window's first show: the toolbar at rest, the window width, the rule's picture, the
// dictionary in its load order, an empty display and the "START" search mode. A rejected data
// profile is reported with ShowProblem; the window then stays empty.
void FormShow(MainCore& core);
// The window's destroy step.
void FormDestroy(MainCore& core);

// Switches to the other direction, then empties the entry box and gives it the focus.
void Lang_ButtonClick(MainCore& core);

// The focus handlers of the three text controls.
void Entries_ListEnter(MainCore& core);
void Description_Text_Enter(MainCore& core);
void Entry_TextEnter(MainCore& core);

// Left-justifies the headword label when its text is wider than the explanation box,
// otherwise right-justifies it.
void AlignHeadwordLabel(MainCore& core);

// The explanation box's (and the filler strip's) height after a resize: the list's bottom
// minus the box's top when the bottoms differ, else the box's own height.
int AlignedDescriptionHeight(const Rect& list, const Rect& description);

// The pointer moved over the list at `point` (list coordinates): lowers the toolbar and
// gives the list the full text of a headword too wide for it as its hint.
void Entries_ListMouseMove(MainCore& core, Point point);

void Pin_ButtonClick(MainCore& core);
void Exit_ButtonClick(MainCore& core);

// 1 Windows 95, 2 Windows 98, 3 Windows 98 SE, 4 NT 4, 5 Me, 6 2000, 7 XP, 8 major version 6;
// 0 for anything else or when the version cannot be read.
int GetWindowsVersionCode(const SystemInfo& info);

}  // namespace zelvoran

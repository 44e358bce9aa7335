// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_commands.h"

#include <chrono>

#include "app/busy_cursor.h"
#include "app/keyboard.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/startup.h"
#include "app/toolbar.h"
#include "custom/store_commit.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace zelvoran {

void FormCreate(MainCore& core) {
  InitProgramFolders(core.svc.fs, core.svc.folders, core.state);
  // Finish or roll back a rewrite of the user's entries that was cut short last time.
  SettleCustomStore(core.svc.fs, core.state.Paths, std::chrono::seconds(2));
  if (core.svc.keyboard) core.Layouts = FindKeyboardLayouts(*core.svc.keyboard);
  core.CurrentDirection = Direction::kEnglish;
  ActivateDirectionLayout(core);
}

void FormShow(MainCore& core) {
  MainView& view = core.view;
  HighlightToolbarButton(core, kHoverReset);
  const Rect exit = view.ButtonBounds(ToolbarButton::kExit);
  view.SetWindowWidth(exit.left + exit.width + kWindowRightMargin);
  // The rule under the toolbar is decoration: without its picture the window still gets its
  // dictionary.
  std::string line_picture = core.state.ProgramFolder;
  for (char c : kLinePictureFile) line_picture += c == '\\' ? core.svc.fs.Separator() : c;
  view.LoadLinePicture(line_picture);
  core.List.Clear();
  {
    BusyCursor busy(view);
    LoadDictionary(core.svc.fs, core.state);
  }
  ClearEntryDisplay(core);
  core.state.CurrentSearchMode = SearchMode::kStart;
  if (!core.state.DataProblem.empty() && core.svc.messages) {
    core.svc.messages->ShowProblem(core.state.DataProblem);
  }
}

void FormDestroy(MainCore& core) {
  core.List.Clear();
}

void Lang_ButtonClick(MainCore& core) {
  SetDirection(core, Other(core.CurrentDirection));
  core.view.FocusEntryText();
  core.view.SetEntryText("");
}

void Entries_ListEnter(MainCore& core) {
  core.FocusedControlTag = FocusedControl::kEntriesList;
}

void Description_Text_Enter(MainCore& core) {
  core.FocusedControlTag = FocusedControl::kDescriptionText;
}

void Entry_TextEnter(MainCore& core) {
  core.FocusedControlTag = FocusedControl::kEntryText;
  core.view.SelectAllEntryText();
}

void AlignHeadwordLabel(MainCore& core) {
  MainView& view = core.view;
  view.SetHeadwordLabelLeftJustified(view.MeasureLabelText(view.HeadwordLabel()) >
                                     view.DescriptionWidth());
}

int AlignedDescriptionHeight(const Rect& list, const Rect& description) {
  const int list_bottom = list.top + list.height;
  if (list_bottom == description.top + description.height) return description.height;
  const int h = list_bottom - description.top;
  return h > 0 ? h : 0;
}

void Entries_ListMouseMove(MainCore& core, Point point) {
  HighlightToolbarButton(core, kHoverNone);
  MainView& view = core.view;
  if (view.DescriptionWidth() == 0 || view.DescriptionHeight() == 0) return;
  const int row = view.ListRowAt(point);
  if (row < 0 || row >= core.List.Count()) {
    view.SetListHint("");
    return;
  }
  const std::string& text = core.List.Items[static_cast<size_t>(row)].text;
  view.SetListHint(view.MeasureListText(text) > view.ListWidth() ? std::string_view(text)
                                                                 : std::string_view());
}

void Pin_ButtonClick(MainCore& core) {
  core.view.SetStayOnTop(!core.view.IsStayOnTop());
}

void Exit_ButtonClick(MainCore& core) {
  core.view.CloseMainWindow();
}

int GetWindowsVersionCode(const SystemInfo& info) {
  const std::optional<OsVersion> v = info.GetVersion();
  if (!v) return 0;
  if (v->platform == 1 && v->major == 4) {
    if (v->minor == 0) return 1;
    if (v->minor == 10) return v->service_pack.size() >= 2 && v->service_pack[1] == 'A' ? 3 : 2;
    if (v->minor == 90) return 5;
    return 0;
  }
  if (v->platform == 2) {
    if (v->major <= 4) return 4;
    if (v->major == 5 && v->minor == 0) return 6;
    if (v->major == 5 && v->minor == 1) return 7;
    if (v->major == 6) return 8;
  }
  return 0;
}

}  // namespace zelvoran

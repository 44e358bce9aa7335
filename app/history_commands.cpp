// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_commands.h"

#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/toolbar.h"

namespace zelvoran {

void HistoryStep(MainCore& core, const HistoryItem& item) {
  {
    SuppressEntryChangeScope quiet(core);
    core.view.SetEntryText(item.Caption);
  }
  SetDirection(core, item.Ref.direction);
  RunLookup(core, SearchMode::kSpecific, item.Ref.slot, "", false);
}

void Prev_ButtonClick(MainCore& core) {
  HistoryModel& h = core.History;
  if (h.BackList.empty()) return;
  const HistoryItem target = h.BackList.front();
  const HistoryItem left{core.LastShownHeadword,
                         RowRef{core.LastShownDirection, core.LastShownIndex}};
  const uint64_t insertions = h.Insertions;
  HistoryStep(core, target);
  h.SteppedBack(target, left, insertions);
}

void Next_ButtonClick(MainCore& core) {
  HistoryModel& h = core.History;
  if (h.ForwardList.empty()) return;
  const HistoryItem target = h.ForwardList.front();
  HistoryStep(core, target);
  h.SteppedForward();
}

void PrevMenuClick(MainCore& core, int item) {
  HistoryModel& h = core.History;
  if (item < 0 || static_cast<size_t>(item) >= h.BackList.size()) return;
  const HistoryItem chosen = h.BackList[static_cast<size_t>(item)];
  const uint64_t insertions = h.Insertions;
  HistoryStep(core, chosen);
  h.ChoseBack(chosen, insertions);
}

void NextMenuClick(MainCore& core, int item) {
  HistoryModel& h = core.History;
  if (item < 0 || static_cast<size_t>(item) >= h.ForwardList.size()) return;
  const HistoryItem chosen = h.ForwardList[static_cast<size_t>(item)];
  HistoryStep(core, chosen);
  h.ForwardList.clear();
}

std::vector<MenuItem> HistoryMenuItems(const std::vector<HistoryItem>& items) {
  std::vector<MenuItem> menu;
  menu.reserve(items.size());
  for (const HistoryItem& i : items) menu.push_back(MenuItem{i.Caption, true});
  return menu;
}

void PrevMenu_ButtonClick(MainCore& core) {
  const int choice = core.view.ShowPopupMenu(HistoryMenuItems(core.History.BackList),
                                             MenuPointUnder(core.view, ToolbarButton::kPrev));
  if (choice >= 0) PrevMenuClick(core, choice);
}

void NextMenu_ButtonClick(MainCore& core) {
  NextMenuPopup(core, MenuPointUnder(core.view, ToolbarButton::kNext));
}

void NextMenuPopup(MainCore& core, Point screen) {
  const int choice = core.view.ShowPopupMenu(HistoryMenuItems(core.History.ForwardList), screen);
  if (choice >= 0) NextMenuClick(core, choice);
}

}  // namespace zelvoran

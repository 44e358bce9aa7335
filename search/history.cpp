// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/history.h"

#include <algorithm>
#include <string_view>

#include "app/main_core.h"
#include "app/toolbar.h"
#include "search/lookup_engine.h"

namespace zelvoran {
namespace {

// Removes the first item equal to `item` at or after position `from`.
void RemoveFirst(std::vector<HistoryItem>& list, const HistoryItem& item, size_t from) {
  if (from >= list.size()) return;
  auto it = std::find(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

void RecordHistory(MainCore& core, int row) {
  if (row < 0 || row >= core.List.Count()) return;
  const int32_t index = core.List.RowIndexList[static_cast<size_t>(row)];
  HistoryModel& h = core.History;
  if (core.LastShownHeadword.size() > 2) {
    // The same entry: the same slot of the same index.
    auto same = std::find_if(h.BackList.begin(), h.BackList.end(), [&](const HistoryItem& i) {
      return i.Tag == core.LastShownIndex && i.Greek == core.LastShownGreek;
    });
    if (same != h.BackList.end()) h.BackList.erase(same);
    h.BackList.insert(h.BackList.begin(), HistoryItem{core.LastShownHeadword, core.LastShownIndex,
                                                      core.LastShownGreek});
    ++h.Insertions;
    if (h.BackList.size() > kBackListMax) h.BackList.erase(h.BackList.begin() + kBackListMax);
  }
  core.LastShownHeadword = core.List.Rows[static_cast<size_t>(row)];
  core.LastShownIndex = index;
  // The index ShowEntry read the row from.
  core.LastShownGreek = IsGreekText(core.LastShownHeadword);
}

void HistoryStep(MainCore& core, const HistoryItem& item) {
  {
    SuppressEntryChangeScope quiet(core);
    core.view.SetEntryText(item.Caption);
  }
  SetDirection(core, item.Greek);
  RunLookup(core, "SPECIFIC", item.Tag, "", false);
}

void Prev_ButtonClick(MainCore& core) {
  HistoryModel& h = core.History;
  if (h.BackList.empty()) return;
  const HistoryItem target = h.BackList.front();
  const HistoryItem left{core.LastShownHeadword, core.LastShownIndex, core.LastShownGreek};
  const uint64_t insertions = h.Insertions;
  HistoryStep(core, target);
  if (h.Insertions != insertions && !h.BackList.empty()) {
    // The entry just left heads BackList: it moves to ForwardList, and the target (normally
    // right behind it) leaves BackList.
    h.ForwardList.insert(h.ForwardList.begin(), h.BackList.front());
    h.BackList.erase(h.BackList.begin());
    if (!h.BackList.empty() && h.BackList.front() == target) h.BackList.erase(h.BackList.begin());
  } else {
    // The entry left was not recorded (its row text is too short, or nothing was shown yet):
    // only the target leaves BackList, and ForwardList gets the entry left, if there was one.
    if (!left.Caption.empty()) h.ForwardList.insert(h.ForwardList.begin(), left);
    if (!h.BackList.empty() && h.BackList.front() == target) h.BackList.erase(h.BackList.begin());
  }
}

void Next_ButtonClick(MainCore& core) {
  HistoryModel& h = core.History;
  if (h.ForwardList.empty()) return;
  const HistoryItem target = h.ForwardList.front();
  HistoryStep(core, target);
  if (!h.ForwardList.empty()) h.ForwardList.erase(h.ForwardList.begin());
}

void PrevMenuClick(MainCore& core, int item) {
  HistoryModel& h = core.History;
  if (item < 0 || static_cast<size_t>(item) >= h.BackList.size()) return;
  const HistoryItem chosen = h.BackList[static_cast<size_t>(item)];
  const uint64_t insertions = h.Insertions;
  HistoryStep(core, chosen);
  // The newly recorded entry at the front is not the chosen item, even when equal to it.
  RemoveFirst(h.BackList, chosen, h.Insertions != insertions ? 1 : 0);
  h.ForwardList.clear();
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

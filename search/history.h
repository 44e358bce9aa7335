// SPDX-License-Identifier: GPL-3.0-or-later
// The history of shown entries: BackList (PrevMenu) and ForwardList (NextMenu), the entry
// shown last, and the bookkeeping of recording and stepping. The presenter
// (app/history_commands.h) shows the entries and draws the menus from these lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/domain.h"

namespace zelvoran {

// One menu item of the history: the row text the entry was listed under and the record it
// names. The direction is kept with the item, not read again from the caption (a Greek
// headword may begin with a digit); items name the same entry when both agree.
struct HistoryItem {
  std::string Caption;
  RowRef Ref;
  bool operator==(const HistoryItem&) const = default;
};

inline constexpr size_t kBackListMax = 15;

struct HistoryModel {
  std::vector<HistoryItem> BackList;     // entries shown before the current one, newest first
  std::vector<HistoryItem> ForwardList;  // entries stepped back from, nearest first
  // Counts the items Record has put at the front of BackList, so a step can tell whether the
  // entry it left was recorded.
  uint64_t Insertions = 0;

  // The entry shown before goes to the front of BackList (once per entry, at most 15 items)
  // when its row text is longer than two characters; `shown` becomes the last shown.
  void Record(HistoryItem& last_shown, HistoryItem shown);

  // After a step back to `target` (the front of BackList before the step) that left `left`:
  // the entry left moves to ForwardList, and the target leaves BackList.
  void SteppedBack(const HistoryItem& target, const HistoryItem& left, uint64_t insertions_before);
  // After a step forward: the target leaves ForwardList.
  void SteppedForward();
  // After a choice from PrevMenu: the chosen item leaves BackList (not the newly recorded
  // entry at its front, even when equal to it), and ForwardList empties.
  void ChoseBack(const HistoryItem& chosen, uint64_t insertions_before);
};

}  // namespace zelvoran

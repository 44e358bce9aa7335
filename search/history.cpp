// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/history.h"

#include <algorithm>

namespace zelvoran {
namespace {

// Removes the first item equal to `item` at or after position `from`.
void RemoveFirst(std::vector<HistoryItem>& list, const HistoryItem& item, size_t from) {
  if (from >= list.size()) return;
  auto it = std::find(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

void HistoryModel::Record(HistoryItem& last_shown, HistoryItem shown) {
  if (last_shown.Caption.size() > 2) {
    // The same entry: the same slot of the same index.
    auto same = std::find_if(BackList.begin(), BackList.end(),
                             [&](const HistoryItem& i) { return i.Ref == last_shown.Ref; });
    if (same != BackList.end()) BackList.erase(same);
    BackList.insert(BackList.begin(), last_shown);
    ++Insertions;
    if (BackList.size() > kBackListMax) BackList.erase(BackList.begin() + kBackListMax);
  }
  last_shown = std::move(shown);
}

void HistoryModel::SteppedBack(const HistoryItem& target, const HistoryItem& left,
                               uint64_t insertions_before) {
  if (Insertions != insertions_before && !BackList.empty()) {
    // The entry just left heads BackList: it moves to ForwardList, and the target (normally
    // right behind it) leaves BackList.
    ForwardList.insert(ForwardList.begin(), BackList.front());
    BackList.erase(BackList.begin());
    if (!BackList.empty() && BackList.front() == target) BackList.erase(BackList.begin());
  } else {
    // The entry left was not recorded (its row text is too short, or nothing was shown yet):
    // only the target leaves BackList, and ForwardList gets the entry left, if there was one.
    if (!left.Caption.empty()) ForwardList.insert(ForwardList.begin(), left);
    if (!BackList.empty() && BackList.front() == target) BackList.erase(BackList.begin());
  }
}

void HistoryModel::SteppedForward() {
  if (!ForwardList.empty()) ForwardList.erase(ForwardList.begin());
}

void HistoryModel::ChoseBack(const HistoryItem& chosen, uint64_t insertions_before) {
  RemoveFirst(BackList, chosen, Insertions != insertions_before ? 1 : 0);
  ForwardList.clear();
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/slot_remap.h"

#include <algorithm>

#include "app/main_core.h"
#include "app/startup.h"
#include "search/lookup_engine.h"

namespace zelvoran {
namespace {

EntryIdentity IdentityOf(const HeadwordRecord& r) {
  if (r.Origin == 'C') return {true, r.EntryNumber};
  return {false, r.LineNumber};
}

std::vector<EntryIdentity> IdentitiesOf(const HeadwordIndex& index) {
  std::vector<EntryIdentity> ids(static_cast<size_t>(index.Count()) + 1);
  for (int s = 1; s <= index.Count(); ++s) ids[static_cast<size_t>(s)] = IdentityOf(index.Slot(s));
  return ids;
}

std::vector<int32_t> MapOf(const std::vector<EntryIdentity>& before, const HeadwordIndex& after) {
  // Identities are small numbers (line numbers, own numbers up to 65535): flat tables.
  std::vector<int32_t> dictionary_slot, own_slot;
  auto slot_in = [](std::vector<int32_t>& table, int32_t number) -> int32_t& {
    const auto i = static_cast<size_t>(std::max(number, 0));
    if (i >= table.size()) table.resize(i + 1, 0);
    return table[i];
  };
  for (int s = 1; s <= after.Count(); ++s) {
    const EntryIdentity id = IdentityOf(after.Slot(s));
    int32_t& slot = slot_in(id.own ? own_slot : dictionary_slot, id.number);
    if (slot == 0) slot = s;
  }
  std::vector<int32_t> map(before.size(), 0);
  for (size_t s = 1; s < before.size(); ++s) {
    const EntryIdentity& id = before[s];
    const auto& table = id.own ? own_slot : dictionary_slot;
    if (id.number > 0 && static_cast<size_t>(id.number) < table.size()) {
      map[s] = table[static_cast<size_t>(id.number)];
    }
  }
  return map;
}

}  // namespace

IndexSnapshot TakeIndexSnapshot(const Dictionary& dict) {
  return {IdentitiesOf(dict.EnglishIndex), IdentitiesOf(dict.GreekIndex)};
}

SlotRemap::SlotRemap(const IndexSnapshot& before, const Dictionary& after)
    : english_(MapOf(before.english, after.EnglishIndex)),
      greek_(MapOf(before.greek, after.GreekIndex)) {}

int32_t SlotRemap::Map(bool greek, int32_t old_slot) const {
  const auto& map = greek ? greek_ : english_;
  if (old_slot < 1 || static_cast<size_t>(old_slot) >= map.size()) return 0;
  return map[static_cast<size_t>(old_slot)];
}

void ApplySlotRemap(MainCore& core, const SlotRemap& remap) {
  EntriesListModel& list = core.List;
  EntriesListModel kept;
  for (int r = 0; r < list.Count(); ++r) {
    const auto i = static_cast<size_t>(r);
    const RowRef ref = list.Refs[i];
    const int32_t slot = remap.Map(ref.direction == Direction::kGreek, ref.slot);
    if (slot == 0) continue;
    if (r == list.Selected) kept.Selected = kept.Count();
    kept.Add(std::move(list.Rows[i]), RowRef{ref.direction, slot});
  }
  const bool rows_changed = kept.Count() != list.Count();
  list = std::move(kept);
  if (rows_changed) core.view.ListRowsChanged();

  if (core.LastShownIndex != 0) {
    core.LastShownIndex =
        remap.Map(core.LastShownDirection == Direction::kGreek, core.LastShownIndex);
    if (core.LastShownIndex == 0) core.LastShownHeadword.clear();
  }

  // History items name their entries by slot as well; an item whose entry is gone leaves.
  for (std::vector<HistoryItem>* items : {&core.History.BackList, &core.History.ForwardList}) {
    std::vector<HistoryItem> moved;
    for (HistoryItem& item : *items) {
      item.Ref.slot = remap.Map(item.Ref.direction == Direction::kGreek, item.Ref.slot);
      if (item.Ref.slot != 0) moved.push_back(std::move(item));
    }
    *items = std::move(moved);
  }
}

SlotRemap ReloadIndexesKeepingSlots(MainCore& core) {
  const IndexSnapshot before = TakeIndexSnapshot(core.state.Dict);
  ReloadHeadwordIndexes(core.svc.fs, core.state);
  SlotRemap remap(before, core.state.Dict);
  ApplySlotRemap(core, remap);
  return remap;
}

}  // namespace zelvoran

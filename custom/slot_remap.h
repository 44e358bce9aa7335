// SPDX-License-Identifier: GPL-3.0-or-later
// Slot numbers move when the headword indexes are rebuilt. These helpers map the slots held
// before a rebuild to the slots of the same entries after it, so that whatever names an entry
// by its slot keeps naming it, or drops it when its entry is gone.
#pragma once

#include <cstdint>
#include <vector>

#include "dictionary/dictionary_data.h"

namespace zelvoran {

// What identifies an entry across rebuilds: a dictionary entry by its line within its
// section, an own entry by its own number.
struct EntryIdentity {
  bool own = false;
  int32_t number = 0;
  bool operator==(const EntryIdentity&) const = default;
};

EntryIdentity IdentityOf(const HeadwordRecord& record);

// The identities of every slot of both indexes, taken before a rebuild.
struct IndexSnapshot {
  std::vector<EntryIdentity> english;  // [slot]; slot 0 unused
  std::vector<EntryIdentity> greek;
};

IndexSnapshot TakeIndexSnapshot(const Dictionary& dict);

// Old slot to new slot, per language; 0 when the entry is gone (or the slot was empty).
class SlotRemap {
 public:
  SlotRemap() = default;
  SlotRemap(const IndexSnapshot& before, const Dictionary& after);
  int32_t Map(bool greek, int32_t old_slot) const;

 private:
  std::vector<int32_t> english_;
  std::vector<int32_t> greek_;
};

}  // namespace zelvoran

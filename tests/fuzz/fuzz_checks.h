// SPDX-License-Identifier: GPL-3.0-or-later
// Properties every loaded dictionary keeps, whatever its files held: the tables keep their
// sizes and every record is well formed.
#pragma once

#include "app/program_state.h"
#include "tests/fuzz/fuzz_target.h"

namespace zelvoran::fuzz {

inline void CheckTables(const zelvoran::ProgramState& s) {
  const zelvoran::Dictionary& d = s.Dict;
  FUZZ_CHECK(d.EnglishIndex.Count() <= zelvoran::kMaxIndexRecords);
  FUZZ_CHECK(d.GreekIndex.Count() <= zelvoran::kMaxIndexRecords);
  FUZZ_CHECK(d.AbbreviationTable.empty() ||
             d.AbbreviationTable.size() == static_cast<size_t>(zelvoran::kAbbreviationRows));
  FUZZ_CHECK(d.EnglishCategoryLinks.size() <= static_cast<size_t>(zelvoran::kEnglishLinkSlots));
  FUZZ_CHECK(d.GreekCategoryLinks.size() <= static_cast<size_t>(zelvoran::kGreekLinkSlots));
  for (int i = 1; i <= d.EnglishIndex.Count(); ++i) {
    const auto& r = d.EnglishIndex.Slot(i);
    FUZZ_CHECK(r.Headword.size() <= 57 && r.SearchKey.size() <= 42 && r.Category.size() <= 15);
    FUZZ_CHECK(r.Origin == zelvoran::Origin::kDictionary || r.Origin == zelvoran::Origin::kOwn ||
               r.Origin == zelvoran::Origin::kAddition);
    if (r.Origin == zelvoran::Origin::kAddition) {
      FUZZ_CHECK(r.AdditionSlot >= 0 &&
                 static_cast<size_t>(r.AdditionSlot) < d.AdditionList.size());
    }
  }
}

}  // namespace zelvoran::fuzz

// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary's small closed sets and the reference to one headword record, shared by
// every layer above the dictionary. Strings and chars stand for them only in files and on
// the window.
#pragma once

#include <cstdint>

namespace zelvoran {

// Which index a headword lives in: the English–Greek or the Greek–English one.
enum class Direction : uint8_t { kEnglish = 0, kGreek = 1 };

inline constexpr Direction Other(Direction d) {
  return d == Direction::kGreek ? Direction::kEnglish : Direction::kGreek;
}

// Where a record's entry comes from. The values are the letters the index files hold.
enum class Origin : char {
  kNone = '\0',
  kDictionary = 'L',  // the dictionary's own entry
  kOwn = 'C',         // the user's own entry
  kAddition = 'A',    // a dictionary entry with the user's addition
};

// One record of one index: what a list row, a history item or an explanation refers to.
struct RowRef {
  Direction direction = Direction::kEnglish;
  int32_t slot = 0;
  bool operator==(const RowRef&) const = default;
};

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// Maps the UTF-8 text of the sources to Windows-1253: Latin letters lose their accents,
// polytonic Greek becomes monotonic, look-alike letters of the other script inside a word are
// repaired, and every other character the code page lacks is dropped. Every change is
// counted, so the compiler can say what it did.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace zelvoran::dictc {

struct MappingStats {
  int64_t LatinAccentsRemoved = 0;
  int64_t PolytonicMadeMonotonic = 0;
  int64_t LookAlikesRepaired = 0;
  int64_t OtherReplaced = 0;  // dashes, spaces and marks given a plain equivalent
  int64_t Dropped = 0;        // characters with no Windows-1253 form
  int64_t MalformedUtf8 = 0;  // bytes that were not UTF-8, dropped
  std::map<char32_t, int64_t> DroppedByCharacter;
  void Add(const MappingStats& other);
};

// The Windows-1253 form of UTF-8 text, with whitespace runs kept as they are.
std::string MapToCp1253(std::string_view utf8, MappingStats& stats);

// Repairs look-alike letters inside one Windows-1253 text: in a word of mostly Greek letters a
// Latin letter that looks like a Greek one becomes that Greek letter, and the reverse in a
// word of mostly Latin letters. Words mixing scripts in other ways stay as they are.
std::string RepairLookAlikes(std::string_view text, int64_t& repaired);

// A readable summary of the counters (one line each, UTF-8).
std::string FormatMappingStats(const MappingStats& stats);

}  // namespace zelvoran::dictc

// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup engine that fills Entries_List (with RowIndexList) from the headword indexes,
// and the small operations around the dictionary direction.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvoran {

struct MainCore;
struct Dictionary;
struct HeadwordRecord;

inline constexpr int kResultLimit = 32736;
inline constexpr std::string_view kUserEntryMark = " *";

// Fills the list for `mode` ("START", "CONTAIN", "END", "SPECIFIC", "MULTI", "SHORTCUT").
// "SPECIFIC" shows the record at `slot` of the current direction's index.
void RunLookup(MainCore& core, std::string_view mode, int32_t slot, std::string_view category,
               bool user_entries_only);

// Whether a text is Greek, from the first character of its EnglishKey.
bool IsGreekText(std::string_view text);

// The only writer of CurrentDirection after start-up; switches the language picture and the
// keyboard layout.
void SetDirection(MainCore& core, bool greek);

// Sets the direction from the first character of Entry_Text (untrimmed).
void DirectionFromEntryText(MainCore& core);

// Empties the headword label, the list with RowIndexList and the explanation, and disables
// the modify and delete menu items.
void ClearEntryDisplay(MainCore& core);

// Whether the record at `slot` ("E": EnglishIndex, else GreekIndex) belongs to `category`:
// its own subject field, or for a "MULTI" record one of its category links. Links are matched
// by the record's line number in the dictionary, so user entries merged in ahead of it do not
// move its fields; the user's own entries have no links.
bool EntryInCategory(const Dictionary& dict, int32_t slot, std::string_view direction_code,
                     std::string_view category);

// The row text of a record: its headword as stored, with kUserEntryMark for a user's own entry.
std::string RowText(const HeadwordRecord& record);

// Sets SuppressEntryChange for its lifetime, so the core can write Entry_Text without an
// incremental lookup; the flag is cleared again even when the write fails.
class SuppressEntryChangeScope {
 public:
  explicit SuppressEntryChangeScope(MainCore& core);
  ~SuppressEntryChangeScope();
  SuppressEntryChangeScope(const SuppressEntryChangeScope&) = delete;
  SuppressEntryChangeScope& operator=(const SuppressEntryChangeScope&) = delete;

 private:
  MainCore& core_;
};

}  // namespace zelvoran

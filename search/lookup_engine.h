// SPDX-License-Identifier: GPL-3.0-or-later
// The lookup: the rows a query finds in the headword indexes, as values. The window's list is
// filled from the answer by the presenter (app/lookup_presenter.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/domain.h"

namespace zelvoran {

struct Dictionary;
struct HeadwordRecord;
class LookupIndex;

inline constexpr int kResultLimit = 32736;
inline constexpr std::string_view kUserEntryMark = " *";

// How a lookup matches: by the beginning, the middle or the end of the typed text, one record
// by its slot, the search dialog's criteria together, or a category's listing.
enum class SearchMode { kStart, kContain, kEnd, kSpecific, kMulti, kShortcut };

// The mode's name as the settings and the command line write it ("START", "CONTAIN", ...), and
// back; an unknown name is no mode.
std::string_view SearchModeName(SearchMode mode);
std::optional<SearchMode> ParseSearchMode(std::string_view name);

// Criteria passed from the search dialog to the lookup, exactly as typed.
struct SearchCriteria {
  std::string SearchStartText;
  std::string SearchContainText;
  std::string SearchEndText;
  std::string SearchCategory;
};

struct LookupQuery {
  Direction direction = Direction::kEnglish;  // the direction shown when the query is asked
  SearchMode mode = SearchMode::kStart;
  std::string_view text;  // the entry box's text, untrimmed
  int32_t slot = 0;       // kSpecific: the record of `direction`'s index to show
  std::string_view category;
  bool user_entries_only = false;
  const SearchCriteria* criteria = nullptr;  // kMulti
};

struct LookupRow {
  std::string text;
  RowRef ref;
  bool operator==(const LookupRow&) const = default;
};

struct LookupResult {
  // The direction after the query: the typed text's first character tells it, and the
  // criteria's text for kMulti; otherwise the query's own.
  Direction direction = Direction::kEnglish;
  // Whether the query chose the direction (the window then shows it and switches the
  // keyboard layout, even when it stays the same).
  bool direction_chosen = false;
  std::vector<LookupRow> rows;
  int selected = -1;  // the first row when there are rows
};

// `storage` holds the answer's rows: a caller that asks often passes the rows of its last
// answer back, so a long list does not allocate its storage anew each time.
LookupResult Lookup(const Dictionary& dict, const LookupIndex& index, const LookupQuery& query,
                    std::vector<LookupRow> storage = {});

// The direction the entry box's text names by its first character (untrimmed); none for an
// empty text.
std::optional<Direction> DirectionOfEntryText(std::string_view text);

// Whether `ref`'s record belongs to `category`: its own subject field, or for a "MULTI" record
// one of its category links. Links are matched by the record's line number in the dictionary,
// so user entries merged in ahead of it do not move its fields; the user's own entries have no
// links.
bool EntryInCategory(const Dictionary& dict, RowRef ref, std::string_view category);

// The row text of a record: its headword as stored, with kUserEntryMark for a user's own entry.
std::string RowText(const HeadwordRecord& record);

}  // namespace zelvoran

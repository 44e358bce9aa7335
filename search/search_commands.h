// SPDX-License-Identifier: GPL-3.0-or-later
// The search dialog, the listing of the user's entries and the abbreviations table.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvoran {

struct Dictionary;
struct SearchFormResult;

inline constexpr int kMaxCategoryCodes = 201;  // item 0 (none) and at most 200 fields

// The subject fields offered by the search dialog: item 0 empty, then every row flagged as
// a subject field, in table order, at most 200. `meanings` are shown, `codes` are searched.
struct SubjectFieldList {
  std::vector<std::string> meanings;
  std::vector<std::string> codes;  // CategoryCodes
};
SubjectFieldList CategoryCodesOf(const Dictionary& dict);

// The rows of the abbreviations window: the profile's abbreviation count, each row the
// abbreviation and the meaning of table slot r + 1 (empty when the table has no such row).
std::vector<std::pair<std::string, std::string>> ShortCutRowsOf(const Dictionary& dict);

// Which lookup a confirmed search dialog runs.
enum class SearchAction { kNothing, kStart, kContain, kEnd, kShortcut, kMulti };
SearchAction DecideSearch(const std::string& start, const std::string& contain,
                          const std::string& end, const std::string& category);

// A confirmed search dialog as criteria: the three texts exactly as typed, the code of the
// chosen subject field (empty for none or a position outside the list) and the lookup it runs.
struct SearchRequest {
  std::string start, contain, end, category;
  SearchAction action = SearchAction::kNothing;
  bool operator==(const SearchRequest&) const = default;
};
SearchRequest SearchRequestOf(const SearchFormResult& form, const SubjectFieldList& fields);

// The text the entry box shows for the request's lookup, written without a lookup of its
// own; nullopt leaves the box as it is.
std::optional<std::string> SearchEntryText(const SearchRequest& request);

}  // namespace zelvoran

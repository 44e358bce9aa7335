// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_commands.h"

#include "dictionary/dictionary_data.h"
#include "search/search_dialogs.h"

namespace zelvoran {

SubjectFieldList CategoryCodesOf(const Dictionary& dict) {
  SubjectFieldList list;
  list.meanings.emplace_back();
  list.codes.emplace_back();
  for (size_t row = 1; row < dict.AbbreviationTable.size(); ++row) {
    const AbbreviationRecord& r = dict.AbbreviationTable[row];
    if (!r.IsSubjectField) continue;
    if (static_cast<int>(list.codes.size()) >= kMaxCategoryCodes) break;  // no room for more
    list.meanings.push_back(r.Meaning);
    list.codes.push_back(r.Abbreviation);
  }
  return list;
}

std::vector<std::pair<std::string, std::string>> ShortCutRowsOf(const Dictionary& dict) {
  std::vector<std::pair<std::string, std::string>> rows;
  const int count = dict.Profile.counts.abbreviations;
  for (int r = 0; r < count; ++r) {
    const size_t slot = static_cast<size_t>(r) + 1;
    if (slot < dict.AbbreviationTable.size()) {
      rows.emplace_back(dict.AbbreviationTable[slot].Abbreviation,
                        dict.AbbreviationTable[slot].Meaning);
    } else {
      rows.emplace_back();
    }
  }
  return rows;
}

SearchAction DecideSearch(const std::string& start, const std::string& contain,
                          const std::string& end, const std::string& category) {
  const int filled = !start.empty() + !contain.empty() + !end.empty();
  if (filled >= 2) return SearchAction::kMulti;
  if (!start.empty()) return SearchAction::kStart;
  if (!contain.empty()) return SearchAction::kContain;
  if (!end.empty()) return SearchAction::kEnd;
  return category.empty() ? SearchAction::kNothing : SearchAction::kShortcut;
}

SearchRequest SearchRequestOf(const SearchFormResult& form, const SubjectFieldList& fields) {
  SearchRequest r;
  r.start = form.StartText;
  r.contain = form.ContainText;
  r.end = form.EndText;
  const int index = form.CategoryIndex;
  r.category =
      index > 0 && index < static_cast<int>(fields.codes.size()) ? fields.codes[index] : "";
  r.action = DecideSearch(r.start, r.contain, r.end, r.category);
  return r;
}

std::optional<std::string> SearchEntryText(const SearchRequest& request) {
  switch (request.action) {
    case SearchAction::kStart:
      return request.start;
    case SearchAction::kContain:
      return request.contain;
    case SearchAction::kEnd:
      return request.end;
    case SearchAction::kMulti:
      return std::string();
    case SearchAction::kNothing:
    case SearchAction::kShortcut:
      break;
  }
  return std::nullopt;
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_commands.h"

#include "app/guard.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "dictionary/dictionary_data.h"
#include "search/lookup_engine.h"
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

namespace {

void EmptyForwardList(MainCore& core) {
  core.History.ForwardList.clear();
}

// Writes the box without the incremental lookup.
void WriteEntrySuppressed(MainCore& core, const std::string& text) {
  core.SuppressEntryChange = true;
  core.view.SetEntryText(text);
  core.SuppressEntryChange = false;
}

}  // namespace

void Search_ButtonClick(MainCore& core) {
  bool busy = false;
  Guarded([&] {
    if (!core.search_dialogs) return;
    const SubjectFieldList fields = CategoryCodesOf(core.state.Dict);
    const std::optional<SearchFormResult> result =
        core.search_dialogs->RunSearchForm(fields.meanings);
    if (!result) return;
    core.view.SetEntryText("");
    core.view.SetBusy(true);
    busy = true;
    SearchCriteria& c = core.state.Criteria;
    c.SearchStartText = result->StartText;
    c.SearchContainText = result->ContainText;
    c.SearchEndText = result->EndText;
    const int index = result->CategoryIndex;
    c.SearchCategory =
        index > 0 && index < static_cast<int>(fields.codes.size()) ? fields.codes[index] : "";
    EmptyForwardList(core);
    switch (
        DecideSearch(c.SearchStartText, c.SearchContainText, c.SearchEndText, c.SearchCategory)) {
      case SearchAction::kNothing:
        break;
      case SearchAction::kStart:
        WriteEntrySuppressed(core, c.SearchStartText);
        RunLookup(core, SearchMode::kStart, 0, c.SearchCategory, false);
        break;
      case SearchAction::kContain:
        WriteEntrySuppressed(core, c.SearchContainText);
        RunLookup(core, SearchMode::kContain, 0, c.SearchCategory, false);
        break;
      case SearchAction::kEnd:
        WriteEntrySuppressed(core, c.SearchEndText);
        RunLookup(core, SearchMode::kEnd, 0, c.SearchCategory, false);
        break;
      case SearchAction::kShortcut:
        RunLookup(core, SearchMode::kShortcut, 0, c.SearchCategory, false);
        break;
      case SearchAction::kMulti:
        WriteEntrySuppressed(core, "");
        RunLookup(core, SearchMode::kMulti, 0, c.SearchCategory, false);
        break;
    }
  });
  core.SuppressEntryChange = false;
  if (busy) core.view.SetBusy(false);
  core.view.FocusEntryText();
}

void CustomEntriesItemClick(MainCore& core) {
  Guarded([&] {
    core.view.SetEntryText("");
    ClearEntryDisplay(core);
    EmptyForwardList(core);
    RunLookup(core, core.state.CurrentSearchMode, 0, "", true);
  });
}

void ShortCuts_ButtonClick(MainCore& core) {
  Guarded([&] {
    if (core.search_dialogs) core.search_dialogs->RunShortCutsForm(ShortCutRowsOf(core.state.Dict));
  });
  core.view.FocusEntryText();
}

}  // namespace zelvoran

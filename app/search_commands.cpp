// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/search_commands.h"

#include <memory>
#include <optional>
#include <string>

#include "app/busy_cursor.h"
#include "app/guard.h"
#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/program_state.h"
#include "custom/store_commit.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "search/search_dialogs.h"

namespace zelvoran {
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

std::optional<SearchMode> SearchModeOf(SearchAction action) {
  switch (action) {
    case SearchAction::kStart:
      return SearchMode::kStart;
    case SearchAction::kContain:
      return SearchMode::kContain;
    case SearchAction::kEnd:
      return SearchMode::kEnd;
    case SearchAction::kShortcut:
      return SearchMode::kShortcut;
    case SearchAction::kMulti:
      return SearchMode::kMulti;
    case SearchAction::kNothing:
      break;
  }
  return std::nullopt;
}

}  // namespace

void Search_ButtonClick(MainCore& core) {
  {
    BusyCursor busy(core.view, BusyCursor::Start::kLater);
    Guarded([&] {
      if (!core.search_dialogs) return;
      const SubjectFieldList fields = CategoryCodesOf(core.state.Dict);
      const std::optional<SearchFormResult> result =
          core.search_dialogs->RunSearchForm(fields.meanings);
      if (!result) return;
      core.view.SetEntryText("");
      busy.On();
      const SearchRequest request = SearchRequestOf(*result, fields);
      SearchCriteria& c = core.state.Criteria;
      c.SearchStartText = request.start;
      c.SearchContainText = request.contain;
      c.SearchEndText = request.end;
      c.SearchCategory = request.category;
      EmptyForwardList(core);
      const std::optional<SearchMode> mode = SearchModeOf(request.action);
      if (!mode) return;
      if (const std::optional<std::string> text = SearchEntryText(request)) {
        WriteEntrySuppressed(core, *text);
      }
      RunLookup(core, *mode, 0, c.SearchCategory, false);
    });
    core.SuppressEntryChange = false;
  }
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

std::vector<ExplanationHit> SearchExplanations(const FileSystem& fs, const ProgramState& state,
                                               ExplanationCache& cache, Direction direction,
                                               std::string_view needle) {
  const CustomPaths user = CommittedStorePaths(fs, state.Paths);
  const ExplanationSources sources{state.Dict, state.ProgramFolder + std::string(kTextsFile),
                                   user.CustomEnglishTextsPath, user.CustomGreekTextsPath};
  return SearchExplanations(fs, sources, cache, direction, needle);
}

void DescrSearch_ButtonClick(MainCore& core) {
  Guarded([&] {
    if (!core.search_dialogs) return;
    const std::optional<std::string> word = core.search_dialogs->RunMessageForm();
    if (!word) {
      core.view.FocusEntryText();
      return;
    }
    {
      BusyCursor busy(core.view);
      core.SuppressEntryChange = true;
      Guarded([&] {
        core.view.SetEntryText(TrimLeftBlanks(*word));
        ClearEntryDisplay(core);
        DirectionFromEntryText(core);
        const Direction direction = core.CurrentDirection;
        if (!core.explanation_cache) core.explanation_cache = std::make_shared<ExplanationCache>();
        const std::vector<ExplanationHit> hits =
            SearchExplanations(core.svc.fs, core.state, *core.explanation_cache, direction,
                               ExplanationNeedle(core.view.EntryText(), direction));
        for (const ExplanationHit& h : hits) core.List.Add(h.Row, h.ref);
        core.List.Selected = -1;
        core.view.ListRowsChanged();
      });
      core.SuppressEntryChange = false;
    }
    core.view.FocusEntryText();
  });
}

}  // namespace zelvoran

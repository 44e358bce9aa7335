// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/entry_presenter.h"

#include <string>

#include "app/main_core.h"
#include "app/window_commands.h"
#include "custom/store_commit.h"
#include "dictionary/entry_display.h"

namespace zelvoran {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Pane-hidden hint: with the explanation box out of sight, the list's tooltip carries the
// selected row and the explanation.
void ApplyPaneHiddenHint(const EntriesListModel& list, HeadwordListView& list_view,
                         const ExplanationView& pane) {
  if (pane.DescriptionWidth() == 0 || pane.DescriptionHeight() == 0) {
    list_view.SetHintDisplayTime(10000);
    const int sel = list.Selected;
    const std::string row =
        sel >= 0 && sel < list.Count() ? list.Items[static_cast<size_t>(sel)].text : "";
    list_view.SetListHint(row + std::string(kCrLf) + pane.DescriptionText());
  } else {
    list_view.SetListHint("");
  }
}

// Puts one record's explanation in the pane; an empty slot leaves the explanation and the
// delete item as they are.
void ShowExplanation(ExplanationView& pane, const Explanation& e) {
  pane.SetHeadwordLabel(e.headword);
  pane.SetHeadwordLabelLeftJustified(pane.MeasureLabelText(e.headword) > pane.DescriptionWidth());
  pane.SetModifyEntryEnabled(e.modify_enabled);
  pane.SetPronunciation(e.pronunciation);
  if (e.delete_enabled) pane.SetDeleteEntryEnabled(*e.delete_enabled);
  if (e.text) pane.SetDescription(*e.text);
}

}  // namespace

void ShowEntry(MainCore& core, int row) {
  if (row < 0 || row >= core.List.Count()) return;
  const RowRef ref = core.List.Items[static_cast<size_t>(row)].ref;
  const CustomPaths paths = CommittedStorePaths(core.svc.fs, core.state.Paths);
  const std::string& user_texts = ref.direction == Direction::kGreek ? paths.CustomGreekTextsPath
                                                                     : paths.CustomEnglishTextsPath;
  ShowExplanation(core.view, ExplanationOf(core.state.Dict, core.svc.fs, ref, user_texts));
  ApplyPaneHiddenHint(core.List, core.view, core.view);
  RecordHistory(core, row);
}

void Entries_ListClick(MainCore& core) {
  core.FocusedControlTag = FocusedControl::kEntriesList;
  if (core.List.Selected >= 0) ShowEntry(core, core.List.Selected);
  core.view.FocusEntryText();
  ApplyPaneHiddenHint(core.List, core.view, core.view);
}

void Description_TextDblClick(MainCore& core, std::string_view selected) {
  if (selected.empty()) return;
  // A word picked whole: it leads to its base form even while it begins some headword.
  core.WholeWordEntry = true;
  core.view.SetEntryText(LookupWordIn(selected));
  core.WholeWordEntry = false;
}

void RecordHistory(MainCore& core, int row) {
  if (row < 0 || row >= core.List.Count()) return;
  HistoryItem last{core.LastShownHeadword, RowRef{core.LastShownDirection, core.LastShownIndex}};
  core.History.Record(last, HistoryItem{core.List.Items[static_cast<size_t>(row)].text,
                                        core.List.Items[static_cast<size_t>(row)].ref});
  core.LastShownHeadword = std::move(last.Caption);
  core.LastShownIndex = last.Ref.slot;
  core.LastShownDirection = last.Ref.direction;
}

}  // namespace zelvoran

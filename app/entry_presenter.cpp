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
void ApplyPaneHiddenHint(MainCore& core) {
  if (core.view.DescriptionWidth() == 0 || core.view.DescriptionHeight() == 0) {
    core.view.SetHintDisplayTime(10000);
    const int sel = core.List.Selected;
    const std::string row =
        sel >= 0 && sel < core.List.Count() ? core.List.Rows[static_cast<size_t>(sel)] : "";
    core.view.SetListHint(row + std::string(kCrLf) + core.view.DescriptionText());
  } else {
    core.view.SetListHint("");
  }
}

}  // namespace

void ShowEntry(MainCore& core, int row) {
  if (row < 0 || row >= core.List.Count()) return;
  const RowRef ref = core.List.Refs[static_cast<size_t>(row)];
  const CustomPaths paths = CommittedStorePaths(core.svc.fs, core.state.Paths);
  const std::string& user_texts = ref.direction == Direction::kGreek ? paths.CustomGreekTextsPath
                                                                     : paths.CustomEnglishTextsPath;
  const Explanation e = ExplanationOf(core.state.Dict, core.svc.fs, ref, user_texts);

  MainView& view = core.view;
  view.SetHeadwordLabel(e.headword);
  view.SetHeadwordLabelLeftJustified(view.MeasureLabelText(e.headword) > view.DescriptionWidth());
  view.SetModifyEntryEnabled(e.modify_enabled);
  view.SetPronunciation(e.pronunciation);
  if (e.delete_enabled) view.SetDeleteEntryEnabled(*e.delete_enabled);
  if (e.text) view.SetDescription(*e.text);
  ApplyPaneHiddenHint(core);
  RecordHistory(core, row);
}

void Entries_ListClick(MainCore& core) {
  core.FocusedControlTag = kFocusEntriesList;
  if (core.List.Selected >= 0) ShowEntry(core, core.List.Selected);
  core.view.FocusEntryText();
  ApplyPaneHiddenHint(core);
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
  core.History.Record(last, HistoryItem{core.List.Rows[static_cast<size_t>(row)],
                                        core.List.Refs[static_cast<size_t>(row)]});
  core.LastShownHeadword = std::move(last.Caption);
  core.LastShownIndex = last.Ref.slot;
  core.LastShownDirection = last.Ref.direction;
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/entry_box.h"

#include "app/main_core.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "search/word_forms_step.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

constexpr int kListRowHeight = 16;

// Whether the typed text names the record itself, not just a beginning of it.
bool TypedTextMatchesKey(const MainCore& core, const std::string& typed,
                         const HeadwordRecord& rec) {
  if (core.CurrentDirection == kDirectionGreek) {
    return GreekFold(TrimBlanks(GreekKey(typed))) == GreekFold(rec.SearchKey);
  }
  return CharLowerA(TrimBlanks(typed)) == CharLowerA(rec.SearchKey);
}

}  // namespace

void Entry_TextChange(MainCore& core) {
  std::string text = core.view.EntryText();
  const bool whole_word = core.WholeWordEntry || !IsTypingStep(core.PreviousEntryText, text);
  core.PreviousEntryText = std::move(text);
  if (core.SuppressEntryChange) return;
  core.History.ForwardList.clear();
  RunLookup(core, "START", 0, "", false);
  if (core.List.Count() == 0) {
    ShowWordFormOrSuggestions(core, whole_word);
    return;
  }
  core.List.Selected = 0;
  core.view.ListSelectionChanged();
  const bool greek = core.CurrentDirection == kDirectionGreek;
  const HeadwordRecord& rec = core.state.Dict.Index(greek).Slot(core.List.RowIndexList[0]);
  if (TypedTextMatchesKey(core, core.view.EntryText(), rec)) {
    ShowEntry(core, 0);
  } else {
    ShowWordFormOrSuggestions(core, whole_word);
  }
}

void Entry_TextKeyDown(MainCore& core, ListKey key) {
  const int page = core.view.ListHeight() / kListRowHeight;
  const int index = core.List.Selected;
  const int count = core.List.Count();
  int row = index;
  switch (key) {
    case ListKey::kDown:
      if (index >= count - 1) return;
      row = index + 1;
      break;
    case ListKey::kUp:
      if (index <= 0) return;
      row = index - 1;
      break;
    case ListKey::kPageUp:
      if (index <= 0) return;
      row = index > page ? index - page : 0;
      break;
    case ListKey::kPageDown:
      if (index >= count - 1) return;
      row = index > count - 1 - page ? count - 1 : index + page;
      break;
  }
  core.view.FocusEntriesList();
  core.List.Selected = row;
  core.view.ListSelectionChanged();
  Entries_ListClick(core);
}

void Fill_List_ButtonClick(MainCore& core) {
  core.History.ForwardList.clear();
  RunLookup(core, core.state.CurrentSearchMode, 0, "", false);
}

}  // namespace zelvoran

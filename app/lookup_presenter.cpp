// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lookup_presenter.h"

#include <string>

#include "app/busy_cursor.h"
#include "app/entry_presenter.h"
#include "app/keyboard.h"
#include "app/main_core.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/field_codec.h"
#include "search/lookup_index.h"
#include "search/word_forms.h"
#include "search/word_forms_step.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

constexpr int kListRowHeight = 16;

LookupResult Ask(MainCore& core, SearchMode mode, std::string_view entry, int32_t slot,
                 std::string_view category, bool user_entries_only) {
  BusyCursor busy(core.view);  // however the answer ends, the cursor comes back
  LookupQuery q;
  q.direction = core.CurrentDirection;
  q.mode = mode;
  q.text = entry;
  q.slot = slot;
  q.category = category;
  q.user_entries_only = user_entries_only;
  q.criteria = &core.state.Criteria;
  return Lookup(core.state.Dict, CurrentLookupIndex(core), q, std::move(core.RowStorage));
}

// An empty entry display: no headword, explanation or pronunciation, nothing to edit.
void ClearPane(ExplanationView& pane) {
  pane.SetHeadwordLabel("");
  pane.SetPronunciation("");
  pane.SetDescription("");
  pane.SetModifyEntryEnabled(false);
  pane.SetDeleteEntryEnabled(false);
}

// The answer's rows and selection, each told to the list once.
void ShowRows(EntriesListModel& list, HeadwordListView& list_view, LookupResult& result) {
  // The answer's rows become the list's; the list's old rows go back as the storage of the
  // next answer.
  list.Items.swap(result.rows);
  list.Selected = result.selected;
  list_view.ListRowsChanged();
  list_view.ListSelectionChanged();
}

// Puts the answer on the window: the direction it chose, an empty entry display, the rows and
// the selection.
void Apply(MainCore& core, LookupResult&& result) {
  if (result.direction_chosen) SetDirection(core, result.direction);
  ClearPane(core.view);
  ShowRows(core.List, core.view, result);
  core.RowStorage = std::move(result.rows);
}

}  // namespace

SuppressEntryChangeScope::SuppressEntryChangeScope(MainCore& core) : core_(core) {
  core_.SuppressEntryChange = true;
}
SuppressEntryChangeScope::~SuppressEntryChangeScope() {
  core_.SuppressEntryChange = false;
}

const LookupIndex& CurrentLookupIndex(MainCore& core) {
  core.Lookup = FreshLookupIndex(core.state.Dict, std::move(core.Lookup));
  return *core.Lookup;
}

const WordForms& CurrentWordForms(MainCore& core) {
  CurrentLookupIndex(core);
  core.Forms = FreshWordForms(core.state.Dict, core.Lookup, std::move(core.Forms));
  return *core.Forms;
}

void RunLookup(MainCore& core, SearchMode mode, int32_t slot, std::string_view category,
               bool user_entries_only) {
  const std::string entry = core.view.EntryText();
  LookupResult result = Ask(core, mode, entry, slot, category, user_entries_only);
  const bool specific = mode == SearchMode::kSpecific && !result.rows.empty();
  const std::string headword = specific
                                   ? core.state.Dict.Index(result.direction == Direction::kGreek)
                                         .Slot(result.rows.front().ref.slot)
                                         .Headword
                                   : std::string();
  Apply(core, std::move(result));
  if (specific) {
    // The entry box names the entry shown.
    {
      SuppressEntryChangeScope quiet(core);
      core.view.SetEntryText(headword);
    }
    Entries_ListClick(core);
  }
}

void SetDirection(MainCore& core, Direction direction) {
  if (direction != core.CurrentDirection) {
    core.CurrentDirection = direction;
    core.view.SetLangPicture(direction == Direction::kGreek);
  }
  ActivateDirectionLayout(core);
}

void DirectionFromEntryText(MainCore& core) {
  if (const auto d = DirectionOfEntryText(core.view.EntryText())) SetDirection(core, *d);
}

void ClearEntryDisplay(MainCore& core) {
  core.List.Clear();
  core.view.ListRowsChanged();
  core.view.ListSelectionChanged();
  ClearPane(core.view);
}

void Entry_TextChange(MainCore& core) {
  const std::string text = core.view.EntryText();
  const bool whole_word = core.WholeWordEntry || !IsTypingStep(core.PreviousEntryText, text);
  core.PreviousEntryText = text;
  if (core.SuppressEntryChange) return;
  LookUpEntryText(core, text, whole_word ? EntrySource::kWholeWord : EntrySource::kTyping);
}

void LookUpEntryText(MainCore& core, std::string_view text, EntrySource source) {
  core.History.ForwardList.clear();
  TypingAnswer answer;
  {
    BusyCursor busy(core.view);  // however the answer ends, the cursor comes back
    answer = AnswerTyping(core.state.Dict, CurrentLookupIndex(core), CurrentWordForms(core),
                          core.CurrentDirection, text, source, std::move(core.RowStorage));
  }
  Apply(core, std::move(answer.lookup));
  if (answer.shown >= 0) ShowEntry(core, answer.shown);
  const WordFormAnswer& wf = answer.word_form;
  ExplanationView& pane = core.view;
  if (wf.kind == WordFormAnswer::Kind::kBaseForm) {
    pane.SetFormHeadwordLabel(answer.word, wf.headword);
    const std::string label = answer.word + " -> " + wf.headword;
    pane.SetHeadwordLabelLeftJustified(pane.MeasureLabelText(label) > pane.DescriptionWidth());
  } else if (wf.kind == WordFormAnswer::Kind::kSuggestions) {
    pane.SetDescription(SuggestionsText(wf.suggestions));
    pane.SuggestionsShown(wf.suggestions);
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
  if (core.state.CurrentSearchMode == SearchMode::kStart) {
    LookUpEntryText(core, core.view.EntryText(), EntrySource::kEnter);
    return;
  }
  core.History.ForwardList.clear();
  RunLookup(core, core.state.CurrentSearchMode, 0, "", false);
}

}  // namespace zelvoran

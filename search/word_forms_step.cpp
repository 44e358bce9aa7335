// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/word_forms_step.h"

#include <algorithm>

#include "app/main_core.h"
#include "dictionary/dictionary_data.h"
#include "dictionary/entry_display.h"
#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "search/lookup_index.h"
#include "search/word_forms.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Whether some headword begins with the whole text: the START lookup then matched the whole
// key, so its first row begins with it.
bool BeginsSomeHeadword(MainCore& core, std::string_view text, bool greek) {
  if (core.List.Count() == 0) return false;
  const std::string key = greek ? GreekKey(text) : AsciiLower(text);
  const DirectionForms& forms = CurrentLookupIndex(core).Of(greek);
  return forms.Start.Form(core.List.RowIndexList[0]).starts_with(key);
}

void ShowBaseForm(MainCore& core, std::string_view text, const BaseForm& base) {
  const HeadwordRecord& rec = core.state.Dict.Index(base.greek).Slot(base.slot);
  auto& rows = core.List.RowIndexList;
  auto it = std::find(rows.begin(), rows.end(), base.slot);
  int row = 0;
  if (it == rows.end()) {
    // The list does not hold the entry: it heads the list, so that the commands that act on
    // the selected row act on the entry shown.
    core.List.Rows.insert(core.List.Rows.begin(), RowText(rec));
    rows.insert(rows.begin(), base.slot);
    core.view.ListRowsChanged();
  } else {
    row = static_cast<int>(it - rows.begin());
  }
  core.List.Selected = row;
  core.view.ListSelectionChanged();
  ShowEntry(core, row);
  core.view.SetFormHeadwordLabel(text, rec.Headword);
  const std::string label = std::string(text) + " -> " + rec.Headword;
  core.view.SetHeadwordLabelLeftJustified(core.view.MeasureLabelText(label) >
                                          core.view.DescriptionWidth());
}

void ShowSuggestions(MainCore& core, const std::vector<Suggestion>& suggestions) {
  std::string text(kSuggestionsHeading);
  std::vector<std::string> headwords;
  for (const Suggestion& s : suggestions) {
    text += kCrLf;
    text += s.headword;
    headwords.push_back(s.headword);
  }
  // No row is chosen: the box shows no entry, so copy, print and the editing commands have
  // no row to act on.
  core.List.Selected = -1;
  core.view.ListSelectionChanged();
  core.view.SetDescription(text);
  core.view.SuggestionsShown(headwords);
}

}  // namespace

bool IsTypingStep(std::string_view before, std::string_view after) {
  size_t p = 0;
  while (p < before.size() && p < after.size() && before[p] == after[p]) ++p;
  size_t s = 0;
  while (s < before.size() - p && s < after.size() - p &&
         before[before.size() - 1 - s] == after[after.size() - 1 - s]) {
    ++s;
  }
  return after.size() - p - s <= 1;
}

void ShowWordFormOrSuggestions(MainCore& core, bool whole_word) {
  const std::string entry = core.view.EntryText();
  const std::string_view text = TrimBlanks(entry);
  if (text.empty() || text.size() > kWordFormsMaxBytes) return;
  const bool greek = core.CurrentDirection == kDirectionGreek;
  if (IsGreekText(text) != greek) return;
  if (!whole_word && BeginsSomeHeadword(core, text, greek)) return;
  const WordForms& forms = CurrentWordForms(core);
  if (forms.IsHeadword(text)) return;
  const std::vector<BaseForm> bases = forms.BaseForms(text);
  if (!bases.empty()) {
    ShowBaseForm(core, text, bases.front());
    return;
  }
  const std::vector<Suggestion> suggestions = forms.Suggest(text, kMaxSuggestions);
  if (!suggestions.empty()) ShowSuggestions(core, suggestions);
}

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/word_forms_step.h"

#include <algorithm>

#include "dictionary/dictionary_data.h"
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
bool BeginsSomeHeadword(const LookupIndex& index, const std::vector<LookupRow>& rows,
                        std::string_view text, bool greek) {
  if (rows.empty()) return false;
  const std::string key = greek ? GreekKey(text) : AsciiLower(text);
  return index.Of(greek).Start.Form(rows.front().ref.slot).starts_with(key);
}

// Whether the typed text names the record itself, not just a beginning of it.
bool TypedTextMatchesKey(Direction direction, std::string_view typed, const HeadwordRecord& rec) {
  if (direction == Direction::kGreek) {
    return GreekFold(TrimBlanks(GreekKey(typed))) == GreekFold(rec.SearchKey);
  }
  return CharLowerA(TrimBlanks(typed)) == CharLowerA(rec.SearchKey);
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

WordFormAnswer AnswerWordForm(const WordForms& forms, const LookupIndex& index, Direction direction,
                              std::string_view entry, const std::vector<LookupRow>& start_rows,
                              bool whole_word) {
  WordFormAnswer answer;
  const std::string_view text = TrimBlanks(entry);
  if (text.empty() || text.size() > kWordFormsMaxBytes) return answer;
  const bool greek = direction == Direction::kGreek;
  if (IsGreekText(text) != greek) return answer;
  if (!whole_word && BeginsSomeHeadword(index, start_rows, text, greek)) return answer;
  if (forms.IsHeadword(text)) return answer;
  const std::vector<BaseForm> bases = forms.BaseForms(text);
  if (!bases.empty()) {
    answer.kind = WordFormAnswer::Kind::kBaseForm;
    answer.base =
        RowRef{bases.front().greek ? Direction::kGreek : Direction::kEnglish, bases.front().slot};
    answer.headword = bases.front().headword;
    return answer;
  }
  for (const Suggestion& s : forms.Suggest(text, kMaxSuggestions)) {
    answer.suggestions.push_back(s.headword);
  }
  if (!answer.suggestions.empty()) answer.kind = WordFormAnswer::Kind::kSuggestions;
  return answer;
}

TypingAnswer AnswerTyping(const Dictionary& dict, const LookupIndex& index, const WordForms& forms,
                          Direction current, std::string_view entry, bool whole_word,
                          std::vector<LookupRow> storage) {
  TypingAnswer a;
  LookupQuery q;
  q.direction = current;
  q.mode = SearchMode::kStart;
  q.text = entry;
  a.lookup = Lookup(dict, index, q, std::move(storage));
  std::vector<LookupRow>& rows = a.lookup.rows;
  const Direction d = a.lookup.direction;
  if (!rows.empty() &&
      TypedTextMatchesKey(d, entry,
                          dict.Index(d == Direction::kGreek).Slot(rows.front().ref.slot))) {
    a.shown = 0;
    return a;
  }
  a.word_form = AnswerWordForm(forms, index, d, entry, rows, whole_word);
  if (a.word_form.kind == WordFormAnswer::Kind::kBaseForm) {
    const RowRef base = a.word_form.base;
    auto it =
        std::find_if(rows.begin(), rows.end(), [&](const LookupRow& r) { return r.ref == base; });
    if (it == rows.end()) {
      // The list does not hold the entry: it heads the list, so that the commands that act on
      // the selected row act on the entry shown.
      rows.insert(
          rows.begin(),
          LookupRow{RowText(dict.Index(base.direction == Direction::kGreek).Slot(base.slot)),
                    base});
      a.shown = 0;
    } else {
      a.shown = static_cast<int>(it - rows.begin());
    }
    a.lookup.selected = a.shown;
  } else if (a.word_form.kind == WordFormAnswer::Kind::kSuggestions) {
    // No row is chosen: the box shows no entry, so copy, print and the editing commands have
    // no row to act on.
    a.lookup.selected = -1;
  }
  return a;
}

std::string SuggestionsText(const std::vector<std::string>& headwords) {
  std::string text(kSuggestionsHeading);
  for (const std::string& h : headwords) {
    text += kCrLf;
    text += h;
  }
  return text;
}

}  // namespace zelvoran

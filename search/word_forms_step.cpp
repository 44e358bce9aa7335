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

bool IsWordPunctuation(unsigned char c) {
  if (c <= 32) return true;
  switch (c) {
    case '.':
    case ',':
    case ';':
    case ':':
    case '!':
    case '?':
    case '"':
    case '\'':
    case '(':
    case ')':
    case '[':
    case ']':
    case 0x91:  // the curly quotes
    case 0x92:
    case 0x93:
    case 0x94:
    case 0xA0:  // no-break space
    case 0xAB:  // «
    case 0xB7:  // ano teleia
    case 0xBB:  // »
      return true;
    default:
      return false;
  }
}

namespace {

size_t LeadingPunctuation(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && IsWordPunctuation(static_cast<unsigned char>(text[n]))) ++n;
  return n;
}

size_t TrailingPunctuation(std::string_view text) {
  size_t n = 0;
  while (n < text.size() &&
         IsWordPunctuation(static_cast<unsigned char>(text[text.size() - 1 - n]))) {
    ++n;
  }
  return n;
}

// Runs of punctuation longer than this are trimmed whole, without trying each trimming.
constexpr size_t kMaxTriedPunctuation = 8;

}  // namespace

std::string_view TrimWordPunctuation(std::string_view text) {
  const size_t lead = LeadingPunctuation(text);
  if (lead == text.size()) return {};
  text.remove_prefix(lead);
  text.remove_suffix(TrailingPunctuation(text));
  return text;
}

std::string_view WholeWordIn(const WordForms& forms, std::string_view text) {
  const std::string_view blank_trimmed = TrimBlanks(text);
  const std::string_view word = TrimWordPunctuation(blank_trimmed);
  if (word.size() == blank_trimmed.size() || word.empty()) return word;
  if (forms.IsHeadword(blank_trimmed)) return blank_trimmed;
  const size_t lead = static_cast<size_t>(word.data() - blank_trimmed.data());
  const size_t trail = blank_trimmed.size() - lead - word.size();
  if (lead > kMaxTriedPunctuation || trail > kMaxTriedPunctuation) return word;
  // The fewest characters taken off first; of as many, those at the end first.
  for (size_t taken = 1; taken < lead + trail; ++taken) {
    for (size_t front = taken > trail ? taken - trail : 0; front <= std::min(taken, lead);
         ++front) {
      std::string_view candidate = blank_trimmed.substr(front);
      candidate.remove_suffix(taken - front);
      if (forms.IsHeadword(candidate)) return TrimBlanks(candidate);
    }
  }
  return word;
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
                          Direction current, std::string_view entry, EntrySource source,
                          std::vector<LookupRow> storage) {
  TypingAnswer a;
  // A whole word is looked up without the punctuation it was copied with.
  const std::string_view text = source == EntrySource::kTyping ? entry : WholeWordIn(forms, entry);
  a.word = std::string(TrimBlanks(text));
  LookupQuery q;
  q.direction = current;
  q.mode = SearchMode::kStart;
  q.text = text;
  a.lookup = Lookup(dict, index, q, std::move(storage));
  std::vector<LookupRow>& rows = a.lookup.rows;
  const Direction d = a.lookup.direction;
  if (!rows.empty() &&
      TypedTextMatchesKey(d, text,
                          dict.Index(d == Direction::kGreek).Slot(rows.front().ref.slot))) {
    // Enter lists again and shows nothing by itself.
    if (source != EntrySource::kEnter) a.shown = 0;
    return a;
  }
  a.word_form = AnswerWordForm(forms, index, d, text, rows, source != EntrySource::kTyping);
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The entry box's answer for words that are no headword: the entry of the word's best base
// form, or suggestions of headwords spelt like it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/domain.h"
#include "search/lookup_engine.h"

namespace zelvoran {

struct Dictionary;
class LookupIndex;
class WordForms;

// The first line of the suggestions in the explanation box ("Μήπως εννοείτε:").
inline constexpr std::string_view kSuggestionsHeading =
    "\xCC\xDE\xF0\xF9\xF2 \xE5\xED\xED\xEF\xE5\xDF\xF4\xE5:";

// Whether a change of Entry_Text from `before` to `after` is one step of typing: at most one
// character put in where a stretch (possibly empty) was taken out.
bool IsTypingStep(std::string_view before, std::string_view after);

// Where the text the entry box looks up comes from.
enum class EntrySource {
  kTyping,     // one step of typing: a text that still begins a headword is left alone
  kWholeWord,  // put in whole (a paste, quick translation, a double-click): a complete word
  kEnter,      // Enter lists again and takes the text as a complete word; a headword's own
               // entry is not shown
};

// The blanks and punctuation a word copied out of a text carries around it: blanks (the
// no-break space too), . , ; : ! ? « » " ' ( ) [ ], the curly quotes and the ano teleia (the
// Greek question mark is ";" in the code page).
bool IsWordPunctuation(unsigned char c);
// `text` without the blanks and punctuation around it.
std::string_view TrimWordPunctuation(std::string_view text);
// The word a whole-word lookup takes from `text`: the text without its blanks when a headword
// is spelt so, else the least trimming of the punctuation around it that is a headword (so
// "a.m." and "(D&C)" find themselves), else the text without any of it.
std::string_view WholeWordIn(const WordForms& forms, std::string_view text);

struct WordFormAnswer {
  enum class Kind { kNone, kBaseForm, kSuggestions };
  Kind kind = Kind::kNone;
  RowRef base;                           // kBaseForm: the record of the best base form
  std::string headword;                  // kBaseForm: its headword as stored
  std::vector<std::string> suggestions;  // kSuggestions: the headwords, best first
};

// Asked after the START lookup (`start_rows`, in `direction`) when the text's own entry is not
// shown. Answers the best base form, or suggestions, when the trimmed `text` is a complete
// word: `whole_word` (pasted, double-clicked, quick translation) or it begins no headword. A
// text that is a headword, and a typed one that still begins a headword, get no answer.
WordFormAnswer AnswerWordForm(const WordForms& forms, const LookupIndex& index, Direction direction,
                              std::string_view text, const std::vector<LookupRow>& start_rows,
                              bool whole_word);

// The entry box's answer to its text: the START rows, and which entry to show.
struct TypingAnswer {
  // The word looked up: the text without blanks, or for a whole word as WholeWordIn takes it.
  std::string word;
  // The START rows; a base form's row heads them when they lack it. Its selection is the row
  // shown, or none with suggestions.
  LookupResult lookup;
  int shown = -1;  // the row whose entry is shown (-1: none)
  WordFormAnswer word_form;
};

// Looks up `entry` (the entry box's text, untrimmed) from the `current` direction, as its
// `source` takes it: the text's own entry when the first row is it (except for Enter), else
// the word form's answer. `storage` holds the rows, as Lookup takes it.
TypingAnswer AnswerTyping(const Dictionary& dict, const LookupIndex& index, const WordForms& forms,
                          Direction current, std::string_view entry, EntrySource source,
                          std::vector<LookupRow> storage = {});

// The explanation box's text for suggestions: the heading and one headword a line.
std::string SuggestionsText(const std::vector<std::string>& headwords);

}  // namespace zelvoran

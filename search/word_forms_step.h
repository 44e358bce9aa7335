// SPDX-License-Identifier: GPL-3.0-or-later
// The entry box's step for words that are no headword: the entry of the word's best base form,
// or suggestions of headwords spelt like it.
#pragma once

#include <string>
#include <string_view>

namespace zelvoran {

struct MainCore;

// The first line of the suggestions in the explanation box ("Μήπως εννοείτε:").
inline constexpr std::string_view kSuggestionsHeading =
    "\xCC\xDE\xF0\xF9\xF2 \xE5\xED\xED\xEF\xE5\xDF\xF4\xE5:";

// Whether a change of Entry_Text from `before` to `after` is one step of typing: at most one
// character put in where a stretch (possibly empty) was taken out.
bool IsTypingStep(std::string_view before, std::string_view after);

// Called by Entry_TextChange after the START lookup when the text's own entry is not shown.
// Shows the entry of the best base form (its row selected, added at the top when the list
// lacks it), or offers suggestions in the explanation box, when the text is a complete word:
// `whole_word` (pasted, double-clicked, quick translation) or it begins no headword. A text
// that is a headword, and a typed one that still begins a headword, are left as they are.
void ShowWordFormOrSuggestions(MainCore& core, bool whole_word);

}  // namespace zelvoran

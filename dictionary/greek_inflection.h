// SPDX-License-Identifier: GPL-3.0-or-later
// Inflected forms of Greek headwords: noun declensions, adjectives with their comparative,
// the regular verb conjugations and a table of the common irregular verbs. Used to lead a
// form met in a text ("σπιτιού", "έγραψα") back to its headword.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

enum class GreekPartOfSpeech { kUnknown, kNoun, kProperNoun, kAdjective, kVerb, kAdverb };

// The source's part-of-speech tag: "n", "pn", "adj", "v", "adv"; anything else is kUnknown.
GreekPartOfSpeech GreekPartOfSpeechFromTag(std::string_view tag);

// The inflected forms of a Greek headword: Windows-1253 text in and out, monotonic, lower case
// as Greek writes it (final sigma where it belongs), each with its accent, without duplicates
// and without the headword itself. Where the part of speech is kUnknown it is guessed from the
// ending. Multi-word headwords and words the rules do not know give an empty list.
std::vector<std::string> GreekInflectedForms(std::string_view headword, GreekPartOfSpeech pos);

// The same for UTF-8 text in and out (tests and tools).
std::vector<std::string> GreekInflectedFormsUtf8(std::string_view headword, GreekPartOfSpeech pos);

// Readings of a learned Greek form for finding its headword where no generated form matches
// it: the internal augment of a compound taken out (ανέφερε → αναφερε, υπήρχε → υπαρχε), a
// learned passive in its popular spelling (επισκέφθηκε → επισκεφτηκε, συνελήφθη →
// συλληφθηκε), a superlative as its comparative (σοβαρότατες → σοβαροτερες), and the
// nominatives that comparatives, adverbs in -ως and learned genitives lead to (νεότερος →
// νεος, παρομοίως → παρομοιος, ισχύος → ισχυς). Windows-1253 in and out; the readings are
// lower case without accents, the likelier first, each to be looked up among the forms and
// the headwords.
std::vector<std::string> GreekLearnedReadings(std::string_view word);

}  // namespace zelvoran

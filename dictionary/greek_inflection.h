// Inflected forms of Greek headwords, generated from the part of speech and the ending.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvoran {

enum class GreekPartOfSpeech { kUnknown, kNoun, kProperNoun, kAdjective, kVerb, kAdverb };

// The part of speech of a source tag: "n", "pn", "adj", "v", "adv"; kUnknown for any other.
GreekPartOfSpeech GreekPartOfSpeechFromTag(std::string_view tag);

// Inflected forms of a Greek headword, Windows-1253 in and out, lower case, accented, without the
// headword itself; empty where the rules know nothing.
std::vector<std::string> GreekInflectedForms(std::string_view headword, GreekPartOfSpeech pos);

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/speak_entry.h"

#include "dictionary/field_codec.h"
#include "search/lookup_engine.h"
#include "text/cp1253.h"

namespace zelvoran {

const std::string& SpeakCaption() {
  static const std::string caption = Utf8ToCp1253("Εκφώνηση");
  return caption;
}

std::string SpeechProblemMessage(SpeechProblem problem) {
  switch (problem) {
    case SpeechProblem::kNone:
      return {};
    case SpeechProblem::kNoEngine:
      return Utf8ToCp1253(
          "Η εκφώνηση δεν είναι διαθέσιμη: δεν βρέθηκε η μηχανή ομιλίας eSpeak NG.");
    case SpeechProblem::kNoVoice:
      return Utf8ToCp1253("Η μηχανή ομιλίας δεν έχει φωνή για τη γλώσσα της λέξης.");
    case SpeechProblem::kNoSoundDevice:
      return Utf8ToCp1253("Η λέξη δεν μπορεί να ακουστεί: δεν βρέθηκε συσκευή ήχου.");
    case SpeechProblem::kFailed:
      return Utf8ToCp1253("Η εκφώνηση απέτυχε.");
  }
  return {};
}

SpeakStep NextSpeakStep(std::string_view headword, bool speaking, std::string_view spoken) {
  SpeakStep step;
  if (headword.empty()) return step;
  step.text = Cp1253ToUtf8(headword);
  step.stop = speaking;
  step.speak = !speaking || step.text != spoken;
  step.language = IsGreekText(headword) ? SpeechLanguage::kGreek : SpeechLanguage::kEnglish;
  return step;
}

}  // namespace zelvoran

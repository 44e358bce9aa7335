// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/speak_entry.h"

#include "app/main_core.h"
#include "app/message_boxes.h"
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

void ShowSpeechProblem(MainCore& core, SpeechProblem problem) {
  core.SpokenText.clear();
  const std::string message = SpeechProblemMessage(problem);
  if (!message.empty() && core.svc.messages) core.svc.messages->ShowProblem(message);
}

void Speak_ButtonClick(MainCore& core) {
  const std::string headword = core.view.HeadwordLabel();
  if (headword.empty()) return;
  if (!core.svc.speech) {
    ShowSpeechProblem(core, SpeechProblem::kNoEngine);
    return;
  }
  Speech& speech = *core.svc.speech;
  const std::string text = Cp1253ToUtf8(headword);
  if (speech.IsSpeaking()) {
    speech.Stop();
    const bool again = text == core.SpokenText;
    core.SpokenText.clear();
    if (again) return;
  }
  const SpeechLanguage language =
      IsGreekText(headword) ? SpeechLanguage::kGreek : SpeechLanguage::kEnglish;
  core.SpokenText = text;
  const SpeechProblem problem = speech.Speak(text, language);
  if (problem != SpeechProblem::kNone) ShowSpeechProblem(core, problem);
}

}  // namespace zelvoran

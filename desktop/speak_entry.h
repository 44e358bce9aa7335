// SPDX-License-Identifier: GPL-3.0-or-later
// "Εκφώνηση": says the shown headword aloud, Greek with a Greek voice and English with an
// English one, through the platform's speech service. Here are the command's texts and its
// rule; the command applies them.
#pragma once

#include <string>
#include <string_view>

#include "platform/speech.h"

namespace zelvoran {

// The command's caption (Windows-1253): "Εκφώνηση".
const std::string& SpeakCaption();

// The message (Windows-1253) for a speech problem; empty for none.
std::string SpeechProblemMessage(SpeechProblem problem);

// What a press does with `headword` (Windows-1253) while `spoken` (UTF-8, empty for none) is
// the text last said and `speaking` tells whether it is still heard: what is heard stops; the
// headword is said unless it is the text that was just stopped.
struct SpeakStep {
  bool stop = false;
  bool speak = false;
  std::string text;  // UTF-8
  SpeechLanguage language = SpeechLanguage::kEnglish;
};
SpeakStep NextSpeakStep(std::string_view headword, bool speaking, std::string_view spoken);

}  // namespace zelvoran

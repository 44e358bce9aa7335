// SPDX-License-Identifier: GPL-3.0-or-later
// "Εκφώνηση": says the shown headword aloud, Greek with a Greek voice and English with an
// English one, through the platform's speech service.
#pragma once

#include <string>
#include <string_view>

#include "platform/speech.h"

namespace zelvoran {

struct MainCore;

// The command's caption (Windows-1253): "Εκφώνηση".
const std::string& SpeakCaption();

// The message (Windows-1253) for a speech problem; empty for none.
std::string SpeechProblemMessage(SpeechProblem problem);

// Says the headword Entry_Label shows; nothing when it shows none. While that text is being
// said, a second call stops it; another text stops what is said and says the new one. A
// problem is shown as a short message.
void Speak_ButtonClick(MainCore& core);

// A problem the speech service found after Speak returned.
void ShowSpeechProblem(MainCore& core, SpeechProblem problem);

}  // namespace zelvoran

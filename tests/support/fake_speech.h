// SPDX-License-Identifier: GPL-3.0-or-later
// A speech service that records what it was asked to say and "speaks" until stopped or told
// that it finished.
#pragma once

#include <string>
#include <vector>

#include "platform/speech.h"

namespace zelvoran::testing {

class FakeSpeech final : public Speech {
 public:
  struct Said {
    std::string text;  // UTF-8
    SpeechLanguage language;
  };
  std::vector<Said> said;
  int stops = 0;
  bool speaking = false;
  SpeechProblem answer = SpeechProblem::kNone;  // what Speak returns

  SpeechProblem Speak(std::string_view utf8, SpeechLanguage language) override {
    said.push_back({std::string(utf8), language});
    speaking = answer == SpeechProblem::kNone;
    return answer;
  }
  void Stop() override {
    ++stops;
    speaking = false;
  }
  bool IsSpeaking() const override { return speaking; }
};

}  // namespace zelvoran::testing

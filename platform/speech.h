// SPDX-License-Identifier: GPL-3.0-or-later
// Saying a word aloud: a speech engine synthesises it and the sound device plays it. The
// text is UTF-8 (a headword converted from Windows-1253, or anything the user typed).
#pragma once

#include <functional>
#include <string_view>

namespace zelvoran {

enum class SpeechLanguage { kEnglish, kGreek };

enum class SpeechProblem {
  kNone,
  kNoEngine,       // the speech engine or its data is not installed
  kNoVoice,        // the engine has no voice for the language
  kNoSoundDevice,  // nothing to play the sound on
  kFailed,         // synthesis or playback failed otherwise
};

class Speech {
 public:
  virtual ~Speech() = default;
  // Starts saying `utf8` in `language`, stopping anything said before, and returns at once.
  // A problem found at once is returned; one found later goes to `on_problem`, called on the
  // thread that called Speak.
  virtual SpeechProblem Speak(std::string_view utf8, SpeechLanguage language) = 0;
  // Stops at once; nothing more is heard.
  virtual void Stop() = 0;
  // Whether something is being synthesised or played.
  virtual bool IsSpeaking() const = 0;

  std::function<void(SpeechProblem)> on_problem;
};

}  // namespace zelvoran

// SPDX-License-Identifier: GPL-3.0-or-later
// eSpeak NG as a synthesiser into memory: the library is loaded when first needed (so the
// program starts and runs without it) and synthesises 16-bit mono samples in the calling
// thread, chunk by chunk. eSpeak NG keeps one state per process: it is initialised once and
// kept for the rest of the process (its Terminate can hang waiting for its own thread), and
// the engines of a process take turns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/speech.h"

namespace zelvoran {

class EspeakEngine {
 public:
  // The shared library to load and the folder of its data (empty: the library's own).
  explicit EspeakEngine(std::string library = "libespeak-ng.so.1", std::string data_path = {});
  ~EspeakEngine() = default;
  EspeakEngine(const EspeakEngine&) = delete;
  EspeakEngine& operator=(const EspeakEngine&) = delete;

  // Loads the library and its data once; kNone when the engine is ready.
  SpeechProblem Open();
  // Samples per second of what Synthesize delivers (after a successful Open).
  int SampleRate() const { return sample_rate_; }

  // Receives each chunk of samples as it is made; returning false stops the synthesis.
  using ChunkSink = std::function<bool(const int16_t* samples, size_t count)>;
  // Says `utf8` with the language's voice into `sink`, returning when all of it is made or
  // the sink stopped it.
  SpeechProblem Synthesize(std::string_view utf8, SpeechLanguage language, const ChunkSink& sink);

  // The voice name used for a language.
  static const char* VoiceName(SpeechLanguage language);

  // A library loaded and initialised (defined where it is used).
  struct Loaded;

 private:
  std::string library_;
  std::string data_path_;
  const Loaded* loaded_ = nullptr;
  int sample_rate_ = 0;
};

}  // namespace zelvoran

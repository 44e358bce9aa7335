// eSpeak NG as a synthesiser into memory: the library is loaded when first needed (so the
// program starts and runs without it) and synthesises 16-bit mono samples in the calling
// thread, chunk by chunk. eSpeak NG keeps one state per process: one engine at a time, used
// from one thread at a time.
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
  ~EspeakEngine();
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

 private:
  struct Api;
  std::string library_;
  std::string data_path_;
  void* handle_ = nullptr;
  Api* api_ = nullptr;
  int sample_rate_ = 0;
  SpeechProblem open_result_ = SpeechProblem::kNone;
  bool opened_ = false;
  int voice_ = -1;  // the language whose voice is set
};

}  // namespace zelvoran

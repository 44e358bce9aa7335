// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/espeak_engine.h"

#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>

#include <map>
#include <memory>
#include <mutex>

namespace zelvoran {

// A library loaded and initialised, for the rest of the process.
struct EspeakEngine::Loaded {
  decltype(espeak_SetVoiceByName)* SetVoiceByName = nullptr;
  decltype(espeak_Synth)* Synth = nullptr;
  int SampleRate = 0;
};

namespace {

// One synthesis at a time in the process: eSpeak NG's state and its callback are global.
std::mutex g_mutex;
// By library name; null where loading failed (so it is not tried again).
std::map<std::string, std::unique_ptr<EspeakEngine::Loaded>>& LoadedLibraries() {
  static std::map<std::string, std::unique_ptr<EspeakEngine::Loaded>> loaded;
  return loaded;
}
int g_voice = -1;  // the language whose voice is set in the loaded library

// The sink of the synthesis in progress: eSpeak's callback is a plain function.
const EspeakEngine::ChunkSink* g_sink = nullptr;
bool g_stopped = false;

int OnSamples(short* samples, int count, espeak_EVENT*) {
  if (!g_sink || g_stopped) return 1;
  if (samples && count > 0 &&
      !(*g_sink)(reinterpret_cast<const int16_t*>(samples), static_cast<size_t>(count))) {
    g_stopped = true;
    return 1;
  }
  return 0;
}

template <typename F>
bool Bind(void* handle, const char* name, F*& out) {
  out = reinterpret_cast<F*>(dlsym(handle, name));
  return out != nullptr;
}

}  // namespace

EspeakEngine::EspeakEngine(std::string library, std::string data_path)
    : library_(std::move(library)), data_path_(std::move(data_path)) {}

const char* EspeakEngine::VoiceName(SpeechLanguage language) {
  return language == SpeechLanguage::kGreek ? "el" : "en";
}

SpeechProblem EspeakEngine::Open() {
  if (loaded_) return SpeechProblem::kNone;
  std::lock_guard<std::mutex> lock(g_mutex);
  auto& libraries = LoadedLibraries();
  const auto found = libraries.find(library_);
  if (found != libraries.end()) {
    loaded_ = found->second.get();
  } else {
    std::unique_ptr<Loaded> l;
    if (void* handle = dlopen(library_.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      decltype(espeak_Initialize)* initialize = nullptr;
      decltype(espeak_SetSynthCallback)* set_callback = nullptr;
      auto candidate = std::make_unique<Loaded>();
      if (Bind(handle, "espeak_Initialize", initialize) &&
          Bind(handle, "espeak_SetSynthCallback", set_callback) &&
          Bind(handle, "espeak_SetVoiceByName", candidate->SetVoiceByName) &&
          Bind(handle, "espeak_Synth", candidate->Synth)) {
        // 20 ms chunks: the first sound is ready early. Missing data must not end the process.
        candidate->SampleRate = initialize(AUDIO_OUTPUT_SYNCHRONOUS, 20,
                                           data_path_.empty() ? nullptr : data_path_.c_str(),
                                           espeakINITIALIZE_DONT_EXIT);
        if (candidate->SampleRate > 0) {
          set_callback(&OnSamples);
          l = std::move(candidate);
        }
      }
    }
    loaded_ = l.get();
    libraries.emplace(library_, std::move(l));
  }
  if (!loaded_) return SpeechProblem::kNoEngine;
  sample_rate_ = loaded_->SampleRate;
  return SpeechProblem::kNone;
}

SpeechProblem EspeakEngine::Synthesize(std::string_view utf8, SpeechLanguage language,
                                       const ChunkSink& sink) {
  if (const SpeechProblem p = Open(); p != SpeechProblem::kNone) return p;
  std::lock_guard<std::mutex> lock(g_mutex);
  const int wanted = static_cast<int>(language);
  if (g_voice != wanted) {
    if (loaded_->SetVoiceByName(VoiceName(language)) != EE_OK) {
      g_voice = -1;
      return SpeechProblem::kNoVoice;
    }
    g_voice = wanted;
  }
  const std::string text(utf8);  // eSpeak NG reads up to a NUL
  g_sink = &sink;
  g_stopped = false;
  const espeak_ERROR e = loaded_->Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                        espeakCHARS_UTF8, nullptr, nullptr);
  g_sink = nullptr;
  return e == EE_OK ? SpeechProblem::kNone : SpeechProblem::kFailed;
}

}  // namespace zelvoran

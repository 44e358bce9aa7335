#include "platform/linux/espeak_engine.h"

#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>

#include <atomic>

namespace zelvoran {
namespace {

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

// One engine loads the library at a time in the process.
std::atomic<bool> g_engine_open{false};

template <typename F>
bool Bind(void* handle, const char* name, F*& out) {
  out = reinterpret_cast<F*>(dlsym(handle, name));
  return out != nullptr;
}

}  // namespace

struct EspeakEngine::Api {
  decltype(espeak_Initialize)* Initialize = nullptr;
  decltype(espeak_SetSynthCallback)* SetSynthCallback = nullptr;
  decltype(espeak_SetVoiceByName)* SetVoiceByName = nullptr;
  decltype(espeak_Synth)* Synth = nullptr;
  decltype(espeak_Terminate)* Terminate = nullptr;
};

EspeakEngine::EspeakEngine(std::string library, std::string data_path)
    : library_(std::move(library)), data_path_(std::move(data_path)) {}

EspeakEngine::~EspeakEngine() {
  if (api_ && sample_rate_ > 0) api_->Terminate();
  if (sample_rate_ > 0) g_engine_open = false;
  delete api_;
  // The library stays loaded: eSpeak NG's own threads and data may outlive Terminate.
}

const char* EspeakEngine::VoiceName(SpeechLanguage language) {
  return language == SpeechLanguage::kGreek ? "el" : "en";
}

SpeechProblem EspeakEngine::Open() {
  if (opened_) return open_result_;
  opened_ = true;
  open_result_ = SpeechProblem::kNoEngine;
  handle_ = dlopen(library_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) return open_result_;
  api_ = new Api;
  if (!Bind(handle_, "espeak_Initialize", api_->Initialize) ||
      !Bind(handle_, "espeak_SetSynthCallback", api_->SetSynthCallback) ||
      !Bind(handle_, "espeak_SetVoiceByName", api_->SetVoiceByName) ||
      !Bind(handle_, "espeak_Synth", api_->Synth) ||
      !Bind(handle_, "espeak_Terminate", api_->Terminate)) {
    return open_result_;
  }
  if (g_engine_open.exchange(true)) {
    open_result_ = SpeechProblem::kFailed;  // another engine holds eSpeak NG's one state
    return open_result_;
  }
  // 20 ms chunks: the first sound is ready early. Missing data must not end the process.
  const int rate = api_->Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 20,
                                    data_path_.empty() ? nullptr : data_path_.c_str(),
                                    espeakINITIALIZE_DONT_EXIT);
  if (rate <= 0) {
    g_engine_open = false;
    return open_result_;
  }
  sample_rate_ = rate;
  api_->SetSynthCallback(&OnSamples);
  open_result_ = SpeechProblem::kNone;
  return open_result_;
}

SpeechProblem EspeakEngine::Synthesize(std::string_view utf8, SpeechLanguage language,
                                       const ChunkSink& sink) {
  if (const SpeechProblem p = Open(); p != SpeechProblem::kNone) return p;
  const int wanted = static_cast<int>(language);
  if (voice_ != wanted) {
    if (api_->SetVoiceByName(VoiceName(language)) != EE_OK) {
      voice_ = -1;
      return SpeechProblem::kNoVoice;
    }
    voice_ = wanted;
  }
  const std::string text(utf8);  // eSpeak NG reads up to a NUL
  g_sink = &sink;
  g_stopped = false;
  const espeak_ERROR e = api_->Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                     espeakCHARS_UTF8, nullptr, nullptr);
  g_sink = nullptr;
  return e == EE_OK ? SpeechProblem::kNone : SpeechProblem::kFailed;
}

}  // namespace zelvoran

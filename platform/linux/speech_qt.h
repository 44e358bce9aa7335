// SPDX-License-Identifier: GPL-3.0-or-later
// The speech service of the program: eSpeak NG synthesises on a worker thread, and the
// samples are played on the window's thread with Qt Multimedia as they arrive, so the window
// never waits for either.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/espeak_engine.h"
#include "platform/speech.h"

class QAudioSink;
class QIODevice;

namespace zelvoran {

// Where the samples go, on the window's thread.
class PcmOutput {
 public:
  virtual ~PcmOutput() = default;
  // Opens the sound device for 16-bit mono samples; false when there is none.
  virtual bool Start(int sample_rate) = 0;
  virtual void Write(const int16_t* samples, size_t count) = 0;
  // No more samples will come; `on_done` is called once what was written has been played.
  virtual void Finish() = 0;
  virtual void Stop() = 0;
  std::function<void()> on_done;
};

// The default sound device through QAudioSink.
class QtAudioOutput final : public QObject, public PcmOutput {
 public:
  QtAudioOutput();
  ~QtAudioOutput() override;
  bool Start(int sample_rate) override;
  void Write(const int16_t* samples, size_t count) override;
  void Finish() override;
  void Stop() override;

 private:
  void Feed();
  std::unique_ptr<QAudioSink> sink_;
  QIODevice* device_ = nullptr;
  QByteArray pending_;
  QTimer feeder_;
  bool finished_ = false;
};

class QtSpeech final : public QObject, public Speech {
 public:
  // `output` receives the samples (the default sound device when null); `engine` synthesises
  // them (eSpeak NG from the system when null).
  explicit QtSpeech(std::unique_ptr<PcmOutput> output = nullptr,
                    std::unique_ptr<EspeakEngine> engine = nullptr);
  ~QtSpeech() override;

  SpeechProblem Speak(std::string_view utf8, SpeechLanguage language) override;
  void Stop() override;
  bool IsSpeaking() const override { return speaking_; }

 private:
  struct Request {
    uint64_t generation;
    std::string text;
    SpeechLanguage language;
  };
  void Work();
  void OnChunk(uint64_t generation, int sample_rate, std::vector<int16_t> samples);
  void OnEnd(uint64_t generation, SpeechProblem problem);
  void Fail(SpeechProblem problem);

  std::unique_ptr<PcmOutput> output_;
  std::unique_ptr<EspeakEngine> engine_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Request> requests_;
  bool quit_ = false;
  std::atomic<uint64_t> generation_{0};
  bool speaking_ = false;
  bool output_started_ = false;
  std::thread worker_;
};

}  // namespace zelvoran

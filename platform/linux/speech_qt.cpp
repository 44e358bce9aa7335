// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/speech_qt.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace zelvoran {

// --- QtAudioOutput ---

QtAudioOutput::QtAudioOutput() {
  feeder_.setInterval(10);
  connect(&feeder_, &QTimer::timeout, this, [this] { Feed(); });
}

QtAudioOutput::~QtAudioOutput() {
  Stop();
}

bool QtAudioOutput::Start(int sample_rate) {
  Stop();
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return false;
  QAudioFormat format;
  format.setSampleRate(sample_rate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) return false;
  sink_ = std::make_unique<QAudioSink>(device, format);
  device_ = sink_->start();
  if (!device_ || sink_->error() != QAudio::NoError) {
    Stop();
    return false;
  }
  finished_ = false;
  feeder_.start();
  return true;
}

void QtAudioOutput::Write(const int16_t* samples, size_t count) {
  pending_.append(reinterpret_cast<const char*>(samples),
                  static_cast<qsizetype>(count * sizeof(int16_t)));
  Feed();
}

void QtAudioOutput::Finish() {
  finished_ = true;
  Feed();
}

void QtAudioOutput::Feed() {
  if (!sink_ || !device_) return;
  if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError) {
    Stop();
    if (on_done) on_done();
    return;
  }
  while (!pending_.isEmpty()) {
    const qint64 room = sink_->bytesFree();
    if (room <= 0) break;
    const qint64 n = device_->write(pending_.constData(), std::min<qint64>(room, pending_.size()));
    if (n <= 0) break;
    pending_.remove(0, static_cast<qsizetype>(n));
  }
  // Done once everything written has left the device's buffer.
  if (finished_ && pending_.isEmpty() && sink_->bytesFree() >= sink_->bufferSize()) {
    Stop();
    if (on_done) on_done();
  }
}

void QtAudioOutput::Stop() {
  feeder_.stop();
  if (sink_) sink_->stop();
  sink_.reset();
  device_ = nullptr;
  pending_.clear();
  finished_ = false;
}

// --- QtSpeech ---

QtSpeech::QtSpeech(std::unique_ptr<PcmOutput> output, std::unique_ptr<EspeakEngine> engine)
    : output_(output ? std::move(output) : std::make_unique<QtAudioOutput>()),
      engine_(engine ? std::move(engine) : std::make_unique<EspeakEngine>()) {
  output_->on_done = [this] { speaking_ = false; };
  worker_ = std::thread([this] { Work(); });
}

QtSpeech::~QtSpeech() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    ++generation_;  // stops a synthesis in progress
  }
  wake_.notify_all();
  worker_.join();
  output_->on_done = nullptr;
  output_->Stop();
}

SpeechProblem QtSpeech::Speak(std::string_view utf8, SpeechLanguage language) {
  Stop();
  if (utf8.empty()) return SpeechProblem::kNone;
  speaking_ = true;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
    requests_.push_back({++generation_, std::string(utf8), language});
  }
  wake_.notify_all();
  return SpeechProblem::kNone;
}

void QtSpeech::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
    ++generation_;  // the worker drops what it makes for an older request
  }
  output_->Stop();
  output_started_ = false;
  speaking_ = false;
}

void QtSpeech::Work() {
  // Loading the library and its data takes a moment: done before the first request.
  engine_->Open();
  for (;;) {
    Request r;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || !requests_.empty(); });
      if (quit_) return;
      r = std::move(requests_.front());
      requests_.pop_front();
    }
    const int rate = engine_->SampleRate();
    const SpeechProblem problem = engine_->Synthesize(
        r.text, r.language, [this, &r, rate](const int16_t* samples, size_t count) {
          if (generation_ != r.generation) return false;
          std::vector<int16_t> chunk(samples, samples + count);
          QMetaObject::invokeMethod(
              this,
              [this, g = r.generation, rate, c = std::move(chunk)]() mutable {
                OnChunk(g, rate, std::move(c));
              },
              Qt::QueuedConnection);
          return true;
        });
    QMetaObject::invokeMethod(
        this, [this, g = r.generation, problem] { OnEnd(g, problem); }, Qt::QueuedConnection);
  }
}

void QtSpeech::OnChunk(uint64_t generation, int sample_rate, std::vector<int16_t> samples) {
  if (generation != generation_ || !speaking_) return;
  if (!output_started_) {
    if (!output_->Start(sample_rate)) {
      Fail(SpeechProblem::kNoSoundDevice);
      return;
    }
    output_started_ = true;
  }
  output_->Write(samples.data(), samples.size());
}

void QtSpeech::OnEnd(uint64_t generation, SpeechProblem problem) {
  if (generation != generation_ || !speaking_) return;
  if (problem != SpeechProblem::kNone) {
    Fail(problem);
    return;
  }
  if (!output_started_) {  // nothing to say (punctuation only)
    speaking_ = false;
    return;
  }
  output_->Finish();
}

void QtSpeech::Fail(SpeechProblem problem) {
  Stop();
  if (on_problem) on_problem(problem);
}

}  // namespace zelvoran

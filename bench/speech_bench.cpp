// SPDX-License-Identifier: GPL-3.0-or-later
// "Εκφώνηση" in the real window on the bundled data: from the click on the speaker button to
// the first buffer of samples reaching the sound output, through eSpeak NG on its worker
// thread. The words alternate between Greek and English, so each click also changes voice.
#if ZELVORAN_BENCH_GUI

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <vector>

#include "app/main_core.h"
#include "app/ui/main_lex.h"
#include "app/ui/speak_button.h"
#include "bench/bench_app.h"
#include "bench/bench_data.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/speech_qt.h"

namespace zelvoran::bench {
namespace {

using Clock = std::chrono::steady_clock;

// The sound device's side: notes when the first samples arrive.
class FirstBufferOutput final : public PcmOutput {
 public:
  Clock::time_point first{};
  bool got = false;
  bool Start(int) override { return true; }
  void Write(const int16_t*, size_t) override {
    if (!got) first = Clock::now();
    got = true;
  }
  void Finish() override {
    if (on_done) on_done();
  }
  void Stop() override {}
};

bool WaitFor(const bool& flag, int limit_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!flag && clock.elapsed() < limit_ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  return flag;
}

void BM_SpeakToFirstBuffer(benchmark::State& st) {
  const std::string folder = BundledProgramFolder();
  if (folder.empty()) return st.SkipWithError("no data");
  BenchApp();
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  const std::string old_cwd = fs.CurrentDirectory();
  fs.SetCurrentDirectory(folder);
  auto output = std::make_unique<FirstBufferOutput>();
  FirstBufferOutput& out = *output;
  QtSpeech speech(std::move(output));
  ProgramState state;
  Services services{fs, folders, info, nullptr, nullptr};
  services.speech = &speech;
  TMainLex window(services, state);
  window.show();
  const char* words[] = {"house", "\xE8\xDC\xEB\xE1\xF3\xF3\xE1"};  // θάλασσα
  // The engine loads its data on its thread when the service starts: one untimed word.
  window.SetEntryText(words[0]);
  out.got = false;
  window.Speak_Button->click();
  if (!WaitFor(out.got, 10000)) {
    fs.SetCurrentDirectory(old_cwd);
    return st.SkipWithError("no sound was made");
  }
  speech.Stop();
  std::vector<double> ms;
  size_t n = 0;
  for (auto _ : st) {
    st.PauseTiming();
    speech.Stop();
    window.SetEntryText(words[++n % 2]);
    QApplication::processEvents();
    out.got = false;
    st.ResumeTiming();
    const auto t0 = Clock::now();
    window.Speak_Button->click();
    if (!WaitFor(out.got, 10000)) {
      st.SkipWithError("no sound was made");
      break;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(out.first - t0).count());
  }
  speech.Stop();
  if (!ms.empty()) {
    std::sort(ms.begin(), ms.end());
    st.counters["median_ms"] = ms[ms.size() / 2];
    st.counters["slowest_ms"] = ms.back();
  }
  window.hide();
  fs.SetCurrentDirectory(old_cwd);
}
BENCHMARK(BM_SpeakToFirstBuffer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvoran::bench

#endif

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from creation to its first paint, on the full-size synthetic data and on
// the bundled data: FormCreate, the first show with the dictionary load, and one frame. And a
// full list in the real window: the lookup, the Qt model and the list view's next paint.
#if ZELVORAN_BENCH_GUI

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/lookup_presenter.h"
#include "app/main_core.h"
#include "app/ui/main_lex.h"
#include "bench/bench_app.h"
#include "bench/bench_data.h"
#include "platform/linux/posix_file_system.h"
#include "search/lookup_engine.h"

namespace zelvoran::bench {
namespace {

class PaintWatcher final : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// Runs the event loop until `watcher` has seen a paint, for at most `limit_ms`; whether it did.
bool WaitForPaint(const PaintWatcher& watcher, int limit_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!watcher.painted && clock.elapsed() < limit_ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return watcher.painted;
}

void OpenWindow(benchmark::State& st, const std::string& folder) {
  if (folder.empty()) {
    st.SkipWithError("no data");
    return;
  }
  BenchApp();
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  const std::string old_cwd = fs.CurrentDirectory();
  for (auto _ : st) {
    fs.SetCurrentDirectory(folder);
    ProgramState state;
    TMainLex window(Services{fs, folders, info, nullptr, nullptr}, state);
    PaintWatcher watcher;
    window.installEventFilter(&watcher);
    window.show();
    if (!WaitForPaint(watcher, 10000)) {
      st.SkipWithError("the window was never painted");
      break;
    }
    if (state.Dict.EnglishIndex.Count() == 0) st.SkipWithError("nothing loaded");
    st.PauseTiming();
    window.removeEventFilter(&watcher);
    window.hide();
    fs.SetCurrentDirectory(old_cwd);
    st.ResumeTiming();
  }
}

void BM_WindowToFirstPaint(benchmark::State& st) {
  OpenWindow(st, SyntheticProgramFolder());
}
BENCHMARK(BM_WindowToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_WindowToFirstPaintBundled(benchmark::State& st) {
  OpenWindow(st, BundledProgramFolder());
}
BENCHMARK(BM_WindowToFirstPaintBundled)->Unit(benchmark::kMillisecond);

// A lookup that stops at the result limit, in the shown main window on the synthetic data:
// RunLookup fills the core's rows, the Qt model is reset and the list view paints its rows.
void BM_ListFillWindow(benchmark::State& st) {
  BenchApp();
  PosixFileSystem fs;
  LinuxSystemFolders folders;
  LinuxSystemInfo info;
  const std::string old_cwd = fs.CurrentDirectory();
  fs.SetCurrentDirectory(SyntheticProgramFolder());
  ProgramState state;
  TMainLex window(Services{fs, folders, info, nullptr, nullptr}, state);
  {
    PaintWatcher first;
    window.installEventFilter(&first);
    window.show();
    const bool painted = WaitForPaint(first, 10000);
    window.removeEventFilter(&first);
    if (!painted) return st.SkipWithError("the window was never painted");
  }
  MainCore& core = window.Core();
  {
    SuppressEntryChangeScope quiet(core);
    window.SetEntryText("e");
  }
  QWidget* viewport = window.Entries_List->viewport();
  std::vector<double> ms;
  for (auto _ : st) {
    PaintWatcher watcher;
    viewport->installEventFilter(&watcher);
    const auto t0 = std::chrono::steady_clock::now();
    RunLookup(core, SearchMode::kContain, 0, "", false);
    const bool painted = WaitForPaint(watcher, 10000);
    const auto t1 = std::chrono::steady_clock::now();
    viewport->removeEventFilter(&watcher);
    if (!painted) {
      st.SkipWithError("the list was never painted");
      break;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  if (core.List.Count() != kResultLimit) st.SkipWithError("the lookup did not fill the list");
  if (window.Entries_List->model()->rowCount() != kResultLimit) {
    st.SkipWithError("the view does not show the rows");
  }
  if (!ms.empty()) {
    std::sort(ms.begin(), ms.end());
    st.counters["median_ms"] = ms[ms.size() / 2];
  }
  window.hide();
  fs.SetCurrentDirectory(old_cwd);
}
BENCHMARK(BM_ListFillWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvoran::bench

#endif

// The main window from creation to its first paint, on the full-size synthetic data and on
// the bundled data: FormCreate, the first show with the dictionary load, and one frame.
#if ZELVORAN_BENCH_GUI

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <memory>

#include "app/main_core.h"
#include "app/ui/main_lex.h"
#include "bench/bench_data.h"
#include "platform/linux/posix_file_system.h"

namespace zelvoran::bench {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "zelvoran-bench";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QApplication> app = [] {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto a = std::make_unique<QApplication>(argc, argv);
    InstallFontSubstitutions();
    return a;
  }();
  return *app;
}

class PaintWatcher final : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void OpenWindow(benchmark::State& st, const std::string& folder) {
  if (folder.empty()) {
    st.SkipWithError("no data");
    return;
  }
  App();
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
    while (!watcher.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
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

}  // namespace
}  // namespace zelvoran::bench

#endif

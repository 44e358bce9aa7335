// SPDX-License-Identifier: GPL-3.0-or-later
// Quick translation under a flood of clipboard changes: one notification from QClipboard's
// change signal through the viewer chain into a real line edit, for texts of growing size.
#ifdef ZELVORAN_BENCH_GUI

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <memory>

#include "app/desktop_commands.h"
#include "app/main_core.h"
#include "bench/bench_app.h"
#include "platform/linux/clipboard_qt.h"
#include "platform/linux/posix_file_system.h"
#include "tests/support/fake_main_view.h"
#include "text/cp1253.h"

namespace zelvoran::bench {
namespace {

class NoFolders final : public SystemFolders {
 public:
  std::string WindowsFolder() const override { return "/tmp"; }
  std::string RootOfDriveC() const override { return "/tmp/"; }
  std::vector<std::string> Drives() const override { return {}; }
};
class NoInfo final : public SystemInfo {
 public:
  std::optional<OsVersion> GetVersion() const override { return std::nullopt; }
};

class LineEditView final : public testing::FakeMainView {
 public:
  std::string EntryText() const override { return Utf8ToCp1253(edit.text().toStdString()); }
  void SetEntryText(std::string_view text) override {
    const QString q = QString::fromStdString(Cp1253ToUtf8(text));
    if (q != edit.text()) edit.setText(q);
  }
  void PasteIntoEntryText() override { edit.paste(); }
  QLineEdit edit;
};

void BM_QuickTranslationNotification(benchmark::State& st) {
  BenchApp();
  PosixFileSystem fs;
  NoFolders folders;
  NoInfo info;
  QtClipboard clipboard;
  ProgramState state;
  LineEditView view;
  MainCore core(Services{.fs = fs, .folders = folders, .info = info, .clipboard = &clipboard},
                state, view);
  core.MainWindowHandle = clipboard.Chain().CreateWindow([&](uint32_t m, uint64_t w, uint64_t l) {
    HandleClipboardChainMessage(core, m, w, l);
    return intptr_t{0};
  });
  AutoTranslate_ButtonClick(core);
  const QString a(static_cast<qsizetype>(st.range(0)), QChar(u'α'));
  const QString b(static_cast<qsizetype>(st.range(0)), QChar(u'b'));
  bool flip = false;
  for (auto _ : st) {
    QGuiApplication::clipboard()->setText(flip ? a : b);
    flip = !flip;
    benchmark::DoNotOptimize(view.edit.text().size());
  }
  if (view.edit.text().isEmpty()) st.SkipWithError("the entry box was not filled");
  QuickTranslation_FormDestroy(core);
  clipboard.Chain().DestroyWindow(core.MainWindowHandle);
}
BENCHMARK(BM_QuickTranslationNotification)
    ->Arg(16)
    ->Arg(64 << 10)
    ->Arg(1 << 20)
    ->Arg(8 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvoran::bench

#endif  // ZELVORAN_BENCH_GUI
